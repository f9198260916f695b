#pragma once

#include "common/Result.h"
#include "report/Report.h"
#include "report/ReportPagination.h"

#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace dalvira {

// Paints a report with QPainter: the preview's page images, the printer and PDF files all
// come from paintPage, over one pagination measured with the printing fonts ("DejaVu Sans",
// "DejaVu Sans Mono" for fixed-width text).
class ReportRenderer
{
public:
    explicit ReportRenderer(Report report);

    const Report &report() const { return m_report; }
    const ReportPagination &pagination() const { return m_pagination; }
    int pageCount() const { return m_pagination.pageCount(); }
    // The paper without margins: the report keeps its own margins inside the page.
    QPageLayout pageLayout() const;

    // Paints page pageIndex so that the whole paper fills pageRect (device coordinates).
    void paintPage(QPainter &painter, int pageIndex, const QRectF &pageRect) const;
    // Every page onto a printer or PDF writer whose page layout is pageLayout(), in full-page
    // mode; the painter is begun on the device by the caller.
    void paintAll(QPainter &painter, QPagedPaintDevice &device) const;
    Result renderToPdf(const QString &path) const;
    // One page as an image at the given resolution, on white paper.
    QImage pageImage(int pageIndex, double dotsPerInch) const;
    // Every text of a page, for finding a page by its text.
    QString pageText(int pageIndex) const;

    // Band heights measured with the printing fonts.
    static ReportMetrics measuredMetrics(const Report &report);

private:
    Report m_report;
    ReportPagination m_pagination;
    double m_fixedPointSize = 0;
};

Result renderToPdf(const Report &report, const QString &path);

} // namespace dalvira
