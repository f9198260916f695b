#include "ledger/StatementModel.h"

#include "common/Formats.h"

namespace dalvira {

namespace {

// A movement is a charge or a payment: the other amount column stays blank, not 0,00.
QString amountText(Money amount)
{
    return amount.isZero() ? QString() : amount.toText();
}

} // namespace

StatementModel::StatementModel(QObject *parent) : QAbstractTableModel(parent) {}

int StatementModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

int StatementModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant StatementModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    const StatementLine &line = m_lines.at(index.row());
    if (role == CidRole)
        return line.cid;
    if (role == BalanceRole)
        return line.balance.kurus();
    if (role == Qt::TextAlignmentRole) {
        switch (index.column()) {
        case Number:
        case Debit:
        case Credit:
            return int(Qt::AlignRight | Qt::AlignVCenter);
        case Date:
        case Currency:
        case Interest:
            return int(Qt::AlignCenter);
        default:
            return int(Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Number:
        return line.flatNumber;
    case OuterDoor:
        return line.outerDoor;
    case Block:
        return line.block;
    case Flat:
        return line.flat;
    case Date:
        return formatDate(line.date);
    case Holder:
        return line.holder;
    case Description:
        return line.description;
    case Debit:
        return amountText(line.debit);
    case Credit:
        return amountText(line.credit);
    case Currency:
        return line.currency;
    case Type:
        return line.type;
    case Interest:
        return line.interest ? QStringLiteral("E") : QStringLiteral("H");
    default:
        return {};
    }
}

QVariant StatementModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return columnTitle(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

void StatementModel::setLines(QList<StatementLine> lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

int StatementModel::rowOfCid(qint64 cid) const
{
    for (int i = 0; i < m_lines.size(); ++i)
        if (m_lines.at(i).cid == cid)
            return i;
    return -1;
}

QString StatementModel::columnTitle(int column)
{
    static const QStringList titles = {
        QStringLiteral("No"),       QStringLiteral("Dış Kapı"),   QStringLiteral("Blok"),
        QStringLiteral("Daire"),    QStringLiteral("Tarih"),      QStringLiteral("Adı Soyadı"),
        QStringLiteral("Açıklama"), QStringLiteral("Borcu"),      QStringLiteral("Ödemesi"),
        QStringLiteral("PB"),       QStringLiteral("Gelir Türü"), QStringLiteral("Faiz Mi?")};
    return column >= 0 && column < titles.size() ? titles.at(column) : QString();
}

} // namespace dalvira
