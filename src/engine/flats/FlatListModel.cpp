#include "flats/FlatListModel.h"

#include <array>

namespace dalvira {

namespace {

enum class Value {
    FlatNumber,
    Door,
    Block,
    Flat,
    Plate,
    Residents,
    Children,
    OwnerFirst,
    OwnerLast,
    OwnerId,
    OwnerPhone,
    OwnerMobile,
    ResidentFirst,
    ResidentLast,
    ResidentId,
    ResidentPhone,
    ResidentMobile,
    FormerOwner,
    FormerResident,
};

struct Column
{
    const char16_t *title;
    const char *sortField;
    Value value;
};

// Titles and their columns, in grid order; the two counts are shown twice.
constexpr std::array kColumns = {
    Column{u"Kayıt no", "sicil_kodu", Value::FlatNumber},
    Column{u"Dış Kapı", "dis_kapi_numarasi", Value::Door},
    Column{u"Bloğu", "blok", Value::Block},
    Column{u"Dairesi", "dairesi", Value::Flat},
    Column{u"Araç Plaka", "bos_text1", Value::Plate},
    Column{u"O.K.", "oturan_kisi_sayisi", Value::Residents},
    Column{u"Çoc.", "oturan_cocuk_sayisi", Value::Children},
    Column{u"Adı (Sahibi)", "adi", Value::OwnerFirst},
    Column{u"Soyadı (Sahibi)", "soyadi", Value::OwnerLast},
    Column{u"TC (Sahibi)", "tc_kimlik", Value::OwnerId},
    Column{u"Telefon (Sahibi)", "tel1", Value::OwnerPhone},
    Column{u"Cep Tel. (Sahibi)", "ceptel", Value::OwnerMobile},
    Column{u"Adı (Oturan)", "oturan_adi", Value::ResidentFirst},
    Column{u"Soyadı (Oturan)", "oturan_soyadi", Value::ResidentLast},
    Column{u"TC (Oturan)", "oturan_tc_kimlik", Value::ResidentId},
    Column{u"Telefon (Oturan)", "oturan_tel1", Value::ResidentPhone},
    Column{u"Cep Tel. (Oturan)", "oturan_cep1", Value::ResidentMobile},
    Column{u"Oturan Kişi", "oturan_kisi_sayisi", Value::Residents},
    Column{u"Oturan Çocuk", "oturan_cocuk_sayisi", Value::Children},
    Column{u"Önceki Sahibi", "onceki_ev_sahibi_adi", Value::FormerOwner},
    Column{u"Önceki Oturan", "onceki_oturan_adi", Value::FormerResident},
};

QString numberText(const QVariant &v)
{
    return v.isNull() ? QString() : QString::number(v.toLongLong());
}

QString cellText(const FlatListRow &r, Value value)
{
    switch (value) {
    case Value::FlatNumber:
        return r.flatNumberText();
    case Value::Door:
        return r.door;
    case Value::Block:
        return r.block;
    case Value::Flat:
        return r.flat;
    case Value::Plate:
        return r.plate;
    case Value::Residents:
        return numberText(r.residents);
    case Value::Children:
        return numberText(r.children);
    case Value::OwnerFirst:
        return r.ownerFirst;
    case Value::OwnerLast:
        return r.ownerLast;
    case Value::OwnerId:
        return r.ownerId;
    case Value::OwnerPhone:
        return r.ownerPhone;
    case Value::OwnerMobile:
        return r.ownerMobile;
    case Value::ResidentFirst:
        return r.residentFirst;
    case Value::ResidentLast:
        return r.residentLast;
    case Value::ResidentId:
        return r.residentId;
    case Value::ResidentPhone:
        return r.residentPhone;
    case Value::ResidentMobile:
        return r.residentMobile;
    case Value::FormerOwner:
        return shownName(r.formerOwnerName());
    case Value::FormerResident:
        return shownName(r.formerResidentName());
    }
    return {};
}

bool isNumberColumn(Value value)
{
    return value == Value::FlatNumber || value == Value::Residents || value == Value::Children;
}

} // namespace

FlatListModel::FlatListModel(QObject *parent) : QAbstractTableModel(parent) {}

int FlatListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FlatListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : columnTotal();
}

QVariant FlatListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= columnTotal())
        return {};
    const FlatListRow &r = m_rows.at(index.row());
    const Value value = kColumns[index.column()].value;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return cellText(r, value);
    case Qt::TextAlignmentRole:
        return isNumberColumn(value) ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter))
                                     : QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
    case HidRole:
        return r.hid;
    default:
        return {};
    }
}

QVariant FlatListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    return columnTitle(section);
}

void FlatListModel::setRows(QList<FlatListRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void FlatListModel::clear()
{
    setRows({});
}

int FlatListModel::rowOfHid(qint64 hid) const
{
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows.at(i).hid == hid)
            return i;
    }
    return -1;
}

QString FlatListModel::sortField(int column)
{
    if (column < 0 || column >= columnTotal())
        return {};
    return QString::fromLatin1(kColumns[column].sortField);
}

QString FlatListModel::columnTitle(int column)
{
    if (column < 0 || column >= columnTotal())
        return {};
    return QString::fromUtf16(kColumns[column].title);
}

int FlatListModel::columnTotal()
{
    return int(kColumns.size());
}

} // namespace dalvira
