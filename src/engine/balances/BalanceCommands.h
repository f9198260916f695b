#pragma once

#include "balances/BalanceList.h"

#include <QDate>
#include <QString>
#include <optional>

namespace dalvira {

// "Ara": the row after currentRow whose holder name or flat number (kinds 1, 2, 5), or owner or
// resident name (kinds 3, 4, 6) holds text, compared Turkish lower-cased; the search wraps from
// the end to the first row. -1 when no row matches.
int findBalanceRow(const BalanceList &list, const QString &text, int currentRow);

// Which movements a statement opened from the list shows.
enum class StatementScope {
    HolderInFlat,     // "CARİ HESAP DETAYI": one holder within one flat
    WholeFlat,        // "TÜM DAİRE DETAYI": the whole flat
    HolderEverywhere, // "KİŞİNİN HAREKETLERİ": one holder across all flats
};

// What the account statement is opened with.
struct StatementRequest
{
    StatementScope scope = StatementScope::HolderInFlat;
    int flatNumber = 0; // HolderInFlat, WholeFlat
    QString holder;     // HolderInFlat, HolderEverywhere
    QDate reportDate;   // the list's report date
    QString currency;   // the row's "PB"
    // The statement's transaction-type choice: "Hepsi", the row's type, or unset to leave the
    // statement's choice as it is.
    std::optional<QString> type;
    QString caption;
};

// The statement for a row of the list; nothing for a total row or a row out of range.
std::optional<StatementRequest> statementRequest(const BalanceList &list, int row,
                                                 StatementScope scope);

// What the single entry screen is opened with for a row ("Ödeme/Tahsilat Ekle ").
struct PaymentEntryRequest
{
    int flatNumber = 0; // put into the flat number field and fetched
    QString type;       // the type to select; empty selects the first entry
};

std::optional<PaymentEntryRequest> paymentEntryRequest(const BalanceList &list, int row);

} // namespace dalvira
