#pragma once

#include <sqlite3.h>
#include <string>

namespace dalvira::bench {

// A plain second connection on the site's data file for the baselines: only the sqlite3 calls
// that the least work needs, no Qt and no engine in between. Failures throw std::runtime_error
// with SQLite's message.
class RawDatabase
{
public:
    explicit RawDatabase(const std::string &path);
    ~RawDatabase();
    RawDatabase(const RawDatabase &) = delete;
    RawDatabase &operator=(const RawDatabase &) = delete;

    sqlite3 *handle() const { return m_db; }
    void exec(const char *sql);
    sqlite3_int64 lastInsertId() const;

private:
    sqlite3 *m_db = nullptr;
};

class RawStatement
{
public:
    RawStatement(const RawDatabase &db, const char *sql);
    ~RawStatement();
    RawStatement(const RawStatement &) = delete;
    RawStatement &operator=(const RawStatement &) = delete;

    void bind(int index, sqlite3_int64 value);
    void bind(int index, double value);
    // Empty text binds NULL, as the engine stores an empty optional text.
    void bindTextOrNull(int index, const std::string &value);
    void bindText(int index, const std::string &value);
    void bindNull(int index);

    // True while a row is there; throws on an error.
    bool step();
    void reset();

    int columnCount() const { return sqlite3_column_count(m_stmt); }
    sqlite3_int64 integer(int column) const { return sqlite3_column_int64(m_stmt, column); }
    double real(int column) const { return sqlite3_column_double(m_stmt, column); }
    bool isNull(int column) const { return sqlite3_column_type(m_stmt, column) == SQLITE_NULL; }
    std::string text(int column) const;

private:
    void check(int rc) const;

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
};

} // namespace dalvira::bench
