#include "common/TextHelpers.h"

#include <QDate>
#include <charconv>
#include <cmath>
#include <string>

namespace dalvira {

namespace {

// Converts sign + integer digits [+ "." + fraction digits] exactly (correctly rounded, no
// locale involved). Nothing but a sign or a point gives 0; zero never comes back negative.
double convertKept(bool negative, const std::string &intDigits, const std::string &fracDigits)
{
    if (intDigits.empty() && fracDigits.empty())
        return 0.0;
    std::string text = intDigits.empty() ? std::string("0") : intDigits;
    if (!fracDigits.empty())
        text += '.' + fracDigits;
    double value = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Too many digits for a double: a long run of integer digits overflows, a long run of
        // zeros after the point underflows.
        const bool hasIntegerValue = intDigits.find_first_not_of('0') != std::string::npos;
        value = hasIntegerValue ? HUGE_VAL : 0.0;
    }
    if (value == 0.0)
        return 0.0;
    return negative ? -value : value;
}

// Collects the kept characters of a typed number. The first separator is the decimal point;
// later separators are dropped, so "1,2,3" reads 1.23 (a second comma is a typing slip, and
// keeping the digits after it loses nothing the user typed).
double parseKept(const QString &text, bool withSeparator, QChar separator)
{
    bool negative = false;
    bool seenSeparator = false;
    std::string intDigits;
    std::string fracDigits;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (i == 0 && (ch == QLatin1Char('-') || ch == QLatin1Char('+'))) {
            negative = ch == QLatin1Char('-');
        } else if (ch.isDigit()) {
            // Any decimal digit (also full-width or Arabic-Indic ones) by its value.
            (seenSeparator ? fracDigits : intDigits).push_back(char('0' + ch.digitValue()));
        } else if (withSeparator && ch == separator) {
            seenSeparator = true;
        }
    }
    return convertKept(negative, intDigits, fracDigits);
}

bool isAsciiDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Mask blanks of a date field: space and the underscore placeholder.
QString withoutBlanks(QString part)
{
    part.remove(QLatin1Char(' '));
    part.remove(QLatin1Char('_'));
    return part;
}

// Whole number of a part of 1..maxLength ASCII digits, -1 otherwise ("005" is no day).
int partValue(const QString &part, qsizetype maxLength)
{
    if (!isAsciiDigits(part) || part.size() > maxLength)
        return -1;
    return part.toInt();
}

} // namespace

double parseAmount(const QString &text, QChar decimalSeparator)
{
    return parseKept(text, true, decimalSeparator);
}

double parseDigits(const QString &text)
{
    return parseKept(text, false, QChar());
}

bool isDateText(const QString &text)
{
    if (text.size() < 10)
        return false;
    const QStringView view(text);
    const QStringView day = view.mid(0, 2);
    const QStringView month = view.mid(3, 2);
    const QStringView year = view.mid(6, 4);
    if (!isAsciiDigits(day) || !isAsciiDigits(month) || !isAsciiDigits(year))
        return false;
    return QDate::isValid(year.toInt(), month.toInt(), day.toInt());
}

QString turkishLower(const QString &text)
{
    QString out = text.trimmed();
    for (QChar &ch : out) {
        switch (ch.unicode()) {
        case u'I':
            ch = QChar(u'ı');
            break;
        case u'İ':
            ch = QChar(u'i');
            break;
        case u'Ç':
            ch = QChar(u'ç');
            break;
        case u'Ğ':
            ch = QChar(u'ğ');
            break;
        case u'Ö':
            ch = QChar(u'ö');
            break;
        case u'Ş':
            ch = QChar(u'ş');
            break;
        case u'Ü':
            ch = QChar(u'ü');
            break;
        default:
            if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'))
                ch = QChar(ch.unicode() + (u'a' - u'A'));
        }
    }
    return out;
}

DateCompletion completeDateText(const QString &fieldText, int defaultYear)
{
    DateCompletion result;
    result.text = fieldText;

    // A masked field reads "dd.mm.yyyy" with blanks as spaces or "_"; a field that returns
    // its text without the blanks reads "5.3.24". Splitting on the two dots serves both;
    // without them the parts are taken by position.
    QString day;
    QString month;
    QString year;
    const QStringList parts = fieldText.split(QLatin1Char('.'));
    if (parts.size() == 3) {
        day = withoutBlanks(parts.at(0));
        month = withoutBlanks(parts.at(1));
        year = withoutBlanks(parts.at(2));
    } else {
        day = withoutBlanks(fieldText.mid(0, 2));
        month = withoutBlanks(fieldText.mid(3, 2));
        year = withoutBlanks(fieldText.mid(6, 4));
    }

    if (day.isEmpty() && month.isEmpty() && year.isEmpty())
        return result; // nothing typed: leave the field alone

    if (day.size() == 1)
        day.prepend(QLatin1Char('0'));
    if (month.size() == 1)
        month.prepend(QLatin1Char('0'));
    if (year.isEmpty() && !month.isEmpty())
        year = QString::number(defaultYear);
    switch (year.size()) {
    case 1:
        year.prepend(QLatin1String("200"));
        break;
    case 2:
        year.prepend(QLatin1String("20"));
        break;
    case 3:
        year.prepend(QLatin1Char('1'));
        break;
    default:
        break;
    }

    const int d = partValue(day, 2);
    const int m = partValue(month, 2);
    const int y = partValue(year, 4);
    if (d >= 1 && d <= 31 && m >= 1 && m <= 12 && y >= 1905 && y <= 2999) {
        result.outcome = DateCompletion::Outcome::Completed;
        result.text = day + QLatin1Char('.') + month + QLatin1Char('.') + year;
        return result;
    }
    result.outcome = DateCompletion::Outcome::Refused;
    result.message = QLatin1Char('"') + day + QLatin1Char('.') + month + QLatin1Char('.') + year +
                     QLatin1Char('"') + QStringLiteral(" tarih girişiniz uygun değil!");
    return result;
}

} // namespace dalvira
