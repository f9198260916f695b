#pragma once

#include "common/Result.h"

#include <QDate>
#include <QString>

namespace dalvira {

class BatchProgress;
class Storage;

struct DemoOptions
{
    int flats = 120;
    int years = 2;
    quint32 seed = 1;
    QDate lastMonth; // the data runs up to and including this month; invalid = current month
};

struct DemoOutcome
{
    int flats = 0;
    int accrualBatches = 0;
    int movements = 0;
    int payments = 0;
};

inline constexpr int kDemoMaxFlats = 20000;
inline constexpr int kDemoMaxYears = 30;

// Creates site `code` (listed like one made on the site information screen) and fills it with
// an example site's life: blocks of flats with Turkish owners and residents, some of them sold
// or let during the years, monthly dues charged in one accrual batch per dues year, and the
// payments of the residents (most on time, some late, some stopped, a few in USD), TL payments
// also booked as income of the operating book. The same seed and last month give the same data.
// The site's data is written in one transaction: a failure or a cancel through progress removes
// the new site again. The storage is left on the site it was on.
// Refused: an existing code ("\"KOD\" kodlu site zaten kayıtlı."), and counts outside
// 1..kDemoMaxFlats flats or 1..kDemoMaxYears years.
Result generateDemoSite(Storage &storage, const QString &code, const DemoOptions &options,
                        BatchProgress *progress = nullptr, DemoOutcome *outcome = nullptr);

// How the charges and payments of the flats are written: through the single entry (check and
// save, as typed on its screen) or through prepared statements that write the same rows. Auto
// takes the single entry for sites of up to kDemoSingleEntryFlatYears flat-years.
enum class DemoEntryPath { Auto, SingleEntry, Batch };
inline constexpr int kDemoSingleEntryFlatYears = 2000;
Result generateDemoSite(Storage &storage, const QString &code, const DemoOptions &options,
                        DemoEntryPath path, BatchProgress *progress = nullptr,
                        DemoOutcome *outcome = nullptr);

QString demoSiteExistsMessage(const QString &code);
QString demoFlatsRangeMessage();
QString demoYearsRangeMessage();

} // namespace dalvira
