#pragma once

#include "book/ChoiceEntries.h"

#include <QStringList>

namespace dalvira {

// The shapes in which the transaction type names are offered for choice. The names come in
// code order; each shape cuts them and adds the fixed entries it needs.
enum class TypeListKind {
    // Names cut to 30 characters: the two type lists of the flat record.
    Plain,
    // Names cut to 30, then "Virman": the income and expense entry grids and the bank list review.
    WithTransfer,
    // Names cut to 30 in alphabetical order, then "Virman": the reason list of cash movements.
    SortedWithTransfer,
    // Names cut to 15: the type list of the bulk dues accrual.
    Short,
    // "Hepsi", then names cut to 15: filters (account statement, interest lists).
    ShortWithAll,
};

inline constexpr int kTypeChoiceLength = 30;
inline constexpr int kShortTypeChoiceLength = 15;

// The entries of a choice list of this kind, from the names in code order.
QStringList typeChoices(const QStringList &namesInCodeOrder, TypeListKind kind);

} // namespace dalvira
