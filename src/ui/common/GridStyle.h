#pragma once

#include <QStyledItemDelegate>
#include <functional>

class QTableView;

namespace dalvira {

// A model marks the total rows of a list by answering true for this role on the row's cells.
inline constexpr int TotalRowRole = Qt::UserRole + 0x100;

// Paints the rows of the program's lists: odd rows (the 1st, 3rd, ...) light yellow, even rows
// white, the selection in the highlight colours, text 2 px in from the edge it is aligned to,
// total rows in bold. Colours or fonts the model gives itself win.
class GridRowDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using TotalRowTest = std::function<bool(const QModelIndex &)>;

    static inline const QColor kOddRowColor{255, 255, 192};
    static inline const QColor kEvenRowColor{255, 255, 255};
    static constexpr int kTextInset = 2;

    explicit GridRowDelegate(QObject *parent = nullptr);

    // For lists whose model cannot mark its total rows itself.
    void setTotalRowTest(TotalRowTest test) { m_totalRowTest = std::move(test); }
    bool isTotalRow(const QModelIndex &index) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    TotalRowTest m_totalRowTest;
};

// Gives a grid the program's look: row colours and bold totals through GridRowDelegate, whole
// rows selected. Returns the delegate, owned by the view.
GridRowDelegate *applyGridStyle(QTableView *view, GridRowDelegate::TotalRowTest totalRowTest = {});

} // namespace dalvira
