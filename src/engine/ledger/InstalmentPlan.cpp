#include "ledger/InstalmentPlan.h"

#include "common/Rounding.h"

#include <algorithm>
#include <cmath>

namespace dalvira {

QString missingStartDateMessage()
{
    return QStringLiteral("Başlama Tarihi Girmelisiniz!");
}

QString missingTotalMessage()
{
    return QStringLiteral("İşlem Tutarı Girmelisiniz!");
}

QDate instalmentDate(const QDate &start, int index, int stepMonths, bool monthEnd)
{
    if (!start.isValid())
        return {};
    // Counted from the start, not from the previous date, so a short February does not pull
    // the later dates of a plan on the 31st back to the 29th.
    const QDate firstOfMonth =
        QDate(start.year(), start.month(), 1).addMonths(index * std::max(1, stepMonths));
    const int days = firstOfMonth.daysInMonth();
    const int day = (monthEnd || start.day() > days) ? days : start.day();
    return QDate(firstOfMonth.year(), firstOfMonth.month(), day);
}

Result buildInstalmentPlan(const InstalmentPlanRequest &request, QList<Instalment> &plan)
{
    plan.clear();
    if (!request.start.isValid())
        return Result::failure(missingStartDateMessage());
    if (!std::isfinite(request.total) || request.total < 0.01)
        return Result::failure(missingTotalMessage());
    const int count = std::clamp(request.count, 1, kMaxInstalments);
    const int step = std::clamp(request.stepMonths, 1, 12);
    const double amount = roundHalfEven(request.total / count, 2);
    for (int i = 0; i < count; ++i)
        plan.append({instalmentDate(request.start, i, step, request.monthEnd), amount});
    return Result::success();
}

} // namespace dalvira
