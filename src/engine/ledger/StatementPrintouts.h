#pragma once

#include "ledger/Statement.h"
#include "report/Report.h"
#include "report/SiteLetterhead.h"

#include <QDateTime>

namespace dalvira {

// The printouts of the account statement, as report models for the preview.

// "Hesap Hareketleri": the period's movements with the carry-over line before them, each with
// its running balance, and the totals up to the report date.
Report statementMovementReport(const Statement &statement, const SiteLetterhead &site,
                               const QDateTime &printedAt);

// "TAHSİLAT": the receipt listing the charges of the period (loadStatementCharges) and their
// sum as the amount collected.
Report statementReceiptReport(const Statement &statement, const QList<StatementLine> &charges,
                              const SiteLetterhead &site);

// "ANTETLİ EKSTRE": the statement to send to the holder, with the previous period's debt,
// the period's movements, the total debt and the site's payment details.
Report headedStatementReport(const Statement &statement, const SiteLetterhead &site);

// first day + "-" + report date + " Tarihleri Arası " + currency + " Hesap Hareketleri"
// ("Tüm PB" for all currencies).
QString statementPeriodLine(const StatementFilter &filter);

} // namespace dalvira
