#pragma once

#include <QDate>
#include <QString>

namespace dalvira {

// How imported cell values become the texts the import screens parse: numbers as the Turkish
// locale writes them without grouping ("1234,5", "-12", "0,1"), dates as dd.MM.yyyy.

// Shortest form of the value to 15 significant digits and at most 10 decimals, so a cached
// formula result such as 0.0400000000000773 reads "0,04" as the sheet shows it.
QString numberCellText(double value);

// A date serial of the 1900 system (1 = 01.01.1900, 60 = the fictitious 29.02.1900 spreadsheets
// keep for compatibility) or, with date1904, of the 1904 system (0 = 01.01.1904).
// A time of day other than midnight is appended as " HH:mm:ss"; a serial below 1 with a time
// is a time alone. Values outside the calendar come back as numbers.
QString serialDateText(double serial, bool date1904 = false);

// "2024-03-05", "2024-03-05T14:30:00" or "2024-03-05 14:30:00" to "05.03.2024"
// ("05.03.2024 14:30:00"); a text that is no date is returned unchanged.
QString isoDateCellText(const QString &iso);

// Whether an .xlsx number format shows its value as a date or time: built-in formats 14-22
// and 45-47, or a format code with day, month, year, hour or second parts outside quotes.
bool isBuiltinDateFormat(int numFmtId);
bool isDateFormatCode(const QString &code);

} // namespace dalvira
