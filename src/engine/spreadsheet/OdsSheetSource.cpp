#include "SheetSources.h"
#include "SheetValueText.h"

#include <QRegularExpression>

namespace dalvira::sheetio {

namespace {

using PartStatus = ZipPackage::PartStatus;

const QString kOfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kTableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kTextNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");

// A run of spaces is written as <text:s text:c="n"/>; a damaged file must not make it huge.
constexpr int kMaxSpaceRun = 1000;

int repeatCount(const QXmlStreamAttributes &a, const QString &name)
{
    const int n = a.value(kTableNs, name).toInt();
    return n > 1 ? n : 1;
}

// Reads the text inside the current element up to its end: spans and links are followed,
// notes and annotations left out.
void readInline(QXmlStreamReader &xml, QString &out)
{
    while (!xml.atEnd() && !xml.hasError()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::Characters) {
            out += xml.text();
        } else if (token == QXmlStreamReader::EndElement) {
            return;
        } else if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (xml.namespaceUri() == kTextNs && name == QLatin1String("s")) {
                const int count = xml.attributes().value(kTextNs, QStringLiteral("c")).toInt();
                out += QString(qBound(1, count, kMaxSpaceRun), QLatin1Char(' '));
                xml.skipCurrentElement();
            } else if (xml.namespaceUri() == kTextNs && name == QLatin1String("tab")) {
                out += QLatin1Char('\t');
                xml.skipCurrentElement();
            } else if (xml.namespaceUri() == kTextNs && name == QLatin1String("line-break")) {
                out += QLatin1Char('\n');
                xml.skipCurrentElement();
            } else if (name == QLatin1String("note") || name == QLatin1String("annotation")) {
                xml.skipCurrentElement();
            } else {
                readInline(xml, out);
            }
        }
    }
}

// "PT14H30M05S" (also "PT36H00M00S", "P1DT2H") to "14:30:05".
QString durationText(const QString &duration)
{
    static const QRegularExpression pattern(
        QStringLiteral("^P(?:(\\d+)D)?T?(?:(\\d+)H)?(?:(\\d+)M)?(?:(\\d+(?:\\.\\d*)?)S)?$"));
    const QRegularExpressionMatch m = pattern.match(duration);
    if (!m.hasMatch())
        return duration;
    const qint64 hours = m.captured(1).toLongLong() * 24 + m.captured(2).toLongLong();
    const qint64 minutes = m.captured(3).toLongLong();
    const qint64 seconds = qRound64(m.captured(4).toDouble());
    return QStringLiteral("%1:%2:%3")
        .arg(hours, 2, 10, QLatin1Char('0'))
        .arg(minutes, 2, 10, QLatin1Char('0'))
        .arg(seconds, 2, 10, QLatin1Char('0'));
}

// The text of the current table cell, from its value attributes or its paragraphs.
QString readCell(QXmlStreamReader &xml)
{
    const QXmlStreamAttributes a = xml.attributes();
    const QStringView type = a.value(kOfficeNs, QStringLiteral("value-type"));
    QString paragraphs;
    bool firstParagraph = true;
    while (!xml.atEnd() && !xml.hasError()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement)
            break;
        if (token != QXmlStreamReader::StartElement)
            continue;
        if (xml.namespaceUri() == kTextNs && xml.name() == QLatin1String("p")) {
            if (!firstParagraph)
                paragraphs += QLatin1Char('\n');
            firstParagraph = false;
            readInline(xml, paragraphs);
        } else {
            xml.skipCurrentElement();
        }
    }

    if (type == QLatin1String("float") || type == QLatin1String("percentage") ||
        type == QLatin1String("currency")) {
        bool ok = false;
        const double value = a.value(kOfficeNs, QStringLiteral("value")).toDouble(&ok);
        return ok ? numberCellText(value) : paragraphs;
    }
    if (type == QLatin1String("date"))
        return isoDateCellText(a.value(kOfficeNs, QStringLiteral("date-value")).toString());
    if (type == QLatin1String("time"))
        return durationText(a.value(kOfficeNs, QStringLiteral("time-value")).toString());
    if (type == QLatin1String("boolean")) {
        const QStringView v = a.value(kOfficeNs, QStringLiteral("boolean-value"));
        return v == QLatin1String("true") ? QStringLiteral("DOĞRU") : QStringLiteral("YANLIŞ");
    }
    if (a.hasAttribute(kOfficeNs, QStringLiteral("string-value")))
        return a.value(kOfficeNs, QStringLiteral("string-value")).toString();
    return paragraphs;
}

struct RowReader
{
    GridBuilder &grid;
    int row = 1;
    bool stopped = false;

    // The current element is a table row.
    void readRow(QXmlStreamReader &xml)
    {
        const int rowRepeat = repeatCount(xml.attributes(), QStringLiteral("number-rows-repeated"));
        QList<std::pair<int, QString>> cells;
        qint64 column = 1;
        while (!xml.atEnd() && !xml.hasError()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement)
                break;
            if (token != QXmlStreamReader::StartElement)
                continue;
            const QStringView name = xml.name();
            if (name != QLatin1String("table-cell") &&
                name != QLatin1String("covered-table-cell")) {
                xml.skipCurrentElement();
                continue;
            }
            const int columnRepeat =
                repeatCount(xml.attributes(), QStringLiteral("number-columns-repeated"));
            const QString text = readCell(xml);
            if (!text.isEmpty()) {
                const qint64 last = qMin<qint64>(column + columnRepeat - 1, grid.maxColumns());
                for (qint64 c = column; c <= last; ++c)
                    cells.append({int(c), text});
            }
            column += columnRepeat;
        }
        if (cells.isEmpty()) {
            row = int(qMin<qint64>(qint64(row) + rowRepeat, grid.maxRows() + 1));
            return;
        }
        for (int r = 0; r < rowRepeat; ++r, ++row) {
            if (row > grid.maxRows()) {
                grid.markTruncated();
                stopped = true;
                return;
            }
            for (const auto &[c, text] : cells)
                grid.set(row, c, text);
        }
    }

    // The current element is the first table; rows may sit in groups and header blocks.
    void readTable(QXmlStreamReader &xml)
    {
        int depth = 0;
        while (!xml.atEnd() && !xml.hasError() && !stopped) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement) {
                if (depth-- == 0)
                    return;
                continue;
            }
            if (token != QXmlStreamReader::StartElement)
                continue;
            const QStringView name = xml.name();
            if (name == QLatin1String("table-row")) {
                readRow(xml);
            } else if (name == QLatin1String("table-row-group") ||
                       name == QLatin1String("table-header-rows") ||
                       name == QLatin1String("table-rows")) {
                ++depth;
            } else {
                xml.skipCurrentElement();
            }
        }
    }
};

} // namespace

Result OdsSheetSource::read(ZipPackage &zip, const QString &path, GridBuilder &grid)
{
    QByteArray manifest;
    if (zip.readSmall(QStringLiteral("META-INF/manifest.xml"), manifest, 4 << 20) ==
            PartStatus::Ok &&
        manifest.contains("encryption-data"))
        return Result::failure(ReadMessages::encrypted(path));

    bool foundTable = false;
    RowReader reader{grid};
    const PartStatus status =
        zip.parseXml(QStringLiteral("content.xml"), [&](QXmlStreamReader &xml) {
            while (!xml.atEnd() && !xml.hasError()) {
                if (xml.readNext() == QXmlStreamReader::StartElement &&
                    xml.namespaceUri() == kTableNs && xml.name() == QLatin1String("table")) {
                    foundTable = true;
                    reader.readTable(xml);
                    // Only the first table is read; a fault inside it still counts.
                    return xml.hasError();
                }
            }
            return true;
        });
    if (status != PartStatus::Ok)
        return Result::failure(ReadMessages::damaged(path));
    if (!foundTable)
        return Result::failure(ReadMessages::notSpreadsheet(path));
    return Result::success();
}

} // namespace dalvira::sheetio
