#pragma once

#include "common/Result.h"

#include <QSqlDatabase>
#include <functional>

namespace dalvira {

// One business event is one transaction. BEGIN IMMEDIATE takes the write lock of the main file
// and of every attached file (the site's cash file is attached to anaConnection as "kasa"),
// so an event that writes both files commits both or neither.
//
// Transaction is the RAII form: the constructor begins, commit() commits, the destructor rolls
// back whatever was not committed. Inside a transaction already open on the same connection it
// joins the outer one: begin, commit and rollback are then left to the outer transaction, and
// an exception travels on to it.
class Transaction
{
public:
    explicit Transaction(const QSqlDatabase &db); // throws OperationError
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit(); // throws OperationError; the transaction is rolled back when COMMIT fails
    bool isOuter() const { return !m_joined; }

private:
    QSqlDatabase m_db;
    bool m_joined = false;
    bool m_done = false;
};

// Runs work inside one transaction on db and commits it. OperationError (every query helper
// throws it, with SQLite's message), any other exception, and OperationCancelled roll back the
// whole of it and give a failed (or cancelled) Result carrying the message.
// Called while a transaction is open on db, work joins it and exceptions go on to the outer one.
Result runInTransaction(const QSqlDatabase &db, const std::function<void()> &work);

// True while a transaction is open on db.
bool inTransaction(const QSqlDatabase &db);

} // namespace dalvira
