#include "AmountValidator.h"

#include "AmountEdit.h"

namespace dalvira {

AmountValidator::AmountValidator(QObject *parent) : QValidator(parent) {}

QValidator::State AmountValidator::validate(QString &input, int &pos) const
{
    // The characters that count (everything but the grouping dots), each remembering whether
    // it stood before the cursor.
    QString sign;
    QString integer;
    QString decimals;
    bool hasComma = false;
    int keptBeforeCursor = 0;
    int integerBeforeCursor = 0;
    for (int i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        const bool beforeCursor = i < pos;
        if (c == QLatin1Char('-')) {
            if (!m_negativeAllowed || i != 0)
                return Invalid;
            sign = c;
        } else if (c == QLatin1Char(',')) {
            if (hasComma)
                return Invalid;
            hasComma = true;
        } else if (c == QLatin1Char('.')) {
            if (hasComma)
                return Invalid;
            continue;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            if (hasComma) {
                decimals += c;
            } else {
                integer += c;
                integerBeforeCursor += beforeCursor ? 1 : 0;
            }
        } else {
            return Invalid;
        }
        keptBeforeCursor += beforeCursor ? 1 : 0;
    }
    if (decimals.size() > 2)
        return Invalid;

    // Leading zeros go ("05" reads 5); a lone zero stays for "0,5".
    int zeros = 0;
    while (zeros < integer.size() - 1 && integer.at(zeros) == QLatin1Char('0'))
        ++zeros;
    integer.remove(0, zeros);
    const int strippedBeforeCursor = qMin(zeros, integerBeforeCursor);
    keptBeforeCursor -= strippedBeforeCursor;
    if (integer.size() > AmountEdit::kMaxIntegerDigits)
        return Invalid;

    QString grouped;
    for (int i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0)
            grouped += QLatin1Char('.');
        grouped += integer.at(i);
    }
    const QString result = sign + grouped + (hasComma ? QLatin1Char(',') + decimals : QString());

    // The cursor goes right behind the same kept character (dots occur only in the integer).
    int newPos = 0;
    for (int kept = 0; kept < keptBeforeCursor && newPos < result.size(); ++newPos) {
        if (result.at(newPos) != QLatin1Char('.'))
            ++kept;
    }
    input = result;
    pos = newPos;
    return Acceptable;
}

} // namespace dalvira
