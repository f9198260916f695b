#include "SheetSources.h"
#include "SheetValueText.h"

#include <QHash>
#include <QRegularExpression>

namespace dalvira::sheetio {

namespace {

using PartStatus = ZipPackage::PartStatus;

struct Relationship
{
    QString id;
    QString type;
    QString target;
};

QString relationshipsPartOf(const QString &part)
{
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) +
           QStringLiteral(".rels");
}

// Walks every element of a part; visit gets each start element.
template <typename Visit> bool walk(QXmlStreamReader &xml, Visit visit)
{
    while (!xml.atEnd() && !xml.hasError()) {
        if (xml.readNext() == QXmlStreamReader::StartElement) {
            if (!visit(xml))
                return false;
        }
    }
    return true;
}

PartStatus readRelationships(ZipPackage &zip, const QString &part, QList<Relationship> &out)
{
    return zip.parseXml(relationshipsPartOf(part), [&](QXmlStreamReader &xml) {
        return walk(xml, [&](QXmlStreamReader &x) {
            if (x.name() == QLatin1String("Relationship")) {
                const QXmlStreamAttributes a = x.attributes();
                out.append({a.value(QLatin1String("Id")).toString(),
                            a.value(QLatin1String("Type")).toString(),
                            a.value(QLatin1String("Target")).toString()});
            }
            return true;
        });
    });
}

QString findTarget(const QList<Relationship> &rels, const QString &typeSuffix)
{
    for (const Relationship &rel : rels) {
        if (rel.type.endsWith(typeSuffix))
            return rel.target;
    }
    return {};
}

// Strings may carry characters XML cannot hold as _xHHHH_.
QString decodeEscapes(QString text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype from = 0;
    for (auto it = escape.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(from, m.capturedStart() - from);
        out += QChar(char16_t(m.captured(1).toUShort(nullptr, 16)));
        from = m.capturedEnd();
    }
    out += QStringView(text).mid(from);
    return out;
}

// The text of an <si> or <is> element: its <t> runs, without phonetic hints (<rPh>).
QString readRichText(QXmlStreamReader &xml)
{
    const QString endName = xml.name().toString();
    QString text;
    while (!xml.atEnd() && !xml.hasError()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("rPh"))
                xml.skipCurrentElement();
            else if (xml.name() == QLatin1String("t"))
                text += xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (token == QXmlStreamReader::EndElement && xml.name() == endName) {
            break;
        }
    }
    return decodeEscapes(text);
}

PartStatus readSharedStrings(ZipPackage &zip, const QString &part, QStringList &strings)
{
    return zip.parseXml(part, [&](QXmlStreamReader &xml) {
        return walk(xml, [&](QXmlStreamReader &x) {
            if (x.name() == QLatin1String("si"))
                strings.append(readRichText(x));
            return true;
        });
    });
}

// For each cell format (the s attribute of a cell), whether it shows a date.
PartStatus readDateStyles(ZipPackage &zip, const QString &part, QList<bool> &dateStyles)
{
    QHash<int, QString> codes;
    return zip.parseXml(part, [&](QXmlStreamReader &xml) {
        bool inCellFormats = false;
        while (!xml.atEnd() && !xml.hasError()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("cellXfs")) {
                inCellFormats = false;
            } else if (token == QXmlStreamReader::StartElement) {
                const QXmlStreamAttributes a = xml.attributes();
                if (xml.name() == QLatin1String("numFmt")) {
                    codes.insert(a.value(QLatin1String("numFmtId")).toInt(),
                                 a.value(QLatin1String("formatCode")).toString());
                } else if (xml.name() == QLatin1String("cellXfs")) {
                    inCellFormats = true;
                } else if (inCellFormats && xml.name() == QLatin1String("xf")) {
                    const int id = a.value(QLatin1String("numFmtId")).toInt();
                    const auto code = codes.constFind(id);
                    dateStyles.append(code != codes.constEnd() ? isDateFormatCode(*code)
                                                               : isBuiltinDateFormat(id));
                }
            }
        }
        return true;
    });
}

// "AB12" to column 28, row 12; parts that are missing stay 0.
void parseCellReference(QStringView ref, int &row, int &column)
{
    row = 0;
    column = 0;
    qsizetype i = 0;
    for (; i < ref.size() && ref[i].isLetter(); ++i) {
        column = column * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
        if (column > 1 << 20)
            return;
    }
    for (; i < ref.size() && ref[i].isDigit(); ++i) {
        row = row * 10 + (ref[i].unicode() - '0');
        if (row > 1 << 24)
            return;
    }
}

struct SheetContext
{
    const QStringList &strings;
    const QList<bool> &dateStyles;
    bool date1904 = false;
};

QString cellText(const SheetContext &ctx, QStringView type, int style, const QString &value,
                 const QString &inlineText)
{
    if (type == QLatin1String("s")) {
        bool ok = false;
        const int index = value.toInt(&ok);
        return ok && index >= 0 && index < ctx.strings.size() ? ctx.strings.at(index) : QString();
    }
    if (type == QLatin1String("inlineStr"))
        return inlineText;
    if (type == QLatin1String("str") || type == QLatin1String("e"))
        return decodeEscapes(value);
    if (type == QLatin1String("b"))
        return value.trimmed() == QLatin1String("1") ? QStringLiteral("DOĞRU")
                                                     : QStringLiteral("YANLIŞ");
    if (type == QLatin1String("d"))
        return isoDateCellText(value);
    if (value.isEmpty())
        return {};
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok)
        return value;
    if (style >= 0 && style < ctx.dateStyles.size() && ctx.dateStyles.at(style))
        return serialDateText(number, ctx.date1904);
    return numberCellText(number);
}

PartStatus readWorksheet(ZipPackage &zip, const QString &part, const SheetContext &ctx,
                         GridBuilder &grid)
{
    return zip.parseXml(part, [&](QXmlStreamReader &xml) {
        int row = 0;
        int column = 0;
        while (!xml.atEnd() && !xml.hasError()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("row")) {
                const QStringView r = xml.attributes().value(QLatin1String("r"));
                row = r.isEmpty() ? row + 1 : r.toInt();
                column = 0;
                continue;
            }
            if (xml.name() != QLatin1String("c"))
                continue;
            const QXmlStreamAttributes a = xml.attributes();
            int refRow = 0;
            int refColumn = 0;
            parseCellReference(a.value(QLatin1String("r")), refRow, refColumn);
            column = refColumn > 0 ? refColumn : column + 1;
            if (refRow > 0)
                row = refRow;
            const QString type = a.value(QLatin1String("t")).toString();
            const QStringView styleText = a.value(QLatin1String("s"));
            const int style = styleText.isEmpty() ? 0 : styleText.toInt();

            QString value;
            QString inlineText;
            while (!xml.atEnd() && !xml.hasError()) {
                const auto token = xml.readNext();
                if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("c"))
                    break;
                if (token != QXmlStreamReader::StartElement)
                    continue;
                if (xml.name() == QLatin1String("v"))
                    value = xml.readElementText();
                else if (xml.name() == QLatin1String("is"))
                    inlineText = readRichText(xml);
                else
                    xml.skipCurrentElement();
            }
            const QString text = cellText(ctx, type, style, value, inlineText);
            grid.set(row, column, text);
            // Rows come in order: the first content beyond the cap ends the reading.
            if (row > grid.maxRows() && !text.isEmpty())
                return false;
        }
        return true;
    });
}

} // namespace

Result XlsxSheetSource::read(ZipPackage &zip, const QString &path, GridBuilder &grid)
{
    const auto damaged = [&] { return Result::failure(ReadMessages::damaged(path)); };

    QList<Relationship> packageRels;
    if (readRelationships(zip, QString(), packageRels) == PartStatus::Damaged)
        return damaged();
    QString workbookPart = findTarget(packageRels, QStringLiteral("/officeDocument"));
    workbookPart = workbookPart.isEmpty() ? QStringLiteral("xl/workbook.xml")
                                          : resolvePartPath(QString(), workbookPart);

    bool isWorkbook = false;
    bool date1904 = false;
    QString firstSheetId;
    const PartStatus workbookStatus = zip.parseXml(workbookPart, [&](QXmlStreamReader &xml) {
        return walk(xml, [&](QXmlStreamReader &x) {
            const QXmlStreamAttributes a = x.attributes();
            if (x.name() == QLatin1String("workbook")) {
                isWorkbook = true;
            } else if (x.name() == QLatin1String("workbookPr")) {
                const QStringView v = a.value(QLatin1String("date1904"));
                date1904 = v == QLatin1String("1") || v == QLatin1String("true");
            } else if (x.name() == QLatin1String("sheet")) {
                for (const QXmlStreamAttribute &attribute : a) {
                    if (attribute.name() == QLatin1String("id"))
                        firstSheetId = attribute.value().toString();
                }
                return false;
            }
            return true;
        });
    });
    if (workbookStatus == PartStatus::Damaged)
        return damaged();
    if (workbookStatus == PartStatus::Missing || !isWorkbook)
        return Result::failure(ReadMessages::notSpreadsheet(path));
    if (firstSheetId.isEmpty())
        return damaged();

    QList<Relationship> workbookRels;
    if (readRelationships(zip, workbookPart, workbookRels) != PartStatus::Ok)
        return damaged();
    QString sheetPart;
    for (const Relationship &rel : workbookRels) {
        if (rel.id == firstSheetId)
            sheetPart = resolvePartPath(workbookPart, rel.target);
    }
    if (sheetPart.isEmpty())
        return damaged();

    QStringList strings;
    const QString stringsTarget = findTarget(workbookRels, QStringLiteral("/sharedStrings"));
    if (!stringsTarget.isEmpty() &&
        readSharedStrings(zip, resolvePartPath(workbookPart, stringsTarget), strings) ==
            PartStatus::Damaged)
        return damaged();
    QList<bool> dateStyles;
    const QString stylesTarget = findTarget(workbookRels, QStringLiteral("/styles"));
    if (!stylesTarget.isEmpty() && readDateStyles(zip, resolvePartPath(workbookPart, stylesTarget),
                                                  dateStyles) == PartStatus::Damaged)
        return damaged();

    const SheetContext ctx{strings, dateStyles, date1904};
    if (readWorksheet(zip, sheetPart, ctx, grid) != PartStatus::Ok)
        return damaged();
    return Result::success();
}

} // namespace dalvira::sheetio
