#pragma once

#include "book/ChoiceEntries.h"

#include <QStringList>

namespace dalvira {

// The shapes of the payment method choice lists.
enum class MethodListKind {
    Methods,        // entry screens: the methods in list order
    MethodsWithAll, // filters (daily cash register, two-date report): the methods, then "Hepsi"
};

// The shapes of the currency choice lists; "TL" is always offered, before the stored ones.
enum class CurrencyListKind {
    HomeFirst,        // "TL", the currencies: entry screens and most lists
    HomeFirstWithAll, // "TL", the currencies, "Hepsi": cash register, two-date report, statement
    AllFirst,         // "Hepsi", "TL", the currencies: cash report, supplier ledger
};

QStringList methodChoices(const QStringList &methods, MethodListKind kind);
QStringList currencyChoices(const QStringList &currencies, CurrencyListKind kind);

} // namespace dalvira
