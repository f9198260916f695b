#include "GridStyle.h"

#include <QApplication>
#include <QPainter>
#include <QTableView>

namespace dalvira {

GridRowDelegate::GridRowDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

bool GridRowDelegate::isTotalRow(const QModelIndex &index) const
{
    if (index.data(TotalRowRole).toBool())
        return true;
    return m_totalRowTest && m_totalRowTest(index);
}

void GridRowDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (!index.data(Qt::BackgroundRole).isValid())
        option->backgroundBrush = (index.row() % 2 == 0) ? kOddRowColor : kEvenRowColor;
    if (isTotalRow(index))
        option->font.setBold(true);
}

void GridRowDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                            const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QWidget *widget = opt.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();

    // The style paints background, selection, check box, icon and focus; the text is drawn
    // here so that it sits exactly 2 px from the cell's edge.
    const QRect textArea = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget);
    const QString text = opt.text;
    opt.text.clear();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    if (text.isEmpty())
        return;

    const QRect rect = textArea.adjusted(kTextInset, 0, -kTextInset, 0);
    QPalette::ColorGroup group =
        (opt.state & QStyle::State_Enabled) ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const QPalette::ColorRole role =
        (opt.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;

    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(group, role));
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString shown = QFontMetrics(opt.font).elidedText(line, opt.textElideMode, rect.width());
    Qt::Alignment alignment = opt.displayAlignment;
    if (!(alignment & Qt::AlignVertical_Mask))
        alignment |= Qt::AlignVCenter;
    painter->drawText(rect, int(alignment) | Qt::TextSingleLine, shown);
    painter->restore();
}

GridRowDelegate *applyGridStyle(QTableView *view, GridRowDelegate::TotalRowTest totalRowTest)
{
    auto *delegate = new GridRowDelegate(view);
    delegate->setTotalRowTest(std::move(totalRowTest));
    view->setItemDelegate(delegate);
    // The delegate paints the row colours; the view's own alternation would fight it.
    view->setAlternatingRowColors(false);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    return delegate;
}

} // namespace dalvira
