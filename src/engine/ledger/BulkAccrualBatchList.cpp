#include "ledger/BulkAccrualBatchList.h"

#include "common/Formats.h"
#include "storage/Sql.h"

#include <QSqlQuery>

namespace dalvira {

namespace {

QDateTime storedDateTime(const QVariant &value)
{
    const QString text = value.toString();
    if (text.length() <= 10)
        return QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
    return QDateTime::fromString(text.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// The ORDER BY of each column; names come from here, never from input. aid keeps equal keys
// in a steady order.
QString orderBy(int column, Qt::SortOrder order)
{
    const QString direction =
        order == Qt::AscendingOrder ? QStringLiteral("ASC") : QStringLiteral("DESC");
    switch (column) {
    case BulkAccrualBatchList::DateColumn:
        return QStringLiteral("tarih %1, aid %1").arg(direction);
    case BulkAccrualBatchList::TotalColumn:
        return QStringLiteral("toplam_tutar %1, aid %1").arg(direction);
    case BulkAccrualBatchList::CountColumn:
        return QStringLiteral("taksitsay %1, aid %1").arg(direction);
    case BulkAccrualBatchList::DescriptionColumn:
        return QStringLiteral("aciklama COLLATE TURKISH %1, aid %1").arg(direction);
    case BulkAccrualBatchList::RecordedColumn:
        return QStringLiteral("kayittarihi %1, aid %1").arg(direction);
    default:
        return QStringLiteral("tarih DESC, aid DESC");
    }
}

} // namespace

BulkAccrualBatchList::BulkAccrualBatchList(QObject *parent) : QAbstractTableModel(parent) {}

Result BulkAccrualBatchList::reload(const QSqlDatabase &db)
{
    QList<AccrualBatchRow> rows;
    try {
        QSqlQuery q = exec(db, QStringLiteral("SELECT aid, tarih, toplam_tutar, taksitsay, "
                                              "aciklama, kayittarihi FROM aiadataktar ORDER BY ") +
                                   orderBy(m_column, m_order));
        while (q.next()) {
            AccrualBatchRow row;
            row.aid = q.value(0).toLongLong();
            row.date = storedDateTime(q.value(1));
            row.total = q.value(2).toDouble();
            row.instalments = q.value(3).toInt();
            row.description = q.value(4).toString();
            row.recordedAt = storedDateTime(q.value(5));
            rows.append(row);
        }
    } catch (const OperationError &e) {
        beginResetModel();
        m_rows.clear();
        endResetModel();
        return Result::failure(e.message());
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
    return Result::success();
}

Result BulkAccrualBatchList::sortBy(const QSqlDatabase &db, int column, Qt::SortOrder order)
{
    m_column = (column >= 0 && column < ColumnCount) ? column : -1;
    m_order = m_column < 0 ? Qt::DescendingOrder : order;
    return reload(db);
}

const AccrualBatchRow *BulkAccrualBatchList::batchAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? &m_rows[row] : nullptr;
}

int BulkAccrualBatchList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int BulkAccrualBatchList::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BulkAccrualBatchList::data(const QModelIndex &index, int role) const
{
    const AccrualBatchRow *row = batchAt(index.row());
    if (!row)
        return {};
    if (role == Qt::TextAlignmentRole) {
        if (index.column() == TotalColumn || index.column() == CountColumn)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case DateColumn:
        return formatDate(row->date.date());
    case TotalColumn:
        return formatAmount(row->total);
    case CountColumn:
        return row->instalments;
    case DescriptionColumn:
        return row->description;
    case RecordedColumn:
        return row->recordedAt.isValid()
                   ? row->recordedAt.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"))
                   : QString();
    default:
        return {};
    }
}

QVariant BulkAccrualBatchList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case DateColumn:
        return QStringLiteral("Tarih");
    case TotalColumn:
        return QStringLiteral("Toplam Tutar");
    case CountColumn:
        return QStringLiteral("TS");
    case DescriptionColumn:
        return QStringLiteral("Açıklama");
    case RecordedColumn:
        return QStringLiteral("Kayıt Tarihi");
    default:
        return {};
    }
}

} // namespace dalvira
