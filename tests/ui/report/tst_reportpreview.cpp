#include "report/ReportPreview.h"

#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace dalvira;

namespace {

// Three pages of flats; "Şükrü Öztürk" lives only on the second page.
Report threePageReport()
{
    Report report;
    report.previewTitle = QStringLiteral("Tolvek Rapor Önizleme - Daire Kayıtları Raporu");
    report.addTitleText(QStringLiteral("title"), QStringLiteral("DAİRE KAYITLARI RAPORU"), 12, true,
                        Qt::AlignHCenter);
    report.addColumn(QStringLiteral("SN"), 12, ColumnKind::LineNumber).widthInMm = true;
    report.addColumn(QStringLiteral("SAHİBİ ADI VE SOYADI"), 1);
    report.addColumn(QStringLiteral("BORCU"), 30, ColumnKind::Amount, true).widthInMm = true;
    for (int i = 0; i < 150; ++i) {
        const QString name =
            i == 80 ? QStringLiteral("Şükrü Öztürk") : QStringLiteral("Ahmet Yılmaz %1").arg(i);
        report.addRow({ReportValue(), name, Money::fromKurus(1000 + i)});
    }
    return report;
}

void typeText(QWidget *widget, const QString &text)
{
    // keyClicks cannot type Turkish letters; send each as its own key event.
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QToolButton *button(const ReportPreview &preview, const char *name)
{
    return preview.findChild<QToolButton *>(QString::fromLatin1(name));
}

} // namespace

class ReportPreviewTest : public QObject
{
    Q_OBJECT

private slots:
    void navigatesPages();
    void zooms();
    void findsTextTheTurkishWay_data();
    void findsTextTheTurkishWay();
    void printsToPdfThroughThePrinter();
    void escapeCloses();
};

void ReportPreviewTest::navigatesPages()
{
    ReportPreview preview(threePageReport());
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QCOMPARE(preview.pageCount(), 3);
    QCOMPARE(preview.pageLabelText(), QStringLiteral("Sayfa 1 / 3"));
    QVERIFY(!button(preview, "previousButton")->isEnabled());

    QTest::mouseClick(button(preview, "nextButton"), Qt::LeftButton);
    QCOMPARE(preview.currentPage(), 1);
    QCOMPARE(preview.pageLabelText(), QStringLiteral("Sayfa 2 / 3"));
    QTest::mouseClick(button(preview, "lastButton"), Qt::LeftButton);
    QCOMPARE(preview.pageLabelText(), QStringLiteral("Sayfa 3 / 3"));
    QVERIFY(!button(preview, "nextButton")->isEnabled());
    QVERIFY(!button(preview, "lastButton")->isEnabled());
    preview.nextPage(); // past the end stays on the last page
    QCOMPARE(preview.currentPage(), 2);
    QTest::mouseClick(button(preview, "previousButton"), Qt::LeftButton);
    QCOMPARE(preview.currentPage(), 1);
    QTest::mouseClick(button(preview, "firstButton"), Qt::LeftButton);
    QCOMPARE(preview.pageLabelText(), QStringLiteral("Sayfa 1 / 3"));
    QTest::keyClick(&preview, Qt::Key_PageDown);
    QCOMPARE(preview.currentPage(), 1);
}

void ReportPreviewTest::zooms()
{
    ReportPreview preview(threePageReport());
    preview.resize(900, 900);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    auto *view = preview.findChild<QLabel *>(QStringLiteral("pageView"));
    QVERIFY(view);

    preview.fitWidth();
    const double fitted = preview.zoom();
    const int fittedWidth = view->width();
    QTest::mouseClick(button(preview, "zoomInButton"), Qt::LeftButton);
    QVERIFY(preview.zoom() > fitted);
    QVERIFY(view->width() > fittedWidth);
    QTest::mouseClick(button(preview, "zoomOutButton"), Qt::LeftButton);
    QTest::mouseClick(button(preview, "zoomOutButton"), Qt::LeftButton);
    QVERIFY(preview.zoom() < fitted);
    QVERIFY(view->width() < fittedWidth);
    for (int i = 0; i < 20; ++i)
        preview.zoomOut();
    QVERIFY(preview.zoom() >= 0.25);
    // The whole page fits the view: its height is no more than the view's.
    QTest::mouseClick(button(preview, "fitPageButton"), Qt::LeftButton);
    const auto *scroll = preview.findChild<QWidget *>(QStringLiteral("pageScroll"));
    QVERIFY(view->height() <= scroll->height());
}

void ReportPreviewTest::findsTextTheTurkishWay_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("page");

    QTest::newRow("as printed") << QStringLiteral("Şükrü Öztürk") << 1;
    QTest::newRow("lower case") << QStringLiteral("şükrü öztürk") << 1;
    QTest::newRow("capitals") << QStringLiteral("ŞÜKRÜ ÖZTÜRK") << 1;
    // Dotted and dotless i: "YILMAZ" is "yılmaz", never "yilmaz".
    QTest::newRow("dotless capital I") << QStringLiteral("AHMET YILMAZ 149") << 2;
    QTest::newRow("wrong i") << QStringLiteral("yilmaz") << -1;
    QTest::newRow("heading of every page") << QStringLiteral("sahibi adı") << 0;
}

void ReportPreviewTest::findsTextTheTurkishWay()
{
    QFETCH(QString, typed);
    QFETCH(int, page);

    ReportPreview preview(threePageReport());
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    auto *edit = preview.findChild<QLineEdit *>(QStringLiteral("findEdit"));
    QVERIFY(edit);
    typeText(edit, typed);
    QCOMPARE(edit->text(), typed);
    QTest::mouseClick(button(preview, "findButton"), Qt::LeftButton);
    if (page < 0) {
        QCOMPARE(preview.currentPage(), 0);
        QVERIFY(preview.statusText().contains(QStringLiteral("bulunamadı")));
        return;
    }
    QCOMPARE(preview.currentPage(), page);
    QCOMPARE(preview.pageLabelText(), QStringLiteral("Sayfa %1 / 3").arg(page + 1));
    // Return in the field finds the next page holding it, wrapping round.
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(preview.isVisible());
    if (page == 0)
        QCOMPARE(preview.currentPage(), 1); // the headings are on every page
    else
        QCOMPARE(preview.currentPage(), page); // the only page holding it
}

void ReportPreviewTest::printsToPdfThroughThePrinter()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    ReportPreview preview(threePageReport());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir.filePath(QStringLiteral("yazici.pdf"));
    printer.setOutputFileName(path);
    printer.setPageLayout(preview.renderer().pageLayout());
    const Result printed = preview.printTo(printer);
    QVERIFY2(printed.ok(), qPrintable(printed.message()));
    const Result saved = preview.saveAsPdf(dir.filePath(QStringLiteral("kayit.pdf")));
    QVERIFY2(saved.ok(), qPrintable(saved.message()));

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    for (const QString &file : {path, dir.filePath(QStringLiteral("kayit.pdf"))}) {
        QProcess process;
        process.start(QStringLiteral("pdftotext"),
                      {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
        QVERIFY(process.waitForFinished(30000));
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(text.contains(QStringLiteral("Sayfa 3 / 3")), qPrintable(file));
        QVERIFY(text.contains(QStringLiteral("Şükrü Öztürk")));
        QCOMPARE(text.count(QChar(0x0c)), 3); // one form feed per page
    }
}

void ReportPreviewTest::escapeCloses()
{
    ReportPreview preview(threePageReport());
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QVERIFY(preview.isVisible());
    QTest::keyClick(&preview, Qt::Key_Escape);
    QVERIFY(!preview.isVisible());
}

QTEST_MAIN(ReportPreviewTest)
#include "tst_reportpreview.moc"
