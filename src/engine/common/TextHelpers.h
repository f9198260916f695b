#pragma once

#include <QChar>
#include <QString>

namespace dalvira {

// Typed amount to number: a sign only as the first character, the digits and the decimal
// separator are kept, everything else (thousands dots, "TL", blanks) is dropped.
// A text with nothing convertible (empty, a lone sign or separator) gives 0. When several
// separators are typed the first is the decimal point and the later ones are dropped:
// "1,2,3" gives 1.23. The conversion is exact and never depends on the system locale.
double parseAmount(const QString &text, QChar decimalSeparator = QLatin1Char(','));

// As parseAmount without the decimal separator: 05.03.2024 gives 5032024. Exact up to 15
// digits, so long digit runs are safe beyond the int range.
double parseDigits(const QString &text);

// Characters 1-2 day, 4-5 month, 7-10 year form a real calendar date. Anything else (short
// text, blanks or letters in those places) is false.
bool isDateText(const QString &text);

// Trim, then fold Turkish capitals (I->ı, İ->i, Ç Ğ Ö Ş Ü) and ASCII A-Z to lower case.
QString turkishLower(const QString &text);

// Completion of a date field when it is left.
struct DateCompletion
{
    enum class Outcome { Unchanged, Completed, Refused };
    Outcome outcome = Outcome::Unchanged;
    QString text;    // the completed field text (Completed), or the field as it was
    QString message; // Refused: "\"31.13.2024\" tarih girişiniz uygun değil!"
};
DateCompletion completeDateText(const QString &fieldText, int defaultYear);

} // namespace dalvira
