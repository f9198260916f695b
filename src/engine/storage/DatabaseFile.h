#pragma once

#include "common/Result.h"

#include <QSqlDatabase>
#include <QString>

struct sqlite3;

namespace dalvira {

// The application_id every database file of this program carries in its header.
inline constexpr int databaseApplicationId = 1145130070;

// Busy timeout of every connection: two copies of the program may use the same files.
inline constexpr int busyTimeoutMs = 5000;

// Checks that path is an existing, sound database file of this program, without creating or
// changing it: missing, a file of the old program (Jet/ACE header), not one of ours (not
// SQLite, other application_id), damaged (short, fails quick_check) or locked each give a
// failure with the Turkish message naming the file.
Result checkDatabaseFile(const QString &path);

// The SQLite URI that opens path read-write and never creates it ("file:...?mode=rw").
QString databaseUri(const QString &path);

// (Re)opens the QSQLITE connection `connectionName` (added with QSqlDatabase::addDatabase) on
// the existing file path, after checkDatabaseFile. The connection gets the busy timeout, the
// TURKISH collation with trlower/trcontains, and the statement trace. On failure it is left
// closed and the Result carries the message.
Result openDatabase(const QString &connectionName, const QString &path);

// As openDatabase, for a file the caller has just checked.
Result openCheckedDatabase(const QString &connectionName, const QString &path);

// The SQLite handle under an open QSQLITE connection, or nullptr.
sqlite3 *sqliteHandle(const QSqlDatabase &db);

// The file behind the connection's main database, or behind an attached one ("kasa").
QString databaseFilePath(const QSqlDatabase &db, const char *schema = "main");

} // namespace dalvira
