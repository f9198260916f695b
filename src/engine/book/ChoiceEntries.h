#pragma once

#include <QString>

namespace dalvira {

// The fixed entries that choice lists add to the stored ones.
inline const QString kAllEntry = QStringLiteral("Hepsi");      // filters: no condition
inline const QString kTransferType = QStringLiteral("Virman"); // money moved between methods
inline const QString kHomeCurrency = QStringLiteral("TL");     // never stored in the list file

} // namespace dalvira
