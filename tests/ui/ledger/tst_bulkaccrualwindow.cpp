// The bulk dues accrual screen: building a plan, transferring it through the question and the
// wait window, the batch list with its sorting, undoing a batch, and the restrictions.
#include "ScreenTestProgram.h"
#include "TestSupport.h"
#include "book/ReferenceScreens.h"
#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "common/ScriptedPrompt.h"
#include "flats/FlatListPickCaller.h"
#include "flats/FlatListScreens.h"
#include "ledger/BulkAccrualBatchList.h"
#include "ledger/BulkAccrualScreens.h"
#include "ledger/BulkAccrualWindow.h"
#include "session/AppContext.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>
#include <memory>

using namespace dalvira;

namespace {

void typeText(QWidget *w, const QString &text)
{
    w->setFocus();
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

} // namespace

class BulkAccrualWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void buildsThePlan_data();
    void buildsThePlan();
    void transferChargesTheFlatsAndListsTheBatch();
    void noAnswerWritesNothing();
    void emptyPlanIsRefused();
    void pickedFlatRestrictsTheTransfer();
    void undoRemovesTheSelectedBatch();
    void headerClicksSortTheBatches();
    void typeListSortsByName();

private:
    BulkAccrualWindow *window() { return bulkAccrualWindow(*m_app); }
    QPushButton *button(const QString &startsWith);
    int count(const QString &sql) { return scalar(m_app->storage().ana(), sql).toInt(); }
    void fillPlan(const QString &total, const QString &start, const QString &instalments);

    std::unique_ptr<test::ScreenTestProgram> m_program;
    ScriptedPrompt *m_prompt = nullptr;
    AppContext *m_app = nullptr;
};

void BulkAccrualWindowTest::init()
{
    m_program = std::make_unique<test::ScreenTestProgram>();
    const QString failed = m_program->start(test::ScreenTestProgram::testSite(), false);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_app = &m_program->app();
    m_prompt = &m_program->prompt();
    registerReferenceScreens(*m_app);
    registerFlatListScreens(*m_app);
    registerBulkAccrualScreens(*m_app);
    QVERIFY(m_app->session().enterSite("S1"));

    const QSqlDatabase db = m_app->storage().ana();
    insert(db, "gelirtur", {{"kodu", "1"}, {"adi", "Yakıt"}});
    insert(db, "gelirtur", {{"kodu", "2"}, {"adi", "Aidat Ödemeleri Genel"}});
    insert(db, "gelirtur", {{"kodu", "3"}, {"adi", "Bahçe"}});
    insert(db, "siciltablo",
           {{"sicil_kodu", 1},
            {"adi", "Ali"},
            {"soyadi", "Veli"},
            {"oturan_adi", "Ayşe"},
            {"oturan_soyadi", "Kaya"},
            {"blok", "A"},
            {"dairesi", "1"}});
    insert(db, "siciltablo",
           {{"sicil_kodu", 2},
            {"adi", "Şükrü"},
            {"soyadi", "Öztürk"},
            {"oturan_adi", "İpek"},
            {"oturan_soyadi", "Ağaç"},
            {"blok", "B"},
            {"dairesi", "2"},
            {"dis_kapi_numarasi", "12"}});
    insert(db, "siciltablo",
           {{"sicil_kodu", 3}, {"adi", "Cem"}, {"soyadi", "Ak"}, {"blok", "B"}, {"dairesi", "3"}});
    QVERIFY(window());
    window()->open();
}

void BulkAccrualWindowTest::cleanup()
{
    const QString problems = m_program->promptProblems();
    m_program.reset();
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

QPushButton *BulkAccrualWindowTest::button(const QString &startsWith)
{
    for (QPushButton *b : window()->findChildren<QPushButton *>())
        if (b->text().startsWith(startsWith))
            return b;
    return nullptr;
}

void BulkAccrualWindowTest::fillPlan(const QString &total, const QString &start,
                                     const QString &instalments)
{
    window()->totalEdit()->clear();
    typeText(window()->totalEdit(), total);
    window()->firstDateEdit()->setDate(QDate::fromString(start, "dd.MM.yyyy"));
    window()->countBox()->setCurrentText(instalments);
    QTest::mouseClick(button("ÖDEME PLANI OLUŞTUR"), Qt::LeftButton);
}

void BulkAccrualWindowTest::buildsThePlan_data()
{
    QTest::addColumn<bool>("monthEnd");
    QTest::addColumn<QStringList>("dates");

    QTest::newRow("day kept where it fits")
        << false << QStringList{"31.01.2024", "29.02.2024", "31.03.2024", "30.04.2024"};
    QTest::newRow("month end") << true
                               << QStringList{"31.01.2024", "29.02.2024", "31.03.2024",
                                              "30.04.2024"};
}

void BulkAccrualWindowTest::buildsThePlan()
{
    QFETCH(bool, monthEnd);
    QFETCH(QStringList, dates);
    window()->monthEndBox()->setChecked(monthEnd);
    window()->descriptionEdit()->setText("eski");
    fillPlan("100", "31.01.2024", "4");
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(window()->instalmentDateEdit(i)->text(), dates[i]);
        QCOMPARE(window()->instalmentAmountEdit(i)->text(), QStringLiteral("25,00"));
    }
    QVERIFY(window()->instalmentDateEdit(4)->isBlank());
    QCOMPARE(window()->instalmentAmountEdit(4)->value(), 0.0);
    QVERIFY(window()->descriptionEdit()->text().isEmpty());

    // Without a total nothing is built and the user is told why.
    window()->totalEdit()->clear();
    QTest::mouseClick(button("ÖDEME PLANI OLUŞTUR"), Qt::LeftButton);
    QCOMPARE(m_prompt->lastText(), QStringLiteral("İşlem Tutarı Girmelisiniz!"));
    QVERIFY(window()->instalmentDateEdit(0)->isBlank());
}

void BulkAccrualWindowTest::transferChargesTheFlatsAndListsTheBatch()
{
    fillPlan("100", "15.01.2024", "3");
    typeText(window()->descriptionEdit(), "Ocak-Mart aidatı");
    // "Yuvarlaması" starts at 0 (whole lira); kuruş are kept with 2.
    window()->roundingEdit()->setText("2");
    window()->typeBox()->setCurrentText("Aidat Ödemeleri");
    m_prompt->enqueue(Answer::Yes, "Aidat aktarım işlemi yapılacaktır.");
    QTest::mouseClick(button("ÖDEME PLANINI AİDAT BORCU  OLARAK"), Qt::LeftButton);

    // Flat 3 has no resident: it is skipped and listed.
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar"), 6);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar WHERE borc = 33.33 AND "
                   "aidat_turu = 'Aidat Ödemeleri' AND para_cinsi = 'TL' AND "
                   "aciklama = 'Ocak-Mart aidatı'"),
             6);
    QVERIFY(m_prompt->lastText().contains("3 (Blok: B, Daire: 3)"));
    QCOMPARE(window()->totalEdit()->value(), 99.99);
    QCOMPARE(window()->countBox()->currentText(), QStringLiteral("3"));
    QVERIFY(window()->instalmentDateEdit(0)->isBlank());
    QVERIFY(window()->descriptionEdit()->text().isEmpty());

    QCOMPARE(window()->batchList()->rowCount(), 1);
    const QAbstractItemModel *model = window()->batchView()->model();
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("15.01.2024"));
    QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("99,99"));
    QCOMPARE(model->index(0, 2).data().toInt(), 3);
    QCOMPARE(model->index(0, 3).data().toString(),
             QStringLiteral("Aidat Ödemeleri - Ocak-Mart aidatı"));
}

void BulkAccrualWindowTest::noAnswerWritesNothing()
{
    fillPlan("300", "15.01.2024", "3");
    m_prompt->enqueue(Answer::Cancel);
    QTest::mouseClick(button("ÖDEME PLANINI AİDAT BORCU  OLARAK"), Qt::LeftButton);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM aiadataktar"), 0);
    QCOMPARE(window()->instalmentAmountEdit(0)->value(), 100.0); // the plan stays
}

void BulkAccrualWindowTest::emptyPlanIsRefused()
{
    window()->instalmentAmountEdit(0)->setValue(50);
    QTest::mouseClick(button("ÖDEME PLANINI AİDAT BORCU  OLARAK"), Qt::LeftButton);
    QCOMPARE(m_prompt->lastText(),
             QStringLiteral("Taksit tutarları veya tarihleri girilmemiş! İşlem iptal edildi."));
    QCOMPARE(count("SELECT COUNT(*) FROM aiadataktar"), 0);
}

void BulkAccrualWindowTest::pickedFlatRestrictsTheTransfer()
{
    FlatPick pick;
    pick.flat.flatNumber = 2;
    pick.flat.block = "B";
    pick.flat.flat = "2";
    pick.flat.door = "12";
    window()->takeFlat(pick);
    QCOMPARE(window()->restrictionEdit(0)->text(), QStringLiteral("2"));
    QCOMPARE(window()->restrictionEdit(3)->text(), QStringLiteral("12"));

    // Only the block restriction ticked: flats 2 and 3 of block B, charged to the owners
    // with a rate per unit, rounded to whole lira.
    window()->restrictionBox(1)->setChecked(true);
    window()->ownerButton()->setChecked(true);
    window()->methodButton(AccrualMethod::Fixed)->setChecked(true);
    window()->instalmentDateEdit(0)->setDate(QDate(2024, 6, 1));
    window()->instalmentAmountEdit(0)->setValue(1234.56);
    m_prompt->enqueue(Answer::Yes);
    QTest::mouseClick(button("ÖDEME PLANINI AİDAT BORCU  OLARAK"), Qt::LeftButton);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar"), 2);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar WHERE borc = 1235 AND blok = 'B' AND "
                   "adi_soyadi IN ('Şükrü Öztürk', 'Cem Ak')"),
             2);
}

void BulkAccrualWindowTest::undoRemovesTheSelectedBatch()
{
    for (const QString &start : {QStringLiteral("15.01.2024"), QStringLiteral("15.02.2024")}) {
        fillPlan("200", start, "2");
        m_prompt->enqueue(Answer::Yes);
        QTest::mouseClick(button("ÖDEME PLANINI AİDAT BORCU  OLARAK"), Qt::LeftButton);
    }
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar"), 8);
    QTableView *view = window()->batchView();
    QCOMPARE(view->model()->rowCount(), 2);
    // Newest first date first: row 1 is the January batch.
    view->setCurrentIndex(view->model()->index(1, 0));
    m_prompt->enqueue(Answer::No);
    QTest::mouseClick(button("ÖNCEDEN AKTARILMIŞ SEÇİLİ"), Qt::LeftButton);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar"), 8);

    m_prompt->enqueue(Answer::Yes, "Aidat aktarım kayıtlarını silmek istediğinize eminmisiniz?");
    QTest::mouseClick(button("ÖNCEDEN AKTARILMIŞ SEÇİLİ"), Qt::LeftButton);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar"), 4);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar WHERE islem_tarihi < '2024-02-01'"), 0);
    QCOMPARE(view->model()->rowCount(), 1);
    QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("15.02.2024"));
}

void BulkAccrualWindowTest::headerClicksSortTheBatches()
{
    const QList<QPair<QString, QString>> plans{
        {"300", "15.03.2024"}, {"100", "15.01.2024"}, {"200", "15.05.2024"}};
    for (const auto &[total, start] : plans) {
        fillPlan(total, start, "1");
        m_prompt->enqueue(Answer::Yes);
        QTest::mouseClick(button("ÖDEME PLANINI AİDAT BORCU  OLARAK"), Qt::LeftButton);
    }
    const QAbstractItemModel *model = window()->batchView()->model();
    auto totals = [&] {
        QStringList out;
        for (int r = 0; r < model->rowCount(); ++r)
            out << model->index(r, 1).data().toString();
        return out;
    };
    QCOMPARE(totals(), (QStringList{"200,00", "300,00", "100,00"}));
    QHeaderView *header = window()->batchView()->horizontalHeader();
    emit header->sectionClicked(1);
    QCOMPARE(totals(), (QStringList{"100,00", "200,00", "300,00"}));
    emit header->sectionClicked(1);
    QCOMPARE(totals(), (QStringList{"300,00", "200,00", "100,00"}));
    emit header->sectionClicked(0);
    QCOMPARE(totals(), (QStringList{"100,00", "300,00", "200,00"}));
}

void BulkAccrualWindowTest::typeListSortsByName()
{
    // Code order, names cut to 15 characters.
    QCOMPARE(entries(window()->typeBox()), (QStringList{"Yakıt", "Aidat Ödemeleri", "Bahçe"}));
    window()->sortTypesBox()->setChecked(true);
    QCOMPARE(entries(window()->typeBox()), (QStringList{"Aidat Ödemeleri", "Bahçe", "Yakıt"}));
    window()->sortTypesBox()->setChecked(false);
    QCOMPARE(window()->typeBox()->currentText(), QStringLiteral("Yakıt"));
}

QTEST_MAIN(BulkAccrualWindowTest)
#include "tst_bulkaccrualwindow.moc"
