#include "balances/BalanceListModel.h"

namespace dalvira {

BalanceListModel::BalanceListModel(QObject *parent) : QAbstractTableModel(parent)
{
    m_columns = balanceColumns(m_list.kind);
}

int BalanceListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_list.rows.size());
}

int BalanceListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant BalanceListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_list.rows.size() || index.column() >= m_columns.size())
        return {};
    const BalanceRow &row = m_list.rows.at(index.row());
    const BalanceColumn &column = m_columns.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return balanceCellText(m_list.kind, row, column);
    case Qt::TextAlignmentRole:
        if (isAmountField(column.field) || column.field == BalanceField::Number)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case TotalRole:
        return row.total;
    case FlatNumberRole:
        return row.flatNumber;
    default:
        return {};
    }
}

QVariant BalanceListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_columns.size())
        return m_columns.at(section).caption;
    return QAbstractTableModel::headerData(section, orientation, role);
}

void BalanceListModel::setList(BalanceList list)
{
    beginResetModel();
    m_list = std::move(list);
    m_columns = balanceColumns(m_list.kind, m_list.types);
    endResetModel();
}

bool BalanceListModel::isTotalRow(int row) const
{
    return row >= 0 && row < m_list.rows.size() && m_list.rows.at(row).total;
}

} // namespace dalvira
