#pragma once

#include "common/Result.h"
#include "ledger/Statement.h"
#include "report/SiteLetterhead.h"

namespace dalvira {

// The statement as a spreadsheet: the site, the title line and the period in rows 1-4, the
// headings in row 6, the carry-over ("NAKLİ YEKÜN") in row 7, one row per movement with its
// running balance from row 8, and two rows below them the bold "TOPLAM TUTARLAR" row with the
// sum formulas (their results stored with them) and the final balance.
Result writeStatementExport(const QString &path, const Statement &statement,
                            const SiteLetterhead &site);

// Rows of the layout, for readers of the sheet.
inline constexpr int kStatementHeadingRow = 6;
inline constexpr int kStatementCarryOverRow = 7;
inline constexpr int kStatementFirstLineRow = 8;
// The total row: two rows below the last movement (or below the carry-over row).
int statementExportTotalRow(const Statement &statement);

} // namespace dalvira
