#include "../flats/FlatTestSite.h"
#include "ledger/MovementWriter.h"
#include "ledger/Statement.h"
#include "ledger/StatementExport.h"
#include "ledger/StatementMail.h"
#include "ledger/StatementPrintouts.h"
#include "report/ReportRenderer.h"
#include "spreadsheet/SheetReader.h"
#include "storage/Sql.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace dalvira;

namespace {

const QString kOwner = QStringLiteral("Ali Yılmaz");
const QString kResident = QStringLiteral("Ayşe Kaya");

} // namespace

// The statement's printouts, sheet and mail on one holder's January: a carry-over of 100,00,
// a charge, a payment and an interest charge, so every figure differs from the others.
class StatementOutputTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void movementPrintout();
    void receiptAndHeadedStatement();
    void exportReadsBack();
    void exportOfEmptyPeriod();
    void mailRecipients_data();
    void mailRecipients();
    void mailMessage();

private:
    void add(const QString &holder, QDate date, double debit, double credit,
             const QString &type = QStringLiteral("Aidat"));
    Statement load(const StatementSelection &selection, QDate first = QDate(2024, 1, 1));
    QString pdfText(const Report &report);

    std::unique_ptr<test::FlatTestSite> m_site;
    SiteLetterhead m_letterhead;
    QTemporaryDir m_dir;
};

void StatementOutputTest::add(const QString &holder, QDate date, double debit, double credit,
                              const QString &type)
{
    LedgerMovement m;
    m.flatNumber = 7;
    m.holder = holder;
    m.date = date;
    m.debit = debit;
    m.credit = credit;
    m.type = type;
    m.block = QStringLiteral("B");
    m.flat = QStringLiteral("14");
    m.outerDoor = QStringLiteral("3A");
    m.description = QStringLiteral("Ay %1 aidatı").arg(date.month());
    appendMovement(m_site->db(), m);
}

void StatementOutputTest::init()
{
    m_site = std::make_unique<test::FlatTestSite>();
    QVERIFY(m_site->ready());
    add(kOwner, QDate(2023, 12, 1), 100, 0);
    add(kOwner, QDate(2024, 1, 1), 200, 0);
    add(kOwner, QDate(2024, 1, 15), 0, 150);
    add(kOwner, QDate(2024, 1, 20), 12.34, 0, QStringLiteral("Gecikme Faizi"));
    m_letterhead.found = true;
    m_letterhead.name = QStringLiteral("Çamlık Sitesi Yönetimi");
    m_letterhead.address = QStringLiteral("Gül Sokak No:5");
    m_letterhead.district = QStringLiteral("Kadıköy");
    m_letterhead.city = QStringLiteral("İstanbul");
    m_letterhead.phone = QStringLiteral("0216 555 11 22");
    m_letterhead.officer = QStringLiteral("Hüseyin Güneş");
    m_letterhead.officerTitle = QStringLiteral("Site Müdürü");
    m_letterhead.bankName = QStringLiteral("Örnek Bankası");
    m_letterhead.iban = QStringLiteral("TR00 0000 0000 0000 0000 0000 00");
    m_letterhead.cashPaymentAddress = QStringLiteral("Yönetim Binası");
}

void StatementOutputTest::cleanup()
{
    m_site.reset();
}

Statement StatementOutputTest::load(const StatementSelection &selection, QDate first)
{
    StatementFilter filter;
    filter.firstDay = first;
    filter.reportDate = QDate(2024, 1, 31);
    Statement s;
    const Result r = loadStatement(m_site->db(), selection, filter, s);
    if (!r)
        qWarning() << r.message();
    return s;
}

QString StatementOutputTest::pdfText(const Report &report)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    const QString pdf = m_dir.filePath(QStringLiteral("out.pdf"));
    const Result r = renderToPdf(report, pdf);
    if (!r) {
        qWarning() << r.message();
        return {};
    }
    if (qEnvironmentVariableIsSet("STATEMENT_KEEP_PDF"))
        QFile::copy(pdf, qEnvironmentVariable("STATEMENT_KEEP_PDF") + QStringLiteral("/") +
                             report.previewTitle.section(QLatin1Char('-'), 1).trimmed() +
                             QStringLiteral(".pdf"));
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

void StatementOutputTest::movementPrintout()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    const Statement s = load(StatementSelection::ofHolder(kOwner));
    const QString text = pdfText(statementMovementReport(s, m_letterhead, QDateTime()));
    QVERIFY(text.contains(QStringLiteral("Çamlık Sitesi Yönetimi")));
    QVERIFY(text.contains(
        QStringLiteral("01.01.2024-31.01.2024 Tarihleri Arası TL Hesap Hareketleri")));
    QVERIFY(text.contains(QStringLiteral("31.12.2023")));
    QVERIFY(text.contains(QStringLiteral("TARİHLİ DEVİR BAKİYE TUTARI:")));
    QVERIFY(text.contains(QStringLiteral("Dış K.:3A Bl.:B Da.:14 No:7")));
    QVERIFY(text.contains(QStringLiteral("Ay 1 aidatı - Gecikme Faizi")));
    // The running balance line by line, then the totals: T. debit, credit and balance.
    const QStringList lines = text.split(QLatin1Char('\n'));
    auto lineWith = [&](const QString &a) {
        for (const QString &l : lines)
            if (l.simplified().contains(a))
                return l.simplified();
        return QString();
    };
    QVERIFY2(lineWith(QStringLiteral("15.01.2024")).endsWith(QStringLiteral("150,00")),
             qPrintable(lineWith(QStringLiteral("15.01.2024"))));
    QVERIFY(lineWith(QStringLiteral("01.01.2024 Dış")).contains(QStringLiteral("200,00")));
    QVERIFY(lineWith(QStringLiteral("01.01.2024 Dış")).endsWith(QStringLiteral("300,00")));
    QVERIFY(lineWith(QStringLiteral("20.01.2024")).endsWith(QStringLiteral("162,34")));
    QCOMPARE(lineWith(QStringLiteral("TOPLAM")), QStringLiteral("TOPLAM 312,34 150,00 162,34"));
}

void StatementOutputTest::receiptAndHeadedStatement()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    const Statement s = load(StatementSelection::ofHolder(kOwner));
    QList<StatementLine> charges;
    QVERIFY(loadStatementCharges(m_site->db(), s.selection, s.filter, charges).ok());
    const QString receipt = pdfText(statementReceiptReport(s, charges, m_letterhead));
    QVERIFY(receipt.contains(QStringLiteral("TAHSİLAT MAKBUZU")));
    QVERIFY(receipt.contains(QStringLiteral("ADI SOYADI : Ali Yılmaz")));
    QVERIFY(receipt.contains(QStringLiteral("TAHSİL EDİLEN TUTAR : 212,34")));
    QVERIFY(receipt.contains(QStringLiteral("Site Müdürü")));

    const QString headed = pdfText(headedStatementReport(s, m_letterhead));
    QVERIFY(headed.contains(QStringLiteral("AİDAT EKTRESİ (01.01.2024 - 31.01.2024)")));
    QVERIFY(headed.contains(QStringLiteral("Son Ödeme Tarihi : 10.02.2024")));
    QVERIFY(headed.contains(QStringLiteral("Bir Önceki Döneme Ait Borç : 100,00")));
    QVERIFY(headed.contains(QStringLiteral("Toplam Borç : 162,34")));
    QVERIFY(headed.contains(QStringLiteral("*Aidatlar adresimize (Yönetim Binası) elden de")));
}

void StatementOutputTest::exportReadsBack()
{
    const Statement s = load(StatementSelection::ofHolder(kOwner));
    const QString path = m_dir.filePath(QStringLiteral("ekstre.xlsx"));
    const Result written = writeStatementExport(path, s, m_letterhead);
    QVERIFY2(written.ok(), qPrintable(written.message()));
    SheetGrid grid;
    const Result read = SheetReader::read(path, grid);
    QVERIFY2(read.ok(), qPrintable(read.message()));

    QCOMPARE(grid.cell(1, 1), m_letterhead.name);
    QCOMPARE(grid.cell(2, 1), QStringLiteral("Gül Sokak No:5 Tel: 0216 555 11 22"));
    QCOMPARE(grid.cell(3, 1), kOwner);
    QCOMPARE(grid.cell(6, 1), QStringLiteral("Sıra No"));
    QCOMPARE(grid.cell(6, 11), QStringLiteral("Bakiye"));
    QCOMPARE(grid.cell(7, 7), QStringLiteral("NAKLİ YEKÜN"));
    QCOMPARE(grid.cell(7, 8), QStringLiteral("100"));
    QCOMPARE(grid.cell(7, 11), QStringLiteral("100"));
    QCOMPARE(grid.cell(8, 1), QStringLiteral("1"));
    QCOMPARE(grid.cell(8, 5), QStringLiteral("01.01.2024"));
    QCOMPARE(grid.cell(8, 11), QStringLiteral("300"));
    QCOMPARE(grid.cell(9, 9), QStringLiteral("150"));
    QCOMPARE(grid.cell(10, 11), QStringLiteral("162,34"));
    const int total = statementExportTotalRow(s);
    QCOMPARE(total, 12);
    QCOMPARE(grid.cell(11, 7), QString());
    QCOMPARE(grid.cell(total, 7), QStringLiteral("TOPLAM TUTARLAR"));
    QCOMPARE(grid.cell(total, 8), QStringLiteral("312,34"));
    QCOMPARE(grid.cell(total, 9), QStringLiteral("150"));
    QCOMPARE(grid.cell(total, 10), QStringLiteral("TL"));
    QCOMPARE(grid.cell(total, 11), QStringLiteral("162,34"));
}

void StatementOutputTest::exportOfEmptyPeriod()
{
    // No movement in the period: the totals are the carry-over, summed from its own row.
    const Statement s = load(StatementSelection::ofHolder(kOwner), QDate(2024, 2, 1));
    QVERIFY(s.lines.isEmpty());
    const QString path = m_dir.filePath(QStringLiteral("bos.xlsx"));
    QVERIFY(writeStatementExport(path, s, m_letterhead).ok());
    SheetGrid grid;
    QVERIFY(SheetReader::read(path, grid).ok());
    QCOMPARE(statementExportTotalRow(s), 9);
    QCOMPARE(grid.cell(9, 8), QStringLiteral("312,34"));
    QCOMPARE(grid.cell(9, 11), QStringLiteral("162,34"));
}

void StatementOutputTest::mailRecipients_data()
{
    QTest::addColumn<QString>("ownerMail");
    QTest::addColumn<QString>("residentMail");
    QTest::addColumn<QString>("holder"); // empty: whole flat
    QTest::addColumn<QString>("expected");

    const QString a = QStringLiteral("ali@ornek.com");
    const QString b = QStringLiteral("ayse@ornek.com");
    QTest::newRow("whole flat, both") << a << b << QString() << a + ";" + b;
    QTest::newRow("whole flat, owner only") << a << QString() << QString() << a + ";";
    QTest::newRow("whole flat, resident only") << QString() << b << QString() << b + ";";
    QTest::newRow("no address") << QString() << QString() << QString() << QStringLiteral("@");
    QTest::newRow("owner's statement") << a << b << kOwner << a + ";";
    QTest::newRow("resident's statement") << a << b << kResident << b + ";";
    QTest::newRow("resident's statement, resident has none")
        << a << QString() << kResident << QStringLiteral("@");
}

void StatementOutputTest::mailRecipients()
{
    QFETCH(QString, ownerMail);
    QFETCH(QString, residentMail);
    QFETCH(QString, holder);
    QFETCH(QString, expected);
    insert(m_site->db(), QStringLiteral("siciltablo"),
           {{QStringLiteral("sicil_kodu"), 7},
            {QStringLiteral("adi"), QStringLiteral("Ali")},
            {QStringLiteral("soyadi"), QStringLiteral("Yılmaz")},
            {QStringLiteral("oturan_adi"), QStringLiteral("Ayşe")},
            {QStringLiteral("oturan_soyadi"), QStringLiteral("Kaya")},
            {QStringLiteral("email"), ownerMail},
            {QStringLiteral("oturan_email"), residentMail}});
    add(kResident, QDate(2024, 1, 5), 40, 0);
    const Statement s = load(holder.isEmpty() ? StatementSelection::wholeFlat(7)
                                              : StatementSelection::holderInFlat(holder, 7));
    QVERIFY(!s.lines.isEmpty());
    QString recipients;
    QVERIFY(statementMailRecipients(m_site->db(), s, recipients).ok());
    QCOMPARE(recipients, expected);
}

void StatementOutputTest::mailMessage()
{
    const Statement s = load(StatementSelection::ofHolder(kOwner));
    const StatementMail mail = buildStatementMail(s, m_letterhead, QStringLiteral("ali@ornek.com;"),
                                                  QStringLiteral("/x/Rapor.xlsx"));
    QCOMPARE(mail.subject, m_letterhead.name);
    QVERIFY(mail.body.startsWith(m_letterhead.name + QStringLiteral("\nGül Sokak No:5\n Tel: ")));
    QVERIFY(mail.body.contains(
        QStringLiteral("01.01.2024-31.01.2024 Tarihleri Arası Hesap Hareketleri\n\n")));
    QVERIFY(mail.body.contains(QStringLiteral("Toplam Borcunuz : 162,34\n\n")));
    QVERIFY(mail.body.endsWith(QStringLiteral("Hesap hareketleriniz ekteki Excel dosyasındadır.")));
    const QStringList args = mail.xdgEmailArguments();
    QCOMPARE(args.mid(args.indexOf(QStringLiteral("--attach"))),
             (QStringList{QStringLiteral("--attach"), QStringLiteral("/x/Rapor.xlsx"),
                          QStringLiteral("ali@ornek.com")}));
}

QTEST_MAIN(StatementOutputTest)
#include "tst_statementoutput.moc"
