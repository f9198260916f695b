#include "common/Formats.h"

#include "common/Rounding.h"

#include <algorithm>
#include <cstring>

namespace dalvira {

namespace {

// What a "#,##0.00"-style pattern asks for: digit groups, a 0 before the point (or nothing
// when the integer part is zero), and how many decimals are always shown.
struct AmountPattern
{
    bool grouped = true;
    bool zeroInteger = true;
    int decimals = 2;
};

AmountPattern readPattern(const char *pattern)
{
    if (!pattern || !*pattern)
        pattern = kAmountFormat;
    AmountPattern p;
    const char *point = std::strchr(pattern, '.');
    const char *integerEnd = point ? point : pattern + std::strlen(pattern);
    p.grouped = std::find(pattern, integerEnd, ',') != integerEnd;
    p.zeroInteger = integerEnd > pattern && integerEnd[-1] == '0';
    p.decimals = point ? int(std::strlen(point + 1)) : 0;
    return p;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

} // namespace

QString formatAmount(double value, const char *pattern)
{
    const AmountPattern p = readPattern(pattern);
    // Rounded on the decimal digits the user sees; the text never reads "-0,00".
    const QString plain = roundedDecimalText(value, p.decimals);
    if (plain.isEmpty())
        return {}; // NaN or infinity: no amount to show
    const bool negative = plain.startsWith(QLatin1Char('-'));
    const QStringView digits = QStringView(plain).mid(negative ? 1 : 0);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    const QStringView integer = point < 0 ? digits : digits.left(point);
    const QStringView fraction = point < 0 ? QStringView() : digits.mid(point + 1);

    QString out;
    if (negative)
        out += QLatin1Char('-');
    if (integer != u"0" || p.zeroInteger) {
        for (qsizetype i = 0; i < integer.size(); ++i) {
            if (p.grouped && i > 0 && (integer.size() - i) % 3 == 0)
                out += QLatin1Char('.');
            out += integer.at(i);
        }
    }
    if (p.decimals > 0) {
        out += QLatin1Char(',');
        out += fraction;
    }
    return out;
}

QString formatDate(const QDate &date)
{
    if (!date.isValid())
        return {};
    return twoDigits(date.day()) + QLatin1Char('.') + twoDigits(date.month()) + QLatin1Char('.') +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

QDate parseDisplayDate(const QString &text)
{
    const QString t = text.trimmed();
    if (t.size() != 10 || t.at(2) != QLatin1Char('.') || t.at(5) != QLatin1Char('.'))
        return {};
    for (qsizetype i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (t.at(i) < QLatin1Char('0') || t.at(i) > QLatin1Char('9'))
            return {};
    }
    const QDate date(t.mid(6, 4).toInt(), t.mid(3, 2).toInt(), t.mid(0, 2).toInt());
    return date.isValid() ? date : QDate();
}

QString isoDate(const QDate &date)
{
    if (!date.isValid())
        return {};
    return QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')) + QLatin1Char('-') +
           twoDigits(date.month()) + QLatin1Char('-') + twoDigits(date.day());
}

} // namespace dalvira
