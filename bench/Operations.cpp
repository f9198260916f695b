#include "Operations.h"

#include "Baselines.h"
#include "book/TransactionTypes.h"
#include "book/TypeChoices.h"
#include "common/BatchProgress.h"
#include "ledger/BulkAccrual.h"
#include "ledger/InstalmentPlan.h"
#include "ledger/Statement.h"

#include <QElapsedTimer>
#include <stdexcept>

namespace dalvira::bench {

namespace {

constexpr double kAccrualTotal = 9000; // twelve instalments of 750

// Stands in for the wait window the screens pass: the engine reports to it as it would to the
// window, and nothing is drawn.
class SilentProgress : public BatchProgress
{
public:
    void start(const QString &, const QString &, int, bool) override {}
    void step(int, int, int) override {}
    bool cancelRequested() const override { return false; }
    void finish(const QString &) override {}
};

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

void require(const Result &result, const char *operation)
{
    if (!result)
        throw std::runtime_error(std::string(operation) + ": " + result.message().toStdString());
}

// What the bulk accrual screen passes after "ÖDEME PLANI OLUŞTUR" with a yearly total from
// next month on, the first type of its list and the home currency.
BulkAccrualRequest accrualRequest(const QSqlDatabase &db)
{
    const QDate today = QDate::currentDate();
    InstalmentPlanRequest planRequest;
    planRequest.total = kAccrualTotal;
    planRequest.start = QDate(today.year(), today.month(), 1).addMonths(1);
    planRequest.count = kMaxInstalments;
    planRequest.stepMonths = 1;
    QList<Instalment> plan;
    require(buildInstalmentPlan(planRequest, plan), "buildInstalmentPlan");

    BulkAccrualRequest request;
    request.instalments = plan;
    request.firstDate = planRequest.start;
    request.holder = AccountHolder::Resident;
    request.method = AccrualMethod::Fixed;
    request.roundingDecimals = 0;
    const QStringList types = typeChoices(TransactionTypes(db).names(), TypeListKind::Short);
    request.type = types.isEmpty() ? QString() : types.first();
    request.currency = QStringLiteral("TL");
    request.description = QStringLiteral("Toplu aidat");
    return request;
}

RawAccrualPlan rawPlan(const BulkAccrualRequest &request)
{
    BulkAccrualSummary summary;
    require(summarizeBulkAccrual(request, summary), "summarizeBulkAccrual");
    RawAccrualPlan plan;
    for (const Instalment &instalment : request.instalments) {
        if (instalment.amount > 0 && instalment.date.isValid()) {
            plan.dates << instalment.date;
            plan.amounts << instalment.amount;
        }
    }
    plan.roundingDecimals = request.roundingDecimals;
    plan.type = request.type;
    plan.currency = request.currency;
    plan.description = request.description;
    plan.batchText = accrualBatchText(request.type, request.description, request.currency);
    plan.total = summary.total;
    return plan;
}

qint64 scalarInteger(RawDatabase &raw, const char *sql)
{
    RawStatement q(raw, sql);
    return q.step() ? q.integer(0) : 0;
}

} // namespace

SiteFacts readSiteFacts(RawDatabase &raw)
{
    SiteFacts facts;
    facts.flats = scalarInteger(raw, "SELECT COUNT(*) FROM siciltablo");
    facts.movements = scalarInteger(raw, "SELECT COUNT(*) FROM sicilcarihar");
    RawStatement busiest(raw, "SELECT sicil_kodu, MIN(islem_tarihi) FROM sicilcarihar"
                              " GROUP BY sicil_kodu ORDER BY COUNT(*) DESC, sicil_kodu LIMIT 1");
    if (!busiest.step())
        throw std::runtime_error("the site has no movements");
    facts.statementFlat = int(busiest.integer(0));
    facts.statementFirstDay =
        QDate::fromString(QString::fromStdString(busiest.text(1)).left(10), Qt::ISODate);
    return facts;
}

Benchmark::Benchmark(const QSqlDatabase &db, RawDatabase &raw, int runs)
    : m_db(db), m_raw(raw), m_runs(runs)
{
}

AccrualMeasurements Benchmark::measureAccrual()
{
    AccrualMeasurements m;
    m.transfer.name = QStringLiteral("bulk_accrual");
    m.transfer.target = {2000, 2};
    m.undo.name = QStringLiteral("undo_accrual");
    m.undo.target = {1000, 0};

    const BulkAccrualRequest request = accrualRequest(m_db);
    const RawAccrualPlan plan = rawPlan(request);
    SilentProgress progress;
    QElapsedTimer timer;
    for (int run = 0; run < m_runs; ++run) {
        BulkAccrualOutcome outcome;
        timer.start();
        require(transferBulkAccrual(m_db, request, &progress, &outcome), "transferBulkAccrual");
        m.transfer.engineRun(elapsedMs(timer));
        m.transfer.rows = outcome.movements;

        int removed = 0;
        timer.start();
        require(undoAccrualBatch(m_db, outcome.batchId, &progress, &removed), "undoAccrualBatch");
        m.undo.engineRun(elapsedMs(timer));
        m.undo.rows = removed;

        timer.start();
        const BaselineAnswer inserted = insertAccrualBaseline(m_raw, plan);
        m.transfer.baselineRun(elapsedMs(timer));
        m.transfer.baselineRows = inserted.rows;
        m.transfer.sameAnswer = m.transfer.sameAnswer && inserted.rows == outcome.movements;

        timer.start();
        const BaselineAnswer deleted = deleteAccrualBaseline(m_raw, inserted.batchId);
        m.undo.baselineRun(elapsedMs(timer));
        m.undo.baselineRows = deleted.rows;
        m.undo.sameAnswer = m.undo.sameAnswer && deleted.rows == removed;
    }
    return m;
}

Measurement Benchmark::measureBalanceList(BalanceListKind kind)
{
    Measurement m;
    m.name = QStringLiteral("balance_list_%1").arg(int(kind));
    const bool pivot = isTypePivotKind(kind);
    m.target = pivot ? Target{2000, 0} : Target{1000, 2};

    BalanceListSettings settings;
    settings.reportDate = QDate::currentDate();
    settings.kind = kind;
    settings.role = HolderRole::All;
    SilentProgress progress;
    QElapsedTimer timer;
    for (int run = 0; run < m_runs; ++run) {
        BalanceList list;
        timer.start();
        // The balance screen shows the wait window while kinds 1 to 4 are built only.
        require(buildBalanceList(m_db, settings, list, pivot ? nullptr : &progress),
                "buildBalanceList");
        m.engineRun(elapsedMs(timer));
        m.rows = list.rows.size();

        timer.start();
        const BaselineAnswer answer = balanceBaseline(m_raw, int(kind), settings.reportDate);
        m.baselineRun(elapsedMs(timer));
        m.baselineRows = answer.rows;

        // Kinds 1 to 4 carry the grand totals; the pivot kinds only their per-type balances.
        bool same = false;
        if (pivot) {
            Money balance;
            for (const BalanceRow &row : std::as_const(list.rows))
                for (const Money &typeBalance : row.typeBalances)
                    balance += typeBalance;
            same = balance.kurus() == answer.debitKurus - answer.creditKurus;
        } else {
            same = list.debitTotal.kurus() == answer.debitKurus &&
                   list.creditTotal.kurus() == answer.creditKurus;
        }
        m.sameAnswer = m.sameAnswer && same;
    }
    return m;
}

Measurement Benchmark::measureStatement(const SiteFacts &facts)
{
    Measurement m;
    m.name = QStringLiteral("statement");
    m.target = {50, 0};

    const StatementSelection selection = StatementSelection::wholeFlat(facts.statementFlat);
    StatementFilter filter;
    filter.firstDay = facts.statementFirstDay;
    filter.reportDate = QDate::currentDate();
    filter.currency = QStringLiteral("TL");
    filter.type = QString::fromLatin1(kAllChoice);
    QElapsedTimer timer;
    for (int run = 0; run < m_runs; ++run) {
        Statement statement;
        timer.start();
        require(loadStatement(m_db, selection, filter, statement), "loadStatement");
        m.engineRun(elapsedMs(timer));
        m.rows = statement.lines.size();

        timer.start();
        const BaselineAnswer answer = statementBaseline(m_raw, facts.statementFlat, filter.currency,
                                                        filter.firstDay, filter.reportDate);
        m.baselineRun(elapsedMs(timer));
        m.baselineRows = answer.rows;
        m.sameAnswer = m.sameAnswer && answer.rows == statement.lines.size() &&
                       answer.balanceKurus == statement.finalBalance().kurus();
    }
    return m;
}

} // namespace dalvira::bench
