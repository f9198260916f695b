#include "SheetSources.h"

#include <QFile>
#include <QStringDecoder>

namespace dalvira::sheetio {

namespace {

// More than enough for the row cap even with very wide rows; a larger file is read this far.
constexpr qint64 kMaxBytes = 64 << 20;

// Windows-1254 differs from Latin-1 in 0x80-0x9F and in the six Turkish letters.
QString decodeWindows1254(const QByteArray &data)
{
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x008E, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x009E, 0x0178};
    QString out(data.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (const char ch : data) {
        const auto b = static_cast<unsigned char>(ch);
        char16_t u = b;
        if (b >= 0x80 && b <= 0x9F)
            u = high[b - 0x80];
        else if (b == 0xD0)
            u = u'Ğ';
        else if (b == 0xDD)
            u = u'İ';
        else if (b == 0xDE)
            u = u'Ş';
        else if (b == 0xF0)
            u = u'ğ';
        else if (b == 0xFD)
            u = u'ı';
        else if (b == 0xFE)
            u = u'ş';
        *dst++ = QChar(u);
    }
    return out;
}

QString decode(const QByteArray &data)
{
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(QStringDecoder::Utf16, QStringDecoder::Flag::ConvertInitialBom);
        QString text = utf16.decode(data);
        if (text.startsWith(QChar(0xFEFF)))
            text.remove(0, 1);
        return text;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data);
    if (utf8.hasError())
        return decodeWindows1254(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// The separator is the one of ";", "," and tab found most often outside quotes in the first
// line; ";" when none is, as Turkish spreadsheets write it (the comma is the decimal mark).
QChar detectSeparator(QStringView text)
{
    int semicolons = 0;
    int commas = 0;
    int tabs = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && (c == QLatin1Char('\n') || c == QLatin1Char('\r')))
            break;
        else if (!quoted && c == QLatin1Char(';'))
            ++semicolons;
        else if (!quoted && c == QLatin1Char(','))
            ++commas;
        else if (!quoted && c == QLatin1Char('\t'))
            ++tabs;
    }
    if (tabs > semicolons && tabs > commas)
        return QLatin1Char('\t');
    return commas > semicolons ? QLatin1Char(',') : QLatin1Char(';');
}

} // namespace

void CsvSheetSource::parse(const QByteArray &data, GridBuilder &grid)
{
    const QString text = decode(data);
    const QChar separator = detectSeparator(text);
    int row = 1;
    int column = 1;
    QString field;
    bool quoted = false;      // inside a quoted part of the field
    bool lineHasText = false; // the current line has any character at all
    const auto endField = [&] {
        grid.set(row, column, field);
        field.clear();
        ++column;
    };
    const auto endLine = [&] {
        endField();
        ++row;
        column = 1;
        lineHasText = false;
    };
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < size && text.at(i + 1) == QLatin1Char('"')) {
                    field += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            quoted = true;
            lineHasText = true;
        } else if (c == separator) {
            endField();
            lineHasText = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < size && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            endLine();
            if (row > grid.maxRows() + 1)
                return;
        } else {
            field += c;
            lineHasText = true;
        }
    }
    if (lineHasText || !field.isEmpty())
        endField();
}

Result CsvSheetSource::read(const QString &path, GridBuilder &grid)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::failure(ReadMessages::unreadable(path, file.errorString()));
    QByteArray data = file.read(kMaxBytes);
    if (file.error() != QFileDevice::NoError)
        return Result::failure(ReadMessages::unreadable(path, file.errorString()));
    if (!file.atEnd()) {
        // Cut at the last line break so no half line (or half character) is read.
        const qsizetype lastBreak = data.lastIndexOf('\n');
        data.truncate(lastBreak + 1);
        grid.markTruncated();
    }
    const bool utf16 = data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF");
    if (!utf16 && data.left(4096).contains('\0'))
        return Result::failure(ReadMessages::notSpreadsheet(path));
    parse(data, grid);
    return Result::success();
}

} // namespace dalvira::sheetio
