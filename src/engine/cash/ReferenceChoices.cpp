#include "cash/ReferenceChoices.h"

namespace dalvira {

QStringList methodChoices(const QStringList &methods, MethodListKind kind)
{
    QStringList entries = methods;
    if (kind == MethodListKind::MethodsWithAll)
        entries.append(kAllEntry);
    return entries;
}

QStringList currencyChoices(const QStringList &currencies, CurrencyListKind kind)
{
    QStringList entries;
    if (kind == CurrencyListKind::AllFirst)
        entries.append(kAllEntry);
    entries.append(kHomeCurrency);
    entries.append(currencies);
    if (kind == CurrencyListKind::HomeFirstWithAll)
        entries.append(kAllEntry);
    return entries;
}

} // namespace dalvira
