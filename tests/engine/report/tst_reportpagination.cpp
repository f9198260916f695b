#include "report/Report.h"
#include "report/ReportPagination.h"

#include <QTest>

using namespace dalvira;

namespace {

constexpr double kRow = 5.0;

// A report whose body (between the margins) is bodyHeight millimetres high, laid out with
// every band kRow high: with the column headings and the page-number band, a body of 60 mm
// holds exactly 10 rows of 5 mm.
Report tableReport(int rowCount, double bodyHeight = 60.0)
{
    Report report;
    report.marginsMm = QMarginsF(10, 10, 10, 297 - 10 - bodyHeight);
    report.addColumn(QStringLiteral("SN"), 10, ColumnKind::LineNumber).widthInMm = true;
    report.addColumn(QStringLiteral("Açıklama"), 1);
    report.addColumn(QStringLiteral("Tutar"), 30, ColumnKind::Amount, true).widthInMm = true;
    for (int i = 0; i < rowCount; ++i) {
        // Tenths of a lira: summed as doubles they drift off the kuruş.
        report.addRow({ReportValue(), QStringLiteral("Satır %1").arg(i + 1),
                       Money::fromKurus(10 * (i % 3 + 1))});
    }
    return report;
}

Money rowAmount(const Report &report, int row)
{
    return report.cellAmount(row, 2);
}

QList<int> rowCounts(const ReportPagination &p)
{
    QList<int> counts;
    for (const ReportPage &page : p.pages)
        counts << int(page.rows.size());
    return counts;
}

QList<const PageItem *> itemsOf(const ReportPage &page, BandKind kind)
{
    QList<const PageItem *> found;
    for (const PageItem &item : page.items) {
        if (item.kind == kind)
            found << &item;
    }
    return found;
}

bool isBodyItem(BandKind kind)
{
    switch (kind) {
    case BandKind::GroupHeader:
    case BandKind::Detail:
    case BandKind::GroupFooter:
    case BandKind::SummaryTotals:
    case BandKind::SummaryRow:
    case BandKind::SummaryText:
    case BandKind::FixedLine:
        return true;
    default:
        return false;
    }
}

} // namespace

class ReportPaginationTest : public QObject
{
    Q_OBJECT

private slots:
    void rowsPerPage_data();
    void rowsPerPage();
    void carriedTotalsAreRunningSums_data();
    void carriedTotalsAreRunningSums();
    void nothingCrossesThePageFoot();
    void emptyReportHasOnePage();
    void pageNumbers_data();
    void pageNumbers();
    void groupHeaderKeepsItsFirstRow_data();
    void groupHeaderKeepsItsFirstRow();
    void groupFootersSumTheirGroup();
    void totalRowsAreNeitherSummedNorNumbered();
    void titleOnFirstPagePageHeaderOnEvery();
    void fixedWidthLines_data();
    void fixedWidthLines();
    void columnWidths_data();
    void columnWidths();
    void pageTextHoldsWhatIsPrinted();
    void namedTexts();
};

void ReportPaginationTest::rowsPerPage_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("carriedMode"); // 0 none, 1 carried rows, 2 also page sums
    QTest::addColumn<bool>("summaryTotals");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("one page exactly full") << 10 << 0 << false << QList<int>{10};
    QTest::newRow("summary needs its own page") << 10 << 0 << true << QList<int>{10, 0};
    QTest::newRow("summary fits under the rows") << 9 << 0 << true << QList<int>{9};
    QTest::newRow("three pages") << 25 << 0 << false << QList<int>{10, 10, 5};
    QTest::newRow("one row over") << 11 << 0 << false << QList<int>{10, 1};
    // The carried row takes one row at every foot, the brought-forward row one at the top of
    // every page after the first.
    QTest::newRow("carried") << 24 << 1 << true << QList<int>{9, 8, 7};
    QTest::newRow("carried, summary pushed over") << 25 << 1 << true << QList<int>{9, 8, 8, 0};
    QTest::newRow("carried and page sums") << 20 << 2 << false << QList<int>{8, 7, 5};
}

void ReportPaginationTest::rowsPerPage()
{
    QFETCH(int, rows);
    QFETCH(int, carriedMode);
    QFETCH(bool, summaryTotals);
    QFETCH(QList<int>, expected);

    Report report = tableReport(rows);
    report.carried.enabled = carriedMode > 0;
    if (carriedMode == 2)
        report.carried.pageSumCaption = QStringLiteral("SAYFA TOPLAMI");
    if (!summaryTotals)
        report.summary.totalsCaption.clear();

    const ReportPagination p = paginate(report, ReportMetrics::uniform(kRow));
    QCOMPARE(rowCounts(p), expected);

    // Every row is printed once, in order.
    QList<int> printed;
    for (const ReportPage &page : p.pages)
        printed << page.rows;
    QCOMPARE(printed.size(), rows);
    for (int i = 0; i < printed.size(); ++i)
        QCOMPARE(printed.at(i), i);

    const int totalsRows = [&] {
        int n = 0;
        for (const ReportPage &page : p.pages)
            n += int(itemsOf(page, BandKind::SummaryTotals).size());
        return n;
    }();
    QCOMPARE(totalsRows, summaryTotals ? 1 : 0);
    if (summaryTotals)
        QCOMPARE(itemsOf(p.pages.last(), BandKind::SummaryTotals).size(), 1);
}

void ReportPaginationTest::carriedTotalsAreRunningSums_data()
{
    QTest::addColumn<qint64>("openingKurus");
    QTest::addColumn<bool>("includeOpening");
    QTest::addColumn<bool>("footOnLastPage");

    QTest::newRow("no opening") << qint64(0) << false << false;
    QTest::newRow("opening carried, not in the grand total") << qint64(123456) << false << false;
    QTest::newRow("opening in the grand total, foot on last page")
        << qint64(123456) << true << true;
}

void ReportPaginationTest::carriedTotalsAreRunningSums()
{
    QFETCH(qint64, openingKurus);
    QFETCH(bool, includeOpening);
    QFETCH(bool, footOnLastPage);

    Report report = tableReport(40);
    report.carried.enabled = true;
    report.carried.broughtForwardCaption = QStringLiteral("Devreden");
    report.carried.pageSumCaption = QStringLiteral("SAYFA TOPLAMI");
    report.carried.footOnLastPage = footOnLastPage;
    report.carried.onFirstPage = true;
    report.carried.opening = {Money(), Money(), Money::fromKurus(openingKurus)};
    report.summary.includeOpening = includeOpening;

    const ReportPagination p = paginate(report, ReportMetrics::uniform(kRow));
    QVERIFY(p.pageCount() > 2);

    const Money opening = Money::fromKurus(openingKurus);
    Money running = opening;
    for (int i = 0; i < p.pageCount(); ++i) {
        const ReportPage &page = p.pages.at(i);
        const bool last = i == p.pageCount() - 1;

        const auto top = itemsOf(page, BandKind::BroughtForward);
        QCOMPARE(top.size(), 1);
        QCOMPARE(top.first()->caption, QStringLiteral("Devreden"));
        QCOMPARE(top.first()->sums.at(2), running);
        QCOMPARE(page.broughtForward.at(2), running);

        Money pageSum;
        for (int row : page.rows)
            pageSum += rowAmount(report, row);
        running += pageSum;
        QCOMPARE(page.pageSums.at(2), pageSum);
        QCOMPARE(page.carriedForward.at(2), running);

        const auto sums = itemsOf(page, BandKind::PageSums);
        const auto carried = itemsOf(page, BandKind::Carried);
        const bool foot = !last || footOnLastPage;
        QCOMPARE(sums.size(), foot ? 1 : 0);
        QCOMPARE(carried.size(), foot ? 1 : 0);
        if (foot) {
            QCOMPARE(sums.first()->sums.at(2), pageSum);
            QCOMPARE(carried.first()->caption, QStringLiteral("Nakli Yekün"));
            QCOMPARE(carried.first()->sums.at(2), running);
            // The foot rows come after everything else printed on the page.
            for (const PageItem &item : page.items) {
                if (isBodyItem(item.kind))
                    QVERIFY(item.topMm + item.heightMm <= sums.first()->topMm + 1e-9);
            }
        }
    }

    Money all;
    for (int row = 0; row < report.rows.size(); ++row)
        all += rowAmount(report, row);
    // 40 rows of 0,10 / 0,20 / 0,30: 13 + 13 + 14 tenths... worked out exactly in kuruş.
    QCOMPARE(all, Money::fromKurus(10 * 14 + 20 * 13 + 30 * 13));
    const auto grand = itemsOf(p.pages.last(), BandKind::SummaryTotals);
    QCOMPARE(grand.size(), 1);
    QCOMPARE(grand.first()->sums.at(2), includeOpening ? all + opening : all);
    QCOMPARE(p.grandTotals.at(2), includeOpening ? all + opening : all);
    QCOMPARE(itemCellText(report, *grand.first(), 2),
             formatAmount((includeOpening ? all + opening : all).toDouble()));
    // Columns that are not summed print nothing in a sum row.
    QCOMPARE(itemCellText(report, *grand.first(), 1), QString());
}

void ReportPaginationTest::nothingCrossesThePageFoot()
{
    Report report = tableReport(57);
    report.carried.enabled = true;
    report.carried.pageSumCaption = QStringLiteral("SAYFA TOPLAMI");
    report.carried.footOnLastPage = true;
    report.group.keyColumn = 1;
    report.summary.lines = {QStringLiteral("Son satır")};
    const ReportPagination p = paginate(report, ReportMetrics::uniform(kRow));
    for (const ReportPage &page : p.pages) {
        for (const PageItem &item : page.items) {
            QVERIFY(item.topMm >= p.bodyMm.top() - 1e-9);
            QVERIFY2(item.topMm + item.heightMm <= p.footerTopMm + 1e-9,
                     qPrintable(QStringLiteral("item at %1 mm").arg(item.topMm)));
        }
        // Bands never overlap.
        for (int i = 1; i < page.items.size(); ++i) {
            const PageItem &a = page.items.at(i - 1);
            const PageItem &b = page.items.at(i);
            QVERIFY(a.topMm + a.heightMm <= b.topMm + 1e-9);
        }
    }
}

void ReportPaginationTest::emptyReportHasOnePage()
{
    const Report report = tableReport(0);
    const ReportPagination p = paginate(report, ReportMetrics::uniform(kRow));
    QCOMPARE(p.pageCount(), 1);
    QCOMPARE(p.pages.first().footerText, QStringLiteral("Sayfa 1 / 1"));
    QCOMPARE(itemsOf(p.pages.first(), BandKind::ColumnHeadings).size(), 1);
    const auto totals = itemsOf(p.pages.first(), BandKind::SummaryTotals);
    QCOMPARE(totals.size(), 1);
    QCOMPARE(itemCellText(report, *totals.first(), 2), QStringLiteral("0,00"));

    Report fixed;
    fixed.fixedHeaderLines = {QStringLiteral("SN  Dönem")};
    QCOMPARE(paginate(fixed, ReportMetrics::uniform(kRow)).pageCount(), 1);
    QCOMPARE(paginate(Report(), ReportMetrics::uniform(kRow)).pageCount(), 1);
}

void ReportPaginationTest::pageNumbers_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first") << QString() << 0 << QStringLiteral("Sayfa 1 / 3");
    QTest::newRow("second") << QString() << 1 << QStringLiteral("Sayfa 2 / 3");
    QTest::newRow("last") << QString() << 2 << QStringLiteral("Sayfa 3 / 3");
    QTest::newRow("own format") << QStringLiteral("%1. sayfa (%2)") << 1
                                << QStringLiteral("2. sayfa (3)");
}

void ReportPaginationTest::pageNumbers()
{
    QFETCH(QString, format);
    QFETCH(int, page);
    QFETCH(QString, expected);
    Report report = tableReport(25);
    if (!format.isEmpty())
        report.pageNumberFormat = format;
    const ReportPagination p = paginate(report, ReportMetrics::uniform(kRow));
    QCOMPARE(p.pageCount(), 3);
    QCOMPARE(p.pages.at(page).footerText, expected);
}

void ReportPaginationTest::groupHeaderKeepsItsFirstRow_data()
{
    QTest::addColumn<QList<int>>("groupSizes");
    QTest::addColumn<int>("pageOfLastHeader");

    // Page: headings, then 10 band rows. 7 rows + header + footer leave exactly one row of
    // room, enough for the next header but not for its first row.
    QTest::newRow("header would end the page") << QList<int>{7, 3} << 1;
    QTest::newRow("header and row fit") << QList<int>{6, 3} << 0;
    QTest::newRow("many small groups") << QList<int>{1, 1, 1, 1, 1, 1, 1} << 2;
    QTest::newRow("group longer than a page") << QList<int>{25, 2} << 2;
}

void ReportPaginationTest::groupHeaderKeepsItsFirstRow()
{
    QFETCH(QList<int>, groupSizes);
    QFETCH(int, pageOfLastHeader);

    Report report = tableReport(0);
    report.summary.totalsCaption.clear();
    report.group.keyColumn = 1;
    report.group.headerFormat = QStringLiteral("Blok %1");
    for (int g = 0; g < groupSizes.size(); ++g) {
        for (int i = 0; i < groupSizes.at(g); ++i)
            report.addRow(
                {ReportValue(), QStringLiteral("%1").arg(QChar('A' + g)), Money::fromKurus(100)});
    }
    const ReportPagination p = paginate(report, ReportMetrics::uniform(kRow));

    int headers = 0;
    int lastHeaderPage = -1;
    for (int pg = 0; pg < p.pageCount(); ++pg) {
        const QList<PageItem> &items = p.pages.at(pg).items;
        for (int i = 0; i < items.size(); ++i) {
            if (items.at(i).kind != BandKind::GroupHeader)
                continue;
            ++headers;
            lastHeaderPage = pg;
            QVERIFY2(i + 1 < items.size() && items.at(i + 1).kind == BandKind::Detail,
                     qPrintable(QStringLiteral("header alone on page %1").arg(pg + 1)));
        }
    }
    QCOMPARE(headers, groupSizes.size());
    QCOMPARE(lastHeaderPage, pageOfLastHeader);
}

void ReportPaginationTest::groupFootersSumTheirGroup()
{
    Report report = tableReport(0, 200);
    report.group.keyColumn = 1;
    report.group.footerFormat = QStringLiteral("%1 Toplamı");
    const QList<std::pair<QString, qint64>> rows = {
        {QStringLiteral("Gelir"), 10},
        {QStringLiteral("Gelir"), 20},
        {QStringLiteral("Gider"), 5},
        {QStringLiteral("Gelir"), 7}, // a new run of "Gelir"
    };
    for (const auto &[key, kurus] : rows)
        report.addRow({ReportValue(), key, Money::fromKurus(kurus)});

    const ReportPagination p = paginate(report, ReportMetrics::uniform(kRow));
    QCOMPARE(p.pageCount(), 1);
    const auto headers = itemsOf(p.pages.first(), BandKind::GroupHeader);
    const auto footers = itemsOf(p.pages.first(), BandKind::GroupFooter);
    QCOMPARE(headers.size(), 3);
    QCOMPARE(footers.size(), 3);
    QCOMPARE(headers.at(1)->caption, QStringLiteral("Gider"));
    QCOMPARE(footers.at(0)->caption, QStringLiteral("Gelir Toplamı"));
    QCOMPARE(footers.at(0)->sums.at(2), Money::fromKurus(30));
    QCOMPARE(footers.at(1)->sums.at(2), Money::fromKurus(5));
    QCOMPARE(footers.at(2)->sums.at(2), Money::fromKurus(7));
    QCOMPARE(p.grandTotals.at(2), Money::fromKurus(42));
}

void ReportPaginationTest::totalRowsAreNeitherSummedNorNumbered()
{
    Report report = tableReport(2, 200);
    report.addTotalRow({ReportValue(), QStringLiteral("Ara Toplam"), Money::fromKurus(999)});
    report.addRow({ReportValue(), QStringLiteral("Son"), Money::fromKurus(1)});
    const ReportPagination p = paginate(report, ReportMetrics::uniform(kRow));
    QCOMPARE(p.lineNumbers, (QList<int>{1, 2, 0, 3}));
    QCOMPARE(report.cellText(3, 0, p.lineNumbers.at(3)), QStringLiteral("3"));
    QCOMPARE(report.cellText(2, 0, p.lineNumbers.at(2)), QString());
    QCOMPARE(report.cellText(2, 2), QStringLiteral("9,99"));
    QCOMPARE(p.grandTotals.at(2), Money::fromKurus(10 + 20 + 1));
}

void ReportPaginationTest::titleOnFirstPagePageHeaderOnEvery()
{
    Report report = tableReport(30);
    report.addTitleText(QStringLiteral("site"), QStringLiteral("Güneş Sitesi"));
    report
        .addTitleText(QStringLiteral("date"), QStringLiteral("01.02.2024"), 9, false,
                      Qt::AlignRight)
        .sameLine = true;
    report.addTitleText(QStringLiteral("title"), QStringLiteral("BORÇ DURUMU"), 12, true);
    report.addPageHeaderText(QStringLiteral("head"), QStringLiteral("Üye Listesi"));
    const ReportPagination p = paginate(report, ReportMetrics::uniform(kRow));

    QCOMPARE(itemsOf(p.pages.first(), BandKind::TitleElement).size(), 3);
    const auto title = itemsOf(p.pages.first(), BandKind::TitleElement);
    QCOMPARE(title.at(1)->topMm, title.at(0)->topMm); // the date sits beside the name
    QCOMPARE(title.at(2)->topMm, title.at(0)->topMm + kRow);
    for (int i = 0; i < p.pageCount(); ++i) {
        QCOMPARE(itemsOf(p.pages.at(i), BandKind::TitleElement).size(), i == 0 ? 3 : 0);
        QCOMPARE(itemsOf(p.pages.at(i), BandKind::PageHeaderElement).size(), 1);
        QCOMPARE(itemsOf(p.pages.at(i), BandKind::ColumnHeadings).size(), 1);
    }
    // Two title lines and the page header take three rows from the first page.
    QCOMPARE(p.pages.first().rows.size(), 7);
    QCOMPARE(p.pages.at(1).rows.size(), 9);
}

void ReportPaginationTest::fixedWidthLines_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("linesPerPage");
    QTest::addColumn<QList<int>>("expected");

    // The body holds 11 lines of 5 mm under the repeated header line.
    QTest::newRow("as many as fit") << 25 << 0 << QList<int>{11, 11, 3};
    QTest::newRow("fewer per page") << 25 << 10 << QList<int>{10, 10, 5};
    QTest::newRow("more than fit") << 25 << 40 << QList<int>{11, 11, 3};
    QTest::newRow("one line") << 1 << 0 << QList<int>{1};
}

void ReportPaginationTest::fixedWidthLines()
{
    QFETCH(int, lines);
    QFETCH(int, linesPerPage);
    QFETCH(QList<int>, expected);

    Report report;
    report.marginsMm = QMarginsF(10, 10, 10, 297 - 10 - 65);
    report.fixedHeaderLines = {QStringLiteral("SN  Dönem                    Borç")};
    for (int i = 0; i < lines; ++i)
        report.fixedLines << QStringLiteral("%1").arg(i + 1, -4) + QStringLiteral("Ocak 2024");
    report.linesPerPage = linesPerPage;
    const ReportPagination p = paginate(report, ReportMetrics::uniform(kRow));

    QList<int> counts;
    int next = 0;
    for (const ReportPage &page : p.pages) {
        QCOMPARE(itemsOf(page, BandKind::FixedHeaderLine).size(), 1);
        const auto body = itemsOf(page, BandKind::FixedLine);
        for (const PageItem *item : body)
            QCOMPARE(item->index, next++);
        counts << int(body.size());
    }
    QCOMPARE(counts, expected);
    QCOMPARE(next, lines);
}

void ReportPaginationTest::columnWidths_data()
{
    QTest::addColumn<QList<double>>("widths");
    QTest::addColumn<QList<bool>>("inMm");
    QTest::addColumn<QList<double>>("expected");

    // The body is 190 mm wide.
    QTest::newRow("millimetres and shares")
        << QList<double>{20, 1, 3} << QList<bool>{true, false, false}
        << QList<double>{20, 42.5, 127.5};
    QTest::newRow("millimetres wider than the paper")
        << QList<double>{150, 150, 1} << QList<bool>{true, true, false} << QList<double>{95, 95, 0};
    QTest::newRow("shares only") << QList<double>{1, 1} << QList<bool>{false, false}
                                 << QList<double>{95, 95};
}

void ReportPaginationTest::columnWidths()
{
    QFETCH(QList<double>, widths);
    QFETCH(QList<bool>, inMm);
    QFETCH(QList<double>, expected);
    Report report;
    for (int i = 0; i < widths.size(); ++i)
        report.addColumn(QStringLiteral("K%1").arg(i), widths.at(i)).widthInMm = inMm.at(i);
    const ReportPagination p = paginate(report, ReportMetrics::uniform(kRow));
    double left = 10;
    for (int i = 0; i < expected.size(); ++i) {
        QVERIFY2(qAbs(p.columnWidthMm.at(i) - expected.at(i)) < 1e-9,
                 qPrintable(QString::number(p.columnWidthMm.at(i))));
        QVERIFY(qAbs(p.columnLeftMm.at(i) - left) < 1e-9);
        left += expected.at(i);
    }
}

void ReportPaginationTest::pageTextHoldsWhatIsPrinted()
{
    Report report = tableReport(25);
    report.carried.enabled = true;
    report.footerText = QStringLiteral("Baskı: 01.02.2024 10:15");
    const ReportPagination p = paginate(report, ReportMetrics::uniform(kRow));
    const QString second = pageText(report, p, 1);
    QVERIFY(second.contains(QStringLiteral("Satır 12")));
    QVERIFY(!second.contains(QStringLiteral("Satır 1\t")));
    QVERIFY(second.contains(QStringLiteral("Sayfa 2 / ")));
    QVERIFY(second.contains(QStringLiteral("Nakli Yekün")));
    QVERIFY(second.contains(QStringLiteral("Baskı: 01.02.2024 10:15")));
    QVERIFY(second.contains(QStringLiteral("Açıklama")));
    QCOMPARE(pageText(report, p, 99), QString());
}

void ReportPaginationTest::namedTexts()
{
    Report report;
    report.addTitleText(QStringLiteral("period"), QString());
    report.addPageHeaderText(QStringLiteral("period"), QString());
    QVERIFY(report.setText(QStringLiteral("period"), QStringLiteral("01.01.2024-31.01.2024")));
    QCOMPARE(report.title.first().text, QStringLiteral("01.01.2024-31.01.2024"));
    QCOMPARE(report.pageHeader.first().text, QStringLiteral("01.01.2024-31.01.2024"));
    QVERIFY(!report.setText(QStringLiteral("missing"), QStringLiteral("x")));
    QCOMPARE(report.text(QStringLiteral("period")), QStringLiteral("01.01.2024-31.01.2024"));
}

QTEST_GUILESS_MAIN(ReportPaginationTest)
#include "tst_reportpagination.moc"
