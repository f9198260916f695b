#include "BalanceListReport.h"

#include "ReportOutput.h"
#include "balances/BalanceListColumns.h"
#include "common/Formats.h"

namespace dalvira::cli {

namespace {

Money amountOf(const BalanceRow &row, const BalanceColumn &column)
{
    switch (column.field) {
    case BalanceField::Debit:
        return row.debit;
    case BalanceField::Credit:
        return row.credit;
    case BalanceField::Remaining:
        return row.remaining();
    case BalanceField::TypeBalance:
        return row.typeBalances.value(column.typeIndex);
    default:
        return {};
    }
}

QString reportDateLine(const BalanceList &list)
{
    return QStringLiteral("Rapor Tarihi: ") + formatDate(list.reportDate);
}

// Relative widths of the printed columns: names get the room, codes and currencies little.
double printedWidth(BalanceField field)
{
    switch (field) {
    case BalanceField::Number:
    case BalanceField::Currency:
        return 0.6;
    case BalanceField::OuterDoor:
    case BalanceField::Block:
    case BalanceField::Flat:
        return 0.8;
    case BalanceField::Holder:
    case BalanceField::Owner:
    case BalanceField::Resident:
        return 2.4;
    case BalanceField::Type:
    case BalanceField::OwnerIdentity:
    case BalanceField::ResidentIdentity:
    case BalanceField::OwnerPhone:
    case BalanceField::ResidentPhone:
        return 1.4;
    default:
        return 1.3;
    }
}

QList<ReportValue> reportValues(const BalanceList &list, const BalanceRow &row,
                                const QList<BalanceColumn> &columns)
{
    QList<ReportValue> values;
    for (const BalanceColumn &column : columns) {
        if (isAmountField(column.field))
            values << ReportValue(amountOf(row, column));
        else if (column.field == BalanceField::Number && row.flatNumber > 0)
            values << ReportValue(row.flatNumber);
        else
            values << ReportValue(balanceCellText(list.kind, row, column));
    }
    return values;
}

} // namespace

QString balanceListCsv(const BalanceList &list)
{
    const QList<BalanceColumn> columns = balanceColumns(list.kind, list.types);
    QStringList captions;
    for (const BalanceColumn &column : columns)
        captions << column.caption;
    QString text = csvLine(captions);
    for (const BalanceRow &row : list.rows) {
        QStringList cells;
        for (const BalanceColumn &column : columns)
            cells << balanceCellText(list.kind, row, column);
        text += csvLine(cells);
    }
    return text;
}

ExportSheet balanceListExport(const BalanceList &list, const SiteLetterhead &site)
{
    ExportSheet sheet;
    sheet.siteName = site.name;
    sheet.siteAddress = site.addressLine();
    sheet.sitePhone = site.phone;
    sheet.title = balanceKindHeading(list.kind) + QStringLiteral(" - ") + reportDateLine(list);
    const QList<BalanceColumn> columns = balanceColumns(list.kind, list.types);
    for (const BalanceColumn &column : columns) {
        ExportColumn c;
        c.caption = column.caption;
        if (isAmountField(column.field)) {
            c.kind = ExportKind::Amount;
            c.total = true;
        } else if (column.field == BalanceField::Number) {
            c.kind = ExportKind::Integer;
        }
        sheet.columns << c;
    }
    for (const BalanceRow &row : list.rows) {
        if (row.total)
            continue;
        QList<ExportValue> values;
        for (const BalanceColumn &column : columns) {
            if (isAmountField(column.field)) {
                values << amountOf(row, column);
            } else if (column.field == BalanceField::Number) {
                values << qint64(row.flatNumber);
            } else {
                const QString text = balanceCellText(list.kind, row, column);
                values << (text.isEmpty() ? ExportValue() : ExportValue(text));
            }
        }
        sheet.rows << values;
    }
    return sheet;
}

Report balanceListReport(const BalanceList &list, const SiteLetterhead &site,
                         const QDateTime &printedAt)
{
    const QList<BalanceColumn> columns = balanceColumns(list.kind, list.types);
    Report report;
    report.previewTitle =
        QStringLiteral("Tolvek Rapor Önizleme - ") + balanceKindHeading(list.kind);
    if (columns.size() > 8)
        report.orientation = QPageLayout::Landscape;
    report.addTitleText(QStringLiteral("SiteName"), site.name, 12, true);
    QStringList address;
    if (!site.addressLine().isEmpty())
        address << site.addressLine();
    if (!site.phoneLine().isEmpty())
        address << site.phoneLine();
    report.addTitleText(QStringLiteral("SiteAddress"), address.join(QStringLiteral("  ")));
    report.addTitleText(QStringLiteral("Heading"), balanceKindHeading(list.kind), 11, true);
    report.addTitleText(QStringLiteral("ReportDate"), reportDateLine(list), 9, true);
    report.footerText = printedAt.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
    report.alternateShading = true;

    for (const BalanceColumn &column : columns) {
        ColumnKind kind = ColumnKind::Text;
        if (isAmountField(column.field))
            kind = ColumnKind::Amount;
        else if (column.field == BalanceField::Number)
            kind = ColumnKind::Integer;
        report.addColumn(column.caption, printedWidth(column.field), kind);
    }
    // The list puts its per-currency total rows first; on paper they close the list.
    report.summary.totalsCaption.clear();
    for (const BalanceRow &row : list.rows) {
        if (row.total) {
            ReportRow total;
            total.total = true;
            total.bold = true;
            total.values = reportValues(list, row, columns);
            report.summary.rows << total;
        } else {
            report.addRow(reportValues(list, row, columns));
        }
    }
    if (!isTypePivotKind(list.kind)) {
        report.summary.lines
            << QStringLiteral("Toplam  Borç: %1   Alacak: %2   Bakiye: %3")
                   .arg(formatAmount(list.debitTotal.toDouble(), kAmountFormatNoZero),
                        formatAmount(list.creditTotal.toDouble(), kAmountFormatNoZero),
                        formatAmount(list.balanceTotal().toDouble(), kAmountFormatNoZero));
    }
    return report;
}

} // namespace dalvira::cli
