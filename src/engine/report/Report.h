#pragma once

#include "common/Formats.h"
#include "common/Money.h"

#include <QDate>
#include <QImage>
#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace dalvira {

enum class ColumnKind {
    Text,
    Amount,    // Money, shown with the column's amount format, may be summed
    Date,      // shown dd.MM.yyyy
    Integer,   // whole number
    LineNumber // filled by the report: 1, 2, ... over the rows that are not total rows
};

// One cell of a detail row. Implicit constructors keep row building short:
// report.addRow({QStringLiteral("Ahmet"), Money::fromKurus(12345), QDate(2024, 5, 1)}).
class ReportValue
{
public:
    enum class Type { Empty, Text, Amount, Date, Integer };

    ReportValue() = default;
    ReportValue(const QString &text) : m_type(Type::Text), m_text(text) {}
    ReportValue(const char *text) : m_type(Type::Text), m_text(QString::fromUtf8(text)) {}
    ReportValue(Money amount) : m_type(Type::Amount), m_amount(amount) {}
    ReportValue(const QDate &date) : m_type(Type::Date), m_date(date) {}
    ReportValue(int number) : m_type(Type::Integer), m_integer(number) {}
    ReportValue(qint64 number) : m_type(Type::Integer), m_integer(number) {}

    Type type() const { return m_type; }
    bool isEmpty() const { return m_type == Type::Empty; }
    // Zero for anything but an amount, so a text in a summed column adds nothing.
    Money amount() const { return m_type == Type::Amount ? m_amount : Money(); }
    QString text(const char *amountFormat = kAmountFormat) const;

private:
    Type m_type = Type::Empty;
    QString m_text;
    Money m_amount;
    QDate m_date;
    qint64 m_integer = 0;
};

struct ReportColumn
{
    QString caption; // a "\n" makes a heading of two lines ("BELGE\nTARİHİ")
    // Width in millimetres when widthInMm, otherwise a share of the width the millimetre
    // columns leave over.
    double width = 1.0;
    bool widthInMm = false;
    ColumnKind kind = ColumnKind::Text;
    bool summed = false;
    // Empty: by kind (amounts and numbers right, dates centred, text left).
    Qt::Alignment alignment = {};
    const char *amountFormat = kAmountFormat;

    Qt::Alignment effectiveAlignment() const;
};

// A named text the program sets (title, date range, letterhead line, print date...), or a
// picture placed in the flow of the title block.
struct TextElement
{
    QString name;
    QString text;
    Qt::Alignment alignment = Qt::AlignLeft;
    double pointSize = 9.0;
    bool bold = false;
    // Printed on the line of the element before it (a print date at the right of the name).
    bool sameLine = false;
    QImage image; // when set, a picture of imageSizeMm instead of the text
    QSizeF imageSizeMm;
};

// A picture at a fixed place on the paper (a logo), in millimetres from the paper's corner.
struct ReportPicture
{
    QImage image;
    QRectF rectMm;
    int page = 0; // 0-based; -1 puts it on every page
};

struct ReportRow
{
    QList<ReportValue> values;
    bool bold = false;
    // A total row the caller computed: printed bold, neither summed nor numbered.
    bool total = false;
};

// Rows are grouped by runs of equal text in keyColumn (sort the rows by it first).
struct GroupBand
{
    int keyColumn = -1;                          // -1: no groups
    QString headerFormat = QStringLiteral("%1"); // %1 is the key
    QString footerFormat = QStringLiteral("Toplam");
    bool showFooter = true;
};

// Running sums carried over page breaks: a brought-forward row at the top of each page after
// the first, a carried row (and optionally the page's own sums) at the foot of each page.
// The carried sums are exactly the opening plus every row printed so far. Table reports only.
struct CarriedTotals
{
    bool enabled = false;
    QString broughtForwardCaption = QStringLiteral("Nakli Yekün"); // empty: no top row
    QString carriedCaption = QStringLiteral("Nakli Yekün");        // empty: no foot row
    QString pageSumCaption;                                        // empty: no page-sum row
    bool onFirstPage = false;    // the top row also on the first page, with the opening sums
    bool footOnLastPage = false; // the foot rows also on the last page
    // Brought forward into the report, by column index (missing entries count as zero).
    QList<Money> opening;
};

struct SummaryBand
{
    QString totalsCaption = QStringLiteral("TOPLAM"); // empty: no grand total row
    bool includeOpening = false; // grand totals include the carried opening sums
    QList<ReportRow> rows;       // further rows the caller computed, printed bold
    QStringList lines;           // free text lines, wrapped to the width
};

// The description of one printed report: page, title block, bands and rows. Pagination
// (ReportPagination.h) and painting (ReportRenderer.h) work from it.
class Report
{
public:
    // Page
    QPageSize::PageSizeId pageSize = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{10, 10, 10, 10};
    QSizeF paperSizeMm() const;

    QString previewTitle = QStringLiteral("Tolvek Rapor Önizleme");
    double fontPointSize = 8.0; // headings, rows, totals and fixed-width lines
    double rowHeightMm = 0;     // 0: from the font

    QList<TextElement> title;      // first page only
    QList<TextElement> pageHeader; // every page
    QList<ReportPicture> pictures;
    QString pageNumberFormat = QStringLiteral("Sayfa %1 / %2");
    QString footerText; // at the left of the page number (print date and time)

    QList<ReportColumn> columns;
    bool repeatColumnHeadings = true;
    bool alternateShading = false;
    QList<ReportRow> rows;
    GroupBand group;
    CarriedTotals carried;
    SummaryBand summary;

    // Fixed-width text: when set, these lines are the body, printed as they are in a
    // monospaced font; fixedHeaderLines repeat at the top of every page.
    QStringList fixedLines;
    QStringList fixedHeaderLines;
    int linesPerPage = 0; // 0: as many as fit
    bool isFixedWidth() const { return !fixedLines.isEmpty() || !fixedHeaderLines.isEmpty(); }

    TextElement &addTitleText(const QString &name, const QString &text, double pointSize = 9.0,
                              bool bold = false, Qt::Alignment alignment = Qt::AlignLeft);
    TextElement &addPageHeaderText(const QString &name, const QString &text, double pointSize = 9.0,
                                   bool bold = false, Qt::Alignment alignment = Qt::AlignLeft);
    TextElement &addTitlePicture(const QString &name, const QImage &image, QSizeF sizeMm,
                                 Qt::Alignment alignment = Qt::AlignLeft);
    // Sets every title or page-header element of that name; false when there is none.
    bool setText(const QString &name, const QString &text);
    QString text(const QString &name) const;

    ReportColumn &addColumn(const QString &caption, double width,
                            ColumnKind kind = ColumnKind::Text, bool summed = false);
    ReportRow &addRow(QList<ReportValue> values, bool bold = false);
    ReportRow &addTotalRow(QList<ReportValue> values);

    // The text a cell shows; lineNumber is used by LineNumber columns.
    QString cellText(int row, int column, int lineNumber = 0) const;
    // The value a summed column adds for this row (zero for total rows).
    Money cellAmount(int row, int column) const;
    QString groupKey(int row) const;
};

} // namespace dalvira
