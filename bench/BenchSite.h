#pragma once

#include "common/Result.h"

#include <QString>

namespace dalvira {
class Storage;
}

namespace dalvira::bench {

// The site every run measures: 3,000 flats and ten years of dues and payments.
inline constexpr const char *kSiteCode = "BENCH";
inline constexpr int kSiteFlats = 3000;
inline constexpr int kSiteYears = 10;

// Lays out folder as a program folder from the build's one (only missing files are copied, so
// a folder in use keeps its data) and makes it the program folder.
Result prepareFolder(const QString &folder);

struct SitePreparation
{
    bool generated = false;
    double generationMs = 0;
    int flats = 0;
    int movements = 0;
    int payments = 0;
    int accrualBatches = 0;
};

// Opens the site kSiteCode on storage (already open), generating it first when its data file is
// missing or regenerate is set (the old site is deleted through the site list then).
Result prepareSite(Storage &storage, bool regenerate, SitePreparation &preparation);

} // namespace dalvira::bench
