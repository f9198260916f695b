#include "report/ReportPreview.h"

#include "common/TextHelpers.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace dalvira {

namespace {

constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 3.0; // a page image at 3x is already about 30 MB
constexpr double kZoomStep = 1.25;
constexpr double kScreenDpi = 96.0;
constexpr int kPageMarginPx = 12; // grey border around the page in the view

} // namespace

ReportPreview::ReportPreview(const Report &report, QWidget *parent)
    : QDialog(parent), m_renderer(report)
{
    setWindowTitle(report.previewTitle);
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    resize(980, 1000);

    for (int i = 0; i < m_renderer.pageCount(); ++i)
        m_foldedPageTexts << turkishLower(m_renderer.pageText(i));

    auto *bar = new QHBoxLayout;
    bar->setSpacing(4);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(bar);

    auto addTo = [bar](QWidget *w) { bar->addWidget(w); };
    QToolButton *printButton =
        addButton(QStringLiteral("Yazdır"), QStringLiteral("printButton"), SLOT(print()));
    addTo(printButton);
    addTo(addButton(QStringLiteral("PDF Kaydet"), QStringLiteral("pdfButton"), SLOT(savePdf())));
    bar->addSpacing(12);
    m_first =
        addButton(QStringLiteral("İlk Sayfa"), QStringLiteral("firstButton"), SLOT(firstPage()));
    m_previous =
        addButton(QStringLiteral("Önceki"), QStringLiteral("previousButton"), SLOT(previousPage()));
    addTo(m_first);
    addTo(m_previous);
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("pageLabel"));
    m_pageLabel->setAlignment(Qt::AlignCenter);
    m_pageLabel->setMinimumWidth(110);
    addTo(m_pageLabel);
    m_next = addButton(QStringLiteral("Sonraki"), QStringLiteral("nextButton"), SLOT(nextPage()));
    m_last = addButton(QStringLiteral("Son Sayfa"), QStringLiteral("lastButton"), SLOT(lastPage()));
    addTo(m_next);
    addTo(m_last);
    bar->addSpacing(12);
    addTo(addButton(QStringLiteral("Yakınlaştır"), QStringLiteral("zoomInButton"), SLOT(zoomIn())));
    addTo(
        addButton(QStringLiteral("Uzaklaştır"), QStringLiteral("zoomOutButton"), SLOT(zoomOut())));
    addTo(addButton(QStringLiteral("Sayfa Genişliği"), QStringLiteral("fitWidthButton"),
                    SLOT(fitWidth())));
    addTo(addButton(QStringLiteral("Tüm Sayfa"), QStringLiteral("fitPageButton"), SLOT(fitPage())));
    m_zoomLabel = new QLabel(this);
    m_zoomLabel->setObjectName(QStringLiteral("zoomLabel"));
    m_zoomLabel->setMinimumWidth(48);
    addTo(m_zoomLabel);
    bar->addSpacing(12);
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("findEdit"));
    m_findEdit->setPlaceholderText(QStringLiteral("Aranacak metin"));
    m_findEdit->setMinimumWidth(140);
    addTo(m_findEdit);
    addTo(addButton(QStringLiteral("Bul"), QStringLiteral("findButton"), SLOT(findFromEdit())));
    connect(m_findEdit, &QLineEdit::returnPressed, this, &ReportPreview::findFromEdit);
    bar->addStretch(1);
    addTo(addButton(QStringLiteral("Kapat"), QStringLiteral("closeButton"), SLOT(reject())));

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("pageScroll"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_scroll->setWidgetResizable(false);
    m_pageView = new QLabel;
    m_pageView->setObjectName(QStringLiteral("pageView"));
    m_pageView->setAlignment(Qt::AlignCenter);
    m_pageView->setContentsMargins(kPageMarginPx, kPageMarginPx, kPageMarginPx, kPageMarginPx);
    m_scroll->setWidget(m_pageView);
    layout->addWidget(m_scroll, 1);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("statusLabel"));
    layout->addWidget(m_status);

    new QShortcut(QKeySequence(Qt::Key_PageDown), this, this, &ReportPreview::nextPage);
    new QShortcut(QKeySequence(Qt::Key_PageUp), this, this, &ReportPreview::previousPage);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home), this, this, &ReportPreview::firstPage);
    new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_End), this, this, &ReportPreview::lastPage);
    new QShortcut(QKeySequence::ZoomIn, this, this, &ReportPreview::zoomIn);
    new QShortcut(QKeySequence::ZoomOut, this, this, &ReportPreview::zoomOut);
    new QShortcut(QKeySequence::Find, this, this, [this] {
        m_findEdit->setFocus();
        m_findEdit->selectAll();
    });
    new QShortcut(QKeySequence::Print, this, this, &ReportPreview::print);

    refreshPage();
}

void ReportPreview::show(const Report &report, QWidget *parent)
{
    ReportPreview preview(report, parent);
    preview.setWindowState(preview.windowState() | Qt::WindowMaximized);
    preview.exec();
}

QToolButton *ReportPreview::addButton(const QString &text, const QString &objectName,
                                      const char *slot)
{
    auto *button = new QToolButton(this);
    button->setText(text);
    button->setObjectName(objectName);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(button, SIGNAL(clicked()), this, slot);
    return button;
}

QString ReportPreview::pageLabelText() const
{
    return m_pageLabel->text();
}

QString ReportPreview::statusText() const
{
    return m_status->text();
}

void ReportPreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The view has its real size only once shown: fit the page's width then.
    if (!m_fittedOnce) {
        m_fittedOnce = true;
        fitWidth();
    }
}

void ReportPreview::goToPage(int pageIndex)
{
    const int page = std::clamp(pageIndex, 0, std::max(0, pageCount() - 1));
    if (page == m_page)
        return;
    m_page = page;
    refreshPage();
    m_scroll->verticalScrollBar()->setValue(0);
}

void ReportPreview::firstPage()
{
    goToPage(0);
}

void ReportPreview::previousPage()
{
    goToPage(m_page - 1);
}

void ReportPreview::nextPage()
{
    goToPage(m_page + 1);
}

void ReportPreview::lastPage()
{
    goToPage(pageCount() - 1);
}

void ReportPreview::setZoom(double zoom)
{
    const double z = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (std::abs(z - m_zoom) < 1e-9)
        return;
    m_zoom = z;
    refreshPage();
}

void ReportPreview::zoomIn()
{
    setZoom(m_zoom * kZoomStep);
}

void ReportPreview::zoomOut()
{
    setZoom(m_zoom / kZoomStep);
}

void ReportPreview::fitWidth()
{
    const QSizeF paper = m_renderer.pagination().paperMm;
    const double available = m_scroll->viewport()->width() - 2 * kPageMarginPx -
                             m_scroll->verticalScrollBar()->sizeHint().width();
    setZoom(available / (paper.width() / 25.4 * kScreenDpi));
}

void ReportPreview::fitPage()
{
    const QSizeF paper = m_renderer.pagination().paperMm;
    const double width = m_scroll->viewport()->width() - 2 * kPageMarginPx;
    const double height = m_scroll->viewport()->height() - 2 * kPageMarginPx;
    setZoom(std::min(width / (paper.width() / 25.4 * kScreenDpi),
                     height / (paper.height() / 25.4 * kScreenDpi)));
}

void ReportPreview::refreshPage()
{
    const double ratio = devicePixelRatioF();
    QImage image = m_renderer.pageImage(m_page, kScreenDpi * m_zoom * ratio);
    image.setDevicePixelRatio(ratio);
    m_pageView->setPixmap(QPixmap::fromImage(image));
    m_pageView->adjustSize();

    m_pageLabel->setText(QStringLiteral("Sayfa %1 / %2").arg(m_page + 1).arg(pageCount()));
    m_zoomLabel->setText(QStringLiteral("%%1").arg(qRound(m_zoom * 100)));
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < pageCount());
    m_last->setEnabled(m_page + 1 < pageCount());
}

bool ReportPreview::findNext(const QString &text)
{
    const QString needle = turkishLower(text);
    if (needle.isEmpty())
        return false;
    const int count = pageCount();
    // A new text is looked for from the page on view; the same text again moves on.
    const int start = needle == m_lastSearch ? m_page + 1 : m_page;
    m_lastSearch = needle;
    for (int step = 0; step < count; ++step) {
        const int page = (start + step) % count;
        if (m_foldedPageTexts.at(page).contains(needle)) {
            goToPage(page);
            m_status->setText(QStringLiteral("\"%1\": sayfa %2").arg(text.trimmed()).arg(page + 1));
            return true;
        }
    }
    m_status->setText(QStringLiteral("\"%1\" bulunamadı.").arg(text.trimmed()));
    return false;
}

void ReportPreview::findFromEdit()
{
    findNext(m_findEdit->text());
}

Result ReportPreview::printTo(QPrinter &printer) const
{
    printer.setFullPage(true);
    int from = 0;
    int to = pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(0, printer.fromPage() - 1);
        to = std::min(to, printer.toPage() > 0 ? printer.toPage() - 1 : to);
    } else if (printer.printRange() == QPrinter::CurrentPage) {
        from = to = m_page;
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return Result::failure(QStringLiteral("Yazdırma başlatılamadı."));
    for (int page = from; page <= to; ++page) {
        if (page > from)
            printer.newPage();
        const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
        m_renderer.paintPage(painter, page, QRectF(QPointF(0, 0), paper.size()));
    }
    if (!painter.end())
        return Result::failure(QStringLiteral("Yazdırma tamamlanamadı."));
    return Result::success();
}

Result ReportPreview::saveAsPdf(const QString &path) const
{
    return m_renderer.renderToPdf(path);
}

void ReportPreview::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(m_renderer.pageLayout());
    printer.setDocName(windowTitle());
    printer.setFromTo(1, pageCount());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
    dialog.setMinMax(1, pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const Result result = printTo(printer);
    if (!result.ok())
        QMessageBox::warning(this, windowTitle(), result.message());
}

void ReportPreview::savePdf()
{
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("PDF Kaydet"),
                                                QStringLiteral("Rapor.pdf"),
                                                QStringLiteral("PDF dosyası (*.pdf)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    const Result result = saveAsPdf(path);
    if (!result.ok())
        QMessageBox::warning(this, windowTitle(), result.message());
    else
        m_status->setText(QStringLiteral("Kaydedildi: %1").arg(path));
}

} // namespace dalvira
