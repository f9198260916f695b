#include "common/Money.h"

#include "common/Formats.h"
#include "common/Rounding.h"

#include <cmath>

namespace dalvira {

Money Money::fromDouble(double amount)
{
    // Taken from the rounded decimal text, not from amount * 100, so 1.015 is 102 kuruş.
    QString digits = roundedDecimalText(amount, 2);
    digits.remove(QLatin1Char('.'));
    bool ok = false;
    const qint64 kurus = digits.toLongLong(&ok);
    if (ok && kurus >= -kMaxKurus && kurus <= kMaxKurus)
        return Money(kurus);
    if (std::isnan(amount))
        return Money(); // NaN carries no amount
    return Money(amount < 0 ? -kMaxKurus : kMaxKurus);
}

QString Money::toText() const
{
    return formatAmount(toDouble());
}

} // namespace dalvira
