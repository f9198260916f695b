#include "common/WaitWindow.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

using namespace dalvira;

class TestWaitWindow : public QObject
{
    Q_OBJECT
private slots:
    void layoutTexts();
    void startShowsTheBatch();
    void stepsUpdateCounterAndBars();
    void elapsedText_data();
    void elapsedText();
    void cancelSeenDuringSteps();
    void cancelOnlyForCancellableBatch();
    void eventsThrottledButAlwaysOnLastRow();
    void closeButtonHidesAndLeavesTop();
    void finishShowsEndTextAndHides();
};

void TestWaitWindow::layoutTexts()
{
    WaitWindow w;
    QCOMPARE(w.objectName(), QStringLiteral("bekleyinF"));
    QCOMPARE(w.windowTitle(), QStringLiteral("İşlem durumu"));
    QCOMPARE(w.statusText(), QStringLiteral("Bekleyin dosyalar güncelleniyor..."));
    QStringList labels;
    for (const QLabel *label : w.findChildren<QLabel *>())
        labels << label->text();
    QVERIFY(labels.contains(QStringLiteral("Toplam ilerleme durumu")));
    QVERIFY(labels.contains(QStringLiteral("Aktif kayıt ilerleme durumu")));
    QCOMPARE(w.closeButton()->text(), QStringLiteral("KAPAT"));
    QCOMPARE(w.cancelButton()->text(), QStringLiteral("İPTAL ET"));
    QCOMPARE(w.minimumSize(), w.maximumSize());
}

void TestWaitWindow::startShowsTheBatch()
{
    WaitWindow w;
    w.start(QStringLiteral("Bekleyin aktarılıyor..."), QStringLiteral("Aktarılan kayıt :"), 10,
            false);
    QVERIFY(w.isVisible());
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(w.windowModality(), Qt::ApplicationModal);
    QCOMPARE(w.statusText(), QStringLiteral("Bekleyin aktarılıyor..."));
    QCOMPARE(w.overallBar()->maximum(), 10);
    QCOMPARE(w.overallBar()->value(), 0);
    QVERIFY(w.elapsedLine().startsWith(QStringLiteral("Geçen süre:")));
    QVERIFY(!w.cancelButton()->isEnabled());
}

void TestWaitWindow::stepsUpdateCounterAndBars()
{
    WaitWindow w;
    w.start(QStringLiteral("Aktarma yapılıyor..."), QStringLiteral("Aktarılan kayıt :"), 10, false);
    w.step(1);
    w.step(3, 1);
    QCOMPARE(w.counterLine(), QStringLiteral("Aktarılan kayıt :3/10"));
    QCOMPARE(w.overallBar()->value(), 3);
    QCOMPARE(w.rowBar()->maximum(), 2);
    QCOMPARE(w.rowBar()->value(), 1);
    QVERIFY(QRegularExpression(QStringLiteral("^Geçen süre: \\d\\d:\\d\\d:\\d\\d$"))
                .match(w.elapsedLine())
                .hasMatch());
    // Twelve instalments per row drive the second bar.
    w.step(4, 7, 12);
    QCOMPARE(w.rowBar()->maximum(), 12);
    QCOMPARE(w.rowBar()->value(), 7);
    QCOMPARE(w.counterLine(), QStringLiteral("Aktarılan kayıt :4/10"));

    // A new batch starts from nothing.
    w.start(QStringLiteral("Bekleyin güncelleniyor..."), QStringLiteral("Silinen kayıt :"), 5,
            false);
    QCOMPARE(w.counterLine(), QString());
    QCOMPARE(w.overallBar()->value(), 0);
    w.step(5);
    QCOMPARE(w.counterLine(), QStringLiteral("Silinen kayıt :5/5"));
}

void TestWaitWindow::elapsedText_data()
{
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << qint64(0) << "Geçen süre: 00:00:00";
    QTest::newRow("under a second") << qint64(999) << "Geçen süre: 00:00:00";
    QTest::newRow("hour minute second") << qint64(3725000) << "Geçen süre: 01:02:05";
    QTest::newRow("over a day") << qint64(90061000) << "Geçen süre: 25:01:01";
}

void TestWaitWindow::elapsedText()
{
    QFETCH(qint64, ms);
    QFETCH(QString, text);
    QCOMPARE(WaitWindow::elapsedText(ms), text);
}

void TestWaitWindow::cancelSeenDuringSteps()
{
    WaitWindow w;
    w.start(QStringLiteral("Bekleyin aktarılıyor..."), QStringLiteral("Aktarılan kayıt :"), 100,
            true);
    QVERIFY(w.cancelButton()->isEnabled());
    QVERIFY(!w.cancelRequested());
    // The click arrives while the batch runs in this thread: only step() lets it through.
    QTimer::singleShot(0, w.cancelButton(),
                       [&w] { QTest::mouseClick(w.cancelButton(), Qt::LeftButton); });
    for (int row = 1; row <= 100 && !w.cancelRequested(); ++row) {
        w.step(row);
        if (!w.cancelRequested())
            QTest::qSleep(5);
    }
    QVERIFY(w.cancelRequested());
    QVERIFY(!w.cancelButton()->isEnabled());

    // The next batch starts uncancelled.
    w.start(QStringLiteral("Bekleyin aktarılıyor..."), QStringLiteral("Aktarılan kayıt :"), 1,
            true);
    QVERIFY(!w.cancelRequested());
}

void TestWaitWindow::cancelOnlyForCancellableBatch()
{
    WaitWindow w;
    w.start(QStringLiteral("Bekleyin güncelleniyor..."), QStringLiteral("Yapılan güncelleme :"), 3,
            false);
    QVERIFY(!w.cancelButton()->isEnabled());
    QTest::mouseClick(w.cancelButton(), Qt::LeftButton);
    w.step(1);
    QVERIFY(!w.cancelRequested());
}

void TestWaitWindow::eventsThrottledButAlwaysOnLastRow()
{
    WaitWindow w;
    bool delivered = false;
    QElapsedTimer sinceStart;
    sinceStart.start();
    // start() lets events through once; rows soon after it do not.
    w.start(QStringLiteral("Bekleyin aktarılıyor..."), QStringLiteral("Aktarılan kayıt :"), 3,
            false);
    QTimer::singleShot(0, &w, [&delivered] { delivered = true; });
    w.step(1);
    w.step(2);
    if (sinceStart.elapsed() < WaitWindow::kRepaintIntervalMs / 2)
        QVERIFY2(!delivered, "events let through on every row");
    w.step(3);
    QVERIFY(delivered);
}

void TestWaitWindow::closeButtonHidesAndLeavesTop()
{
    WaitWindow w;
    w.start(QStringLiteral("Bekleyin aktarılıyor..."), QStringLiteral("Aktarılan kayıt :"), 5,
            true);
    QTest::mouseClick(w.closeButton(), Qt::LeftButton);
    QVERIFY(!w.isVisible());
    QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
    // The batch goes on with the window hidden.
    w.step(2);
    QCOMPARE(w.counterLine(), QStringLiteral("Aktarılan kayıt :2/5"));
    QVERIFY(!w.isVisible());
    // The next batch brings it back on top.
    w.start(QStringLiteral("Bekleyin aktarılıyor..."), QStringLiteral("Aktarılan kayıt :"), 5,
            true);
    QVERIFY(w.isVisible());
    QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
}

void TestWaitWindow::finishShowsEndTextAndHides()
{
    WaitWindow w;
    BatchProgress &progress = w;
    progress.start(QStringLiteral("Bekleyin aktarılıyor..."), QStringLiteral("Aktarılan kayıt :"),
                   2, true);
    progress.step(1);
    progress.step(2);
    progress.finish(QStringLiteral("Aktarma bitti."));
    QCOMPARE(w.statusText(), QStringLiteral("Aktarma bitti."));
    QVERIFY(!w.isVisible());
    QCOMPARE(w.counterLine(), QStringLiteral("Aktarılan kayıt :2/2"));
}

QTEST_MAIN(TestWaitWindow)
#include "tst_waitwindow.moc"
