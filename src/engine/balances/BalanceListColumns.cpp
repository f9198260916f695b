#include "balances/BalanceListColumns.h"

namespace dalvira {

QList<BalanceColumn> balanceColumns(BalanceListKind kind, const QStringList &types)
{
    using F = BalanceField;
    const auto col = [](F field, const char *caption) {
        return BalanceColumn{field, QString::fromUtf8(caption), -1};
    };
    QList<BalanceColumn> c;
    switch (kind) {
    case BalanceListKind::GeneralDetail:
    case BalanceListKind::TypedDetail:
        c << col(F::Number, "No") << col(F::OuterDoor, "Dış Kapı") << col(F::Block, "Blok")
          << col(F::Flat, "Daire") << col(F::Holder, "Adı Soyadı") << col(F::Debit, "Borcu")
          << col(F::Credit, "Ödemesi") << col(F::Remaining, "Kalan Borcu")
          << col(F::Currency, "PB");
        if (kind == BalanceListKind::GeneralDetail)
            c << col(F::OwnerIdentity, "SahibiTCKimlik")
              << col(F::ResidentIdentity, "OturanTCKimlik");
        else
            c << col(F::Type, "Gelir Türü");
        break;
    case BalanceListKind::TypedFlat:
    case BalanceListKind::GeneralFlat:
        c << col(F::Number, "No") << col(F::OuterDoor, "Dış Kapı") << col(F::Block, "Blok")
          << col(F::Flat, "Daire") << col(F::Owner, "Daire Sahibi")
          << col(F::Resident, "Dairede Oturan") << col(F::Debit, "Borcu")
          << col(F::Credit, "Ödemesi") << col(F::Remaining, "Kalan Borcu")
          << col(F::Currency, "PB");
        if (kind == BalanceListKind::TypedFlat)
            c << col(F::Type, "Gelir Türü");
        c << col(F::OwnerPhone, "Sahibi Telefon") << col(F::ResidentPhone, "Oturan Telefon");
        break;
    case BalanceListKind::TypedDetailSummary:
    case BalanceListKind::TypedFlatSummary:
        c << col(F::Number, "Kodu") << col(F::OuterDoor, "D.Kapı") << col(F::Block, "Blok")
          << col(F::Flat, "Daire");
        if (kind == BalanceListKind::TypedDetailSummary)
            c << col(F::Holder, "Adı Soyadı");
        else
            c << col(F::Owner, "Daire Sahibi") << col(F::Resident, "Dairede Oturan");
        for (int i = 0; i < types.size(); ++i)
            c << BalanceColumn{F::TypeBalance, types.at(i), i};
        c << col(F::Currency, "PB");
        break;
    }
    return c;
}

bool isAmountField(BalanceField field)
{
    return field == BalanceField::Debit || field == BalanceField::Credit ||
           field == BalanceField::Remaining || field == BalanceField::TypeBalance;
}

QString balanceCellText(BalanceListKind kind, const BalanceRow &row, const BalanceColumn &column)
{
    if (row.total) {
        const bool totalColumn =
            (kind == BalanceListKind::GeneralDetail &&
             column.field == BalanceField::OwnerIdentity) ||
            (kind == BalanceListKind::TypedDetail && column.field == BalanceField::Holder) ||
            ((kind == BalanceListKind::TypedFlat || kind == BalanceListKind::GeneralFlat) &&
             column.field == BalanceField::Resident);
        if (totalColumn)
            return QStringLiteral("Toplam");
    }
    switch (column.field) {
    case BalanceField::Number:
        return row.flatNumber > 0 ? QString::number(row.flatNumber) : QString();
    case BalanceField::OuterDoor:
        return row.outerDoor;
    case BalanceField::Block:
        return row.block;
    case BalanceField::Flat:
        return row.flat;
    case BalanceField::Holder:
        return row.holder;
    case BalanceField::Owner:
        return row.owner;
    case BalanceField::Resident:
        return row.resident;
    case BalanceField::Debit:
        return row.debit.toText();
    case BalanceField::Credit:
        return row.credit.toText();
    case BalanceField::Remaining:
        return row.remaining().toText();
    case BalanceField::Currency:
        return row.currency;
    case BalanceField::Type:
        return row.type;
    case BalanceField::OwnerIdentity:
        return row.ownerIdentity;
    case BalanceField::ResidentIdentity:
        return row.residentIdentity;
    case BalanceField::OwnerPhone:
        return row.ownerPhone;
    case BalanceField::ResidentPhone:
        return row.residentPhone;
    case BalanceField::TypeBalance:
        return column.typeIndex >= 0 && column.typeIndex < row.typeBalances.size()
                   ? row.typeBalances.at(column.typeIndex).toText()
                   : Money().toText();
    }
    return {};
}

} // namespace dalvira
