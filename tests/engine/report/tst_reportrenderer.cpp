#include "report/Report.h"
#include "report/ReportRenderer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace dalvira;

namespace {

const QString kTurkish = QStringLiteral("Şükrü Öztürk Ğ İ ı ç");

// A statement-like list over two pages, carrying its running total across the break.
Report twoPageReport(int rows)
{
    Report report;
    report.previewTitle = QStringLiteral("Tolvek Rapor Önizleme - Hesap Hareket Raporu");
    report.addTitleText(QStringLiteral("site"), QStringLiteral("Çamlık Sitesi Yönetimi"), 12, true);
    report
        .addTitleText(QStringLiteral("printDate"), QStringLiteral("01.02.2024 10:15"), 8, false,
                      Qt::AlignRight)
        .sameLine = true;
    report.addTitleText(QStringLiteral("holder"), kTurkish, 10, true);
    report.addPageHeaderText(QStringLiteral("period"),
                             QStringLiteral("01.01.2024-31.01.2024 Tarihleri Arası Hesap "
                                            "Hareketleri"));
    report.addColumn(QStringLiteral("SN"), 10, ColumnKind::LineNumber).widthInMm = true;
    report.addColumn(QStringLiteral("İŞLEM\nTARİHİ"), 22, ColumnKind::Date).widthInMm = true;
    report.addColumn(QStringLiteral("AÇIKLAMA"), 1);
    report.addColumn(QStringLiteral("BORCU"), 28, ColumnKind::Amount, true).widthInMm = true;
    report.addColumn(QStringLiteral("ÖDEMESİ"), 28, ColumnKind::Amount, true).widthInMm = true;
    report.carried.enabled = true;
    report.carried.pageSumCaption = QStringLiteral("SAYFA TOPLAMI");
    report.alternateShading = true;
    report.footerText = QStringLiteral("Baskı Tarihi: 01.02.2024 10:15");
    for (int i = 0; i < rows; ++i) {
        report.addRow({ReportValue(), QDate(2024, 1, 1).addDays(i % 31),
                       QStringLiteral("Aidat Ocak - Daire %1 ğüşiöç").arg(i + 1),
                       Money::fromKurus(123456), i % 4 == 0 ? Money::fromKurus(50000) : Money()});
    }
    return report;
}

QString pdfText(const QString &pdf, bool layout = false)
{
    QProcess process;
    QStringList args;
    if (layout)
        args << QStringLiteral("-layout");
    args << QStringLiteral("-enc") << QStringLiteral("UTF-8") << pdf << QStringLiteral("-");
    process.start(QStringLiteral("pdftotext"), args);
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int inkPixels(const QImage &image, const QRect &area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                ++count;
        }
    }
    return count;
}

} // namespace

class ReportRendererTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pdfHoldsPagesTotalsAndTurkishText();
    void fixedWidthTextKeepsItsColumns();
    void unwritablePdfIsAFailure();
    void pageImageHasInk();
    void landscapePaper();

private:
    bool m_havePdfToText = false;
    QTemporaryDir m_dir;
};

void ReportRendererTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_havePdfToText = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

void ReportRendererTest::pdfHoldsPagesTotalsAndTurkishText()
{
    const Report report = twoPageReport(70);
    const ReportRenderer renderer(report);
    QCOMPARE(renderer.pageCount(), 2);

    const QString path = m_dir.filePath(QStringLiteral("iki sayfa.pdf"));
    const Result result = renderer.renderToPdf(path);
    QVERIFY2(result.ok(), qPrintable(result.message()));
    QVERIFY(QFile(path).size() > 1000);

    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    const QString text = pdfText(path);
    QVERIFY2(text.contains(QStringLiteral("Sayfa 1 / 2")), qPrintable(text.left(2000)));
    QVERIFY(text.contains(QStringLiteral("Sayfa 2 / 2")));
    QVERIFY(text.contains(kTurkish));
    QVERIFY(text.contains(QStringLiteral("İŞLEM")));
    QVERIFY(text.contains(QStringLiteral("ğüşiöç")));
    QVERIFY(text.contains(QStringLiteral("Nakli Yekün")));

    // The carried debit at the foot of page 1 and at the top of page 2 is the sum of the
    // rows printed on page 1.
    const ReportPage &first = renderer.pagination().pages.first();
    const QString carried =
        formatAmount(Money::fromKurus(123456 * qint64(first.rows.size())).toDouble());
    QCOMPARE(first.carriedForward.at(3), Money::fromKurus(123456 * qint64(first.rows.size())));
    QVERIFY2(text.count(carried) >= 3, qPrintable(carried)); // page sum, carried, brought forward
    // The grand total of all 70 rows closes the report.
    QVERIFY(text.contains(formatAmount(Money::fromKurus(123456 * 70).toDouble())));
    QVERIFY(text.contains(QStringLiteral("1.234,56")));
    QVERIFY(text.contains(QStringLiteral("Baskı Tarihi: 01.02.2024 10:15")));

    // The two pages split at the page break: page 2 starts with a brought-forward row.
    const QStringList pages = text.split(QChar(0x0c));
    QVERIFY(pages.size() >= 2);
    QVERIFY(pages.at(0).contains(QStringLiteral("Sayfa 1 / 2")));
    QVERIFY(!pages.at(0).contains(QStringLiteral("Sayfa 2 / 2")));
    QVERIFY(pages.at(1).contains(QStringLiteral("Nakli Yekün")));
    QVERIFY(pages.at(1).contains(carried));
    QVERIFY(!pages.at(1).contains(kTurkish)); // the title prints on the first page only
}

void ReportRendererTest::fixedWidthTextKeepsItsColumns()
{
    Report report;
    report.addTitleText(QStringLiteral("heading"),
                        QStringLiteral("Adı Soyadı: Şükrü Öztürk - Rapor Tarihi:31.01.2024"), 10,
                        true);
    report.fixedHeaderLines = {QStringLiteral("SN  Dönem                        Borç")};
    for (int i = 1; i <= 150; ++i) {
        report.fixedLines << QStringLiteral("%1").arg(i, -4) +
                                 QStringLiteral("%1").arg(QStringLiteral("Ocak 2024"), -20) +
                                 QStringLiteral("%1").arg(QStringLiteral("1.234,56"), 14);
    }
    // A line far wider than the paper: the font shrinks, the line is not cut.
    report.fixedLines << QStringLiteral("SON") + QString(150, QLatin1Char(' ')) +
                             QStringLiteral("SATIRSONU");
    const ReportRenderer renderer(report);
    QVERIFY(renderer.pageCount() >= 2);

    const QString path = m_dir.filePath(QStringLiteral("sabit.pdf"));
    const Result result = renderer.renderToPdf(path);
    QVERIFY2(result.ok(), qPrintable(result.message()));
    if (!m_havePdfToText)
        QSKIP("pdftotext (poppler-utils) is not installed");
    // pdftotext does not keep the exact run of blanks of a shrunken font.
    const QString text = pdfText(path, true);
    QVERIFY(text.contains(QRegularExpression(QStringLiteral("150\\s+Ocak 2024\\s+1.234,56"))));
    QVERIFY(text.contains(QStringLiteral("SATIRSONU")));
    QCOMPARE(text.count(QRegularExpression(QStringLiteral("SN\\s+Dönem\\s+Borç"))),
             renderer.pageCount());
    QVERIFY(text.contains(QStringLiteral("Sayfa %1 / %1").arg(renderer.pageCount())));
}

void ReportRendererTest::unwritablePdfIsAFailure()
{
    const Report report = twoPageReport(3);
    const Result result =
        renderToPdf(report, m_dir.filePath(QStringLiteral("yok/klasör/rapor.pdf")));
    QVERIFY(!result.ok());
    QVERIFY(result.message().contains(QStringLiteral("rapor.pdf")));
}

void ReportRendererTest::pageImageHasInk()
{
    const ReportRenderer renderer(twoPageReport(70));
    const QImage page = renderer.pageImage(1, 50);
    QCOMPARE(page.size(), QSize(qRound(210 / 25.4 * 50), qRound(297 / 25.4 * 50)));
    // Text in the body and in the page-number band at the foot.
    QVERIFY(inkPixels(page, QRect(0, 0, page.width(), page.height() / 2)) > 200);
    QVERIFY(inkPixels(page, QRect(page.width() / 2, page.height() - 60, page.width() / 2, 50)) >
            10);
    QVERIFY(renderer.pageText(1).contains(QStringLiteral("Sayfa 2 / 2")));
}

void ReportRendererTest::landscapePaper()
{
    Report report = twoPageReport(70);
    report.orientation = QPageLayout::Landscape;
    const ReportRenderer renderer(report);
    QCOMPARE(renderer.pagination().paperMm.toSize(), QSize(297, 210));
    // Less height per page: more pages than the portrait one.
    QVERIFY(renderer.pageCount() > 2);
    QCOMPARE(renderer.pageLayout().orientation(), QPageLayout::Landscape);
}

QTEST_MAIN(ReportRendererTest)
#include "tst_reportrenderer.moc"
