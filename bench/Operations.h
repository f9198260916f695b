#pragma once

#include "Measurement.h"
#include "RawSqlite.h"
#include "balances/BalanceList.h"

#include <QDate>
#include <QSqlDatabase>

namespace dalvira::bench {

struct SiteFacts
{
    qint64 flats = 0;
    qint64 movements = 0;
    int statementFlat = 0;   // the flat with the most movements: the slowest statement
    QDate statementFirstDay; // the date of its first movement
};

SiteFacts readSiteFacts(RawDatabase &raw);

struct AccrualMeasurements
{
    Measurement transfer;
    Measurement undo;
};

// Runs each operation through the engine's public functions with the settings the screens
// pass, interleaved run by run with its raw SQLite baseline on a second connection to the
// same file. Every engine call commits before the baseline starts, so neither side waits for
// the other's lock. Throws std::runtime_error when an operation fails.
class Benchmark
{
public:
    Benchmark(const QSqlDatabase &db, RawDatabase &raw, int runs);

    // Twelve monthly instalments, Fixed method, every flat, charged to the residents; each run
    // undoes its batch again, and the baseline deletes its own rows, so the site stays as it was.
    AccrualMeasurements measureAccrual();
    // Report date today, holder role "Hepsi", no restriction.
    Measurement measureBalanceList(BalanceListKind kind);
    // The whole flat, from its first movement to today, in "TL".
    Measurement measureStatement(const SiteFacts &facts);

private:
    QSqlDatabase m_db;
    RawDatabase &m_raw;
    int m_runs;
};

} // namespace dalvira::bench
