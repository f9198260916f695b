#include "ledger/StatementExport.h"

#include "common/Formats.h"
#include "spreadsheet/SheetWriter.h"

namespace dalvira {

namespace {

enum Col { A = 1, B, C, D, E, F, G, H, I, J, K };

const char *kAmountCellFormat = "#,##0.00";

} // namespace

int statementExportTotalRow(const Statement &statement)
{
    return kStatementCarryOverRow + int(statement.lines.size()) + 2;
}

Result writeStatementExport(const QString &path, const Statement &statement,
                            const SiteLetterhead &site)
{
    SheetWriter sheet(path);
    const CellStyle bold = CellStyle::makeBold();
    const QString currency = statement.filter.currency;

    sheet.writeText(1, A, site.name, CellStyle::makeBold(14));
    sheet.writeText(2, A, site.address + QStringLiteral(" Tel: ") + site.phone,
                    CellStyle::makeBold(11));
    sheet.writeText(3, A, statement.title(), CellStyle::makeBold(14));
    sheet.writeText(4, A,
                    formatDate(statement.filter.firstDay) + QLatin1Char('-') +
                        formatDate(statement.filter.reportDate) +
                        QStringLiteral(" Tarihleri Arası Hesap Hareketleri"),
                    CellStyle::makeBold(11));

    const QStringList headings = {
        QStringLiteral("Sıra No"),  QStringLiteral("Dış Kapı"),     QStringLiteral("Blok"),
        QStringLiteral("Daire"),    QStringLiteral("İşlem Tarihi"), QStringLiteral("Adı Soyadı"),
        QStringLiteral("Açıklama"), QStringLiteral("Borç"),         QStringLiteral("Alacak"),
        QStringLiteral("PB"),       QStringLiteral("Bakiye")};
    for (int c = 0; c < headings.size(); ++c)
        sheet.writeText(kStatementHeadingRow, A + c, headings.at(c), bold);

    const int row7 = kStatementCarryOverRow;
    sheet.writeText(row7, G, QStringLiteral("NAKLİ YEKÜN"), bold);
    sheet.writeNumber(row7, H, statement.carryOver.debit.toDouble());
    sheet.writeNumber(row7, I, statement.carryOver.credit.toDouble());
    sheet.writeText(row7, J, currency);
    sheet.writeNumber(row7, K, statement.carryOver.balance().toDouble());

    int row = kStatementFirstLineRow;
    int number = 1;
    for (const StatementLine &line : statement.lines) {
        sheet.writeInteger(row, A, number++);
        if (!line.outerDoor.isEmpty())
            sheet.writeText(row, B, line.outerDoor);
        if (!line.block.isEmpty())
            sheet.writeText(row, C, line.block);
        if (!line.flat.isEmpty())
            sheet.writeText(row, D, line.flat);
        sheet.writeDate(row, E, line.date);
        sheet.writeText(row, F, line.holder);
        sheet.writeText(row, G, line.description);
        sheet.writeNumber(row, H, line.debit.toDouble());
        sheet.writeNumber(row, I, line.credit.toDouble());
        if (!line.currency.isEmpty())
            sheet.writeText(row, J, line.currency);
        sheet.writeNumber(row, K, line.balance.toDouble());
        ++row;
    }
    const int lastRow = row - 1;
    const int totalRow = statementExportTotalRow(statement);
    // The formulas run from the carry-over row, so their results are the totals.
    sheet.writeText(totalRow, G, QStringLiteral("TOPLAM TUTARLAR"));
    sheet.writeFormula(totalRow, H, QStringLiteral("=SUM(H7:H%1)").arg(lastRow),
                       statement.totals.debit.toDouble());
    sheet.writeFormula(totalRow, I, QStringLiteral("=SUM(I7:I%1)").arg(lastRow),
                       statement.totals.credit.toDouble());
    sheet.writeText(totalRow, J, currency);
    sheet.writeNumber(totalRow, K, statement.finalBalance().toDouble());
    sheet.formatRange(totalRow, A, totalRow, K, bold);

    sheet.formatRange(6, G, 5000, 14,
                      CellStyle::withFormat(QString::fromLatin1(kAmountCellFormat)));
    sheet.fitColumnWidths(5);
    return sheet.close();
}

} // namespace dalvira
