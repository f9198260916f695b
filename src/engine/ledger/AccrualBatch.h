#pragma once

#include <QDate>
#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace dalvira {

// One accrual batch (a row of aiadataktar); its aid is stamped into aidat1id of every
// movement it writes, so undoing the batch finds exactly those.
struct AccrualBatch
{
    QDate date;           // tarih: the first payment date; invalid stores recordedAt
    double total = 0;     // toplam_tutar
    int instalments = 0;  // taksitsay
    QString description;  // aciklama
    QDateTime recordedAt; // kayittarihi; invalid stores now
};

// Appends the batch row and returns its aid. Throws OperationError on a database failure.
qint64 appendAccrualBatch(const QSqlDatabase &db, const AccrualBatch &batch);

} // namespace dalvira
