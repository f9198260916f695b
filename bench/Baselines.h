#pragma once

#include "RawSqlite.h"

#include <QDate>
#include <QList>
#include <QString>

namespace dalvira::bench {

// What a baseline produced, to set beside the engine's answer: the rows it stepped through and
// the debit and credit it summed, in kuruş.
struct BaselineAnswer
{
    qint64 rows = 0;
    qint64 debitKurus = 0;
    qint64 creditKurus = 0;
    qint64 balanceKurus = 0; // the statement's final running balance
    qint64 batchId = 0;      // the accrual baseline's batch
};

// The plan the accrual baseline writes: the same columns and values the engine's transfer
// writes for a Fixed plan charged to the residents of every flat.
struct RawAccrualPlan
{
    QList<QDate> dates;
    QList<double> amounts;
    int roundingDecimals = 0;
    QString type;
    QString currency;
    QString description;
    QString batchText;
    double total = 0;
};

// One transaction: read the flats, append the batch row, and one prepared INSERT stepped once
// per flat and instalment.
BaselineAnswer insertAccrualBaseline(RawDatabase &db, const RawAccrualPlan &plan);

// One transaction: DELETE ... WHERE aidat1id = ?, then the batch row.
BaselineAnswer deleteAccrualBaseline(RawDatabase &db, qint64 aid);

// The grouping a balance list kind needs (kinds 1 to 6) with SUM(borc), SUM(alacak) up to and
// including reportDate, stepped to the last row, plus one pass over the flat register for the
// flat columns the list shows.
BaselineAnswer balanceBaseline(RawDatabase &db, int kind, const QDate &reportDate);

// One flat's movements in one currency from firstDay to reportDate ordered by date, stepped to
// the last row with the running balance.
BaselineAnswer statementBaseline(RawDatabase &db, int flatNumber, const QString &currency,
                                 const QDate &firstDay, const QDate &reportDate);

} // namespace dalvira::bench
