#pragma once

#include "flats/FlatListRow.h"

#include <QAbstractTableModel>
#include <QList>

namespace dalvira {

// The flat list grid: one read-only row per flat, in the order the list was loaded.
class FlatListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The flat's key, on every cell of its row.
    static constexpr int HidRole = Qt::UserRole + 1;

    explicit FlatListModel(QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    void setRows(QList<FlatListRow> rows);
    void clear();
    const QList<FlatListRow> &rows() const { return m_rows; }
    const FlatListRow &row(int index) const { return m_rows.at(index); }
    // The row of the flat with this key; -1 when the list does not hold it.
    int rowOfHid(qint64 hid) const;

    // The column of siciltablo a click on the column title sorts by; the former holders' name
    // columns sort by their first names.
    static QString sortField(int column);
    static QString columnTitle(int column);
    static int columnTotal();

private:
    QList<FlatListRow> m_rows;
};

} // namespace dalvira
