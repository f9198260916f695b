#include "storage/DatabaseFile.h"

#include "storage/Sql.h"
#include "storage/TurkishCollation.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <cstring>
#include <memory>
#include <sqlite3.h>

namespace dalvira {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

Result missingFile(const QString &path)
{
    return Result::failure(
        QStringLiteral("\"%1\" veritabanı dosyası bulunamadı!").arg(shown(path)));
}

Result oldProgramFile(const QString &path)
{
    return Result::failure(QStringLiteral("\"%1\" eski programın veritabanı dosyasıdır. Programın "
                                          "bu sürümü bu dosyayı açamaz!")
                               .arg(shown(path)));
}

Result notOurs(const QString &path)
{
    return Result::failure(
        QStringLiteral("\"%1\" bu programın veritabanı dosyası değil ya da bozuk!")
            .arg(shown(path)));
}

Result cannotOpen(const QString &path, const QString &reason)
{
    return Result::failure(
        QStringLiteral("\"%1\" veritabanı dosyası açılamadı: %2").arg(shown(path), reason));
}

quint32 bigEndian32(const unsigned char *p)
{
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}

struct SqliteCloser
{
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};
using SqliteConnection = std::unique_ptr<sqlite3, SqliteCloser>;

// Reads the first bytes of the file through SQLite's own file handle. Opening and closing the
// file with another descriptor would drop the POSIX locks that other connections of this
// process may hold on it.
bool readHeader(sqlite3 *db, unsigned char (&header)[100])
{
    std::memset(header, 0, sizeof header);
    sqlite3_file *file = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
        !file->pMethods)
        return false;
    const int rc = file->pMethods->xRead(file, header, sizeof header, 0);
    return rc == SQLITE_OK || rc == SQLITE_IOERR_SHORT_READ; // a short file reads as zeros
}

bool isDamaged(int rc)
{
    return (rc & 0xff) == SQLITE_NOTADB || (rc & 0xff) == SQLITE_CORRUPT;
}

Result statementFailure(sqlite3 *db, int rc, const QString &path)
{
    if (isDamaged(rc))
        return notOurs(path);
    return cannotOpen(path, QString::fromUtf8(sqlite3_errmsg(db)));
}

// quick_check under a read transaction, so that no writer of another process changes the file
// between the size check and the check of its pages.
Result checkContents(sqlite3 *db, const QString &path)
{
    int rc = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return statementFailure(db, rc, path);
    struct EndRead
    {
        sqlite3 *db;
        ~EndRead() { sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr); }
    } endRead{db};
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return statementFailure(db, rc, path);

    // The shared lock is held now: the header's page count must be covered by the file.
    unsigned char header[100];
    if (!readHeader(db, header))
        return cannotOpen(path, QString::fromUtf8(sqlite3_errmsg(db)));
    quint32 pageSize = (quint32(header[16]) << 8) | header[17];
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return notOurs(path);
    const qint64 size = QFileInfo(path).size();
    const quint32 pageCount = bigEndian32(header + 28);
    const bool pageCountValid = std::memcmp(header + 24, header + 92, 4) == 0 && pageCount > 0;
    if (size % pageSize != 0 || (pageCountValid && size < qint64(pageCount) * pageSize))
        return notOurs(path);

    sqlite3_stmt *stmt = nullptr;
    rc = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &stmt, nullptr);
    if (rc != SQLITE_OK)
        return statementFailure(db, rc, path);
    rc = sqlite3_step(stmt);
    QString verdict;
    if (rc == SQLITE_ROW)
        verdict = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_ROW)
        return statementFailure(db, rc, path);
    if (verdict != QLatin1String("ok"))
        return notOurs(path);
    return Result::success();
}

void traceStatement(sqlite3 *db, sqlite3_stmt *stmt)
{
    char *expanded = sqlite3_expanded_sql(stmt);
    const char *text = expanded ? expanded : sqlite3_sql(stmt);
    const QString file = QFileInfo(QString::fromUtf8(sqlite3_db_filename(db, "main"))).fileName();
    qInfo().noquote() << QStringLiteral("SQL %1: %2").arg(file, QString::fromUtf8(text));
    sqlite3_free(expanded);
}

int traceCallback(unsigned type, void *, void *statement, void *text)
{
    if (type != SQLITE_TRACE_STMT || !statementTrace())
        return 0;
    // Statements run by triggers arrive as "-- ..." comments; the outer statement is enough.
    if (text && std::strncmp(static_cast<const char *>(text), "--", 2) == 0)
        return 0;
    auto *stmt = static_cast<sqlite3_stmt *>(statement);
    traceStatement(sqlite3_db_handle(stmt), stmt);
    return 0;
}

} // namespace

QString databaseUri(const QString &path)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setQuery(QStringLiteral("mode=rw"));
    return url.toString(QUrl::FullyEncoded);
}

Result checkDatabaseFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return missingFile(path);
    if (!info.isFile())
        return notOurs(path);

    sqlite3 *raw = nullptr;
    const QByteArray uri = databaseUri(path).toUtf8();
    const int rc =
        sqlite3_open_v2(uri.constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI, nullptr);
    SqliteConnection db(raw);
    if (rc != SQLITE_OK) {
        if (!QFileInfo::exists(path))
            return missingFile(path);
        return cannotOpen(path, raw ? QString::fromUtf8(sqlite3_errmsg(raw))
                                    : QString::fromUtf8(sqlite3_errstr(rc)));
    }
    sqlite3_busy_timeout(raw, busyTimeoutMs);

    unsigned char header[100];
    if (!readHeader(raw, header))
        return cannotOpen(path, QString::fromUtf8(sqlite3_errmsg(raw)));
    if (std::memcmp(header + 4, "Standard Jet DB", 15) == 0 ||
        std::memcmp(header + 4, "Standard ACE DB", 15) == 0)
        return oldProgramFile(path);
    if (info.size() < 100 || std::memcmp(header, "SQLite format 3", 16) != 0)
        return notOurs(path);
    if (bigEndian32(header + 68) != quint32(databaseApplicationId))
        return notOurs(path);
    return checkContents(raw, path);
}

sqlite3 *sqliteHandle(const QSqlDatabase &db)
{
    if (!db.isValid() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || std::strcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3 *const *>(handle.constData());
}

QString databaseFilePath(const QSqlDatabase &db, const char *schema)
{
    sqlite3 *handle = sqliteHandle(db);
    if (!handle || !db.isOpen())
        return {};
    const char *file = sqlite3_db_filename(handle, schema);
    return file ? QString::fromUtf8(file) : QString();
}

Result openCheckedDatabase(const QString &connectionName, const QString &path)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (!db.isValid())
        return cannotOpen(path, QStringLiteral("bağlantı tanımlı değil (%1)").arg(connectionName));
    if (db.isOpen())
        db.close();
    db.setDatabaseName(databaseUri(path));
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    if (!db.open()) {
        const QString reason = db.lastError().databaseText().isEmpty()
                                   ? db.lastError().text()
                                   : db.lastError().databaseText();
        return QFileInfo::exists(path) ? cannotOpen(path, reason) : missingFile(path);
    }
    sqlite3 *handle = sqliteHandle(db);
    if (!handle || !registerTurkishFunctions(handle)) {
        db.close();
        return cannotOpen(path, QStringLiteral("SQLite bağlantısı hazırlanamadı"));
    }
    sqlite3_busy_timeout(handle, busyTimeoutMs);
    sqlite3_trace_v2(handle, SQLITE_TRACE_STMT, traceCallback, nullptr);
    // Rollback journals make a commit over attached files atomic; never switch to WAL.
    sqlite3_exec(handle, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    return Result::success();
}

Result openDatabase(const QString &connectionName, const QString &path)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (db.isOpen())
        db.close();
    if (Result r = checkDatabaseFile(path); !r)
        return r;
    return openCheckedDatabase(connectionName, path);
}

} // namespace dalvira
