// dalvira-cli balance-list and statement, run as a script would run them, on a small site
// written by the program's own writers. The figures must be those of the screens: the CLI's
// cells are compared with the engine's list and statement built here with the same settings.
#include "TestSupport.h"
#include "balances/BalanceList.h"
#include "balances/BalanceListColumns.h"
#include "common/Formats.h"
#include "flats/FlatRegister.h"
#include "ledger/BulkAccrual.h"
#include "ledger/SingleEntry.h"
#include "ledger/Statement.h"
#include "ledger/StatementExport.h"
#include "session/SiteDirectory.h"
#include "spreadsheet/SheetReader.h"
#include "storage/ProgramFolder.h"
#include "storage/Storage.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace dalvira;
using namespace dalvira::test;

namespace {

const QDate kReportDate(2024, 1, 31);
const QString kOddName = QStringLiteral("Nur; Can \"Ak\""); // needs quoting in a CSV

using CsvRows = QList<QStringList>;

// Reads ";" separated text the way a spreadsheet program does: quoted fields may hold ";",
// doubled quotes and line breaks.
CsvRows parseCsv(const QString &text)
{
    CsvRows rows;
    QStringList row;
    QString field;
    bool quoted = false;
    bool pending = false; // a row has started
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        pending = true;
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(';')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            pending = false;
        } else {
            field += c;
        }
    }
    if (pending) {
        row << field;
        rows << row;
    }
    return rows;
}

QString hashOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(
        QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex());
}

} // namespace

class CliReportsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void balanceListMatchesScreen_data();
    void balanceListMatchesScreen();
    void balanceListFigures();
    void statementMatchesScreen_data();
    void statementMatchesScreen();
    void statementFigures();
    void unknownHolderWarns();
    void csvFile();
    void spreadsheets();
    void pdfs_data();
    void pdfs();
    void siteOption_data();
    void siteOption();
    void errors_data();
    void errors();

private:
    using Run = test::CliRun;
    Run cli(const QStringList &args);
    QSqlDatabase db() const { return m_storage->ana(); }
    void saveEntry(int flat, AccountHolder holder, const QDate &date, double debit, double credit,
                   const QString &description, const QString &currency, const QString &type,
                   bool interest = false);

    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<Storage> m_storage;
    QTemporaryDir m_out;
    QString m_cli;
};

void CliReportsTest::saveEntry(int flat, AccountHolder holder, const QDate &date, double debit,
                               double credit, const QString &description, const QString &currency,
                               const QString &type, bool interest)
{
    SingleEntryInput input;
    input.flatNumberText = QString::number(flat);
    input.dateText = formatDate(date);
    input.debit = debit;
    input.credit = credit;
    input.description = description;
    input.currency = currency;
    input.type = type;
    input.holder = holder;
    input.interest = interest;
    input.addIncome = false;
    const SingleEntry entry(db());
    const SingleEntry::Checked checked = entry.check(input);
    QVERIFY2(checked.ok(), qPrintable(checked.refusal.message));
    QVERIFY(entry.save(*checked.plan));
}

void CliReportsTest::initTestCase()
{
    m_cli = builtProgramFolder() + QStringLiteral("/dalvira-cli");
    QVERIFY2(QFileInfo(m_cli).isExecutable(), "build the dalvira-cli target first");
    QVERIFY(m_out.isValid());
    m_folder = std::make_unique<TempProgramFolder>();
    QVERIFY(m_folder->isValid());
    setProgramFolder(m_folder->path());
    m_storage = std::make_unique<Storage>();
    QVERIFY(m_storage->open());

    SiteRecord site;
    site.set("firma_kodu", QStringLiteral("S1"));
    site.set("firma_unvani_1", QStringLiteral("Menekşe Sitesi"));
    site.set("firma_adresi_1", QStringLiteral("Lale Sok. No: 3"));
    site.set("adres_semt", QStringLiteral("Kadıköy"));
    site.set("adres_sehir", QStringLiteral("İstanbul"));
    site.set("telefon1_no", QStringLiteral("0216 111 22 33"));
    QVERIFY(SiteDirectory(*m_storage).createSite(site));
    // A listed site that has lost its data file.
    SiteRecord lost;
    lost.set("firma_kodu", QStringLiteral("S2"));
    lost.set("firma_unvani_1", QStringLiteral("Lale Apartmanı"));
    QVERIFY(SiteDirectory(*m_storage).createSite(lost));
    QVERIFY(QFile::remove(Storage::siteDataPath(QStringLiteral("S2"))));
    QVERIFY(m_storage->selectSite(QStringLiteral("S1")));

    FlatRegister flats(db());
    const auto addFlat = [&](int number, const QString &first, const QString &last,
                             const QString &block, const QString &door, const QVariantMap &more) {
        FlatRecord flat;
        flat.set("sicil_kodu", number);
        flat.set("adi", first);
        flat.set("soyadi", last);
        flat.set("blok", block);
        flat.set("dairesi", QString::number(number));
        flat.set("dis_kapi_numarasi", door);
        for (auto it = more.begin(); it != more.end(); ++it)
            flat.set(it.key(), it.value());
        const Result r = flats.save(flat);
        QVERIFY2(r, qPrintable(r.message()));
    };
    addFlat(1, "Ali", "Yılmaz", "A", "5",
            {{"oturan_adi", "Veli"}, {"oturan_soyadi", "Kaya"}, {"ceptel", "0532 000 00 01"}});
    // No resident: the owner lives in the flat.
    addFlat(2, "Ayşe", "Şen", "B", "7",
            {{"onceki_ev_sahibi_adi", "Eski"}, {"onceki_ev_sahibi_soyadi", "Sahip"}});
    addFlat(3, "Nur; Can", "\"Ak\"", "B", "7", {});

    // Two monthly dues of 100,00 to every resident, one before the statements' first day.
    BulkAccrualRequest dues;
    dues.instalments = {{QDate(2023, 12, 31), 100.0}, {QDate(2024, 1, 31), 100.0}};
    dues.firstDate = QDate(2023, 12, 31);
    dues.holder = AccountHolder::Resident;
    dues.type = QStringLiteral("Aidat");
    dues.description = QStringLiteral("Aylık aidat");
    const Result accrued = transferBulkAccrual(db(), dues);
    QVERIFY2(accrued, qPrintable(accrued.message()));

    const QString tl = QStringLiteral("TL"), usd = QStringLiteral("USD");
    const QString aidat = QStringLiteral("Aidat"), fuel = QStringLiteral("Yakıt");
    saveEntry(1, AccountHolder::Resident, {2024, 1, 15}, 0, 150, "Ocak ödemesi", tl, aidat);
    saveEntry(1, AccountHolder::Owner, {2024, 1, 10}, 40, 0, "Yakıt; kalorifer", usd, fuel);
    saveEntry(1, AccountHolder::Resident, kReportDate, 12.34, 0, "Gecikme faizi", tl, aidat, true);
    saveEntry(1, AccountHolder::Resident, {2024, 2, 10}, 999, 0, "Şubat", tl, aidat);
    saveEntry(2, AccountHolder::FormerOwner, {2024, 1, 5}, 25, 0, "Devreden borç", tl, fuel);
    saveEntry(3, AccountHolder::Resident, {2024, 1, 20}, 0, 200, "Ödeme", tl, aidat);
}

CliReportsTest::Run CliReportsTest::cli(const QStringList &args)
{
    return test::runCli(QStringList{QStringLiteral("--folder"), m_folder->path()} + args);
}

void CliReportsTest::balanceListMatchesScreen_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("role");
    QTest::addColumn<bool>("onlyDebtors");
    for (BalanceListKind kind : kAllBalanceListKinds) {
        const int k = int(kind);
        QTest::addRow("kind %d", k)
            << QStringList{"--kind", QString::number(k)} << k << "Hepsi" << false;
    }
    QTest::newRow("kind by its caption")
        << QStringList{"--kind", "Gelir Türlü Detay R."} << 2 << "Hepsi" << false;
    QTest::newRow("kind 1, owners")
        << QStringList{"--kind", "1", "--role", "Evsahibi"} << 1 << "Evsahibi" << false;
    QTest::newRow("kind 3, residents, debtors")
        << QStringList{"--kind", "3", "--role", "Oturan", "--debtors"} << 3 << "Oturan" << true;
    QTest::newRow("kind 2, debtors")
        << QStringList{"--debtors", "--kind", "2"} << 2 << "Hepsi" << true;
    QTest::newRow("kind 4, former owners")
        << QStringList{"--kind", "4", "--role", "Eski Sahibi"} << 4 << "Eski Sahibi" << false;
    QTest::newRow("kind 6, former owners")
        << QStringList{"--kind", "6", "--role", "Eski Sahibi"} << 6 << "Eski Sahibi" << false;
}

void CliReportsTest::balanceListMatchesScreen()
{
    QFETCH(QStringList, options);
    QFETCH(int, kind);
    QFETCH(QString, role);
    QFETCH(bool, onlyDebtors);

    const Run run =
        cli(QStringList{"--site", "S1", "balance-list", "--date", "31.01.2024"} + options);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));

    BalanceListSettings settings;
    settings.reportDate = kReportDate;
    settings.kind = *balanceKindFromNumber(kind);
    settings.role = *holderRoleFromCaption(role);
    settings.onlyDebtors = onlyDebtors;
    BalanceList list;
    QVERIFY(buildBalanceList(db(), settings, list));
    CsvRows expected;
    const QList<BalanceColumn> columns = balanceColumns(list.kind, list.types);
    QStringList captions;
    for (const BalanceColumn &column : columns)
        captions << column.caption;
    expected << captions;
    for (const BalanceRow &row : list.rows) {
        QStringList cells;
        for (const BalanceColumn &column : columns)
            cells << balanceCellText(list.kind, row, column);
        expected << cells;
    }
    QVERIFY(expected.size() > 1);
    QCOMPARE(parseCsv(run.out), expected);
}

// The figures worked out by hand: only the residents' movements up to the report date, only
// the rows still in debt, and the total row of what is left.
void CliReportsTest::balanceListFigures()
{
    const QString dataFile = Storage::siteDataPath(QStringLiteral("S1"));
    const QString before = hashOf(dataFile);
    const Run run = cli({"--site", "S1", "balance-list", "--kind", "4", "--date", "31.01.2024",
                         "--role", "Oturan", "--debtors"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.out,
             QStringLiteral("No;Dış Kapı;Blok;Daire;Daire Sahibi;Dairede Oturan;Borcu;Ödemesi;"
                            "Kalan Borcu;PB;Sahibi Telefon;Oturan Telefon\n"
                            ";;;;;Toplam;412,34;150,00;262,34;TL;;\n"
                            "1;5;A;1;Ali Yılmaz;Veli Kaya;212,34;150,00;62,34;TL;0532 000 00 01;\n"
                            "2;7;B;2;Ayşe Şen;Ayşe Şen;200,00;0,00;200,00;TL;;\n"));
    // A report reads the site; it writes nothing into it.
    QCOMPARE(hashOf(dataFile), before);

    // A name holding ";" and quotes stays one field.
    const Run all = cli({"--site", "S1", "balance-list", "--kind", "1", "--date", "31.01.2024"});
    QVERIFY(all.out.contains(QStringLiteral("\n3;7;B;3;\"Nur; Can \"\"Ak\"\"\";200,00;200,00;0,00;"
                                            "TL;")));
}

void CliReportsTest::statementMatchesScreen_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("flat");       // 0: none
    QTest::addColumn<QString>("holder"); // empty: none
    QTest::addColumn<QDate>("firstDay");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("lineCount");

    const QDate jan1(2024, 1, 1);
    QTest::newRow("whole flat, the screen's TL")
        << QStringList{"--flat", "1", "--from", "01.01.2024"} << 1 << "" << jan1 << "TL"
        << "Hepsi" << 3;
    QTest::newRow("first day left to the year of the report date")
        << QStringList{"--flat", "1"} << 1 << "" << jan1 << "TL"
        << "Hepsi" << 3;
    QTest::newRow("whole flat, USD")
        << QStringList{"--flat", "1", "--currency", "USD"} << 1 << "" << jan1 << "USD"
        << "Hepsi" << 1;
    QTest::newRow("whole flat, all currencies")
        << QStringList{"--flat", "1", "--currency", "Hepsi", "--from", "15.01.2024"} << 1 << ""
        << QDate(2024, 1, 15) << "Hepsi"
        << "Hepsi" << 3;
    QTest::newRow("holder in flat")
        << QStringList{"--flat", "1", "--holder", "Ali Yılmaz", "--currency", "Hepsi"} << 1
        << "Ali Yılmaz" << jan1 << "Hepsi"
        << "Hepsi" << 1;
    QTest::newRow("holder across flats, name with ; and quotes")
        << QStringList{"--holder", kOddName} << 0 << kOddName << jan1 << "TL"
        << "Hepsi" << 2;
    QTest::newRow("one type") << QStringList{"--flat", "2", "--type", "Yakıt"} << 2 << "" << jan1
                              << "TL"
                              << "Yakıt" << 1;
}

void CliReportsTest::statementMatchesScreen()
{
    QFETCH(QStringList, options);
    QFETCH(int, flat);
    QFETCH(QString, holder);
    QFETCH(QDate, firstDay);
    QFETCH(QString, currency);
    QFETCH(QString, type);
    QFETCH(int, lineCount);

    const Run run = cli(QStringList{"--site", "S1", "statement", "--to", "31.01.2024"} + options);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));

    const StatementSelection selection = flat && !holder.isEmpty()
                                             ? StatementSelection::holderInFlat(holder, flat)
                                         : flat ? StatementSelection::wholeFlat(flat)
                                                : StatementSelection::ofHolder(holder);
    StatementFilter filter;
    filter.firstDay = firstDay;
    filter.reportDate = kReportDate;
    filter.currency = currency;
    filter.type = type;
    Statement statement;
    QVERIFY(loadStatement(db(), selection, filter, statement));
    QCOMPARE(statement.lines.size(), lineCount);

    const auto amount = [](Money m) { return m.isZero() ? QString() : m.toText(); };
    CsvRows expected;
    expected << QStringList{"No",         "Dış Kapı", "Blok",  "Daire",   "Tarih",
                            "Adı Soyadı", "Açıklama", "Borcu", "Ödemesi", "PB",
                            "Gelir Türü", "Faiz Mi?", "Bakiye"};
    for (const StatementLine &line : statement.lines)
        expected << QStringList{QString::number(line.flatNumber),
                                line.outerDoor,
                                line.block,
                                line.flat,
                                formatDate(line.date),
                                line.holder,
                                line.description,
                                amount(line.debit),
                                amount(line.credit),
                                line.currency,
                                line.type,
                                line.interest ? "E" : "H",
                                line.balance.toText()};
    expected << QStringList{""};
    const auto figures = [](const char *caption, const LedgerSums &sums, const char *format) {
        return QStringList{caption, formatAmount(sums.debit.toDouble(), format),
                           formatAmount(sums.credit.toDouble(), format),
                           formatAmount(sums.balance().toDouble(), format)};
    };
    expected << figures("Devir", statement.carryOver, kAmountFormat)
             << figures("T.", statement.totals, kAmountFormat)
             << figures("D.", statement.period(), kAmountFormatNoZero);
    QCOMPARE(parseCsv(run.out), expected);
}

// The resident's January worked out by hand: December's dues carried over, a payment, the
// dues and interest of the report date; February's charge and the owner's USD are left out.
void CliReportsTest::statementFigures()
{
    const Run run = cli({"--site", "S1", "statement", "--flat", "1", "--holder", "Veli Kaya",
                         "--from", "01.01.2024", "--to", "31.01.2024"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const CsvRows rows = parseCsv(run.out);
    QCOMPARE(rows.size(), 1 + 3 + 1 + 3);
    QCOMPARE(rows[1].mid(4), (QStringList{"15.01.2024", "Veli Kaya", "Ocak ödemesi", "", "150,00",
                                          "TL", "Aidat", "H", "-50,00"}));
    QCOMPARE(rows[3].mid(4), (QStringList{"31.01.2024", "Veli Kaya", "Gecikme faizi", "12,34", "",
                                          "TL", "Aidat", "E", "62,34"}));
    QCOMPARE(rows[5], (QStringList{"Devir", "100,00", "0,00", "100,00"}));
    QCOMPARE(rows[6], (QStringList{"T.", "212,34", "150,00", "62,34"}));
    QCOMPARE(rows[7], (QStringList{"D.", "112,34", "150,00", "-37,66"}));
}

// A name nobody has (a typo, or a holder not charged yet) gives an empty statement and a
// warning, not a failure.
void CliReportsTest::unknownHolderWarns()
{
    const Run run =
        cli({"--site", "S1", "statement", "--holder", "Veli Kara", "--to", "31.01.2024"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains(QStringLiteral("\"Veli Kara\" hesabında hiç hareket yok.")),
             qPrintable(run.err));
    const CsvRows rows = parseCsv(run.out);
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows[2], (QStringList{"Devir", "0,00", "0,00", "0,00"}));
}

void CliReportsTest::csvFile()
{
    const QString path = m_out.filePath(QStringLiteral("ekstre.csv"));
    const Run run = cli({"--site", "S1", "statement", "--flat", "1", "--currency", "USD", "--to",
                         "31.01.2024", "--out", path});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QCOMPARE(run.out.trimmed(), QDir::toNativeSeparators(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    QVERIFY2(text.contains(QStringLiteral(";\"Yakıt; kalorifer\";40,00;;USD;Yakıt;H;40,00\n")),
             qPrintable(text));
}

void CliReportsTest::spreadsheets()
{
    // The statement: the same sheet as the screen's export.
    const QString statementPath = m_out.filePath(QStringLiteral("ekstre.xlsx"));
    Run run = cli({"--site", "S1", "statement", "--flat", "1", "--holder", "Veli Kaya", "--to",
                   "31.01.2024", "--format", "xlsx", "--out", statementPath});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    SheetGrid grid;
    QVERIFY(SheetReader::read(statementPath, grid));
    QCOMPARE(grid.cell(kStatementCarryOverRow, 7), QStringLiteral("NAKLİ YEKÜN"));
    QCOMPARE(grid.cell(kStatementCarryOverRow, 11), QStringLiteral("100"));
    QCOMPARE(grid.cell(kStatementFirstLineRow, 7), QStringLiteral("Ocak ödemesi"));
    QCOMPARE(grid.cell(kStatementFirstLineRow + 2, 11), QStringLiteral("62,34"));
    QCOMPARE(grid.cell(kStatementFirstLineRow + 4, 7), QStringLiteral("TOPLAM TUTARLAR"));

    // The balance list: the export frame with the screen's columns, total rows left to the
    // frame's sums.
    const QString listPath = m_out.filePath(QStringLiteral("liste.xlsx"));
    run = cli(
        {"--site", "S1", "balance-list", "--kind", "4", "--date", "31.01.2024", "--out", listPath});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY(SheetReader::read(listPath, grid));
    QCOMPARE(grid.cell(1, 1), QStringLiteral("Menekşe Sitesi"));
    QCOMPARE(grid.cell(3, 1), QStringLiteral("Tel: 0216 111 22 33"));
    QVERIFY(
        grid.cell(4, 1).startsWith(QStringLiteral("Borç Alacak Listesi - Genel Rapor - Daire")));
    const QStringList headings = grid.row(5).mid(0, 13);
    QCOMPARE(headings, (QStringList{"S.No", "No", "Dış Kapı", "Blok", "Daire", "Daire Sahibi",
                                    "Dairede Oturan", "Borcu", "Ödemesi", "Kalan Borcu", "PB",
                                    "Sahibi Telefon", "Oturan Telefon"}));
    QCOMPARE(grid.row(6).mid(0, 11), (QStringList{"1", "1", "5", "A", "1", "Ali Yılmaz",
                                                  "Veli Kaya", "212,34", "150", "62,34", "TL"}));
    QCOMPARE(grid.row(7).mid(0, 11), (QStringList{"2", "1", "5", "A", "1", "Ali Yılmaz",
                                                  "Veli Kaya", "40", "0", "40", "USD"}));
    QCOMPARE(grid.cell(9, 2), QStringLiteral("3"));
    QCOMPARE(grid.cell(9, 6), kOddName);
    QCOMPARE(grid.cell(11, 7), QStringLiteral("TOPLAM TUTARLAR"));
    QCOMPARE(grid.row(11).mid(7, 3), (QStringList{"677,34", "350", "327,34"}));
}

void CliReportsTest::pdfs_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("statement") << QStringList{"statement", "--flat", "1", "--to", "31.01.2024"}
                               << QStringList{"01.01.2024-31.01.2024 Tarihleri Arası TL Hesap "
                                              "Hareketleri",
                                              "Tüm Daireye Ait Hareketler",
                                              "TARİHLİ DEVİR BAKİYE TUTARI", "Ocak ödemesi - Aidat",
                                              "62,34"};
    QTest::newRow("balance list") << QStringList{"balance-list", "--kind", "2", "--date",
                                                 "31.01.2024"}
                                  << QStringList{"Menekşe Sitesi",
                                                 "Borç Alacak Listesi - Gelir Türlü Rapor",
                                                 "Rapor Tarihi: 31.01.2024",
                                                 "Eski Sahip",
                                                 "Yakıt",
                                                 "Toplam",
                                                 "637,34"};
}

void CliReportsTest::pdfs()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, texts);
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString path = m_out.filePath(QStringLiteral("rapor.pdf"));
    QFile::remove(path);
    // The extension of --out chooses the format.
    const Run run = cli(QStringList{"--site", "S1"} + options + QStringList{"--out", path});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    QProcess p;
    p.start(tool, {"-layout", path, "-"});
    QVERIFY(p.waitForFinished(60000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString &expected : texts)
        QVERIFY2(text.contains(expected), qPrintable(expected + QStringLiteral("\n") + text));
}

void CliReportsTest::siteOption_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("output"); // expected in stdout
    QTest::newRow("after the command name")
        << QStringList{"balance-list", "--site", "S1", "--kind", "4", "--date", "31.01.2024"}
        << "Veli Kaya";
    QTest::newRow("before backup, which has its own")
        << QStringList{"--site", "S1", "backup", "--out", "OUT"}
        << "S1_" + QDate::currentDate().toString("yyyy_MM_dd") + ".ydk";
    QTest::newRow("backup's own after its name")
        << QStringList{"backup", "--site", "S1", "--out", "OUT"}
        << "S1_" + QDate::currentDate().toString("yyyy_MM_dd") + ".ydk";
}

void CliReportsTest::siteOption()
{
    QFETCH(QStringList, args);
    QFETCH(QString, output);
    QTemporaryDir out;
    args.replaceInStrings(QStringLiteral("OUT"), out.path());
    const Run run = cli(args);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(output), qPrintable(run.out));
}

void CliReportsTest::errors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QStringList list = {"balance-list", "--kind", "1", "--date", "31.01.2024"};
    const QStringList statement = {"statement", "--flat", "1", "--to", "31.01.2024"};
    const QStringList s1 = {"--site", "S1"};

    QTest::newRow("site not in the list") << QStringList{"--site", "YOK"} + list << 1
                                          << "\"YOK\" kodlu site, site listesinde bulunamadı.";
    QTest::newRow("listed site without its data file")
        << QStringList{"--site", "S2"} + statement << 1 << Storage::siteMissingMessage();
    QTest::newRow("no site") << list << 2 << "Site kodu eksik";
    QTest::newRow("site given twice")
        << s1 + list + QStringList{"--site", "S1"} << 2 << "--site iki kez verildi";
    QTest::newRow("date not on the calendar")
        << s1 + QStringList{"balance-list", "--kind", "1", "--date", "30.02.2024"} << 2
        << "Tarih hatalı: --date 30.02.2024";
    QTest::newRow("date in another form")
        << s1 + QStringList{"statement", "--flat", "1", "--to", "2024-01-31"} << 2
        << "Tarih hatalı: --to 2024-01-31";
    QTest::newRow("bad first day")
        << s1 + statement + QStringList{"--from", "1.1.24"} << 2 << "Tarih hatalı: --from 1.1.24";
    QTest::newRow("first day after the report date")
        << s1 + statement + QStringList{"--from", "01.02.2024"} << 2
        << "İlk tarih (01.02.2024) rapor tarihinden (31.01.2024) sonra olamaz.";
    QTest::newRow("report date missing")
        << s1 + QStringList{"statement", "--flat", "1"} << 2 << "--to seçeneği eksik";
    QTest::newRow("unknown flat") << s1 + QStringList{"statement", "--flat", "99", "--to",
                                                      "31.01.2024"}
                                  << 1 << "99 numaralı daire bulunamadı.";
    QTest::newRow("flat number not a number")
        << s1 + QStringList{"statement", "--flat", "bir", "--to", "31.01.2024"} << 2
        << "Daire numarası hatalı: bir";
    QTest::newRow("no account chosen")
        << s1 + QStringList{"statement", "--to", "31.01.2024"} << 2 << "Hesap seçilmedi";
    QTest::newRow("unknown kind") << s1 + QStringList{"balance-list", "--kind", "7", "--date",
                                                      "31.01.2024"}
                                  << 2 << "Bilinmeyen liste türü: 7";
    QTest::newRow("unknown role") << s1 + list + QStringList{"--role", "Kiracı"} << 2
                                  << "Bilinmeyen hesap sahibi: Kiracı";
    QTest::newRow("debtors on a pivot")
        << s1 + QStringList{"balance-list", "--kind", "5", "--date", "31.01.2024", "--debtors"} << 2
        << "--debtors yalnız 1, 2, 3 ve 4";
    QTest::newRow("xlsx without a file") << s1 + list + QStringList{"--format", "xlsx"} << 2
                                         << "xlsx biçimi bir dosyaya yazılır: --out DOSYA verin.";
    QTest::newRow("unknown format")
        << s1 + statement + QStringList{"--format", "html"} << 2 << "Bilinmeyen biçim: html";
    QTest::newRow("unknown option")
        << s1 + statement + QStringList{"--debtors"} << 2 << "Bilinmeyen seçenek: --debtors";
    QTest::newRow("file cannot be written")
        << s1 + list + QStringList{"--out", "/yok/klasor/liste.csv"} << 1 << "dosyası yazılamadı";
}

void CliReportsTest::errors()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Run run = cli(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY2(run.out.isEmpty(), qPrintable(run.out));
}

QTEST_GUILESS_MAIN(CliReportsTest)
#include "tst_clireports.moc"
