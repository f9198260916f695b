#pragma once

#include "report/Report.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>

namespace dalvira {

// Heights of the bands in millimetres. The renderer measures them from its fonts; tests give
// round numbers so that the page breaks can be worked out by hand.
struct ReportMetrics
{
    double rowMm = 4.5;         // detail, group and total rows
    double headingLineMm = 4.0; // one text line of the column headings
    double fixedLineMm = 3.6;   // one line of fixed-width text
    double footerMm = 8.0;      // the page-number band at the foot of every page
    double groupGapMm = 1.0;    // space above a group header
    // Height of a title or page-header element (a text line of its size, or its picture).
    std::function<double(const TextElement &)> elementHeightMm;
    // Number of lines a free summary text takes at a width; null: one line each.
    std::function<int(const QString &, double widthMm)> wrappedLineCount;

    // Every band one size; handy when the expected page breaks are computed by hand.
    // ReportRenderer::measuredMetrics gives the heights of the printing fonts.
    static ReportMetrics uniform(double mm);
};

enum class BandKind {
    TitleElement,      // index: title element
    PageHeaderElement, // index: page-header element
    ColumnHeadings,
    BroughtForward,  // sums: carried into the page
    GroupHeader,     // caption: the group's header text
    Detail,          // index: row; lineNumber for LineNumber columns
    GroupFooter,     // caption, sums: the group's sums
    PageSums,        // caption, sums: the page's own sums
    Carried,         // caption, sums: carried to the next page
    SummaryTotals,   // caption, sums: grand totals
    SummaryRow,      // index: summary row
    SummaryText,     // index: summary line
    FixedHeaderLine, // index: fixed header line
    FixedLine        // index: fixed line
};

struct PageItem
{
    BandKind kind = BandKind::Detail;
    double topMm = 0; // from the paper's top edge
    double heightMm = 0;
    int index = -1;
    int lineNumber = 0;
    QString caption;
    QList<Money> sums; // by column index
};

struct ReportPage
{
    QList<PageItem> items;
    QList<int> rows;             // detail rows printed on this page, in order
    QList<Money> pageSums;       // sums of this page's rows, by column
    QList<Money> broughtForward; // opening plus every earlier page
    QList<Money> carriedForward; // broughtForward plus this page
    QString footerText;          // "Sayfa N / M"
};

struct ReportPagination
{
    QSizeF paperMm;
    QRectF bodyMm; // inside the margins
    double footerTopMm = 0;
    QList<double> columnLeftMm;
    QList<double> columnWidthMm;
    QList<ReportPage> pages;
    QList<Money> grandTotals; // by column; with the opening when the summary asks for it
    QList<int> lineNumbers;   // by row; 0 for total rows

    int pageCount() const { return int(pages.size()); }
};

// Lays the report out on pages. Independent of any painting: the same pagination drives the
// preview, the printer and the PDF. A report without rows still has one page.
ReportPagination paginate(const Report &report, const ReportMetrics &metrics);

// Every text printed on a page, one per line, for finding a page by its text.
QString pageText(const Report &report, const ReportPagination &pagination, int pageIndex);

// The text a band item prints in a column (captions are not included).
QString itemCellText(const Report &report, const PageItem &item, int column);

} // namespace dalvira
