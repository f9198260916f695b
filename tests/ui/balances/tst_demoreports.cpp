// The headless reports of dalvira-cli on a generated demo site show what the screens show: the
// balance list cell by cell in every kind, and a flat's statement with its figures.

#include "ScreenTestProgram.h"
#include "TestSupport.h"
#include "balances/BalanceListModel.h"
#include "balances/BalanceListWindow.h"
#include "balances/BalanceScreens.h"
#include "common/DateEdit.h"
#include "common/ScriptedPrompt.h"
#include "demo/DemoGenerator.h"
#include "ledger/StatementScreens.h"
#include "ledger/StatementWindow.h"
#include "session/AppContext.h"
#include "session/ProgramScreens.h"
#include "storage/Sql.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using namespace dalvira;

namespace {

const QDate kLastMonth(2024, 6, 1);
const QDate kReportDate(2024, 6, 30);

using Table = QList<QStringList>;

// The demo's names and texts hold no ";" or quotes, so a plain split reads the CSV back.
Table parseCsv(const QString &text)
{
    Table rows;
    for (const QString &line : text.split(QLatin1Char('\n')))
        rows << line.split(QLatin1Char(';'));
    while (!rows.isEmpty() && rows.last() == QStringList{QString()})
        rows.removeLast();
    return rows;
}

Table shown(const QAbstractItemModel *model)
{
    Table rows;
    QStringList captions;
    for (int c = 0; c < model->columnCount(); ++c)
        captions << model->headerData(c, Qt::Horizontal).toString();
    rows << captions;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->data(model->index(r, c)).toString();
        rows << cells;
    }
    return rows;
}

} // namespace

class DemoReportsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void balanceListAsOnScreen_data();
    void balanceListAsOnScreen();
    void statementAsOnScreen_data();
    void statementAsOnScreen();

private:
    QString cli(const QStringList &args);

    std::unique_ptr<test::ScreenTestProgram> m_program;
};

void DemoReportsTest::initTestCase()
{
    m_program = std::make_unique<test::ScreenTestProgram>();
    const QString failed = m_program->start();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    AppContext &app = m_program->app();
    DemoOptions options;
    options.flats = 40;
    options.years = 2;
    options.seed = 7;
    options.lastMonth = kLastMonth;
    const Result made = generateDemoSite(app.storage(), QStringLiteral("DEMO"), options);
    QVERIFY2(made, qPrintable(made.message()));
    QVERIFY(app.session().enterSite(QStringLiteral("DEMO")));
    registerProgramScreens(app);
}

void DemoReportsTest::cleanupTestCase()
{
    const QString problems = m_program->promptProblems();
    m_program.reset();
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

QString DemoReportsTest::cli(const QStringList &args)
{
    const test::CliRun run =
        test::runCli(QStringList{QStringLiteral("--folder"), m_program->path(),
                                 QStringLiteral("--site"), QStringLiteral("DEMO")} +
                     args);
    if (run.exitCode != 0)
        qWarning("%s", qPrintable(run.err));
    return run.exitCode == 0 ? run.out : QString();
}

void DemoReportsTest::balanceListAsOnScreen_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("debtors");
    for (int kind = 1; kind <= 6; ++kind)
        QTest::addRow("kind %d", kind) << kind << false;
    QTest::newRow("kind 1, only debtors") << 1 << true;
    QTest::newRow("kind 2, only debtors") << 2 << true;
}

void DemoReportsTest::balanceListAsOnScreen()
{
    QFETCH(int, kind);
    QFETCH(bool, debtors);
    BalanceListWindow *screen = balanceListWindow(m_program->app());
    auto *onlyDebtors = screen->findChild<QCheckBox *>(); // "Sadece Borçlular" is the first box
    QCOMPARE(onlyDebtors->text(), QStringLiteral("Sadece Borçlular"));
    onlyDebtors->setChecked(false);
    screen->setReportDate(kReportDate);
    screen->kindChoice(*balanceKindFromNumber(kind))->setChecked(true);
    QVERIFY(screen->refresh());
    if (debtors)
        onlyDebtors->click(); // rebuilds the list with the debtors only

    QStringList args{QStringLiteral("balance-list"), QStringLiteral("--kind"),
                     QString::number(kind), QStringLiteral("--date"),
                     kReportDate.toString(QStringLiteral("dd.MM.yyyy"))};
    if (debtors)
        args << QStringLiteral("--debtors");
    const Table printed = parseCsv(cli(args));
    const Table onScreen = shown(screen->model());
    QVERIFY(onScreen.size() > (debtors ? 2 : 20)); // captions, a total row, some debtors
    QCOMPARE(printed, onScreen);
}

void DemoReportsTest::statementAsOnScreen_data()
{
    QTest::addColumn<int>("flat");
    QTest::addColumn<QString>("currency");
    QTest::newRow("flat 1, TL") << 1 << QStringLiteral("TL");
    QTest::newRow("flat 17, all currencies") << 17 << QStringLiteral("Hepsi");
    // A flat renting a parking place pays it in USD.
    const int usdFlat =
        scalar(m_program->app().storage().ana(),
               QStringLiteral("SELECT MIN(sicil_kodu) FROM sicilcarihar WHERE para_cinsi = 'USD'"))
            .toInt();
    QVERIFY(usdFlat > 0);
    QTest::newRow("a flat paying in USD") << usdFlat << QStringLiteral("USD");
}

void DemoReportsTest::statementAsOnScreen()
{
    QFETCH(int, flat);
    QFETCH(QString, currency);
    StatementWindow *screen = statementWindow(m_program->app());
    openStatement(m_program->app(),
                  {StatementSelection::wholeFlat(flat), kReportDate, currency, QString()});
    screen->firstDayEdit()->setDate(QDate(2024, 1, 1));
    QVERIFY(screen->refresh());
    QVERIFY(!screen->statement().lines.isEmpty());

    const Table printed =
        parseCsv(cli({QStringLiteral("statement"), QStringLiteral("--flat"), QString::number(flat),
                      QStringLiteral("--from"), QStringLiteral("01.01.2024"),
                      QStringLiteral("--to"), kReportDate.toString(QStringLiteral("dd.MM.yyyy")),
                      QStringLiteral("--currency"), currency}));
    const Table onScreen = shown(screen->grid()->model());
    // The grid's columns, then the running balance; an empty line; the three figure lines.
    QCOMPARE(printed.size(), onScreen.size() + 4);
    for (int r = 0; r < onScreen.size(); ++r)
        QCOMPARE(printed[r].mid(0, onScreen[r].size()), onScreen[r]);
    QCOMPARE(printed[onScreen.size() - 1].last(), screen->statement().finalBalance().toText());
    const QStringList figures[] = {printed[printed.size() - 3], printed[printed.size() - 2],
                                   printed[printed.size() - 1]};
    const char *prefixes[] = {"devir", "t", "d"};
    const char *captions[] = {"Devir", "T.", "D."};
    for (int i = 0; i < 3; ++i) {
        const QString prefix = QLatin1String(prefixes[i]);
        QCOMPARE(figures[i],
                 (QStringList{QLatin1String(captions[i]), screen->figureText(prefix + "Borcu"),
                              screen->figureText(prefix + "Odeme"),
                              screen->figureText(prefix + "Bakiye")}));
    }
}

QTEST_MAIN(DemoReportsTest)
#include "tst_demoreports.moc"
