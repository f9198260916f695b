#include "storage/Transaction.h"

#include "storage/DatabaseFile.h"
#include "storage/Sql.h"

#include <sqlite3.h>

namespace dalvira {

bool inTransaction(const QSqlDatabase &db)
{
    sqlite3 *handle = sqliteHandle(db);
    return handle && db.isOpen() && sqlite3_get_autocommit(handle) == 0;
}

Transaction::Transaction(const QSqlDatabase &db) : m_db(db)
{
    if (inTransaction(m_db)) {
        m_joined = true;
        return;
    }
    exec(m_db, QStringLiteral("BEGIN IMMEDIATE"));
}

Transaction::~Transaction()
{
    if (m_joined || m_done)
        return;
    if (inTransaction(m_db)) {
        QSqlQuery rollback(m_db);
        rollback.exec(QStringLiteral("ROLLBACK"));
    }
}

void Transaction::commit()
{
    if (m_joined || m_done)
        return;
    // A failed COMMIT (busy) throws and leaves the transaction open; the destructor then
    // rolls it back.
    exec(m_db, QStringLiteral("COMMIT"));
    m_done = true;
}

Result runInTransaction(const QSqlDatabase &db, const std::function<void()> &work)
{
    if (inTransaction(db)) {
        work();
        return Result::success();
    }
    try {
        Transaction transaction(db);
        work();
        transaction.commit();
        return Result::success();
    } catch (const OperationError &error) {
        return Result::failure(error.message());
    } catch (const OperationCancelled &) {
        return Result::cancelled();
    } catch (const std::exception &error) {
        return Result::failure(QString::fromLocal8Bit(error.what()));
    }
}

} // namespace dalvira
