#pragma once

#include "common/Result.h"

#include <QDate>
#include <QList>

namespace dalvira {

// The plan of up to twelve dated instalments that the flat record's payment plan and the bulk
// dues accrual build from a total, a first date, a count and a month step.
struct InstalmentPlanRequest
{
    double total = 0;      // the plan's total; below 0.01 counts as not entered
    QDate start;           // the first payment date; invalid counts as not entered
    int count = 12;        // instalments, 1 to 12 (brought into that range)
    int stepMonths = 1;    // months between instalments, 1 to 12 (brought into that range)
    bool monthEnd = false; // every date on the last day of its month
};

struct Instalment
{
    QDate date;
    double amount = 0;
};

inline constexpr int kMaxInstalments = 12;

// The plan: every instalment is total / count rounded to two decimals (halves to even); the
// rounding remainder is not spread, so the instalments may add up to a few kuruş less or more
// than the total, and the screens show the sum they really post. The first date is the start
// date (its month's last day with monthEnd); each next one lies stepMonths calendar months
// later on the start's day, or on the month's last day when that month is shorter or monthEnd
// is set.
// Fails with "Başlama Tarihi Girmelisiniz!" (no start date) or "İşlem Tutarı Girmelisiniz!"
// (no total), checked in that order.
Result buildInstalmentPlan(const InstalmentPlanRequest &request, QList<Instalment> &plan);

// The date of instalment index (0 = the first) of a plan starting at start.
QDate instalmentDate(const QDate &start, int index, int stepMonths, bool monthEnd);

QString missingStartDateMessage();
QString missingTotalMessage();

} // namespace dalvira
