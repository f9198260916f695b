#include "SheetValueText.h"

#include <QLocale>
#include <QTime>
#include <cmath>

namespace dalvira {

namespace {

constexpr qint64 kSecondsPerDay = 86400;
// 31.12.9999, the last day spreadsheets can show.
constexpr double kLastSerial = 2958465.0;

QString timeText(qint64 secondOfDay)
{
    return QTime(0, 0).addSecs(int(secondOfDay)).toString(QStringLiteral("HH:mm:ss"));
}

} // namespace

QString numberCellText(double value)
{
    if (!std::isfinite(value))
        return {};
    // Binary noise lives beyond the 15th significant digit, and a sum that cancels out
    // (-1234.56 + 0.1 + 1234.5 = 0.0400000000000773) leaves it in the last decimals; neither
    // shows in the sheet. Ten decimals are far more than any amount or rate needs.
    double shown = QString::number(value, 'g', 15).toDouble();
    if (std::fabs(shown) < 1e15)
        shown = QString::number(shown, 'f', 10).toDouble();
    if (shown == 0.0)
        return QStringLiteral("0");
    QString text = QString::number(shown, 'f', QLocale::FloatingPointShortest);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString serialDateText(double serial, bool date1904)
{
    if (!std::isfinite(serial) || serial < 0.0 || serial > kLastSerial + 1.0)
        return numberCellText(serial);
    const qint64 seconds = std::llround(serial * double(kSecondsPerDay));
    const qint64 days = seconds / kSecondsPerDay;
    const qint64 secondOfDay = seconds % kSecondsPerDay;

    QString dateText;
    if (date1904) {
        dateText = QDate(1904, 1, 1).addDays(days).toString(QStringLiteral("dd.MM.yyyy"));
    } else if (days == 0) {
        if (secondOfDay != 0)
            return timeText(secondOfDay);
        dateText = QStringLiteral("00.01.1900");
    } else if (days == 60) {
        dateText = QStringLiteral("29.02.1900");
    } else {
        // Serials before the fictitious 29.02.1900 count from 31.12.1899, the rest from
        // 30.12.1899.
        const QDate base = days < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
        dateText = base.addDays(days).toString(QStringLiteral("dd.MM.yyyy"));
    }
    if (secondOfDay != 0)
        dateText += QLatin1Char(' ') + timeText(secondOfDay);
    return dateText;
}

QString isoDateCellText(const QString &iso)
{
    const QDate date = QDate::fromString(iso.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return iso;
    QString text = date.toString(QStringLiteral("dd.MM.yyyy"));
    if (iso.size() > 10) {
        // The time part may carry fractions of a second ("T14:30:00.000"); whole seconds do.
        const QTime time = QTime::fromString(iso.mid(11, 8), QStringLiteral("HH:mm:ss"));
        if (time.isValid() && time != QTime(0, 0))
            text += QLatin1Char(' ') + time.toString(QStringLiteral("HH:mm:ss"));
    }
    return text;
}

bool isBuiltinDateFormat(int numFmtId)
{
    return (numFmtId >= 14 && numFmtId <= 22) || (numFmtId >= 45 && numFmtId <= 47);
}

bool isDateFormatCode(const QString &code)
{
    bool inQuotes = false;
    bool inBrackets = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (inQuotes) {
            inQuotes = c != QLatin1Char('"');
            continue;
        }
        if (inBrackets) {
            inBrackets = c != QLatin1Char(']');
            continue;
        }
        switch (c.unicode()) {
        case '"':
            inQuotes = true;
            continue;
        case '[':
            inBrackets = true;
            continue;
        case '\\': // an escaped literal character
        case '_':  // a space as wide as the next character
        case '*':  // the next character repeated to fill the cell
            ++i;
            continue;
        default:
            break;
        }
        switch (c.toLower().unicode()) {
        case 'd':
        case 'm':
        case 'y':
        case 'h':
        case 's':
            return true;
        default:
            break;
        }
    }
    return false;
}

} // namespace dalvira
