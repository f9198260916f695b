#pragma once

#include "balances/BalanceList.h"
#include "balances/BalanceListColumns.h"

#include <QAbstractTableModel>

namespace dalvira {

// The balance list grid: read-only rows of one built list, in its columns. Total rows answer
// true for TotalRole (the grid draws them bold).
class BalanceListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int TotalRole = Qt::UserRole + 1;
    static constexpr int FlatNumberRole = Qt::UserRole + 2;

    explicit BalanceListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setList(BalanceList list);
    const BalanceList &list() const { return m_list; }
    const QList<BalanceColumn> &columns() const { return m_columns; }
    bool isTotalRow(int row) const;

private:
    BalanceList m_list;
    QList<BalanceColumn> m_columns;
};

} // namespace dalvira
