#include "flats/FlatRecordGridModel.h"

#include "common/Formats.h"
#include "common/TextHelpers.h"
#include "storage/Sql.h"

namespace dalvira {

const QList<FlatRecordGridModel::Column> &FlatRecordGridModel::gridColumns()
{
    static const QList<Column> columns{
        {QStringLiteral("sicil_kodu"), QStringLiteral("No"), QStringLiteral("sicil_kodu"), true},
        {QStringLiteral("dis_kapi_numarasi"), QStringLiteral("Dış K."),
         QStringLiteral("dis_kapi_numarasi")},
        {QStringLiteral("blok"), QStringLiteral("Blok"), QStringLiteral("blok")},
        {QStringLiteral("dairesi"), QStringLiteral("Daire"), QStringLiteral("dairesi")},
        {QStringLiteral("adsoyad"), QStringLiteral("Adı Soyadı (Sahibi)"), QStringLiteral("adi")},
        {QStringLiteral("adsoyadoturan"), QStringLiteral("Adı Soyadı (Oturan)"),
         QStringLiteral("oturan_adi")},
        {QStringLiteral("bos_text1"), QStringLiteral("Araç Plk."), QStringLiteral("bos_text1")},
        {QStringLiteral("bos_number1"), QStringLiteral("Kr.(Sah.)"), QStringLiteral("bos_number1"),
         true},
        {QStringLiteral("bos_number2"), QStringLiteral("Kr.(Otu.)"), QStringLiteral("bos_number2"),
         true},
        {QStringLiteral("bos_number3"), QStringLiteral("S.Aidat(Sah.)"),
         QStringLiteral("bos_number3"), true},
        {QStringLiteral("bos_number4"), QStringLiteral("S.Aidat(Otu.)"),
         QStringLiteral("bos_number4"), true},
        {QStringLiteral("ceptel"), QStringLiteral("Cep Tel (Sahibi)"), QStringLiteral("ceptel")},
        {QStringLiteral("oturan_cep1"), QStringLiteral("Cep Tel (Oturan)"),
         QStringLiteral("oturan_cep1")},
    };
    return columns;
}

FlatRecordGridModel::FlatRecordGridModel(QObject *parent) : QAbstractTableModel(parent) {}

void FlatRecordGridModel::setOrder(const QString &sortField, const QString &direction)
{
    for (const Column &c : gridColumns()) {
        if (c.sortField == sortField) {
            m_orderField = sortField;
            m_direction = direction.compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0
                              ? QStringLiteral("DESC")
                              : QStringLiteral("ASC");
            return;
        }
    }
}

void FlatRecordGridModel::reload(const QSqlDatabase &db)
{
    QStringList where;
    QVariantList params;
    auto restrict = [&](const Restriction &r, const char *column) {
        if (!r.on)
            return;
        where.append(QStringLiteral("trlower(COALESCE(%1, '')) = ?").arg(QLatin1String(column)));
        params.append(turkishLower(r.text));
    };
    restrict(m_restrictions.block, "blok");
    restrict(m_restrictions.flat, "dairesi");
    restrict(m_restrictions.outerDoor, "dis_kapi_numarasi");

    bool numeric = false;
    for (const Column &c : gridColumns()) {
        if (c.sortField == m_orderField)
            numeric = c.number;
    }
    // The order field comes from the fixed column list above, never from typed text.
    const QString order =
        numeric ? m_orderField : m_orderField + QStringLiteral(" COLLATE TURKISH");
    QString sql = QStringLiteral("SELECT hid, sicil_kodu, dis_kapi_numarasi, blok, dairesi, adi, "
                                 "soyadi, oturan_adi, oturan_soyadi, bos_text1, bos_number1, "
                                 "bos_number2, bos_number3, bos_number4, ceptel, oturan_cep1 "
                                 "FROM siciltablo");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY %1 %2, hid %2").arg(order, m_direction);

    QList<Row> rows;
    QSqlQuery q = exec(db, sql, params);
    while (q.next()) {
        Row row;
        row.hid = q.value(0).toLongLong();
        const QString adi = q.value(5).toString();
        const QString soyadi = q.value(6).toString();
        const QString oturanAdi = q.value(7).toString();
        const QString oturanSoyadi = q.value(8).toString();
        row.cells = {q.value(1),
                     q.value(2),
                     q.value(3),
                     q.value(4),
                     adi + QLatin1Char(' ') + soyadi,
                     oturanAdi + QLatin1Char(' ') + oturanSoyadi,
                     q.value(9),
                     q.value(10),
                     q.value(11),
                     q.value(12),
                     q.value(13),
                     q.value(14),
                     q.value(15)};
        row.memberText = turkishLower(oturanAdi) + QLatin1Char(' ') + turkishLower(adi) +
                         QLatin1Char(' ') + turkishLower(soyadi);
        rows.append(row);
    }
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

qint64 FlatRecordGridModel::hidAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).hid : 0;
}

int FlatRecordGridModel::rowOfHid(qint64 hid) const
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).hid == hid)
            return i;
    }
    return -1;
}

int FlatRecordGridModel::findNextMember(int currentRow, const QString &text) const
{
    const int n = int(m_rows.size());
    if (n == 0)
        return -1;
    const QString needle = turkishLower(text);
    const int begin = (currentRow < 0 || currentRow >= n - 1) ? 0 : currentRow + 1;
    for (int i = 0; i < n; ++i) {
        const int row = (begin + i) % n;
        if (m_rows.at(row).memberText.contains(needle))
            return row;
    }
    return -1;
}

int FlatRecordGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FlatRecordGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(gridColumns().size());
}

QVariant FlatRecordGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const Column &column = gridColumns().at(index.column());
    const QVariant &v = m_rows.at(index.row()).cells.at(index.column());
    if (role == Qt::DisplayRole) {
        if (v.isNull())
            return QString();
        if (column.number && column.field != QLatin1String("sicil_kodu"))
            return formatAmount(v.toDouble());
        return v.toString();
    }
    if (role == Qt::TextAlignmentRole && column.number)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant FlatRecordGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < gridColumns().size())
        return gridColumns().at(section).title;
    return QAbstractTableModel::headerData(section, orientation, role);
}

} // namespace dalvira
