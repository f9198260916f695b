#pragma once

#include <QString>

namespace dalvira {

// One row of gelirtur. Other tables store the name (adi), never the key or the code, so a
// type is known everywhere by its name.
struct TransactionType
{
    qint64 gidi = 0; // 0 for a type not stored yet
    QString kodu;
    QString adi;

    bool operator==(const TransactionType &) const = default;
};

} // namespace dalvira
