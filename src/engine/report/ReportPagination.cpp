#include "report/ReportPagination.h"

#include <algorithm>
#include <cmath>

namespace dalvira {

namespace {

constexpr double kMmPerPoint = 25.4 / 72.0;
// Line spacing of the DejaVu faces (ascent + descent) in ems.
constexpr double kLineSpacingEm = 1.164;

double textLineMm(double pointSize)
{
    return pointSize * kMmPerPoint * kLineSpacingEm;
}

void addSums(QList<Money> &to, const QList<Money> &from)
{
    for (qsizetype i = 0; i < to.size() && i < from.size(); ++i)
        to[i] += from.at(i);
}

int headingLineCount(const Report &report)
{
    int lines = 1;
    for (const ReportColumn &c : report.columns)
        lines = std::max(lines, int(c.caption.count(QLatin1Char('\n'))) + 1);
    return lines;
}

class Paginator
{
public:
    Paginator(const Report &report, const ReportMetrics &metrics, ReportPagination &out)
        : r(report), m(metrics), p(out), zero(report.columns.size())
    {
    }

    void run()
    {
        layoutColumns();
        numberRows();
        running = zero;
        for (qsizetype i = 0; i < r.carried.opening.size() && i < zero.size(); ++i)
            running[i] = r.carried.opening.at(i);
        const QList<Money> opening = running;
        if (r.carried.enabled && !r.isFixedWidth()) {
            footReserve = (r.carried.pageSumCaption.isEmpty() ? 0 : m.rowMm) +
                          (r.carried.carriedCaption.isEmpty() ? 0 : m.rowMm);
        }

        startPage();
        if (r.isFixedWidth())
            placeFixedLines();
        else
            placeRows();
        placeSummary(opening);
        closePage(true);

        const int count = p.pageCount();
        for (int i = 0; i < count; ++i) {
            QString footer = r.pageNumberFormat;
            footer.replace(QStringLiteral("%1"), QString::number(i + 1));
            footer.replace(QStringLiteral("%2"), QString::number(count));
            p.pages[i].footerText = footer;
        }
    }

private:
    void layoutColumns()
    {
        const double available = p.bodyMm.width();
        double mmSum = 0;
        double shareSum = 0;
        for (const ReportColumn &c : r.columns) {
            if (c.widthInMm)
                mmSum += std::max(0.0, c.width);
            else
                shareSum += std::max(0.0, c.width);
        }
        // Millimetre columns wider than the paper are narrowed together rather than cut off.
        const double mmScale = mmSum > available ? available / mmSum : 1.0;
        const double rest = std::max(0.0, available - mmSum * mmScale);
        double x = p.bodyMm.left();
        for (const ReportColumn &c : r.columns) {
            const double w = std::max(0.0, c.width);
            const double width =
                c.widthInMm ? w * mmScale : (shareSum > 0 ? rest * w / shareSum : 0.0);
            p.columnLeftMm.append(x);
            p.columnWidthMm.append(width);
            x += width;
        }
    }

    void numberRows()
    {
        int n = 0;
        p.lineNumbers.reserve(r.rows.size());
        for (const ReportRow &row : r.rows)
            p.lineNumbers.append(row.total ? 0 : ++n);
    }

    void startPage()
    {
        p.pages.append(ReportPage());
        ReportPage &page = p.pages.last();
        page.broughtForward = running;
        page.pageSums = zero;
        pageSums = zero;
        bodyItems = 0;
        fixedOnPage = 0;
        y = p.bodyMm.top();
        limit = p.footerTopMm - footReserve;
        const bool first = p.pages.size() == 1;

        if (first)
            placeElements(r.title, BandKind::TitleElement);
        placeElements(r.pageHeader, BandKind::PageHeaderElement);

        if (r.isFixedWidth()) {
            for (int i = 0; i < r.fixedHeaderLines.size(); ++i)
                placeHeader(BandKind::FixedHeaderLine, m.fixedLineMm, i);
            return;
        }
        if (!r.columns.isEmpty() && (first || r.repeatColumnHeadings))
            placeHeader(BandKind::ColumnHeadings, headingLineCount(r) * m.headingLineMm);
        if (r.carried.enabled && !r.carried.broughtForwardCaption.isEmpty() &&
            (!first || r.carried.onFirstPage)) {
            PageItem &item = placeHeader(BandKind::BroughtForward, m.rowMm);
            item.caption = r.carried.broughtForwardCaption;
            item.sums = running;
        }
    }

    void placeElements(const QList<TextElement> &elements, BandKind kind)
    {
        double lineTop = y;
        for (int i = 0; i < elements.size(); ++i) {
            const TextElement &e = elements.at(i);
            const double h = elementHeight(e);
            PageItem item;
            item.kind = kind;
            item.index = i;
            item.heightMm = h;
            if (e.sameLine && i > 0) {
                item.topMm = lineTop;
                y = std::max(y, lineTop + h);
            } else {
                item.topMm = y;
                lineTop = y;
                y += h;
            }
            p.pages.last().items.append(item);
        }
    }

    double elementHeight(const TextElement &e) const
    {
        if (m.elementHeightMm)
            return m.elementHeightMm(e);
        if (!e.image.isNull())
            return e.imageSizeMm.height();
        return textLineMm(e.pointSize) + 0.8;
    }

    PageItem &placeHeader(BandKind kind, double height, int index = -1)
    {
        PageItem item;
        item.kind = kind;
        item.topMm = y;
        item.heightMm = height;
        item.index = index;
        y += height;
        p.pages.last().items.append(item);
        return p.pages.last().items.last();
    }

    // Places a body item; keepHeight is the room it needs together with what must follow it
    // on the same page (a group header needs its first row).
    PageItem &placeBody(PageItem item, double keepHeight)
    {
        if (bodyItems > 0 && y + keepHeight > limit + 1e-9) {
            closePage(false);
            startPage();
        }
        item.topMm = y;
        y += item.heightMm;
        ++bodyItems;
        p.pages.last().items.append(item);
        return p.pages.last().items.last();
    }

    void closePage(bool last)
    {
        ReportPage &page = p.pages.last();
        page.pageSums = pageSums;
        page.carriedForward = running;
        if (footReserve <= 0 || (last && !r.carried.footOnLastPage))
            return;
        double footY = limit;
        if (!r.carried.pageSumCaption.isEmpty()) {
            PageItem item;
            item.kind = BandKind::PageSums;
            item.topMm = footY;
            item.heightMm = m.rowMm;
            item.caption = r.carried.pageSumCaption;
            item.sums = pageSums;
            page.items.append(item);
            footY += m.rowMm;
        }
        if (!r.carried.carriedCaption.isEmpty()) {
            PageItem item;
            item.kind = BandKind::Carried;
            item.topMm = footY;
            item.heightMm = m.rowMm;
            item.caption = r.carried.carriedCaption;
            item.sums = running;
            page.items.append(item);
        }
    }

    void placeRows()
    {
        const bool grouped = r.group.keyColumn >= 0 && r.group.keyColumn < r.columns.size();
        QString currentKey;
        QList<Money> groupSums = zero;
        for (int i = 0; i < r.rows.size(); ++i) {
            if (grouped) {
                const QString key = r.groupKey(i);
                if (i == 0 || key != currentKey) {
                    if (i > 0)
                        placeGroupFooter(currentKey, groupSums);
                    currentKey = key;
                    groupSums = zero;
                    PageItem header;
                    header.kind = BandKind::GroupHeader;
                    header.heightMm = m.rowMm + m.groupGapMm;
                    QString text = r.group.headerFormat;
                    header.caption = text.replace(QStringLiteral("%1"), key);
                    // A group header never ends a page: it needs its first row below it.
                    placeBody(header, header.heightMm + m.rowMm);
                }
            }
            PageItem item;
            item.kind = BandKind::Detail;
            item.heightMm = m.rowMm;
            item.index = i;
            item.lineNumber = p.lineNumbers.at(i);
            placeBody(item, item.heightMm);
            p.pages.last().rows.append(i);
            for (int c = 0; c < r.columns.size(); ++c) {
                if (!r.columns.at(c).summed)
                    continue;
                const Money amount = r.cellAmount(i, c);
                pageSums[c] += amount;
                running[c] += amount;
                groupSums[c] += amount;
                totals[c] += amount;
            }
        }
        if (grouped && !r.rows.isEmpty())
            placeGroupFooter(currentKey, groupSums);
    }

    void placeGroupFooter(const QString &key, const QList<Money> &sums)
    {
        if (!r.group.showFooter)
            return;
        PageItem footer;
        footer.kind = BandKind::GroupFooter;
        footer.heightMm = m.rowMm;
        QString text = r.group.footerFormat;
        footer.caption = text.replace(QStringLiteral("%1"), key);
        footer.sums = sums;
        placeBody(footer, footer.heightMm);
    }

    void placeFixedLines()
    {
        for (int i = 0; i < r.fixedLines.size(); ++i) {
            if (r.linesPerPage > 0 && fixedOnPage >= r.linesPerPage) {
                closePage(false);
                startPage();
            }
            PageItem item;
            item.kind = BandKind::FixedLine;
            item.heightMm = m.fixedLineMm;
            item.index = i;
            placeBody(item, item.heightMm); // a page break there resets fixedOnPage
            ++fixedOnPage;
        }
    }

    void placeSummary(const QList<Money> &opening)
    {
        p.grandTotals = totals;
        if (r.summary.includeOpening)
            addSums(p.grandTotals, opening);
        if (!r.columns.isEmpty() && !r.isFixedWidth() && !r.summary.totalsCaption.isEmpty()) {
            PageItem item;
            item.kind = BandKind::SummaryTotals;
            item.heightMm = m.rowMm;
            item.caption = r.summary.totalsCaption;
            item.sums = p.grandTotals;
            placeBody(item, item.heightMm);
        }
        for (int i = 0; i < r.summary.rows.size(); ++i) {
            PageItem item;
            item.kind = BandKind::SummaryRow;
            item.heightMm = m.rowMm;
            item.index = i;
            placeBody(item, item.heightMm);
        }
        for (int i = 0; i < r.summary.lines.size(); ++i) {
            const int lines =
                m.wrappedLineCount
                    ? std::max(1, m.wrappedLineCount(r.summary.lines.at(i), p.bodyMm.width()))
                    : 1;
            PageItem item;
            item.kind = BandKind::SummaryText;
            item.heightMm = lines * m.rowMm;
            item.index = i;
            placeBody(item, item.heightMm);
        }
    }

    const Report &r;
    const ReportMetrics &m;
    ReportPagination &p;
    const QList<Money> zero;
    QList<Money> running;
    QList<Money> pageSums;
    QList<Money> totals = zero;
    double footReserve = 0;
    double y = 0;
    double limit = 0;
    int bodyItems = 0;
    int fixedOnPage = 0;
};

} // namespace

ReportMetrics ReportMetrics::uniform(double mm)
{
    ReportMetrics m;
    m.rowMm = mm;
    m.headingLineMm = mm;
    m.fixedLineMm = mm;
    m.footerMm = mm;
    m.groupGapMm = 0;
    m.elementHeightMm = [mm](const TextElement &) { return mm; };
    return m;
}

ReportPagination paginate(const Report &report, const ReportMetrics &metrics)
{
    ReportPagination p;
    p.paperMm = report.paperSizeMm();
    const QMarginsF &mg = report.marginsMm;
    p.bodyMm = QRectF(mg.left(), mg.top(), p.paperMm.width() - mg.left() - mg.right(),
                      p.paperMm.height() - mg.top() - mg.bottom());
    p.footerTopMm = p.bodyMm.bottom() - metrics.footerMm;
    Paginator(report, metrics, p).run();
    return p;
}

QString itemCellText(const Report &report, const PageItem &item, int column)
{
    if (column < 0 || column >= report.columns.size())
        return {};
    const ReportColumn &c = report.columns.at(column);
    switch (item.kind) {
    case BandKind::ColumnHeadings:
        return c.caption;
    case BandKind::Detail:
        return report.cellText(item.index, column, item.lineNumber);
    case BandKind::SummaryRow: {
        if (item.index < 0 || item.index >= report.summary.rows.size())
            return {};
        const ReportRow &row = report.summary.rows.at(item.index);
        return column < row.values.size() ? row.values.at(column).text(c.amountFormat) : QString();
    }
    case BandKind::BroughtForward:
    case BandKind::GroupFooter:
    case BandKind::PageSums:
    case BandKind::Carried:
    case BandKind::SummaryTotals:
        if (c.summed && column < item.sums.size())
            return formatAmount(item.sums.at(column).toDouble(), c.amountFormat);
        return {};
    default:
        return {};
    }
}

QString pageText(const Report &report, const ReportPagination &pagination, int pageIndex)
{
    if (pageIndex < 0 || pageIndex >= pagination.pageCount())
        return {};
    const ReportPage &page = pagination.pages.at(pageIndex);
    QStringList texts;
    for (const PageItem &item : page.items) {
        switch (item.kind) {
        case BandKind::TitleElement:
            texts << report.title.at(item.index).text;
            break;
        case BandKind::PageHeaderElement:
            texts << report.pageHeader.at(item.index).text;
            break;
        case BandKind::FixedHeaderLine:
            texts << report.fixedHeaderLines.at(item.index);
            break;
        case BandKind::FixedLine:
            texts << report.fixedLines.at(item.index);
            break;
        case BandKind::SummaryText:
            texts << report.summary.lines.at(item.index);
            break;
        default: {
            if (!item.caption.isEmpty())
                texts << item.caption;
            QStringList cells;
            for (int c = 0; c < report.columns.size(); ++c)
                cells << itemCellText(report, item, c);
            texts << cells.join(QLatin1Char('\t'));
        }
        }
    }
    texts << report.footerText << page.footerText;
    return texts.join(QLatin1Char('\n'));
}

} // namespace dalvira
