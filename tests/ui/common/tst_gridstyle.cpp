#include "common/GridStyle.h"

#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>

using namespace dalvira;

namespace {

const QColor kHighlight(10, 40, 160);

// Four rows, a left-aligned column and a right-aligned one, the last row a total.
struct Grid
{
    QStandardItemModel model{4, 2};
    QTableView view;

    Grid()
    {
        for (int row = 0; row < 4; ++row) {
            // A full block: its ink fills the glyph box, so the inset can be measured.
            model.setData(model.index(row, 0), QString(QChar(0x2588)));
            model.setData(model.index(row, 1), QString(QChar(0x2588)));
            model.setData(model.index(row, 1), int(Qt::AlignRight | Qt::AlignVCenter),
                          Qt::TextAlignmentRole);
        }
        model.setData(model.index(3, 0), true, TotalRowRole);
        model.setData(model.index(3, 1), true, TotalRowRole);
        view.setModel(&model);
        applyGridStyle(&view);
        QFont font = view.font();
        font.setStyleStrategy(QFont::NoAntialias);
        view.setFont(font);
        QPalette palette = view.palette();
        for (auto group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, QPalette::Highlight, kHighlight);
        view.setPalette(palette);
        view.horizontalHeader()->resizeSection(0, 80);
        view.horizontalHeader()->resizeSection(1, 80);
        view.resize(300, 200);
        // No focus frame on the current cell, so every cell shows its plain row colour.
        view.setFocusPolicy(Qt::NoFocus);
    }
    QImage render()
    {
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            return {};
        return view.viewport()->grab().toImage();
    }
    // A point of the cell away from its text: the middle of the cell's free side.
    QPoint freePoint(int row, int column)
    {
        const QRect r = view.visualRect(model.index(row, column));
        return column == 0 ? QPoint(r.right() - 10, r.center().y())
                           : QPoint(r.left() + 10, r.center().y());
    }
};

} // namespace

class TestGridStyle : public QObject
{
    Q_OBJECT
private slots:
    void rowColours();
    void textInsetFromEdges();
    void totalRowsBold();
    void modelColoursWin();
};

void TestGridStyle::rowColours()
{
    Grid g;
    g.view.selectRow(2);
    const QImage image = g.render();
    QVERIFY(!image.isNull());
    const qreal dpr = image.devicePixelRatio();
    auto colourAt = [&](int row, int column) {
        return QColor(image.pixel(g.freePoint(row, column) * dpr)).rgb();
    };
    const QRgb yellow = QColor(255, 255, 192).rgb();
    const QRgb white = QColor(255, 255, 255).rgb();
    QCOMPARE(colourAt(0, 0), yellow);
    QCOMPARE(colourAt(0, 1), yellow);
    QCOMPARE(colourAt(1, 0), white);
    // The style may shade the selection a little; it must still be the highlight colour.
    auto nearHighlight = [](QRgb c) {
        return qAbs(qRed(c) - kHighlight.red()) <= 2 && qAbs(qGreen(c) - kHighlight.green()) <= 2 &&
               qAbs(qBlue(c) - kHighlight.blue()) <= 2;
    };
    QVERIFY(nearHighlight(colourAt(2, 0)));
    QVERIFY(nearHighlight(colourAt(2, 1)));
    QCOMPARE(colourAt(3, 1), white);
}

void TestGridStyle::textInsetFromEdges()
{
    Grid g;
    const QImage image = g.render();
    QVERIFY(!image.isNull());
    QCOMPARE(image.devicePixelRatio(), 1.0);
    const QRgb yellow = QColor(255, 255, 192).rgb();

    // The cell as the delegate gets it: the grid line takes the last pixel column.
    const QRect left = g.view.visualRect(g.model.index(0, 0)).adjusted(0, 0, -1, -1);
    const QRect right = g.view.visualRect(g.model.index(0, 1)).adjusted(0, 0, -1, -1);
    const int y = left.center().y();
    int firstInk = -1;
    for (int x = left.left(); x <= left.right() && firstInk < 0; ++x) {
        if (image.pixel(x, y) != yellow)
            firstInk = x;
    }
    int lastInk = -1;
    for (int x = right.right(); x >= right.left() && lastInk < 0; --x) {
        if (image.pixel(x, y) != yellow)
            lastInk = x;
    }
    QCOMPARE(firstInk - left.left(), GridRowDelegate::kTextInset);
    QCOMPARE(right.right() - lastInk, GridRowDelegate::kTextInset);
}

void TestGridStyle::totalRowsBold()
{
    Grid g;
    auto *delegate = qobject_cast<GridRowDelegate *>(g.view.itemDelegate());
    QVERIFY(delegate);
    auto fontOf = [&](int row) {
        QStyleOptionViewItem option;
        option.initFrom(&g.view);
        delegate->initStyleOption(&option, g.model.index(row, 1));
        return option.font;
    };
    QVERIFY(!fontOf(0).bold());
    QVERIFY(!fontOf(2).bold());
    QVERIFY(fontOf(3).bold());

    // Lists whose model cannot mark totals name them through the delegate.
    delegate->setTotalRowTest([](const QModelIndex &index) { return index.row() == 1; });
    QVERIFY(fontOf(1).bold());
    QVERIFY(fontOf(3).bold());
    QVERIFY(!fontOf(0).bold());
}

void TestGridStyle::modelColoursWin()
{
    Grid g;
    const QColor own(200, 0, 0);
    g.model.setData(g.model.index(0, 0), own, Qt::BackgroundRole);
    const QImage image = g.render();
    QVERIFY(!image.isNull());
    const qreal dpr = image.devicePixelRatio();
    QCOMPARE(QColor(image.pixel(g.freePoint(0, 0) * dpr)).rgb(), own.rgb());
    QCOMPARE(QColor(image.pixel(g.freePoint(0, 1) * dpr)).rgb(), QColor(255, 255, 192).rgb());
}

QTEST_MAIN(TestGridStyle)
#include "tst_gridstyle.moc"
