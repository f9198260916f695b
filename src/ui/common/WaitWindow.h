#pragma once

#include "common/BatchProgress.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace dalvira {

// The shared wait window "bekleyinF" of long batch operations. The work runs in the user
// thread, so step() lets the event loop run now and then: the window repaints and a click on
// "İPTAL ET" is seen. While shown the window is application-modal, so nothing else can be
// started in the middle of a batch.
class WaitWindow : public QWidget, public BatchProgress
{
    Q_OBJECT
public:
    static inline const QString kInitialStatus =
        QStringLiteral("Bekleyin dosyalar güncelleniyor...");
    // Events are let through at most this often, and always on the last row.
    static constexpr int kRepaintIntervalMs = 50;

    explicit WaitWindow(QWidget *parent = nullptr);

    void start(const QString &statusText, const QString &counterText, int total,
               bool cancellable) override;
    void step(int position, int subStep = 0, int subTotal = 2) override;
    bool cancelRequested() const override { return m_cancelRequested; }
    void finish(const QString &endText) override;

    // "Geçen süre: hh:mm:ss".
    static QString elapsedText(qint64 milliseconds);

    QString statusText() const;
    QString counterLine() const;
    QString elapsedLine() const;
    QProgressBar *overallBar() const { return m_overall; }
    QProgressBar *rowBar() const { return m_row; }
    QPushButton *closeButton() const { return m_close; }
    QPushButton *cancelButton() const { return m_cancel; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void closeWindow();
    void requestCancel();
    void letEventsThrough(bool force);

    QLabel *m_status;
    QLabel *m_counter;
    QLabel *m_elapsed;
    QProgressBar *m_overall;
    QProgressBar *m_row;
    QPushButton *m_close;
    QPushButton *m_cancel;
    QString m_counterText;
    int m_total = 0;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceEvents;
    bool m_cancellable = false;
    bool m_cancelRequested = false;
};

} // namespace dalvira
