#include "ScreenTestProgram.h"
#include "TestSupport.h"
#include "book/ReferenceScreens.h"
#include "common/DateEdit.h"
#include "common/ScriptedPrompt.h"
#include "ledger/MovementWriter.h"
#include "ledger/StatementMail.h"
#include "ledger/StatementModel.h"
#include "ledger/StatementScreens.h"
#include "ledger/StatementWindow.h"
#include "report/Report.h"
#include "session/AppContext.h"
#include "session/SiteDirectory.h"
#include "spreadsheet/SheetReader.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"

#include <QComboBox>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QTableView>
#include <QtTest>

using namespace dalvira;

namespace {

const QString kOwner = QStringLiteral("Ali Yılmaz");

} // namespace

class StatementWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsFiguresOfHolder();
    void currencyChoiceRefreshes();
    void wholeFlatTitle();
    void deleteRow_data();
    void deleteRow();
    void printoutsAndExport();
    void mailHandOff();
    void disabledEntries();
    void screenshot();

private:
    qint64 add(const QString &holder, QDate date, double debit, double credit,
               const QString &currency = QStringLiteral("TL"));
    int count(const QString &sql, const QVariantList &params = {});

    std::unique_ptr<test::ScreenTestProgram> m_program;
    ScriptedPrompt *m_prompt = nullptr;
    AppContext *m_app = nullptr;
    StatementWindow *m_window = nullptr;
    QList<Report> m_reports;
    QStringList m_opened;
    QList<QStringList> m_mails;
    qint64 m_payment = 0;
};

qint64 StatementWindowTest::add(const QString &holder, QDate date, double debit, double credit,
                                const QString &currency)
{
    LedgerMovement m;
    m.flatNumber = 7;
    m.holder = holder;
    m.date = date;
    m.debit = debit;
    m.credit = credit;
    m.currency = currency;
    m.type = QStringLiteral("Aidat");
    m.block = QStringLiteral("B");
    m.flat = QStringLiteral("14");
    m.outerDoor = QStringLiteral("3A");
    m.description = QStringLiteral("Aidat %1").arg(date.month());
    return appendMovement(m_app->storage().ana(), m);
}

int StatementWindowTest::count(const QString &sql, const QVariantList &params)
{
    return scalar(m_app->storage().ana(), sql, params).toInt();
}

void StatementWindowTest::init()
{
    m_program = std::make_unique<test::ScreenTestProgram>();
    QFile pbr(m_program->path() + QStringLiteral("ParaBirimi.pbr"));
    QVERIFY(pbr.open(QIODevice::WriteOnly));
    pbr.write("USD\n");
    pbr.close();
    SiteRecord site = test::ScreenTestProgram::testSite();
    site.set("firma_adresi_1", QStringLiteral("Gül Sokak No:5"));
    const QString failed = m_program->start(site, false);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_app = &m_program->app();
    m_prompt = &m_program->prompt();
    m_app->registerSessionScreens();
    registerReferenceScreens(*m_app);
    registerStatementScreens(*m_app);
    QVERIFY(m_app->session().enterSite("S1"));

    insert(m_app->storage().ana(), QStringLiteral("siciltablo"),
           {{QStringLiteral("sicil_kodu"), 7},
            {QStringLiteral("adi"), QStringLiteral("Ali")},
            {QStringLiteral("soyadi"), QStringLiteral("Yılmaz")},
            {QStringLiteral("email"), QStringLiteral("ali@ornek.com")}});
    add(kOwner, QDate(2023, 12, 1), 100, 0);
    add(kOwner, QDate(2024, 1, 1), 200, 0);
    m_payment = add(kOwner, QDate(2024, 1, 15), 0, 150);
    add(kOwner, QDate(2024, 1, 20), 40, 0, QStringLiteral("USD"));
    add(QStringLiteral("Ayşe Kaya"), QDate(2024, 1, 10), 30, 0);
    insert(m_app->storage().ana(), QStringLiteral("isletgelir"),
           {{QStringLiteral("sicilhareketid"), m_payment}, {QStringLiteral("toplamtutar"), 150.0}});

    m_window = statementWindow(*m_app);
    QVERIFY(m_window);
    m_reports.clear();
    m_opened.clear();
    m_mails.clear();
    m_window->setReportPresenter([this](const Report &r) { m_reports << r; });
    m_window->setExportOpener([this](const QString &path) {
        m_opened << path;
        return Result::success();
    });
    m_window->setMailLauncher([this](const QStringList &args) {
        m_mails << args;
        return true;
    });
    m_window->setExportFolder(m_program->path());
    m_window->firstDayEdit()->setDate(QDate(2024, 1, 1));
    openHolderStatement(*m_app, kOwner);
    m_window->reportDateEdit()->setDate(QDate(2024, 1, 31));
    QVERIFY(m_window->refresh());
}

void StatementWindowTest::cleanup()
{
    m_window = nullptr;
    const QString problems = m_program->promptProblems();
    m_program.reset();
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

void StatementWindowTest::showsFiguresOfHolder()
{
    QCOMPARE(m_window->titleLine(), kOwner);
    QCOMPARE(m_window->currencyList()->currentText(), QStringLiteral("TL"));
    QCOMPARE(m_window->typeList()->currentText(), QStringLiteral("Hepsi"));
    QCOMPARE(m_window->grid()->model()->rowCount(), 2);
    QCOMPARE(m_window->figureText("devirBorcu"), QStringLiteral("100,00"));
    QCOMPARE(m_window->figureText("devirOdeme"), QStringLiteral("0,00"));
    QCOMPARE(m_window->figureText("tBorcu"), QStringLiteral("300,00"));
    QCOMPARE(m_window->figureText("tOdeme"), QStringLiteral("150,00"));
    QCOMPARE(m_window->figureText("tBakiye"), QStringLiteral("150,00"));
    QCOMPARE(m_window->figureText("dBorcu"), QStringLiteral("200,00"));
    QCOMPARE(m_window->figureText("dBakiye"), QStringLiteral("50,00"));
}

void StatementWindowTest::currencyChoiceRefreshes()
{
    QComboBox *currency = m_window->currencyList();
    QVERIFY(currency->findText(QStringLiteral("USD")) > 0);
    currency->setCurrentText(QStringLiteral("Hepsi"));
    QCOMPARE(m_window->grid()->model()->rowCount(), 3);
    QCOMPARE(m_window->figureText("tBorcu"), QStringLiteral("340,00"));
    currency->setCurrentText(QStringLiteral("USD"));
    QCOMPARE(m_window->grid()->model()->rowCount(), 1);
    QCOMPARE(m_window->figureText("devirBakiye"), QStringLiteral("0,00"));
    // The period figures read ",00" for zero.
    QCOMPARE(m_window->figureText("dOdeme"), QStringLiteral(",00"));
}

void StatementWindowTest::wholeFlatTitle()
{
    openFlatStatement(*m_app, 7);
    QCOMPARE(m_window->titleLine(), QStringLiteral("Tüm Daireye Ait Hareketler"));
    QCOMPARE(m_window->grid()->model()->rowCount(), 3);
    QCOMPARE(m_window->figureText("tBorcu"), QStringLiteral("330,00"));
}

void StatementWindowTest::deleteRow_data()
{
    QTest::addColumn<Answer>("first");
    QTest::addColumn<Answer>("second");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("yes, then no: deleted") << Answer::Yes << Answer::No << true;
    QTest::newRow("no at first") << Answer::No << Answer::No << false;
    QTest::newRow("cancel at first") << Answer::Cancel << Answer::No << false;
    QTest::newRow("yes, then yes stops") << Answer::Yes << Answer::Yes << false;
    QTest::newRow("yes, then cancel stops") << Answer::Yes << Answer::Cancel << false;
}

void StatementWindowTest::deleteRow()
{
    QFETCH(Answer, first);
    QFETCH(Answer, second);
    QFETCH(bool, deleted);
    auto *model = qobject_cast<StatementModel *>(m_window->grid()->model());
    m_window->grid()->selectRow(model->rowOfCid(m_payment));
    m_prompt->enqueue(first, QStringLiteral("Kaydı silmek istediğinize eminmisiniz?"));
    if (first == Answer::Yes)
        m_prompt->enqueue(second, QStringLiteral("Silme işlemini durdurmak istermisiniz?"));
    m_window->deleteCurrentRow();
    const QString movement = QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE cid = ?");
    const QString income =
        QStringLiteral("SELECT COUNT(*) FROM isletgelir WHERE sicilhareketid = ?");
    QCOMPARE(count(movement, {m_payment}), deleted ? 0 : 1);
    QCOMPARE(count(income, {m_payment}), deleted ? 0 : 1);
    QCOMPARE(m_window->grid()->model()->rowCount(), deleted ? 1 : 2);
    QCOMPARE(m_window->figureText("tOdeme"),
             deleted ? QStringLiteral("0,00") : QStringLiteral("150,00"));
}

void StatementWindowTest::printoutsAndExport()
{
    m_window->runReport(StatementWindow::MovementPrintout);
    m_window->printReceipt();
    m_window->printHeadedStatement();
    QCOMPARE(m_reports.size(), 3);
    QCOMPARE(m_reports.at(0).previewTitle,
             QStringLiteral("Tolvek Rapor Önizleme - Hesap Hareket Raporu"));
    QCOMPARE(m_reports.at(0).rows.size(), 3); // the carry-over line and two movements
    QCOMPARE(m_reports.at(1).rows.size(), 1); // one charge in the period
    QVERIFY(m_reports.at(2).title.constFirst().text == QStringLiteral("Deneme Sitesi"));

    m_window->runReport(StatementWindow::SpreadsheetExport);
    QCOMPARE(m_opened.size(), 1);
    SheetGrid grid;
    QVERIFY(SheetReader::read(m_opened.constFirst(), grid).ok());
    QCOMPARE(grid.cell(3, 1), kOwner);
    QCOMPARE(grid.cell(11, 7), QStringLiteral("TOPLAM TUTARLAR"));
    QCOMPARE(grid.cell(11, 8), QStringLiteral("300"));
    QCOMPARE(grid.cell(11, 9), QStringLiteral("150"));
    QCOMPARE(grid.cell(11, 11), QStringLiteral("150"));
}

void StatementWindowTest::mailHandOff()
{
    m_window->runReport(StatementWindow::MailEntry);
    QCOMPARE(m_mails.size(), 1);
    const QStringList args = m_mails.constFirst();
    const QString attachment = statementMailAttachmentPath();
    QCOMPARE(args.at(args.indexOf(QStringLiteral("--attach")) + 1), attachment);
    QCOMPARE(args.constLast(), QStringLiteral("ali@ornek.com"));
    QCOMPARE(args.at(args.indexOf(QStringLiteral("--subject")) + 1),
             QStringLiteral("Deneme Sitesi"));
    QVERIFY(args.at(args.indexOf(QStringLiteral("--body")) + 1)
                .contains(QStringLiteral("Toplam Borcunuz : 150,00")));
    QVERIFY(QFile::exists(attachment));

    // Without a mail client the user is told so.
    m_window->setMailLauncher([](const QStringList &) { return false; });
    m_window->runReport(StatementWindow::MailEntry);
    QCOMPARE(m_prompt->lastText(), mailClientMissingMessage());

    // The next start removes the attachment.
    AppContext next(m_prompt, QStringLiteral("next"));
    registerStatementScreens(next);
    QVERIFY(!QFile::exists(attachment));
}

void StatementWindowTest::disabledEntries()
{
    auto *list = m_window->reportList();
    QCOMPARE(list->count(), 14);
    QCOMPARE(list->itemText(11), QStringLiteral("Mail Olarak Gönder"));
    const QModelIndex notice = list->model()->index(2, 0);
    QVERIFY(!(list->model()->flags(notice) & Qt::ItemIsEnabled));
    QVERIFY(list->model()->flags(list->model()->index(1, 0)) & Qt::ItemIsEnabled);
    const auto actions = m_window->gridMenu()->actions();
    QCOMPARE(actions.at(0)->text(), QStringLiteral("Satır Sil"));
    QVERIFY(actions.at(0)->isEnabled());
    QVERIFY(!actions.at(1)->isEnabled());
    QVERIFY(!actions.at(2)->isEnabled());
}

void StatementWindowTest::screenshot()
{
    const QString shot = qEnvironmentVariable("STATEMENT_SHOT");
    if (shot.isEmpty())
        QSKIP("STATEMENT_SHOT not set");
    for (int i = 0; i < 25; ++i)
        add(kOwner, QDate(2024, 1, 2).addDays(i), 100 + i, 0);
    m_window->currencyList()->setCurrentText(QStringLiteral("Hepsi"));
    m_window->move(0, 0);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QTest::qWait(500);
    QProcess::execute(QStringLiteral("import"),
                      {QStringLiteral("-window"), QStringLiteral("root"), shot});
}

QTEST_MAIN(StatementWindowTest)
#include "tst_statementwindow.moc"
