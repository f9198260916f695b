#include "../flats/FlatTestSite.h"
#include "ledger/MovementWriter.h"
#include "ledger/Statement.h"
#include "ledger/StatementModel.h"
#include "storage/Sql.h"

#include <QtTest>

using namespace dalvira;

Q_DECLARE_METATYPE(dalvira::StatementSelection)

namespace {

using Sel = StatementSelection;

const QString kAli = QStringLiteral("Ali Yılmaz");
const QString kAyse = QStringLiteral("Ayşe Kaya");
const QString kOldOwner = QStringLiteral("Mehmet Öz");
const QString kNewOwner = QStringLiteral("Can Demir");
const QString kApostrophe = QStringLiteral("Şükrü'nün Eşi");
const QString kLongType = QStringLiteral("Gecikme Faizi Tutarı");

} // namespace

class StatementTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void balanceSelections_data();
    void balanceSelections();
    void statementFigures_data();
    void statementFigures();
    void runningBalanceIsExact();
    void gridShowsMovements();
    void chargesForReceipt();
    void deleteRemovesIncomeLinesWithMovement_data();
    void deleteRemovesIncomeLinesWithMovement();
    void deleteOfVanishedMovementTouchesNothing();

private:
    qint64 add(int flat, const QString &holder, QDate date, double debit, double credit,
               const QString &currency = QStringLiteral("TL"),
               const QString &type = QStringLiteral("Aidat"), bool interest = false);
    qint64 addIncomeLine(qint64 cid);
    int count(const QString &table, const QString &where, const QVariantList &params = {});

    std::unique_ptr<test::FlatTestSite> m_site;
    QHash<QString, qint64> m_cid;
};

qint64 StatementTest::add(int flat, const QString &holder, QDate date, double debit, double credit,
                          const QString &currency, const QString &type, bool interest)
{
    LedgerMovement m;
    m.flatNumber = flat;
    m.holder = holder;
    m.date = date;
    m.debit = debit;
    m.credit = credit;
    m.currency = currency;
    m.type = type;
    m.interest = interest;
    m.block = QStringLiteral("A");
    m.flat = QString::number(flat);
    m.outerDoor = QStringLiteral("12");
    m.description = QStringLiteral("Hareket %1").arg(m_cid.size() + 1);
    return appendMovement(m_site->db(), m);
}

qint64 StatementTest::addIncomeLine(qint64 cid)
{
    return insert(m_site->db(), QStringLiteral("isletgelir"),
                  {{QStringLiteral("sicilhareketid"), cid},
                   {QStringLiteral("toplamtutar"), 150.0},
                   {QStringLiteral("islem_tarihi"), QStringLiteral("2024-01-15")}});
}

int StatementTest::count(const QString &table, const QString &where, const QVariantList &params)
{
    return scalar(m_site->db(),
                  QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(table, where), params)
        .toInt();
}

// A small ledger: Ali in flat 1 around a January 2024 period (one movement on each edge,
// one after it, one in USD, one interest movement of a long type), Ayşe in two flats, a
// holder renamed in flat 3, amounts that do not add up exactly in binary in flat 4, and a
// name with an apostrophe.
void StatementTest::init()
{
    m_site = std::make_unique<test::FlatTestSite>();
    QVERIFY(m_site->ready());
    m_cid.clear();
    auto put = [this](const char *key, qint64 cid) { m_cid.insert(QLatin1String(key), cid); };
    put("ali-dec31", add(1, kAli, QDate(2023, 12, 31), 100, 0));
    put("ali-jan01", add(1, kAli, QDate(2024, 1, 1), 200, 0));
    put("ali-jan15", add(1, kAli, QDate(2024, 1, 15), 0, 150));
    put("ali-jan20",
        add(1, kAli, QDate(2024, 1, 20), 12.34, 0, QStringLiteral("TL"), kLongType, true));
    put("ali-jan31", add(1, kAli, QDate(2024, 1, 31), 50, 0, QStringLiteral("USD")));
    put("ali-feb01", add(1, kAli, QDate(2024, 2, 1), 999, 0));
    put("ayse-1",
        add(1, kAyse, QDate(2024, 1, 10), 30, 0, QStringLiteral("TL"), QStringLiteral("Yakıt")));
    put("ayse-2a", add(2, kAyse, QDate(2023, 6, 1), 40, 0));
    put("ayse-2b", add(2, kAyse, QDate(2024, 1, 20), 0, 10.10));
    put("old", add(3, kOldOwner, QDate(2023, 5, 1), 300, 0));
    put("new", add(3, kNewOwner, QDate(2024, 1, 5), 100, 0));
    put("z1", add(4, QStringLiteral("Zeynep Ak"), QDate(2024, 1, 2), 0.1, 0));
    put("z2", add(4, QStringLiteral("Zeynep Ak"), QDate(2024, 1, 3), 0.2, 0));
    put("z3", add(4, QStringLiteral("Zeynep Ak"), QDate(2024, 1, 4), 0, 0.3));
    put("apos", add(5, kApostrophe, QDate(2024, 1, 8), 75.5, 0));
}

void StatementTest::cleanup()
{
    m_site.reset();
}

void StatementTest::balanceSelections_data()
{
    QTest::addColumn<Sel>("selection");
    QTest::addColumn<QDate>("upTo");
    QTest::addColumn<QDate>("before");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("principalOnly");
    QTest::addColumn<qint64>("debit");
    QTest::addColumn<qint64>("credit");

    const QDate jan31(2024, 1, 31);
    const QString all = QStringLiteral("Hepsi");
    const QString tl = QStringLiteral("TL");
    QTest::newRow("last day inclusive") << Sel::ofHolder(kAli) << jan31 << QDate() << all << all
                                        << false << qint64(36234) << qint64(15000);
    QTest::newRow("day before last") << Sel::ofHolder(kAli) << QDate(2024, 1, 30) << QDate() << all
                                     << all << false << qint64(31234) << qint64(15000);
    QTest::newRow("carry-over before first day")
        << Sel::ofHolder(kAli) << QDate() << QDate(2024, 1, 1) << all << all << false
        << qint64(10000) << qint64(0);
    QTest::newRow("one currency") << Sel::ofHolder(kAli) << jan31 << QDate() << tl << all << false
                                  << qint64(31234) << qint64(15000);
    QTest::newRow("other currency")
        << Sel::ofHolder(kAli) << jan31 << QDate() << QStringLiteral("USD") << all << false
        << qint64(5000) << qint64(0);
    QTest::newRow("one type") << Sel::ofHolder(kAli) << jan31 << QDate() << all
                              << QStringLiteral("Aidat") << false << qint64(35000) << qint64(15000);
    QTest::newRow("long type found by its first 15")
        << Sel::ofHolder(kAli) << jan31 << QDate() << all << kLongType << false << qint64(1234)
        << qint64(0);
    QTest::newRow("principal only") << Sel::ofHolder(kAli) << jan31 << QDate() << all << all << true
                                    << qint64(35000) << qint64(15000);
    QTest::newRow("whole flat") << Sel::wholeFlat(1) << jan31 << QDate() << all << all << false
                                << qint64(39234) << qint64(15000);
    QTest::newRow("holder in two flats") << Sel::ofHolder(kAyse) << QDate() << QDate() << all << all
                                         << false << qint64(7000) << qint64(1010);
    QTest::newRow("holder in one flat") << Sel::holderInFlat(kAyse, 2) << QDate() << QDate() << all
                                        << all << false << qint64(4000) << qint64(1010);
    QTest::newRow("renamed: old holder") << Sel::holderInFlat(kOldOwner, 3) << QDate() << QDate()
                                         << all << all << false << qint64(30000) << qint64(0);
    QTest::newRow("renamed: new holder") << Sel::holderInFlat(kNewOwner, 3) << QDate() << QDate()
                                         << all << all << false << qint64(10000) << qint64(0);
    QTest::newRow("renamed: flat holds both") << Sel::wholeFlat(3) << QDate() << QDate() << all
                                              << all << false << qint64(40000) << qint64(0);
    QTest::newRow("apostrophe in name") << Sel::ofHolder(kApostrophe) << QDate() << QDate() << tl
                                        << all << false << qint64(7550) << qint64(0);
    QTest::newRow("unknown holder") << Sel::ofHolder(QStringLiteral("Yok Böyle")) << QDate()
                                    << QDate() << all << all << false << qint64(0) << qint64(0);
}

void StatementTest::balanceSelections()
{
    QFETCH(Sel, selection);
    QFETCH(QDate, upTo);
    QFETCH(QDate, before);
    QFETCH(QString, currency);
    QFETCH(QString, type);
    QFETCH(bool, principalOnly);
    QFETCH(qint64, debit);
    QFETCH(qint64, credit);

    BalanceQuery query;
    query.selection = selection;
    query.upToIncluding = upTo;
    query.before = before;
    query.currency = currency;
    query.type = type;
    query.principalOnly = principalOnly;
    const LedgerSums sums = sumLedger(m_site->db(), query);
    QCOMPARE(sums.debit.kurus(), debit);
    QCOMPARE(sums.credit.kurus(), credit);
    QCOMPARE(sums.balance().kurus(), debit - credit);
}

void StatementTest::statementFigures_data()
{
    QTest::addColumn<Sel>("selection");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("type");
    // carry-over debit/credit, totals debit/credit, the keys of the lines in order
    QTest::addColumn<QList<qint64>>("figures");
    QTest::addColumn<QStringList>("lines");

    const QString all = QStringLiteral("Hepsi");
    const QString tl = QStringLiteral("TL");
    QTest::newRow("holder, TL") << Sel::ofHolder(kAli) << tl << all
                                << QList<qint64>{10000, 0, 31234, 15000}
                                << QStringList{"ali-jan01", "ali-jan15", "ali-jan20"};
    QTest::newRow("holder, all currencies added")
        << Sel::ofHolder(kAli) << all << all << QList<qint64>{10000, 0, 36234, 15000}
        << QStringList{"ali-jan01", "ali-jan15", "ali-jan20", "ali-jan31"};
    QTest::newRow("holder, one type") << Sel::ofHolder(kAli) << all << QStringLiteral("Aidat")
                                      << QList<qint64>{10000, 0, 35000, 15000}
                                      << QStringList{"ali-jan01", "ali-jan15", "ali-jan31"};
    QTest::newRow("whole flat") << Sel::wholeFlat(1) << tl << all
                                << QList<qint64>{10000, 0, 34234, 15000}
                                << QStringList{"ali-jan01", "ayse-1", "ali-jan15", "ali-jan20"};
    QTest::newRow("holder in two flats")
        << Sel::ofHolder(kAyse) << tl << all << QList<qint64>{4000, 0, 7000, 1010}
        << QStringList{"ayse-1", "ayse-2b"};
    QTest::newRow("holder in one flat")
        << Sel::holderInFlat(kAyse, 2) << tl << all << QList<qint64>{4000, 0, 4000, 1010}
        << QStringList{"ayse-2b"};
    QTest::newRow("renamed holder keeps own account")
        << Sel::holderInFlat(kNewOwner, 3) << tl << all << QList<qint64>{0, 0, 10000, 0}
        << QStringList{"new"};
}

void StatementTest::statementFigures()
{
    QFETCH(Sel, selection);
    QFETCH(QString, currency);
    QFETCH(QString, type);
    QFETCH(QList<qint64>, figures);
    QFETCH(QStringList, lines);

    StatementFilter filter;
    filter.firstDay = QDate(2024, 1, 1);
    filter.reportDate = QDate(2024, 1, 31);
    filter.currency = currency;
    filter.type = type;
    Statement s;
    const Result r = loadStatement(m_site->db(), selection, filter, s);
    QVERIFY2(r.ok(), qPrintable(r.message()));

    QCOMPARE(s.carryOver.debit.kurus(), figures.at(0));
    QCOMPARE(s.carryOver.credit.kurus(), figures.at(1));
    QCOMPARE(s.totals.debit.kurus(), figures.at(2));
    QCOMPARE(s.totals.credit.kurus(), figures.at(3));
    QCOMPARE(s.period().debit.kurus(), figures.at(2) - figures.at(0));
    QCOMPARE(s.period().credit.kurus(), figures.at(3) - figures.at(1));

    QList<qint64> expected;
    for (const QString &key : lines)
        expected << m_cid.value(key);
    QList<qint64> got;
    for (const StatementLine &line : s.lines)
        got << line.cid;
    QCOMPARE(got, expected);

    // The running balance starts at the carry-over, adds every line and ends at the totals.
    Money running = s.carryOver.balance();
    for (const StatementLine &line : s.lines) {
        running += line.debit - line.credit;
        QCOMPARE(line.balance, running);
    }
    QCOMPARE(s.finalBalance(), s.totals.balance());
    QCOMPARE(s.period().debit + s.carryOver.debit, s.totals.debit);
}

void StatementTest::runningBalanceIsExact()
{
    // 0,10 + 0,20 - 0,30 is not zero in binary; the statement must show a settled account.
    StatementFilter filter;
    filter.firstDay = QDate(2024, 1, 1);
    filter.reportDate = QDate(2024, 12, 31);
    Statement s;
    QVERIFY(loadStatement(m_site->db(), Sel::wholeFlat(4), filter, s).ok());
    QCOMPARE(s.lines.size(), 3);
    QCOMPARE(s.lines.at(0).balance.kurus(), 10);
    QCOMPARE(s.lines.at(1).balance.kurus(), 30);
    QVERIFY(s.lines.at(2).balance.isZero());
    QVERIFY(s.totals.balance().isZero());
    QCOMPARE(s.totals.balance().toText(), QStringLiteral("0,00"));
}

void StatementTest::gridShowsMovements()
{
    StatementFilter filter;
    filter.firstDay = QDate(2024, 1, 1);
    filter.reportDate = QDate(2024, 1, 31);
    Statement s;
    QVERIFY(loadStatement(m_site->db(), Sel::ofHolder(kAli), filter, s).ok());
    StatementModel model;
    model.setLines(s.lines);
    QCOMPARE(model.columnCount(), 12);
    QCOMPARE(model.headerData(StatementModel::Credit, Qt::Horizontal).toString(),
             QStringLiteral("Ödemesi"));
    QCOMPARE(model.headerData(StatementModel::Interest, Qt::Horizontal).toString(),
             QStringLiteral("Faiz Mi?"));
    const int payment = model.rowOfCid(m_cid.value("ali-jan15"));
    const int interest = model.rowOfCid(m_cid.value("ali-jan20"));
    QVERIFY(payment >= 0 && interest >= 0);
    auto cell = [&](int row, int column) { return model.index(row, column).data().toString(); };
    QCOMPARE(cell(payment, StatementModel::Credit), QStringLiteral("150,00"));
    QCOMPARE(cell(payment, StatementModel::Debit), QString());
    QCOMPARE(cell(payment, StatementModel::Date), QStringLiteral("15.01.2024"));
    QCOMPARE(cell(payment, StatementModel::Interest), QStringLiteral("H"));
    QCOMPARE(cell(interest, StatementModel::Interest), QStringLiteral("E"));
    QCOMPARE(cell(interest, StatementModel::Type), QStringLiteral("Gecikme Faizi T"));
    QCOMPARE(cell(interest, StatementModel::Debit), QStringLiteral("12,34"));
    QCOMPARE(model.index(interest, 0).data(StatementModel::BalanceRole).toLongLong(), 16234);
}

void StatementTest::chargesForReceipt()
{
    // The receipt lists charges only, in the currency, whatever type the grid is filtered by.
    StatementFilter filter;
    filter.firstDay = QDate(2024, 1, 1);
    filter.reportDate = QDate(2024, 1, 31);
    filter.type = QStringLiteral("Aidat");
    QList<StatementLine> charges;
    QVERIFY(loadStatementCharges(m_site->db(), Sel::ofHolder(kAli), filter, charges).ok());
    QCOMPARE(charges.size(), 2);
    QCOMPARE(charges.at(0).cid, m_cid.value("ali-jan01"));
    QCOMPARE(charges.at(1).cid, m_cid.value("ali-jan20"));
}

void StatementTest::deleteRemovesIncomeLinesWithMovement_data()
{
    QTest::addColumn<QString>("movement");
    QTest::addColumn<int>("incomeLines");
    QTest::newRow("payment with its income line") << "ali-jan15" << 1;
    QTest::newRow("payment with two income lines") << "ali-jan15" << 2;
    QTest::newRow("charge without income line") << "ali-jan01" << 0;
    QTest::newRow("charge an income line points to") << "ali-jan01" << 1;
}

void StatementTest::deleteRemovesIncomeLinesWithMovement()
{
    QFETCH(QString, movement);
    QFETCH(int, incomeLines);
    const qint64 cid = m_cid.value(movement);
    for (int i = 0; i < incomeLines; ++i)
        addIncomeLine(cid);
    const qint64 otherIncome = addIncomeLine(m_cid.value("ayse-2b"));
    const int movementsBefore = count(QStringLiteral("sicilcarihar"), QStringLiteral("1"));

    MovementDeletion outcome;
    const Result r = deleteStatementMovement(m_site->db(), cid, &outcome);
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QVERIFY(outcome.found);
    QCOMPARE(outcome.incomeLines, incomeLines);
    QCOMPARE(count(QStringLiteral("sicilcarihar"), QStringLiteral("cid = ?"), {cid}), 0);
    QCOMPARE(count(QStringLiteral("sicilcarihar"), QStringLiteral("1")), movementsBefore - 1);
    QCOMPARE(count(QStringLiteral("isletgelir"), QStringLiteral("sicilhareketid = ?"), {cid}), 0);
    QCOMPARE(count(QStringLiteral("isletgelir"), QStringLiteral("idi = ?"), {otherIncome}), 1);
}

void StatementTest::deleteOfVanishedMovementTouchesNothing()
{
    const qint64 cid = m_cid.value("ali-jan15");
    addIncomeLine(cid);
    exec(m_site->db(), QStringLiteral("DELETE FROM sicilcarihar WHERE cid = ?"), {cid});
    const int incomeBefore = count(QStringLiteral("isletgelir"), QStringLiteral("1"));
    MovementDeletion outcome;
    outcome.found = true;
    QVERIFY(deleteStatementMovement(m_site->db(), cid, &outcome).ok());
    QVERIFY(!outcome.found);
    QCOMPARE(count(QStringLiteral("isletgelir"), QStringLiteral("1")), incomeBefore);
}

QTEST_GUILESS_MAIN(StatementTest)
#include "tst_statement.moc"
