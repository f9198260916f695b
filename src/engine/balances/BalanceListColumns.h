#pragma once

#include "balances/BalanceList.h"

#include <QList>
#include <QString>

namespace dalvira {

// What a column of the balance list shows.
enum class BalanceField {
    Number,
    OuterDoor,
    Block,
    Flat,
    Holder,
    Owner,
    Resident,
    Debit,
    Credit,
    Remaining,
    Currency,
    Type,
    OwnerIdentity,
    ResidentIdentity,
    OwnerPhone,
    ResidentPhone,
    TypeBalance, // kinds 5 and 6: the balance of one transaction type
};

struct BalanceColumn
{
    BalanceField field = BalanceField::Number;
    QString caption;
    int typeIndex = -1; // TypeBalance: index into BalanceList::types
};

// The columns of a list of this kind, in display order, with their captions; types are the
// pivot's columns of kinds 5 and 6.
QList<BalanceColumn> balanceColumns(BalanceListKind kind, const QStringList &types = {});

bool isAmountField(BalanceField field);

// The text a cell shows: amounts as 1.234,56, a total row's empty flat number, and "Toplam" in
// the column the kind keeps for it ("SahibiTCKimlik" in kind 1, the name in kind 2, the
// resident in kinds 3 and 4).
QString balanceCellText(BalanceListKind kind, const BalanceRow &row, const BalanceColumn &column);

} // namespace dalvira
