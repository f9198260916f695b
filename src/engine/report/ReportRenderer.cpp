#include "report/ReportRenderer.h"

#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <utility>

namespace dalvira {

namespace {

// Painting works in hundredths of a millimetre, so that fonts can be given integer pixel
// sizes in that unit without visible rounding, whatever the device's resolution.
constexpr double kUnits = 100.0;
constexpr double kMmPerPoint = 25.4 / 72.0;
constexpr double kCellPaddingMm = 1.0;

const QColor kHeadingFill(0xe4, 0xe4, 0xe4);
const QColor kCarriedFill(0xf0, 0xf0, 0xf0);
const QColor kShadeFill(0xf4, 0xf4, 0xf4);
const QColor kRule(0xc8, 0xc8, 0xc8);

QFont printFont(double pointSize, bool bold, bool mono = false)
{
    QFont font(mono ? QStringLiteral("DejaVu Sans Mono") : QStringLiteral("DejaVu Sans"));
    font.setStyleHint(mono ? QFont::Monospace : QFont::SansSerif);
    font.setPixelSize(std::max(1, qRound(pointSize * kMmPerPoint * kUnits)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double lineMm(const QFont &font)
{
    return QFontMetricsF(font).lineSpacing() / kUnits;
}

QRectF units(double x, double y, double w, double h)
{
    return QRectF(x * kUnits, y * kUnits, w * kUnits, h * kUnits);
}

// Fixed-width lines are never cut at the right margin: the font shrinks until the longest
// line fits the width between the margins.
double fittedFixedPointSize(const Report &report)
{
    qsizetype longest = 0;
    for (const QStringList *lines : {&report.fixedLines, &report.fixedHeaderLines}) {
        for (const QString &line : *lines)
            longest = std::max(longest, line.size());
    }
    double pointSize = report.fontPointSize;
    if (longest == 0)
        return pointSize;
    const QSizeF paper = report.paperSizeMm();
    const double available = paper.width() - report.marginsMm.left() - report.marginsMm.right();
    const double width =
        QFontMetricsF(printFont(pointSize, false, true)).horizontalAdvance(QString(longest, 'M')) /
        kUnits;
    if (width > available)
        pointSize *= available / width * 0.98;
    return pointSize;
}

// Draws one line of text in a rectangle given in millimetres. Numbers are never shortened:
// when one does not fit, its font shrinks; other text is cut with an ellipsis.
void drawFitted(QPainter &painter, const QRectF &rectMm, const QString &text,
                Qt::Alignment alignment, QFont font, bool shrink)
{
    if (text.isEmpty())
        return;
    const QRectF rect = units(rectMm.x(), rectMm.y(), rectMm.width(), rectMm.height());
    QFontMetricsF fm(font);
    QString shown = text;
    double widest = 0;
    for (const QString &line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, fm.horizontalAdvance(line));
    if (widest > rect.width() && rect.width() > 0) {
        if (shrink) {
            font.setPixelSize(std::max(1, int(font.pixelSize() * rect.width() / widest)));
        } else {
            shown = fm.elidedText(text, Qt::ElideRight, rect.width());
        }
    }
    painter.setFont(font);
    if (!(alignment & Qt::AlignVertical_Mask))
        alignment |= Qt::AlignVCenter;
    painter.drawText(rect, int(alignment), shown);
}

void drawRule(QPainter &painter, double x1, double x2, double y, double widthMm,
              const QColor &color)
{
    painter.setPen(QPen(color, widthMm * kUnits));
    painter.drawLine(QPointF(x1 * kUnits, y * kUnits), QPointF(x2 * kUnits, y * kUnits));
}

class PagePainter
{
public:
    PagePainter(const Report &report, const ReportPagination &pagination, double fixedPointSize,
                QPainter &target)
        : r(report), p(pagination), painter(target), base(printFont(report.fontPointSize, false)),
          bold(printFont(report.fontPointSize, true)), mono(printFont(fixedPointSize, false, true))
    {
    }

    void paint(int pageIndex)
    {
        const ReportPage &page = p.pages.at(pageIndex);
        for (const ReportPicture &picture : r.pictures) {
            if (picture.page == -1 || picture.page == pageIndex)
                drawImage(picture.image, picture.rectMm);
        }
        for (const PageItem &item : page.items)
            paintItem(item);
        paintFooter(page);
    }

private:
    void paintItem(const PageItem &item)
    {
        switch (item.kind) {
        case BandKind::TitleElement:
            paintElement(r.title.at(item.index), item);
            break;
        case BandKind::PageHeaderElement:
            paintElement(r.pageHeader.at(item.index), item);
            break;
        case BandKind::ColumnHeadings:
            paintHeadings(item);
            break;
        case BandKind::Detail:
            paintDetail(item);
            break;
        case BandKind::GroupHeader:
            paintGroupHeader(item);
            break;
        case BandKind::BroughtForward:
        case BandKind::GroupFooter:
        case BandKind::PageSums:
        case BandKind::Carried:
        case BandKind::SummaryTotals:
            paintSumRow(item);
            break;
        case BandKind::SummaryRow:
            paintCells(item, true);
            break;
        case BandKind::SummaryText:
            paintSummaryText(item);
            break;
        case BandKind::FixedHeaderLine:
            paintFixed(r.fixedHeaderLines.at(item.index), item);
            break;
        case BandKind::FixedLine:
            paintFixed(r.fixedLines.at(item.index), item);
            break;
        }
    }

    void drawImage(const QImage &image, const QRectF &rectMm)
    {
        if (image.isNull() || rectMm.isEmpty())
            return;
        // Keep the picture's proportions inside its frame.
        QSizeF size = QSizeF(image.size()).scaled(rectMm.size(), Qt::KeepAspectRatio);
        const QRectF target(rectMm.x(), rectMm.y(), size.width(), size.height());
        painter.drawImage(units(target.x(), target.y(), target.width(), target.height()), image);
    }

    void paintElement(const TextElement &e, const PageItem &item)
    {
        const QRectF body = p.bodyMm;
        if (!e.image.isNull()) {
            QSizeF size = e.imageSizeMm;
            double x = body.left();
            if (e.alignment & Qt::AlignRight)
                x = body.right() - size.width();
            else if (e.alignment & Qt::AlignHCenter)
                x = body.left() + (body.width() - size.width()) / 2;
            drawImage(e.image, QRectF(QPointF(x, item.topMm), size));
            return;
        }
        painter.setPen(Qt::black);
        drawFitted(painter, QRectF(body.left(), item.topMm, body.width(), item.heightMm), e.text,
                   e.alignment, printFont(e.pointSize, e.bold), true);
    }

    QRectF cellRect(int column, const PageItem &item) const
    {
        return QRectF(p.columnLeftMm.at(column) + kCellPaddingMm, item.topMm,
                      std::max(0.0, p.columnWidthMm.at(column) - 2 * kCellPaddingMm),
                      item.heightMm);
    }

    double rowLeft() const
    {
        return p.columnLeftMm.isEmpty() ? p.bodyMm.left() : p.columnLeftMm.first();
    }
    double rowRight() const
    {
        return p.columnLeftMm.isEmpty() ? p.bodyMm.right()
                                        : p.columnLeftMm.last() + p.columnWidthMm.last();
    }

    void paintHeadings(const PageItem &item)
    {
        const QRectF band = units(rowLeft(), item.topMm, rowRight() - rowLeft(), item.heightMm);
        painter.fillRect(band, kHeadingFill);
        painter.setPen(QPen(Qt::black, 0.2 * kUnits));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band);
        painter.setPen(QPen(Qt::black, 0.1 * kUnits));
        for (int c = 1; c < r.columns.size(); ++c) {
            const double x = p.columnLeftMm.at(c) * kUnits;
            painter.drawLine(QPointF(x, band.top()), QPointF(x, band.bottom()));
        }
        painter.setPen(Qt::black);
        for (int c = 0; c < r.columns.size(); ++c)
            drawFitted(painter, cellRect(c, item), r.columns.at(c).caption, Qt::AlignHCenter, bold,
                       true);
    }

    void paintCells(const PageItem &item, bool isBold)
    {
        painter.setPen(Qt::black);
        for (int c = 0; c < r.columns.size(); ++c) {
            const ReportColumn &column = r.columns.at(c);
            drawFitted(painter, cellRect(c, item), itemCellText(r, item, c),
                       column.effectiveAlignment(), isBold ? bold : base,
                       column.kind != ColumnKind::Text);
        }
    }

    void paintDetail(const PageItem &item)
    {
        const ReportRow &row = r.rows.at(item.index);
        if (r.alternateShading && item.lineNumber % 2 == 0 && !row.total) {
            painter.fillRect(units(rowLeft(), item.topMm, rowRight() - rowLeft(), item.heightMm),
                             kShadeFill);
        }
        if (row.total)
            drawRule(painter, rowLeft(), rowRight(), item.topMm, 0.2, Qt::black);
        drawRule(painter, rowLeft(), rowRight(), item.topMm + item.heightMm, 0.1, kRule);
        paintCells(item, row.bold || row.total);
    }

    void paintGroupHeader(const PageItem &item)
    {
        painter.setPen(Qt::black);
        QFont font = bold;
        font.setUnderline(true);
        drawFitted(
            painter,
            QRectF(rowLeft() + kCellPaddingMm, item.topMm, rowRight() - rowLeft(), item.heightMm),
            item.caption, Qt::AlignLeft | Qt::AlignBottom, font, false);
    }

    // Where a sum row's caption goes: across the columns before the first summed one, or
    // across those after the last summed one when the sums come first.
    std::pair<double, double> captionSpan() const
    {
        int first = -1;
        int last = -1;
        for (int c = 0; c < r.columns.size(); ++c) {
            if (r.columns.at(c).summed) {
                if (first < 0)
                    first = c;
                last = c;
            }
        }
        if (first < 0)
            return {rowLeft(), rowRight()};
        if (first > 0)
            return {rowLeft(), p.columnLeftMm.at(first)};
        if (last + 1 < r.columns.size())
            return {p.columnLeftMm.at(last + 1), rowRight()};
        return {rowLeft(), rowLeft()};
    }

    void paintSumRow(const PageItem &item)
    {
        const QRectF band = units(rowLeft(), item.topMm, rowRight() - rowLeft(), item.heightMm);
        switch (item.kind) {
        case BandKind::BroughtForward:
        case BandKind::Carried:
            painter.fillRect(band, kCarriedFill);
            break;
        default:
            break;
        }
        const double ruleWidth = item.kind == BandKind::SummaryTotals ? 0.3 : 0.15;
        drawRule(painter, rowLeft(), rowRight(), item.topMm, ruleWidth, Qt::black);
        if (item.kind != BandKind::PageSums)
            drawRule(painter, rowLeft(), rowRight(), item.topMm + item.heightMm, 0.1, kRule);
        const auto [from, to] = captionSpan();
        painter.setPen(Qt::black);
        const bool captionFirst = from <= rowLeft();
        drawFitted(painter,
                   QRectF(from + kCellPaddingMm, item.topMm,
                          std::max(0.0, to - from - 2 * kCellPaddingMm), item.heightMm),
                   item.caption, captionFirst ? Qt::AlignRight : Qt::AlignLeft, bold, false);
        for (int c = 0; c < r.columns.size(); ++c) {
            if (!r.columns.at(c).summed)
                continue;
            drawFitted(painter, cellRect(c, item), itemCellText(r, item, c),
                       r.columns.at(c).effectiveAlignment(), bold, true);
        }
    }

    void paintSummaryText(const PageItem &item)
    {
        painter.setPen(Qt::black);
        painter.setFont(base);
        painter.drawText(units(p.bodyMm.left(), item.topMm, p.bodyMm.width(), item.heightMm),
                         int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap),
                         r.summary.lines.at(item.index));
    }

    void paintFixed(const QString &line, const PageItem &item)
    {
        painter.setPen(Qt::black);
        painter.setFont(mono);
        painter.drawText(
            units(p.bodyMm.left(), item.topMm, p.bodyMm.width(), item.heightMm),
            int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip | Qt::TextExpandTabs), line);
    }

    void paintFooter(const ReportPage &page)
    {
        const double top = p.footerTopMm;
        const double height = p.bodyMm.bottom() - top;
        drawRule(painter, p.bodyMm.left(), p.bodyMm.right(), top + 1.5, 0.15, Qt::black);
        const QRectF text(p.bodyMm.left(), top + 2.0, p.bodyMm.width(), height - 2.0);
        painter.setPen(Qt::black);
        drawFitted(painter, text, page.footerText, Qt::AlignRight, base, true);
        QRectF left = text;
        left.setWidth(text.width() * 0.7);
        drawFitted(painter, left, r.footerText, Qt::AlignLeft, base, false);
    }

    const Report &r;
    const ReportPagination &p;
    QPainter &painter;
    const QFont base;
    const QFont bold;
    const QFont mono;
};

} // namespace

ReportRenderer::ReportRenderer(Report report)
    : m_report(std::move(report)), m_fixedPointSize(fittedFixedPointSize(m_report))
{
    m_pagination = paginate(m_report, measuredMetrics(m_report));
}

ReportMetrics ReportRenderer::measuredMetrics(const Report &report)
{
    ReportMetrics m;
    const double line = lineMm(printFont(report.fontPointSize, false));
    m.rowMm = report.rowHeightMm > 0 ? report.rowHeightMm : line + 1.4;
    m.headingLineMm = lineMm(printFont(report.fontPointSize, true)) + 0.6;
    m.fixedLineMm = lineMm(printFont(fittedFixedPointSize(report), false, true)) + 0.3;
    m.footerMm = line + 4.0;
    m.elementHeightMm = [](const TextElement &e) {
        if (!e.image.isNull())
            return e.imageSizeMm.height();
        return lineMm(printFont(e.pointSize, e.bold)) + 0.8;
    };
    const double pointSize = report.fontPointSize;
    const double rowMm = m.rowMm;
    m.wrappedLineCount = [pointSize, rowMm](const QString &text, double widthMm) {
        const QFont font = printFont(pointSize, false);
        const QFontMetricsF fm(font);
        const QRectF bounds =
            fm.boundingRect(QRectF(0, 0, widthMm * kUnits, 1e7), int(Qt::TextWordWrap), text);
        // The lines are spread over rows of rowMm; keep a wrapped paragraph inside them.
        return std::max(1, int(std::ceil(bounds.height() / (rowMm * kUnits) - 1e-6)));
    };
    return m;
}

QPageLayout ReportRenderer::pageLayout() const
{
    return QPageLayout(QPageSize(m_report.pageSize), m_report.orientation, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

void ReportRenderer::paintPage(QPainter &painter, int pageIndex, const QRectF &pageRect) const
{
    if (pageIndex < 0 || pageIndex >= pageCount())
        return;
    const QSizeF paper = m_pagination.paperMm;
    // One scale for both directions: a printer's paper of other proportions gets the page
    // undistorted, from its top-left corner.
    const double scale = std::min(pageRect.width() / (paper.width() * kUnits),
                                  pageRect.height() / (paper.height() * kUnits));
    painter.save();
    painter.translate(pageRect.topLeft());
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    PagePainter(m_report, m_pagination, m_fixedPointSize, painter).paint(pageIndex);
    painter.restore();
}

void ReportRenderer::paintAll(QPainter &painter, QPagedPaintDevice &device) const
{
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0)
            device.newPage();
        paintPage(painter, i, QRectF(0, 0, device.width(), device.height()));
    }
}

Result ReportRenderer::renderToPdf(const QString &path) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return Result::failure(QStringLiteral("PDF dosyası oluşturulamadı: %1\n%2")
                                   .arg(QFileInfo(path).absoluteFilePath(), file.errorString()));
    }
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(pageLayout());
        writer.setResolution(600);
        writer.setTitle(m_report.previewTitle);
        writer.setCreator(QStringLiteral("Dalvira"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.close();
            file.remove();
            return Result::failure(
                QStringLiteral("PDF dosyası oluşturulamadı: %1").arg(file.fileName()));
        }
        paintAll(painter, writer);
        painter.end();
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        return Result::failure(
            QStringLiteral("PDF dosyası yazılamadı: %1\n%2").arg(path, file.errorString()));
    }
    return Result::success();
}

QImage ReportRenderer::pageImage(int pageIndex, double dotsPerInch) const
{
    const QSizeF paper = m_pagination.paperMm;
    const QSize size(qRound(paper.width() / 25.4 * dotsPerInch),
                     qRound(paper.height() / 25.4 * dotsPerInch));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter painter(&image);
    paintPage(painter, pageIndex, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

QString ReportRenderer::pageText(int pageIndex) const
{
    return dalvira::pageText(m_report, m_pagination, pageIndex);
}

Result renderToPdf(const Report &report, const QString &path)
{
    return ReportRenderer(report).renderToPdf(path);
}

} // namespace dalvira
