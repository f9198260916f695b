#pragma once

#include <QDate>
#include <QString>

namespace dalvira {

// Turkish display of amounts: "#,##0.00" gives 1.234,56 and 0,00; "#,###.00" gives ,00 for zero.
inline constexpr const char *kAmountFormat = "#,##0.00";
inline constexpr const char *kAmountFormatNoZero = "#,###.00";
QString formatAmount(double value, const char *pattern = kAmountFormat);

// dd.MM.yyyy; an invalid date gives an empty text.
QString formatDate(const QDate &date);
// dd.MM.yyyy (a real calendar date) to QDate; anything else gives an invalid date.
QDate parseDisplayDate(const QString &text);

// Storage form: yyyy-MM-dd.
QString isoDate(const QDate &date);

} // namespace dalvira
