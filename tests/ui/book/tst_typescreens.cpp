// The transaction types screen: typing and storing types, the lists of other screens that
// IslemTuruAyarla refills, and the picker writing a choice back into its caller.
#include "ScreenTestProgram.h"
#include "TestSupport.h"
#include "book/ReferenceScreens.h"
#include "book/TransactionTypes.h"
#include "book/TransactionTypesWindow.h"
#include "book/TypeLists.h"
#include "common/ScriptedPrompt.h"
#include "session/AppContext.h"
#include "session/MainMenu.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

using namespace dalvira;

namespace {

void typeText(QWidget *w, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QStringList entries(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list.append(box->itemText(i));
    return list;
}

const QString kLong = QStringLiteral("Şubat Ayı Doğalgaz Işınma Gideri Payı"); // 37 characters

} // namespace

class TypeScreensTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::ScreenTestProgram> m_program;
    ScriptedPrompt *m_prompt = nullptr;
    AppContext *m_app = nullptr;

    TransactionTypesWindow *window()
    {
        return m_app->screens().screen<TransactionTypesWindow>(TransactionTypesWindow::kName);
    }
    void click(const QString &caption)
    {
        QPushButton *b = window()->button(caption);
        QVERIFY2(b, qPrintable(caption));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // A new type typed into the screen and stored with "SAKLA".
    void addType(const QString &code, const QString &name)
    {
        click(QStringLiteral("YENİ İŞLEM TÜRÜ"));
        typeText(window()->codeField(), code);
        typeText(window()->nameField(), name);
        click(QStringLiteral("SAKLA"));
    }
    int rowOf(const QString &name)
    {
        QTableWidget *t = window()->typeList();
        for (int r = 0; r < t->rowCount(); ++r) {
            if (t->item(r, 1)->text() == name)
                return r;
        }
        return -1;
    }
    void selectType(const QString &name)
    {
        const int row = rowOf(name);
        QVERIFY2(row >= 0, qPrintable(name));
        window()->typeList()->selectRow(row);
    }

private slots:
    void init()
    {
        m_program = std::make_unique<test::ScreenTestProgram>();
        const QString failed = m_program->start();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        m_app = &m_program->app();
        m_prompt = &m_program->prompt();
        m_app->registerSessionScreens();
        registerReferenceScreens(*m_app);
    }
    void cleanup()
    {
        const QString problems = m_program->promptProblems();
        m_program.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void addedTypeAppearsInRegisteredLists()
    {
        QComboBox flatType, bookType, filter;
        QStringList gridColumn;
        QObject gridOwner;
        registerTypeList(*m_app, &flatType, TypeListKind::Plain);
        registerTypeList(*m_app, &bookType, TypeListKind::WithTransfer);
        registerTypeList(*m_app, &filter, TypeListKind::ShortWithAll, ListSelection::Keep);
        registerTypeList(*m_app, &gridOwner, TypeListKind::SortedWithTransfer,
                         [&](const QStringList &types) { gridColumn = types; });
        {
            QComboBox gone;
            registerTypeList(*m_app, &gone, TypeListKind::Plain); // destroyed before the refill
        }

        showTypePicker(*m_app, QStringLiteral("Yok"));
        QVERIFY(window()->isVisible());
        addType(QStringLiteral("20"), QStringLiteral("Yakıt"));
        addType(QStringLiteral("10"), kLong);
        QCOMPARE(window()->typeList()->rowCount(), 2);
        QCOMPARE(window()->typeList()->item(0, 1)->text(), kLong); // code order
        QCOMPARE(TransactionTypes(m_app->storage().ana()).names(),
                 (QStringList{kLong, QStringLiteral("Yakıt")}));

        QCOMPARE(entries(&flatType), (QStringList{kLong.left(30), QStringLiteral("Yakıt")}));
        QCOMPARE(entries(&bookType),
                 (QStringList{kLong.left(30), QStringLiteral("Yakıt"), QStringLiteral("Virman")}));
        QCOMPARE(entries(&filter),
                 (QStringList{QStringLiteral("Hepsi"), kLong.left(15), QStringLiteral("Yakıt")}));
        QCOMPARE(gridColumn,
                 (QStringList{kLong.left(30), QStringLiteral("Yakıt"), QStringLiteral("Virman")}));
        QCOMPARE(bookType.currentIndex(), 0);

        // The filter registered to keep its choice keeps it through the next refill.
        filter.setCurrentText(QStringLiteral("Yakıt"));
        addType(QStringLiteral("30"), QStringLiteral("Aidat"));
        QCOMPARE(filter.currentText(), QStringLiteral("Yakıt"));
        QCOMPARE(flatType.currentIndex(), 0);
        QCOMPARE(flatType.count(), 3);
    }

    void refillSignalsOneChange()
    {
        QComboBox list;
        registerTypeList(*m_app, &list, TypeListKind::WithTransfer);
        QVERIFY(IslemTuruAyarla(*m_app));
        QSignalSpy changed(&list, &QComboBox::currentIndexChanged);
        QVERIFY(IslemTuruAyarla(*m_app));
        QCOMPARE(changed.size(), 1);
        QCOMPARE(list.currentText(), QStringLiteral("Virman"));
    }

    void pickWritesFullNameIntoCaller()
    {
        QString picked;
        int pickedRow = -1;
        setTypePickTarget(*m_app, QStringLiteral("isletmeGider"),
                          {[&](const QString &name, int row) {
                               picked = name;
                               pickedRow = row;
                               return Result::success();
                           },
                           {}});
        showTypePicker(*m_app, QStringLiteral("Yok"));
        addType(QStringLiteral("1"), kLong);
        addType(QStringLiteral("2"), QStringLiteral("Yakıt"));

        // From the main menu "SEÇ" does nothing and the screen stays.
        selectType(kLong);
        click(QStringLiteral("SEÇ"));
        QVERIFY(picked.isEmpty());
        QVERIFY(window()->isVisible());

        showTypePicker(*m_app, QStringLiteral("isletmeGider"), 3);
        selectType(kLong);
        QTableWidget *t = window()->typeList();
        const QPoint at = t->visualItemRect(t->item(rowOf(kLong), 1)).center();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, at); // the view wants a press first
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(picked, kLong); // uncut
        QCOMPARE(pickedRow, 3);
        QVERIFY(m_app->session().typePickerCaller.isEmpty());
        QVERIFY(!window()->isVisible());
    }

    void retypingAsksFirst_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("side");
        QTest::newRow("income") << "GelirDetay"
                                << "gelir";
        QTest::newRow("expense") << "GiderDetay"
                                 << "gider";
    }
    void retypingAsksFirst()
    {
        QFETCH(QString, tag);
        QFETCH(QString, side);
        QStringList accepted;
        setTypePickTarget(*m_app, tag,
                          {[&](const QString &name, int) {
                               accepted.append(name);
                               return Result::success();
                           },
                           [] { return QStringLiteral("Eski Tür"); }});
        showTypePicker(*m_app, QStringLiteral("Yok"));
        addType(QStringLiteral("1"), QStringLiteral("Yeni Tür"));
        showTypePicker(*m_app, tag);

        const QString Side =
            side == QStringLiteral("gelir") ? QStringLiteral("Gelir") : QStringLiteral("Gider");
        const QString question =
            QStringLiteral("Yapacağınız işlem sonucu :\n\r\n\r\"Eski Tür\"\n\r\n\r") + side +
            QStringLiteral(" işlem türüne ait kayıtlar;\n\r\n\r\"Yeni Tür\"\n\r\n\r") + side +
            QStringLiteral(" işlem türü olarak değiştirilecektir.\n\r\n\rYapılan değişiklik "
                           "sonrası değiştirilen \"") +
            Side +
            QStringLiteral(" İşlem Türüne\" geri dönülemeyecektir.\n\r\n\rDevam edilsin mi?");
        m_prompt->enqueue(Answer::No);
        click(QStringLiteral("SEÇ"));
        QCOMPARE(m_prompt->shown().last().text, question);
        QCOMPARE(m_prompt->shown().last().caption, QStringLiteral("Tolvek Dalvira Programı"));
        QVERIFY(accepted.isEmpty());
        QVERIFY(window()->isVisible());
        QCOMPARE(m_app->session().typePickerCaller, tag);

        m_prompt->enqueue(Answer::Yes);
        click(QStringLiteral("SEÇ"));
        QCOMPARE(accepted, QStringList{QStringLiteral("Yeni Tür")});
        QVERIFY(!window()->isVisible());
        QVERIFY(m_app->session().typePickerCaller.isEmpty());
    }

    void failedPickKeepsPickerOpen()
    {
        setTypePickTarget(*m_app, QStringLiteral("carihareketdeg"),
                          {[](const QString &, int) {
                               return Result::failure(QStringLiteral("Hareket seçilmemiş."));
                           },
                           {}});
        showTypePicker(*m_app, QStringLiteral("Yok"));
        addType(QStringLiteral("1"), QStringLiteral("Aidat"));
        showTypePicker(*m_app, QStringLiteral("carihareketdeg"));
        click(QStringLiteral("SEÇ"));
        QCOMPARE(m_prompt->lastText(), QStringLiteral("Hareket seçilmemiş."));
        QVERIFY(window()->isVisible());
        QCOMPARE(m_app->session().typePickerCaller, QStringLiteral("carihareketdeg"));
    }

    void deleteAsksAndRefills()
    {
        QComboBox list;
        registerTypeList(*m_app, &list, TypeListKind::Plain);
        showTypePicker(*m_app, QStringLiteral("Yok"));
        addType(QStringLiteral("01"), QStringLiteral("Ali'nin Aidatı"));
        addType(QStringLiteral("02"), QStringLiteral("Yakıt"));
        insert(m_app->storage().ana(), QStringLiteral("sicilcarihar"),
               {{QStringLiteral("aidat_turu"), QStringLiteral("Ali'nin Aidatı")}});
        selectType(QStringLiteral("Ali'nin Aidatı"));

        const QString question =
            QStringLiteral("\"01\" kodlu \"Ali'nin Aidatı\" adlı gelir silinecektir. Eminmisiniz?");
        m_prompt->enqueue(Answer::Cancel, question);
        click(QStringLiteral("SİL"));
        QCOMPARE(window()->typeList()->rowCount(), 2);

        m_prompt->enqueue(Answer::Yes, question);
        click(QStringLiteral("SİL"));
        QCOMPARE(m_prompt->shown().last().caption, QStringLiteral("Tolvek Dalvira"));
        QCOMPARE(window()->typeList()->rowCount(), 1);
        QCOMPARE(window()->nameField()->text(), QStringLiteral("Yakıt"));
        QCOMPARE(entries(&list), QStringList{QStringLiteral("Yakıt")});
        // The movement keeps the name it was stored with.
        QCOMPARE(
            scalar(m_app->storage().ana(), QStringLiteral("SELECT aidat_turu FROM sicilcarihar"))
                .toString(),
            QStringLiteral("Ali'nin Aidatı"));
    }

    void renamingATypeInUseAsksFirst()
    {
        showTypePicker(*m_app, QStringLiteral("Yok"));
        addType(QStringLiteral("1"), QStringLiteral("Aidat"));
        insert(m_app->storage().ana(), QStringLiteral("isletgelir"),
               {{QStringLiteral("geliradi"), QStringLiteral("Aidat")}});
        window()->nameField()->selectAll();
        typeText(window()->nameField(), QStringLiteral("Aidat Geliri"));

        m_prompt->enqueue(Answer::No, QStringLiteral("\"Aidat\" işlem türü 1 kayıtta"));
        click(QStringLiteral("SAKLA"));
        QCOMPARE(TransactionTypes(m_app->storage().ana()).names(), QStringList{"Aidat"});
        QVERIFY(window()->hasPendingChange());
        QCOMPARE(window()->nameField()->text(), QStringLiteral("Aidat Geliri"));

        m_prompt->enqueue(Answer::Yes, QStringLiteral("\"Aidat\" işlem türü 1 kayıtta"));
        click(QStringLiteral("KAPAT"));
        QCOMPARE(TransactionTypes(m_app->storage().ana()).names(), QStringList{"Aidat Geliri"});
        QVERIFY(!window()->isVisible());
    }

    void movingToAnotherTypeStoresTheEdit()
    {
        showTypePicker(*m_app, QStringLiteral("Yok"));
        addType(QStringLiteral("1"), QStringLiteral("Aidat"));
        addType(QStringLiteral("2"), QStringLiteral("Yakıt"));
        selectType(QStringLiteral("Aidat"));
        window()->nameField()->selectAll();
        typeText(window()->nameField(), QStringLiteral("Aidatlar"));
        selectType(QStringLiteral("Yakıt"));
        QCOMPARE(window()->nameField()->text(), QStringLiteral("Yakıt"));
        QCOMPARE(TransactionTypes(m_app->storage().ana()).names(),
                 (QStringList{"Aidatlar", "Yakıt"}));

        // A new type left without typing anything is not stored as a blank type.
        click(QStringLiteral("YENİ İŞLEM TÜRÜ"));
        QVERIFY(window()->hasPendingChange());
        click(QStringLiteral("KAPAT"));
        QCOMPARE(TransactionTypes(m_app->storage().ana()).list().size(), 2);
        showTypePicker(*m_app, QStringLiteral("Yok"));
        selectType(QStringLiteral("Yakıt"));

        // "VAZGEÇ" drops what was typed.
        window()->nameField()->selectAll();
        typeText(window()->nameField(), QStringLiteral("Yakıtlar"));
        click(QStringLiteral("VAZGEÇ"));
        QCOMPARE(window()->nameField()->text(), QStringLiteral("Yakıt"));
        QVERIFY(!window()->hasPendingChange());
    }

    void fillUntypedFromContextMenu()
    {
        showTypePicker(*m_app, QStringLiteral("Yok"));
        addType(QStringLiteral("1"), QStringLiteral("Aidat"));
        const QSqlDatabase db = m_app->storage().ana();
        insert(db, QStringLiteral("sicilcarihar"), {{QStringLiteral("aidat_turu"), QVariant()}});
        insert(db, QStringLiteral("sicilcarihar"),
               {{QStringLiteral("aidat_turu"), QStringLiteral("Yakıt")}});
        m_prompt->enqueue(Answer::Yes,
                          TransactionTypesWindow::fillQuestion(QStringLiteral("Aidat")));
        window()->listMenu()->actions().first()->trigger();
        QCOMPARE(m_prompt->shown().last().text,
                 QStringLiteral("Bu işlem \"Gelir Türü\" olmayan işlemlere gelir türü olarak\n\r"
                                "Aidat\n\rgelir türünü aktaracaktır. Aktarım yapıldıktan sonra "
                                "\n\rgeri dönülmesi mümkün OLMAYACAKTIR.Aktarma işlemi "
                                "yapılsınmı?"));
        QCOMPARE(scalar(db, QStringLiteral("SELECT group_concat(aidat_turu, '|') FROM "
                                           "(SELECT aidat_turu FROM sicilcarihar ORDER BY cid)"))
                     .toString(),
                 QStringLiteral("Aidat|Yakıt"));
    }

    void menuCommandAndSiteEntry()
    {
        auto *menu = m_app->screens().screen<MainMenu>(AppContext::kMainMenu);
        QVERIFY(menu->isCommandEnabled(QStringLiteral("İşlem Türleri Girişi")));
        m_app->session().typePickerCaller = QStringLiteral("isletmeGider");
        QVERIFY(menu->runCommand(QStringLiteral("İşlem Türleri Girişi")));
        QCOMPARE(m_app->session().typePickerCaller, QStringLiteral("Yok"));
        QVERIFY(window()->isVisible());

        // Entering another site rebuilds the type lists from that site's types.
        addType(QStringLiteral("1"), QStringLiteral("Birinci Site Türü"));
        QComboBox list;
        registerTypeList(*m_app, &list, TypeListKind::Plain);
        QVERIFY(IslemTuruAyarla(*m_app));
        QCOMPARE(list.count(), 1);
        SiteRecord other;
        other.set("firma_kodu", QStringLiteral("S2"));
        other.set("firma_unvani_1", QStringLiteral("İkinci Site"));
        QVERIFY(SiteDirectory(m_app->storage()).createSite(other));
        QVERIFY(m_app->session().enterSite(QStringLiteral("S2")));
        for (const auto &handler : m_app->siteEntered)
            handler();
        QCOMPARE(list.count(), 0);
    }
};

QTEST_MAIN(TypeScreensTest)
#include "tst_typescreens.moc"
