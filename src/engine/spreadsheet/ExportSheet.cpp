#include "ExportSheet.h"

#include "SheetWriter.h"
#include "common/Formats.h"

namespace dalvira {

namespace {

const QString kAmountCellFormat = QString::fromLatin1(kAmountFormat);

bool isSummable(ExportKind kind)
{
    return kind == ExportKind::Integer || kind == ExportKind::Number || kind == ExportKind::Amount;
}

CellStyle styleOf(ExportKind kind)
{
    return kind == ExportKind::Amount ? CellStyle::withFormat(kAmountCellFormat) : CellStyle{};
}

// The sum a spreadsheet works out for a column: amounts to the kuruş, whole numbers exactly.
class ColumnSum
{
public:
    explicit ColumnSum(ExportKind kind) : m_kind(kind) {}

    void add(const ExportValue &value)
    {
        if (const auto *money = std::get_if<Money>(&value)) {
            m_money += *money;
            m_number += money->toDouble();
        } else if (const auto *number = std::get_if<double>(&value)) {
            m_money += Money::fromDouble(*number);
            m_number += *number;
        } else if (const auto *whole = std::get_if<qint64>(&value)) {
            m_money += Money::fromKurus(*whole * 100);
            m_whole += *whole;
            m_number += double(*whole);
        }
    }

    double value() const
    {
        switch (m_kind) {
        case ExportKind::Amount:
            return m_money.toDouble();
        case ExportKind::Integer:
            return double(m_whole);
        default:
            return m_number;
        }
    }

private:
    ExportKind m_kind;
    Money m_money;
    qint64 m_whole = 0;
    double m_number = 0;
};

void writeValue(SheetWriter &writer, int row, int column, ExportKind kind, const ExportValue &value)
{
    const CellStyle style = styleOf(kind);
    if (const auto *text = std::get_if<QString>(&value)) {
        writer.writeText(row, column, *text, style);
    } else if (const auto *money = std::get_if<Money>(&value)) {
        writer.writeNumber(row, column, money->toDouble(), style);
    } else if (const auto *number = std::get_if<double>(&value)) {
        // Amounts are shown and summed to the kuruş; the cell holds what the sum counts.
        writer.writeNumber(
            row, column,
            kind == ExportKind::Amount ? Money::fromDouble(*number).toDouble() : *number, style);
    } else if (const auto *whole = std::get_if<qint64>(&value)) {
        writer.writeInteger(row, column, *whole, style);
    } else if (const auto *date = std::get_if<QDate>(&value)) {
        writer.writeDate(row, column, *date, style);
    }
}

} // namespace

ExportPlacement writeExportSheet(SheetWriter &writer, const ExportSheet &sheet)
{
    const ExportLayout &layout = sheet.layout;
    ExportPlacement placement;

    writer.writeText(1, 1, sheet.siteName);
    writer.writeText(2, 1, sheet.siteAddress);
    writer.writeText(3, 1, QStringLiteral("Tel: ") + sheet.sitePhone);
    writer.formatRows(1, 2, CellStyle::makeBold(layout.siteFontSize));
    writer.writeText(layout.titleRow, 1, sheet.title,
                     layout.titleBold ? CellStyle::makeBold() : CellStyle{});

    const int firstColumn = layout.numbered ? 2 : 1;
    for (int i = 0; i < sheet.columns.size(); ++i)
        placement.columnOf.append(firstColumn + i);
    const int lastColumn = firstColumn + int(sheet.columns.size()) - 1;

    if (layout.numbered)
        writer.writeText(layout.headingRow, 1, layout.numberCaption);
    for (int i = 0; i < sheet.columns.size(); ++i) {
        const ExportColumn &column = sheet.columns.at(i);
        writer.writeText(layout.headingRow, placement.columnOf.at(i), column.caption);
        if (column.width > 0)
            writer.setMinimumColumnWidth(placement.columnOf.at(i), column.width);
    }
    writer.formatRange(layout.headingRow, 1, layout.headingRow, qMax(lastColumn, 1),
                       CellStyle::makeBold());

    placement.firstDataRow = layout.firstDataRow > 0 ? layout.firstDataRow : layout.headingRow + 1;
    QList<ColumnSum> sums;
    for (const ExportColumn &column : sheet.columns)
        sums.append(ColumnSum(column.kind));

    int row = placement.firstDataRow;
    for (int r = 0; r < sheet.rows.size(); ++r, ++row) {
        if (layout.numbered)
            writer.writeInteger(row, 1, r + 1);
        const QList<ExportValue> &values = sheet.rows.at(r);
        for (int i = 0; i < sheet.columns.size() && i < values.size(); ++i) {
            writeValue(writer, row, placement.columnOf.at(i), sheet.columns.at(i).kind,
                       values.at(i));
            sums[i].add(values.at(i));
        }
    }
    placement.lastDataRow = row - 1;

    int firstTotalColumn = 0;
    for (int i = 0; i < sheet.columns.size(); ++i) {
        const ExportColumn &column = sheet.columns.at(i);
        if (!column.total || !isSummable(column.kind))
            continue;
        if (placement.totalRow == 0)
            placement.totalRow = placement.lastDataRow + layout.totalRowOffset;
        const int sheetColumn = placement.columnOf.at(i);
        if (firstTotalColumn == 0)
            firstTotalColumn = sheetColumn;
        // An empty list still sums one (empty) row rather than reaching up into the headings.
        const QString letter = SheetWriter::columnName(sheetColumn);
        const QString formula = QStringLiteral("=SUM(%1%2:%1%3)")
                                    .arg(letter)
                                    .arg(placement.firstDataRow)
                                    .arg(qMax(placement.lastDataRow, placement.firstDataRow));
        writer.writeFormula(placement.totalRow, sheetColumn, formula, sums.at(i).value(),
                            styleOf(column.kind));
    }
    if (placement.totalRow > 0) {
        const int captionColumn = layout.totalCaptionColumn > 0 ? layout.totalCaptionColumn
                                                                : qMax(1, firstTotalColumn - 1);
        writer.writeText(placement.totalRow, captionColumn, layout.totalCaption);
        writer.formatRows(placement.totalRow, placement.totalRow, CellStyle::makeBold());
    }

    // The site and title rows run across the empty cells beside them; only the list decides
    // the widths.
    writer.fitColumnWidths(layout.headingRow,
                           placement.totalRow > 0 ? placement.totalRow : placement.lastDataRow);
    return placement;
}

Result writeExportFile(const QString &path, const ExportSheet &sheet)
{
    SheetWriter writer(path);
    writeExportSheet(writer, sheet);
    return writer.close();
}

} // namespace dalvira
