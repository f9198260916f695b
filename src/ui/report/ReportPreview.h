#pragma once

#include "common/Result.h"
#include "report/Report.h"
#include "report/ReportRenderer.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPrinter;
class QScrollArea;
class QToolButton;

namespace dalvira {

// The print preview of a report: pages with zoom, page navigation, find, print and save as
// PDF. Escape closes it.
class ReportPreview : public QDialog
{
    Q_OBJECT

public:
    explicit ReportPreview(const Report &report, QWidget *parent = nullptr);

    // Shows the report maximised and returns when the user closes the preview.
    static void show(const Report &report, QWidget *parent = nullptr);
    using QDialog::show;

    const ReportRenderer &renderer() const { return m_renderer; }
    int pageCount() const { return m_renderer.pageCount(); }
    int currentPage() const { return m_page; } // 0-based
    double zoom() const { return m_zoom; }     // 1.0: the paper's real size on the screen
    QString pageLabelText() const;
    QString statusText() const;

    // Prints every page (or the range chosen in the print dialog) onto the printer.
    Result printTo(QPrinter &printer) const;
    Result saveAsPdf(const QString &path) const;

public slots:
    void goToPage(int pageIndex);
    void firstPage();
    void previousPage();
    void nextPage();
    void lastPage();
    void zoomIn();
    void zoomOut();
    void fitWidth();
    void fitPage();
    // Shows the next page holding the text (case-insensitive, Turkish letters folded the
    // Turkish way), wrapping round after the last page; false when no page holds it.
    bool findNext(const QString &text);

private slots:
    void print();
    void savePdf();
    void findFromEdit();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void setZoom(double zoom);
    void refreshPage();
    QToolButton *addButton(const QString &text, const QString &objectName, const char *slot);

    ReportRenderer m_renderer;
    QStringList m_foldedPageTexts;
    int m_page = 0;
    double m_zoom = 1.0;
    bool m_fittedOnce = false;
    QString m_lastSearch;

    QScrollArea *m_scroll = nullptr;
    QLabel *m_pageView = nullptr;
    QLabel *m_pageLabel = nullptr;
    QLabel *m_zoomLabel = nullptr;
    QLabel *m_status = nullptr;
    QLineEdit *m_findEdit = nullptr;
    QToolButton *m_first = nullptr;
    QToolButton *m_previous = nullptr;
    QToolButton *m_next = nullptr;
    QToolButton *m_last = nullptr;
};

} // namespace dalvira
