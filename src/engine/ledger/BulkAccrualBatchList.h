#pragma once

#include "common/Result.h"

#include <QAbstractTableModel>
#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace dalvira {

// One earlier transfer as the list "ÖNCEDEN OLUŞTURULMUŞ AİDATLAR" shows it.
struct AccrualBatchRow
{
    qint64 aid = 0;
    QDateTime date; // tarih: a date, or the moment of a transfer without a first date
    double total = 0;
    int instalments = 0;
    QString description;
    QDateTime recordedAt;
};

// The batches of the open site, newest first date first, or ordered by one of the columns.
// Columns: "Tarih", "Toplam Tutar", "TS", "Açıklama", "Kayıt Tarihi".
class BulkAccrualBatchList : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        DateColumn,
        TotalColumn,
        CountColumn,
        DescriptionColumn,
        RecordedColumn,
        ColumnCount
    };

    explicit BulkAccrualBatchList(QObject *parent = nullptr);

    // Rereads the list from db in the current order. On a failure the list is left empty.
    Result reload(const QSqlDatabase &db);
    // Orders the list by a column and rereads it; -1 returns to the first date, newest first.
    Result sortBy(const QSqlDatabase &db, int column, Qt::SortOrder order);
    int sortColumn() const { return m_column; }
    Qt::SortOrder sortOrder() const { return m_order; }

    const QList<AccrualBatchRow> &rows() const { return m_rows; }
    const AccrualBatchRow *batchAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<AccrualBatchRow> m_rows;
    int m_column = -1;
    Qt::SortOrder m_order = Qt::DescendingOrder;
};

} // namespace dalvira
