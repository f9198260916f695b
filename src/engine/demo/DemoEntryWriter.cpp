#include "demo/DemoEntryWriter.h"

#include "common/Result.h"
#include "ledger/MovementWriter.h"
#include "ledger/SingleEntry.h"

namespace dalvira::demo {

namespace {

void throwIfFailed(const Result &result)
{
    if (!result)
        throw OperationError(result.message());
}

class CheckedEntryWriter : public DemoEntryWriter
{
public:
    explicit CheckedEntryWriter(const QSqlDatabase &db) : m_entry(db) {}

    void write(const FlatRecord &flat, const DemoEntry &entry) override
    {
        SingleEntryInput input;
        input.flatNumberText = QString::number(flat.number());
        input.dateText = entry.date.toString(u"dd.MM.yyyy");
        input.debit = entry.debit;
        input.credit = entry.credit;
        input.currency = entry.currency;
        input.type = entry.type;
        input.description = entry.description;
        input.paymentMethod = entry.method;
        input.holder = entry.holder;
        input.addIncome = entry.addIncome;
        const SingleEntry::Checked checked = m_entry.check(input);
        if (!checked.ok())
            throw OperationError(checked.refusal.message);
        throwIfFailed(m_entry.save(*checked.plan));
    }

private:
    SingleEntry m_entry;
};

// The single entry's own writer, handed the plan its checks would make: the checks look the
// flat up again for every entry, which the demo knows already.
class BatchEntryWriter : public DemoEntryWriter
{
public:
    explicit BatchEntryWriter(const QSqlDatabase &db) : m_writer(db) {}

    void write(const FlatRecord &flat, const DemoEntry &entry) override
    {
        SingleEntryPlan plan;
        plan.flat.number = flat.number();
        plan.flat.block = flat.text(QStringLiteral("blok"));
        plan.flat.flat = flat.text(QStringLiteral("dairesi"));
        plan.flat.outerDoor = flat.text(QStringLiteral("dis_kapi_numarasi"));
        plan.flat.ownerSnapshot = holderSnapshotName(flat, AccountHolder::Owner);
        plan.flat.residentSnapshot = holderSnapshotName(flat, AccountHolder::Resident);
        plan.holderName = holderName(flat, entry.holder);
        plan.date = entry.date;
        plan.debit = entry.debit;
        plan.credit = entry.debit > 0 ? 0.0 : entry.credit;
        plan.currency =
            entry.currency.trimmed().isEmpty() ? kHomeCurrency : entry.currency.trimmed();
        plan.type = entry.type;
        plan.description = entry.description;
        plan.paymentMethod = entry.method;
        plan.addIncome = entry.addIncome;
        m_writer.write(plan);
    }

private:
    SingleEntryWriter m_writer;
};

} // namespace

std::unique_ptr<DemoEntryWriter> makeSingleEntryWriter(const QSqlDatabase &db)
{
    return std::make_unique<CheckedEntryWriter>(db);
}

std::unique_ptr<DemoEntryWriter> makeBatchEntryWriter(const QSqlDatabase &db)
{
    return std::make_unique<BatchEntryWriter>(db);
}

} // namespace dalvira::demo
