#include "ledger/PaymentPlan.h"

#include "common/Money.h"
#include "flats/FlatRegister.h"
#include "ledger/AccrualBatch.h"
#include "ledger/MovementWriter.h"
#include "storage/Transaction.h"

namespace dalvira {

QString emptyPaymentPlanMessage()
{
    return QStringLiteral("Taksit tutarları veya tarihleri girilmemiş! İşlem iptal edildi.");
}

QString paymentPlanDoneMessage()
{
    return QStringLiteral("Aktarım işlemi tamamlanmıştır.");
}

QString paymentPlanQuestion()
{
    return QStringLiteral("Aidat aktarım işlemi yapılacaktır. Bu birkaç dakika sürebilir! "
                          "Devam edilsinmi?");
}

QString unnamedHolderMessage()
{
    return QStringLiteral("Borç aktarılacak kişinin adı kayıtlı değil! İşlem iptal edildi.");
}

Result summarizePaymentPlan(const PaymentPlan &plan, PaymentPlanSummary &summary)
{
    summary = {};
    Money sum;
    bool anyDate = false;
    for (const PaymentPlan::Row &row : plan.rows) {
        sum += Money::fromDouble(row.amount);
        anyDate = anyDate || row.date.isValid();
        if (row.amount > 0 && row.date.isValid())
            ++summary.instalments;
    }
    summary.total = sum.toDouble();
    // Amounts and dates on different rows would make a batch without a single movement.
    if (sum < Money::fromKurus(1) || !anyDate || summary.instalments == 0)
        return Result::failure(emptyPaymentPlanMessage());
    return Result::success();
}

Result postPaymentPlan(const QSqlDatabase &db, qint64 hid, const PaymentPlan &plan, qint64 *batchId)
{
    PaymentPlanSummary summary;
    if (Result r = summarizePaymentPlan(plan, summary); !r)
        return r;
    return runInTransaction(db, [&] {
        const std::optional<FlatRecord> flat = FlatRegister(db).load(hid);
        if (!flat)
            throw OperationError(QStringLiteral("Daire kaydı bulunamadı! İşlem iptal edildi."));
        if (flat->text(holderFirstNameColumn(plan.holder)).trimmed().isEmpty() &&
            flat->text(holderSurnameColumn(plan.holder)).trimmed().isEmpty())
            throw OperationError(unnamedHolderMessage());
        const QString holder = holderName(*flat, plan.holder);

        AccrualBatch batch;
        batch.date = plan.start;
        batch.total = summary.total;
        batch.instalments = summary.instalments;
        batch.description = holder + QStringLiteral(" - ") + plan.description;
        const qint64 aid = appendAccrualBatch(db, batch);

        LedgerMovement m;
        m.flatNumber = flat->number();
        m.flatRecord = flat->hid;
        m.holder = holder;
        m.type = plan.type;
        m.ownerName = holderSnapshotName(*flat, AccountHolder::Owner);
        m.residentName = holderSnapshotName(*flat, AccountHolder::Resident);
        m.currency = plan.currency;
        m.block = flat->text(QStringLiteral("blok"));
        m.flat = flat->text(QStringLiteral("dairesi"));
        m.outerDoor = flat->text(QStringLiteral("dis_kapi_numarasi"));
        m.description = plan.description;
        m.accrualBatch = aid;
        for (const PaymentPlan::Row &row : plan.rows) {
            if (!(row.amount > 0) || !row.date.isValid())
                continue;
            m.date = row.date;
            m.debit = row.amount;
            appendMovement(db, m);
        }
        if (batchId)
            *batchId = aid;
    });
}

} // namespace dalvira
