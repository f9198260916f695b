#include "balances/BalanceCommands.h"

#include "common/TextHelpers.h"

namespace dalvira {

namespace {

const BalanceRow *flatRow(const BalanceList &list, int row)
{
    if (row < 0 || row >= list.rows.size())
        return nullptr;
    const BalanceRow &r = list.rows.at(row);
    return r.total || r.flatNumber <= 0 ? nullptr : &r;
}

// The holder a row stands for: the account holder, or the owner on the lists per flat.
QString rowHolder(BalanceListKind kind, const BalanceRow &r)
{
    return isHolderKind(kind) ? r.holder : r.owner;
}

} // namespace

int findBalanceRow(const BalanceList &list, const QString &text, int currentRow)
{
    const int count = int(list.rows.size());
    if (count == 0)
        return -1;
    const QString needle = turkishLower(text);
    const bool holderKind = isHolderKind(list.kind);
    int row = currentRow;
    for (int visited = 0; visited <= count; ++visited) {
        row = (row + 1 >= count || row < -1) ? 0 : row + 1;
        const BalanceRow &r = list.rows.at(row);
        const QString first = holderKind ? r.holder : r.owner;
        const QString second = holderKind
                                   ? (r.flatNumber > 0 ? QString::number(r.flatNumber) : QString())
                                   : r.resident;
        if (turkishLower(first).contains(needle) || turkishLower(second).contains(needle))
            return row;
    }
    return -1;
}

std::optional<StatementRequest> statementRequest(const BalanceList &list, int row,
                                                 StatementScope scope)
{
    const BalanceRow *r = flatRow(list, row);
    if (!r)
        return std::nullopt;
    StatementRequest req;
    req.scope = scope;
    req.reportDate = list.reportDate;
    req.currency = r->currency;
    const QString holder = rowHolder(list.kind, *r);
    switch (scope) {
    case StatementScope::HolderInFlat:
        req.flatNumber = r->flatNumber;
        req.holder = holder;
        if (list.kind == BalanceListKind::GeneralDetail)
            req.type = QStringLiteral("Hepsi");
        else if (list.kind == BalanceListKind::TypedDetail ||
                 list.kind == BalanceListKind::TypedFlat)
            req.type = r->type;
        if (list.kind == BalanceListKind::TypedFlat || list.kind == BalanceListKind::GeneralFlat)
            req.caption = r->owner + QStringLiteral(" - ") + r->resident;
        else
            req.caption = holder;
        break;
    case StatementScope::WholeFlat:
        req.flatNumber = r->flatNumber;
        req.caption = QStringLiteral("Tüm Daireye Ait Hareketler");
        break;
    case StatementScope::HolderEverywhere:
        req.holder = holder;
        req.caption = holder;
        break;
    }
    return req;
}

std::optional<PaymentEntryRequest> paymentEntryRequest(const BalanceList &list, int row)
{
    const BalanceRow *r = flatRow(list, row);
    if (!r)
        return std::nullopt;
    PaymentEntryRequest req;
    req.flatNumber = r->flatNumber;
    if (list.kind == BalanceListKind::TypedDetail || list.kind == BalanceListKind::TypedFlat)
        req.type = r->type;
    return req;
}

} // namespace dalvira
