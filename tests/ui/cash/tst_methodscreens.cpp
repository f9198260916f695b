// The payment methods and currencies screens: adding and removing entries, the lists of other
// screens that OdemeSekliAyarla and ParaBirimiAyarla refill, and the re-assignment question.
#include "TestSupport.h"
#include "book/ReferenceScreens.h"
#include "cash/MethodLists.h"
#include "cash/ReferenceListWindow.h"
#include "common/ScriptedPrompt.h"
#include "session/AppContext.h"
#include "session/MainMenu.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
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

QStringList entries(const QListWidget *view)
{
    QStringList list;
    for (int i = 0; i < view->count(); ++i)
        list.append(view->item(i)->text());
    return list;
}

} // namespace

class MethodScreensTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::TempProgramFolder> m_folder;
    ScriptedPrompt m_prompt;
    std::unique_ptr<AppContext> m_app;

    ReferenceListWindow *methods()
    {
        return m_app->screens().screen<ReferenceListWindow>(ReferenceListWindow::kMethodsName);
    }
    ReferenceListWindow *currencies()
    {
        return m_app->screens().screen<ReferenceListWindow>(ReferenceListWindow::kCurrenciesName);
    }
    void start()
    {
        m_app = std::make_unique<AppContext>(&m_prompt);
        QVERIFY(m_app->storage().open());
        m_app->registerSessionScreens();
        registerReferenceScreens(*m_app);
    }
    void addSite(const QString &code)
    {
        SiteRecord site;
        site.set("firma_kodu", code);
        site.set("firma_unvani_1", QStringLiteral("Site ") + code);
        QVERIFY(SiteDirectory(m_app->storage()).createSite(site));
    }
    void enter(const QString &code)
    {
        QVERIFY(m_app->session().enterSite(code));
        for (const auto &handler : m_app->siteEntered)
            handler();
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<test::TempProgramFolder>();
        QVERIFY(m_folder->isValid());
        setProgramFolder(m_folder->path());
        QFile::remove(m_folder->path() + QStringLiteral("OdemeSekli.ods"));
        QFile::remove(m_folder->path() + QStringLiteral("ParaBirimi.pbr"));
        m_prompt.clear();
        start();
    }
    void cleanup()
    {
        QVERIFY2(!m_prompt.unexpected(), qPrintable(m_prompt.problems()));
        m_app.reset();
        m_folder.reset();
    }

    void addPaymentMethod()
    {
        QComboBox entry, filter;
        registerMethodList(*m_app, &entry, MethodListKind::Methods);
        registerMethodList(*m_app, &filter, MethodListKind::MethodsWithAll);
        addSite(QStringLiteral("S1"));
        enter(QStringLiteral("S1"));
        QCOMPARE(entries(&entry),
                 (QStringList{"Kasa", "Banka", "Kredi Kartı", "Çek", "Senet", "Diğer"}));
        QCOMPARE(filter.itemText(filter.count() - 1), QStringLiteral("Hepsi"));

        QVERIFY(m_app->screens()
                    .screen<MainMenu>(AppContext::kMainMenu)
                    ->runCommand(QStringLiteral("Ödeme Şekilleri Girişi")));
        QVERIFY(methods()->isVisible());
        QCOMPARE(methods()->windowTitle(), QStringLiteral("Ödeme Şekilleri"));
        typeText(methods()->textField(), QStringLiteral("İş Bankası, Şişli"));
        QTest::mouseClick(methods()->addButton(), Qt::LeftButton);
        QVERIFY(methods()->textField()->text().isEmpty());
        QCOMPARE(entries(methods()->listView()).last(), QStringLiteral("İş Bankası, Şişli"));
        QCOMPARE(entries(&entry).last(), QStringLiteral("İş Bankası, Şişli"));
        QCOMPARE(entries(&filter).mid(filter.count() - 2),
                 (QStringList{"İş Bankası, Şişli", "Hepsi"}));
        QCOMPARE(entry.currentIndex(), 0);

        // A duplicate in another case is refused; Enter in the field adds as "EKLE" does.
        typeText(methods()->textField(), QStringLiteral("KASA"));
        QTest::keyClick(methods()->textField(), Qt::Key_Return);
        QCOMPARE(m_prompt.lastText(), QStringLiteral("Bu ödeme şekli mevcut!"));
        QCOMPARE(methods()->textField()->text(), QStringLiteral("KASA"));
        QCOMPARE(entry.count(), 7);

        // Another run of the program reads the file back: the list is the installation's.
        m_app.reset();
        start();
        QCOMPARE(methods()->entries().last(), QStringLiteral("İş Bankası, Şişli"));
        addSite(QStringLiteral("S2"));
        QComboBox other;
        registerMethodList(*m_app, &other, MethodListKind::Methods);
        enter(QStringLiteral("S2"));
        QCOMPARE(entries(&other).last(), QStringLiteral("İş Bankası, Şişli"));
    }

    void addAndRemoveCurrency()
    {
        QComboBox entry, register_, report;
        registerCurrencyList(*m_app, &entry, CurrencyListKind::HomeFirst);
        registerCurrencyList(*m_app, &register_, CurrencyListKind::HomeFirstWithAll);
        registerCurrencyList(*m_app, &report, CurrencyListKind::AllFirst, ListSelection::Keep);
        ParaBirimiAyarla(*m_app);
        report.setCurrentText(QStringLiteral("USD"));

        QVERIFY(m_app->screens()
                    .screen<MainMenu>(AppContext::kMainMenu)
                    ->runCommand(QStringLiteral("Para Birimi Girişi")));
        QCOMPARE(currencies()->windowTitle(), QStringLiteral("Para Birimleri"));
        typeText(currencies()->textField(), QStringLiteral("GBP"));
        QTest::mouseClick(currencies()->addButton(), Qt::LeftButton);
        QCOMPARE(entries(&entry), (QStringList{"TL", "USD", "EURO", "GBP"}));
        QCOMPARE(entries(&register_), (QStringList{"TL", "USD", "EURO", "GBP", "Hepsi"}));
        QCOMPARE(entries(&report), (QStringList{"Hepsi", "TL", "USD", "EURO", "GBP"}));
        QCOMPARE(register_.currentText(), QStringLiteral("TL"));
        QCOMPARE(report.currentText(), QStringLiteral("USD")); // kept
        QFile file(m_folder->path() + QStringLiteral("ParaBirimi.pbr"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("USD\r\nEURO\r\nGBP\r\n"));
        file.close();

        typeText(currencies()->textField(), QStringLiteral("tl"));
        QTest::mouseClick(currencies()->addButton(), Qt::LeftButton);
        QCOMPARE(m_prompt.lastText(), QStringLiteral("Bu para birimi mevcut!"));

        // "Kaydı Sil" with the Delete key: No keeps it, Yes removes it.
        QListWidget *view = currencies()->listView();
        view->setCurrentRow(0);
        QApplication::setActiveWindow(currencies());
        QVERIFY(QTest::qWaitForWindowActive(currencies()));
        view->setFocus();
        m_prompt.enqueue(Answer::No, QStringLiteral("Kaydı silmek istediğinize eminmisiniz?"));
        QTest::keyClick(view, Qt::Key_Delete);
        QCOMPARE(m_prompt.pendingAnswers(), 0);
        QCOMPARE(view->count(), 3);
        for (int i = 0; i < 3; ++i) {
            view->setCurrentRow(0);
            m_prompt.enqueue(Answer::Yes, QStringLiteral("Kaydı silmek istediğinize eminmisiniz?"));
            currencies()->listMenu()->actions().first()->trigger();
            QCOMPARE(m_prompt.shown().last().caption, QStringLiteral("Tolvek Dalvira"));
        }
        QCOMPARE(view->count(), 0);
        QCOMPARE(entries(&entry), QStringList{"TL"});
        QCOMPARE(entries(&register_), (QStringList{"TL", "Hepsi"}));
        QCOMPARE(entries(&report), (QStringList{"Hepsi", "TL"}));
        QCOMPARE(report.currentText(), QStringLiteral("Hepsi")); // USD is gone: the first
        // With nothing selected nothing is asked or removed.
        QVERIFY(!currencies()->removeSelected());
    }

    void reassignToSelectedMethod()
    {
        QStringList moved;
        setMethodPickTarget(*m_app, QStringLiteral("Tahsilat"),
                            {[] { return QStringLiteral("Kasa"); },
                             [&](const QString &method) {
                                 moved.append(method);
                                 return Result::success();
                             }});
        QAction *reassign = methods()->listMenu()->actions().at(1);
        QCOMPARE(reassign->text(), QStringLiteral("Bu Ödeme Şekline Aktar"));

        // Opened from the menu: nothing is pending, even with a tag left from before.
        m_app->session().methodPickerCaller = QStringLiteral("Tahsilat");
        QVERIFY(m_app->screens()
                    .screen<MainMenu>(AppContext::kMainMenu)
                    ->runCommand(QStringLiteral("Ödeme Şekilleri Girişi")));
        methods()->listView()->setCurrentRow(1);
        reassign->trigger();
        QVERIFY(moved.isEmpty());

        showPaymentMethods(*m_app, QStringLiteral("Tahsilat"));
        methods()->listView()->setCurrentRow(1);
        const QString question = QStringLiteral(
            "Yapacağınız işlem sonucu :\n\r\n\r\"Kasa\"\n\r\n\rödeme şekline ait kayıtlar;\n\r\n\r"
            "\"Banka\"\n\r\n\rödeme şekli olarak değiştirilecektir.\n\r\n\rYapılan değişiklik "
            "sonrası değiştirilen \"Ödeme Şekline\" geri dönülemeyecektir.\n\r\n\rDevam edilsin "
            "mi?");
        m_prompt.enqueue(Answer::No);
        reassign->trigger();
        QCOMPARE(m_prompt.shown().last().text, question);
        QCOMPARE(m_prompt.shown().last().caption, QStringLiteral("Tolvek Dalvira Programı"));
        QVERIFY(moved.isEmpty());
        QVERIFY(methods()->isVisible());

        m_prompt.enqueue(Answer::Yes);
        reassign->trigger();
        QCOMPARE(moved, QStringList{QStringLiteral("Banka")});
        QVERIFY(m_app->session().methodPickerCaller.isEmpty());
        QVERIFY(!methods()->isVisible());
    }

    void oldProgramListFileIsRead()
    {
        QFile file(m_folder->path() + QStringLiteral("OdemeSekli.ods"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("Kasa\r\n\xDD\xFE Bankas\xFD\r\n\xC7"
                              "ek\r\n"));
        file.close();
        m_app.reset();
        start();
        QCOMPARE(entries(methods()->listView()), (QStringList{"Kasa", "İş Bankası", "Çek"}));
    }
};

QTEST_MAIN(MethodScreensTest)
#include "tst_methodscreens.moc"
