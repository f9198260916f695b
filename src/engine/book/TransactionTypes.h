#pragma once

#include "book/TransactionType.h"
#include "common/Result.h"

#include <QList>
#include <QSqlDatabase>
#include <QStringList>
#include <optional>

namespace dalvira {

class BatchProgress;

// The transaction types of the open site (table gelirtur of its data file): the one list that
// serves as income and expense types of the book, reasons of cash movements and types of
// ledger movements. The twin table gidertur is never read or written.
//
// Reads throw OperationError; writes return a Result carrying the message.
class TransactionTypes
{
public:
    // db: the main connection of the open site (its cash file attached as "kasa").
    explicit TransactionTypes(const QSqlDatabase &db);

    static constexpr int kCodeLength = 6;
    static constexpr int kNameLength = 50;

    // Every type in ascending code order (Turkish order; equal codes in entry order).
    QList<TransactionType> list() const;
    // The names, in the same order.
    QStringList names() const;
    std::optional<TransactionType> find(qint64 gidi) const;

    // Stores a new type (gidi 0; its new key is written back) or changes a stored one.
    // Code and name are kept as typed; longer than the columns allow is refused.
    Result store(TransactionType &type);
    // Removes the type. Stored records that carry its name keep it.
    Result remove(qint64 gidi);

    // How many stored records carry this exact name as their type: ledger movements, income
    // and expense lines and cash movements. A rename or deletion leaves them on the old name.
    int usageCount(const QString &name) const;

    // Gives every untyped ledger movement the type name: untyped is a null or empty aidat_turu
    // or exactly "Evsahibi" or "Oturan" (the holder words older versions stored there).
    // One transaction; returns the number of movements changed through changedCount.
    Result fillUntypedMovements(const QString &typeName, BatchProgress *progress = nullptr,
                                int *changedCount = nullptr);

    static QString codeTooLongMessage();
    static QString nameTooLongMessage();

private:
    QSqlDatabase m_db;
};

} // namespace dalvira
