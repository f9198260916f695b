#include "RawSqlite.h"

#include <stdexcept>

namespace dalvira::bench {

namespace {

// The engine waits this long for a lock too; the two connections take turns on one file.
constexpr int kBusyTimeoutMs = 5000;

} // namespace

RawDatabase::RawDatabase(const std::string &path)
{
    const int rc = sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw std::runtime_error(path + ": " + message);
    }
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // The same journal as the engine's connections, so a commit costs the same on both sides.
    exec("PRAGMA journal_mode=DELETE");
}

RawDatabase::~RawDatabase()
{
    sqlite3_close(m_db);
}

void RawDatabase::exec(const char *sql)
{
    char *error = nullptr;
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "sqlite3_exec failed";
        sqlite3_free(error);
        throw std::runtime_error(message + " (" + sql + ")");
    }
}

sqlite3_int64 RawDatabase::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

RawStatement::RawStatement(const RawDatabase &db, const char *sql) : m_db(db.handle())
{
    if (sqlite3_prepare_v2(m_db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " (" + sql + ")");
}

RawStatement::~RawStatement()
{
    sqlite3_finalize(m_stmt);
}

void RawStatement::check(int rc) const
{
    if (rc != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(m_db));
}

void RawStatement::bind(int index, sqlite3_int64 value)
{
    check(sqlite3_bind_int64(m_stmt, index, value));
}

void RawStatement::bind(int index, double value)
{
    check(sqlite3_bind_double(m_stmt, index, value));
}

void RawStatement::bindText(int index, const std::string &value)
{
    check(sqlite3_bind_text(m_stmt, index, value.data(), int(value.size()), SQLITE_TRANSIENT));
}

void RawStatement::bindTextOrNull(int index, const std::string &value)
{
    if (value.empty())
        bindNull(index);
    else
        bindText(index, value);
}

void RawStatement::bindNull(int index)
{
    check(sqlite3_bind_null(m_stmt, index));
}

bool RawStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    throw std::runtime_error(sqlite3_errmsg(m_db));
}

void RawStatement::reset()
{
    sqlite3_reset(m_stmt);
}

std::string RawStatement::text(int column) const
{
    const auto *chars = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return chars ? std::string(chars, size_t(sqlite3_column_bytes(m_stmt, column))) : std::string();
}

} // namespace dalvira::bench
