#include "WaitWindow.h"

#include "common/WindowPlacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace dalvira {

WaitWindow::WaitWindow(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint),
      m_status(new QLabel(kInitialStatus, this)), m_counter(new QLabel(this)),
      m_elapsed(new QLabel(elapsedText(0), this)), m_overall(new QProgressBar(this)),
      m_row(new QProgressBar(this)), m_close(new QPushButton(QStringLiteral("KAPAT"), this)),
      m_cancel(new QPushButton(QStringLiteral("İPTAL ET"), this))
{
    setObjectName(QStringLiteral("bekleyinF"));
    setWindowTitle(QStringLiteral("İşlem durumu"));
    setWindowModality(Qt::ApplicationModal);

    m_status->setObjectName(QStringLiteral("statusLine"));
    m_counter->setObjectName(QStringLiteral("counterLine"));
    m_elapsed->setObjectName(QStringLiteral("elapsedLine"));
    m_overall->setObjectName(QStringLiteral("overallBar"));
    m_row->setObjectName(QStringLiteral("rowBar"));
    m_cancel->setEnabled(false);
    for (QProgressBar *bar : {m_overall, m_row}) {
        bar->setRange(0, 1);
        bar->setValue(0);
        bar->setTextVisible(true);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Toplam ilerleme durumu"), this));
    layout->addWidget(m_overall);
    layout->addWidget(m_status);
    layout->addWidget(m_counter);
    layout->addSpacing(6);
    layout->addWidget(new QLabel(QStringLiteral("Aktif kayıt ilerleme durumu"), this));
    layout->addWidget(m_row);
    layout->addWidget(m_elapsed);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_close);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);

    connect(m_close, &QPushButton::clicked, this, &WaitWindow::closeWindow);
    connect(m_cancel, &QPushButton::clicked, this, &WaitWindow::requestCancel);

    // Wide enough for the longest status texts; the size never changes afterwards.
    m_status->setMinimumWidth(360);
    setFixedSize(sizeHint());
}

QString WaitWindow::elapsedText(qint64 milliseconds)
{
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("Geçen süre: %1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString WaitWindow::statusText() const
{
    return m_status->text();
}

QString WaitWindow::counterLine() const
{
    return m_counter->text();
}

QString WaitWindow::elapsedLine() const
{
    return m_elapsed->text();
}

void WaitWindow::start(const QString &statusText, const QString &counterText, int total,
                       bool cancellable)
{
    m_status->setText(statusText.isEmpty() ? kInitialStatus : statusText);
    m_counterText = counterText;
    m_total = total;
    m_counter->clear();
    m_overall->setRange(0, qMax(total, 1));
    m_overall->setValue(0);
    m_row->setRange(0, 2);
    m_row->setValue(0);
    m_elapsed->setText(elapsedText(0));
    m_cancellable = cancellable;
    m_cancelRequested = false;
    m_cancel->setEnabled(cancellable);
    m_clock.start();
    m_sinceEvents.invalidate();

    // "KAPAT" took the window off the top during an earlier batch.
    if (!(windowFlags() & Qt::WindowStaysOnTopHint))
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    show();
    raise();
    letEventsThrough(true);
}

void WaitWindow::step(int position, int subStep, int subTotal)
{
    m_overall->setValue(qMin(position, m_overall->maximum()));
    m_counter->setText(m_counterText + QString::number(position) + QLatin1Char('/') +
                       QString::number(m_total));
    m_row->setRange(0, qMax(subTotal, 1));
    m_row->setValue(qBound(0, subStep, m_row->maximum()));
    m_elapsed->setText(elapsedText(m_clock.isValid() ? m_clock.elapsed() : 0));
    letEventsThrough(position >= m_total);
}

void WaitWindow::finish(const QString &endText)
{
    m_status->setText(endText);
    m_cancel->setEnabled(false);
    hide();
}

void WaitWindow::letEventsThrough(bool force)
{
    if (!force && m_sinceEvents.isValid() && m_sinceEvents.elapsed() < kRepaintIntervalMs)
        return;
    m_sinceEvents.start();
    // Hidden with "KAPAT" the window no longer blocks the other screens: then only repaint,
    // never let a click start something else in the middle of the batch.
    QCoreApplication::processEvents(isVisible() ? QEventLoop::AllEvents
                                                : QEventLoop::ExcludeUserInputEvents);
}

void WaitWindow::closeWindow()
{
    hide();
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
}

void WaitWindow::requestCancel()
{
    if (!m_cancellable)
        return;
    m_cancelRequested = true;
    m_cancel->setEnabled(false);
}

void WaitWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    centreOnScreen(this, QGuiApplication::primaryScreen());
}

void WaitWindow::closeEvent(QCloseEvent *event)
{
    // The title bar's close button acts as "KAPAT"; the window lives on for the next batch.
    event->ignore();
    closeWindow();
}

} // namespace dalvira
