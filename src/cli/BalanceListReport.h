#pragma once

#include "balances/BalanceList.h"
#include "report/Report.h"
#include "report/SiteLetterhead.h"
#include "spreadsheet/ExportSheet.h"

#include <QDateTime>
#include <QString>

namespace dalvira::cli {

// The balance list in the three forms of dalvira-cli balance-list; every cell from the
// columns and cell texts of the screen's grid.

// The screen's captions, then one line per row (the total rows too), ";" separated.
QString balanceListCsv(const BalanceList &list);

// The shared export frame with the screen's columns; the total rows are left out, since the
// frame's own total row sums the amount columns.
ExportSheet balanceListExport(const BalanceList &list, const SiteLetterhead &site);

// A plain printed list: the site, the kind's heading and report date, the rows, then the
// per-currency total rows and the grand totals of kinds 1 to 4.
Report balanceListReport(const BalanceList &list, const SiteLetterhead &site,
                         const QDateTime &printedAt);

} // namespace dalvira::cli
