#include "storage/Compaction.h"

#include "storage/DatabaseFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sqlite3.h>
#include <unistd.h>

namespace dalvira {

namespace {

struct SqliteCloser
{
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};
using SqliteConnection = std::unique_ptr<sqlite3, SqliteCloser>;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

Result compactionFailure(const QString &path, const QString &reason)
{
    return Result::failure(
        QStringLiteral("\"%1\" veritabanı sıkıştırılamadı: %2").arg(shown(path), reason));
}

Result inUse(const QString &path)
{
    return compactionFailure(path,
                             QStringLiteral("dosya başka bir program tarafından kullanılıyor."));
}

SqliteConnection openRaw(const QString &path, QString *error)
{
    sqlite3 *raw = nullptr;
    const QByteArray uri = databaseUri(path).toUtf8();
    const int rc =
        sqlite3_open_v2(uri.constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI, nullptr);
    SqliteConnection db(raw);
    if (rc != SQLITE_OK) {
        *error =
            raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QString::fromUtf8(sqlite3_errstr(rc));
        return {};
    }
    return db;
}

int execRaw(sqlite3 *db, const char *sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

// The schema as one comparable list; quick_check proves the pages, this proves nothing was
// dropped on the way.
bool schemaOf(sqlite3 *db, QStringList *out)
{
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(db,
                           "SELECT type, name, tbl_name, sql FROM sqlite_master "
                           "ORDER BY type, name",
                           -1, &stmt, nullptr) != SQLITE_OK)
        return false;
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        QStringList row;
        for (int i = 0; i < 4; ++i)
            row << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, i)));
        out->append(row.join(QLatin1Char('\x1f')));
    }
    sqlite3_finalize(stmt);
    return rc == SQLITE_DONE;
}

qint64 dataVersion(sqlite3 *db)
{
    sqlite3_stmt *stmt = nullptr;
    qint64 version = -1;
    if (sqlite3_prepare_v2(db, "PRAGMA data_version", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        version = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return version;
}

bool syncFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

Result verifyCopy(const QString &copyPath, const QStringList &sourceSchema)
{
    // checkDatabaseFile runs quick_check and checks the header of the new file.
    if (Result r = checkDatabaseFile(copyPath); !r)
        return r;
    QString error;
    SqliteConnection copy = openRaw(copyPath, &error);
    if (!copy)
        return Result::failure(error);
    QStringList copySchema;
    if (!schemaOf(copy.get(), &copySchema))
        return Result::failure(QString::fromUtf8(sqlite3_errmsg(copy.get())));
    if (copySchema != sourceSchema)
        return Result::failure(QStringLiteral("sıkıştırılmış kopyanın tabloları farklı."));
    return Result::success();
}

} // namespace

QList<qint64> processesHoldingFile(const QString &path)
{
    QList<qint64> holders;
    const QString target = QFileInfo(path).canonicalFilePath();
    if (target.isEmpty())
        return holders;
    const qint64 self = QCoreApplication::applicationPid();
    const QDir proc(QStringLiteral("/proc"));
    const QStringList entries = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric || pid == self)
            continue;
        const QDir fds(proc.filePath(entry + QStringLiteral("/fd")));
        const QStringList links =
            fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &fd : links) {
            if (QFileInfo(fds.filePath(fd)).symLinkTarget() == target) {
                holders << pid;
                break;
            }
        }
    }
    return holders;
}

Result compactDatabase(const QString &path)
{
    if (Result r = checkDatabaseFile(path); !r)
        return compactionFailure(path, r.message());
    if (!processesHoldingFile(path).isEmpty())
        return inUse(path);

    QString error;
    SqliteConnection source = openRaw(path, &error);
    if (!source)
        return compactionFailure(path, error);
    sqlite3 *db = source.get();
    sqlite3_busy_timeout(db, 1000);

    // Nobody may be reading or writing it now.
    if (execRaw(db, "BEGIN EXCLUSIVE") != SQLITE_OK)
        return inUse(path);
    execRaw(db, "COMMIT");

    QStringList sourceSchema;
    if (!schemaOf(db, &sourceSchema))
        return compactionFailure(path, QString::fromUtf8(sqlite3_errmsg(db)));
    const qint64 versionBefore = dataVersion(db);

    const QString copyPath = path + QLatin1Char('x');
    QFile::remove(copyPath); // a leftover of an interrupted compaction
    struct RemoveCopy
    {
        QString path;
        bool keep = false;
        ~RemoveCopy()
        {
            if (!keep)
                QFile::remove(path);
        }
    } removeCopy{copyPath};

    sqlite3_stmt *vacuum = nullptr;
    if (sqlite3_prepare_v2(db, "VACUUM INTO ?", -1, &vacuum, nullptr) != SQLITE_OK)
        return compactionFailure(path, QString::fromUtf8(sqlite3_errmsg(db)));
    const QByteArray copyName = QFile::encodeName(QFileInfo(copyPath).absoluteFilePath());
    sqlite3_bind_text(vacuum, 1, copyName.constData(), int(copyName.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(vacuum);
    sqlite3_finalize(vacuum);
    if (rc != SQLITE_DONE)
        return compactionFailure(path, QString::fromUtf8(sqlite3_errmsg(db)));

    if (Result r = verifyCopy(copyPath, sourceSchema); !r)
        return compactionFailure(path, r.message());
    if (!syncFile(copyPath))
        return compactionFailure(path, QStringLiteral("kopya diske yazılamadı."));

    // Swap under the exclusive lock, and only if nobody wrote the file since the copy was made.
    if (execRaw(db, "BEGIN EXCLUSIVE") != SQLITE_OK)
        return inUse(path);
    if (execRaw(db, "SELECT count(*) FROM sqlite_master") != SQLITE_OK ||
        dataVersion(db) != versionBefore) {
        execRaw(db, "ROLLBACK");
        return inUse(path);
    }
    if (!processesHoldingFile(path).isEmpty()) {
        execRaw(db, "ROLLBACK");
        return inUse(path);
    }
    const QByteArray from = QFile::encodeName(QFileInfo(copyPath).absoluteFilePath());
    const QByteArray to = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    if (::rename(from.constData(), to.constData()) != 0) {
        execRaw(db, "ROLLBACK");
        return compactionFailure(path, QString::fromLocal8Bit(strerror(errno)));
    }
    removeCopy.keep = true;
    execRaw(db, "ROLLBACK");
    source.reset();
    syncFile(QFileInfo(path).absolutePath());
    return Result::success();
}

} // namespace dalvira
