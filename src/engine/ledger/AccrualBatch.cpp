#include "ledger/AccrualBatch.h"

#include "storage/Sql.h"

namespace dalvira {

qint64 appendAccrualBatch(const QSqlDatabase &db, const AccrualBatch &batch)
{
    QDateTime recorded =
        batch.recordedAt.isValid() ? batch.recordedAt : QDateTime::currentDateTime();
    // Stored to the second, like every date and time of the data files.
    recorded = recorded.addMSecs(-recorded.time().msec());
    const QVariant date = batch.date.isValid() ? QVariant(batch.date) : QVariant(recorded);
    return insert(db, QStringLiteral("aiadataktar"),
                  {{QStringLiteral("tarih"), date},
                   {QStringLiteral("toplam_tutar"), batch.total},
                   {QStringLiteral("taksitsay"), batch.instalments},
                   {QStringLiteral("aciklama"), batch.description},
                   {QStringLiteral("kayittarihi"), recorded}});
}

} // namespace dalvira
