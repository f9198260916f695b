#pragma once

#include "ledger/Statement.h"

#include <QAbstractTableModel>

namespace dalvira {

// The statement grid: one read-only row per movement of the period, in date order.
class StatementModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The movement's cid, on every cell of its row.
    static constexpr int CidRole = Qt::UserRole + 1;
    // The running balance after the row's movement, as Money kuruş (qint64).
    static constexpr int BalanceRole = Qt::UserRole + 2;

    enum Column {
        Number,
        OuterDoor,
        Block,
        Flat,
        Date,
        Holder,
        Description,
        Debit,
        Credit,
        Currency,
        Type,
        Interest,
        ColumnCount
    };

    explicit StatementModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setLines(QList<StatementLine> lines);
    const QList<StatementLine> &lines() const { return m_lines; }
    // The row holding the movement; -1 when the grid does not show it.
    int rowOfCid(qint64 cid) const;

    static QString columnTitle(int column);

private:
    QList<StatementLine> m_lines;
};

} // namespace dalvira
