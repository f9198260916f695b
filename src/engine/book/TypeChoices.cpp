#include "book/TypeChoices.h"

#include "storage/TurkishCollation.h"

#include <algorithm>

namespace dalvira {

QStringList typeChoices(const QStringList &namesInCodeOrder, TypeListKind kind)
{
    const bool isShort = kind == TypeListKind::Short || kind == TypeListKind::ShortWithAll;
    const int length = isShort ? kShortTypeChoiceLength : kTypeChoiceLength;
    QStringList entries;
    if (kind == TypeListKind::ShortWithAll)
        entries.append(kAllEntry);
    QStringList names;
    names.reserve(namesInCodeOrder.size());
    for (const QString &name : namesInCodeOrder)
        names.append(name.left(length));
    if (kind == TypeListKind::SortedWithTransfer)
        std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
            return compareTurkish(a, b) < 0;
        });
    entries.append(names);
    // "Virman" stays last even when a stored type carries the same name.
    if (kind == TypeListKind::WithTransfer || kind == TypeListKind::SortedWithTransfer)
        entries.append(kTransferType);
    return entries;
}

} // namespace dalvira
