#include "backup/ZipArchive.h"

#include "common/BatchProgress.h"
#include "storage/DatabaseFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUuid>
#include <cstdio>
#include <functional>
#include <memory>
#include <quazip/quacrc32.h>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>
#include <quazip/quazipnewinfo.h>
#include <sqlite3.h>

namespace dalvira {

namespace {

constexpr qint64 kChunk = 256 * 1024;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// A read transaction on a database file while it is archived: in rollback-journal mode no
// other connection can commit into it meanwhile. A file that is not a database is read as it
// is (no lock to take).
class ReadLock
{
public:
    explicit ReadLock(const QString &path)
    {
        const QByteArray uri = databaseUri(path).toUtf8();
        if (sqlite3_open_v2(uri.constData(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI,
                            nullptr) != SQLITE_OK) {
            release();
            return;
        }
        sqlite3_busy_timeout(m_db, busyTimeoutMs);
        if (sqlite3_exec(m_db, "BEGIN; SELECT count(*) FROM sqlite_master;", nullptr, nullptr,
                         nullptr) != SQLITE_OK)
            release();
    }
    ~ReadLock() { release(); }
    ReadLock(const ReadLock &) = delete;
    ReadLock &operator=(const ReadLock &) = delete;

private:
    void release()
    {
        if (m_db) {
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close_v2(m_db);
            m_db = nullptr;
        }
    }
    sqlite3 *m_db = nullptr;
};

bool fileCrc(QFile &file, quint32 *crc, qint64 *size)
{
    QuaCrc32 sum;
    qint64 total = 0;
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(kChunk);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
            return false;
        sum.update(chunk);
        total += chunk.size();
    }
    *crc = sum.value();
    *size = total;
    return file.error() == QFileDevice::NoError;
}

struct Written
{
    QString entry;
    quint32 crc = 0;
    qint64 size = 0;
};

Result writeFailure(const QString &archive, const QString &reason)
{
    return Result::failure(
        QStringLiteral("\"%1\" yedek dosyası yazılamadı: %2").arg(shown(archive), reason));
}

Result damaged(const QString &archive)
{
    return Result::failure(
        QStringLiteral("\"%1\" yedek dosyası okunamadı: dosya bozuk, şifresi yanlış ya da bir "
                       "yedek dosyası değil.")
            .arg(shown(archive)));
}

// Writes one archive into temporary; the entries' sums come back in written.
Result writeOne(const ArchivePlan &plan, const QString &temporary, QList<Written> *written,
                BatchProgress *progress, int *position)
{
    QuaZip zip(temporary);
    // Info-ZIP refuses an encrypted entry written with a data descriptor; without one the
    // check byte comes from the CRC, which is therefore computed before the entry is written.
    zip.setDataDescriptorWritingEnabled(false);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdCreate))
        return writeFailure(plan.path, QStringLiteral("dosya oluşturulamadı."));

    QSet<QString> names;
    for (const QString &source : plan.files) {
        const QString entry = QFileInfo(source).fileName();
        if (names.contains(entry.toLower())) {
            zip.close();
            return writeFailure(plan.path,
                                QStringLiteral("\"%1\" iki kez yedeklenemez.").arg(entry));
        }
        names.insert(entry.toLower());

        // The file is opened before the lock is taken and closed after it is released:
        // closing any descriptor of a file drops this process's locks on it.
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly)) {
            zip.close();
            return writeFailure(plan.path, QStringLiteral("\"%1\" okunamadı.").arg(shown(source)));
        }
        auto lock = std::make_unique<ReadLock>(source);
        Written w;
        w.entry = entry;
        if (!fileCrc(in, &w.crc, &w.size) || !in.seek(0)) {
            zip.close();
            return writeFailure(plan.path, QStringLiteral("\"%1\" okunamadı.").arg(shown(source)));
        }
        QuaZipFile out(&zip);
        const QuaZipNewInfo info(entry, source);
        if (!out.open(QIODevice::WriteOnly, info,
                      plan.password.isEmpty() ? nullptr : plan.password.constData(), w.crc,
                      Z_DEFLATED, 9)) {
            zip.close();
            return writeFailure(plan.path, QStringLiteral("\"%1\" eklenemedi.").arg(entry));
        }
        bool ok = true;
        QuaCrc32 check;
        qint64 total = 0;
        while (ok && !in.atEnd()) {
            const QByteArray chunk = in.read(kChunk);
            check.update(chunk);
            total += chunk.size();
            ok = out.write(chunk) == chunk.size();
        }
        out.close();
        lock.reset();
        in.close();
        // The file must not have changed between the two readings.
        ok = ok && out.getZipError() == ZIP_OK && check.value() == w.crc && total == w.size;
        if (!ok) {
            zip.close();
            return writeFailure(plan.path, QStringLiteral("\"%1\" eklenemedi.").arg(entry));
        }
        written->append(w);
        if (progress)
            progress->step(++*position);
    }
    zip.close();
    if (zip.getZipError() != ZIP_OK)
        return writeFailure(plan.path, QStringLiteral("dosya kapatılamadı (disk dolu olabilir)."));
    return Result::success();
}

// Reads the archive back and compares every entry with what was written.
Result checkWritten(const QString &temporary, const ArchivePlan &plan,
                    const QList<Written> &written)
{
    QStringList names;
    if (Result r = verifyArchive(temporary, plan.password, &names); !r)
        return writeFailure(plan.path, QStringLiteral("yazılan dosya doğrulanamadı."));
    if (names.size() != written.size())
        return writeFailure(plan.path, QStringLiteral("yazılan dosya doğrulanamadı."));
    QuaZip zip(temporary);
    if (!zip.open(QuaZip::mdUnzip))
        return writeFailure(plan.path, QStringLiteral("yazılan dosya doğrulanamadı."));
    for (const Written &w : written) {
        QuaZipFileInfo64 info;
        if (!zip.setCurrentFile(w.entry) || !zip.getCurrentFileInfo(&info) || info.crc != w.crc ||
            qint64(info.uncompressedSize) != w.size) {
            zip.close();
            return writeFailure(plan.path, QStringLiteral("\"%1\" doğrulanamadı.").arg(w.entry));
        }
    }
    zip.close();
    return Result::success();
}

QString temporaryBeside(const QString &path)
{
    const QFileInfo info(path);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.') +
           QUuid::createUuid().toString(QUuid::Id128).left(12) + QStringLiteral(".tmp");
}

// Reads the archive's current entry whole, handing each block to sink (when given), and checks
// it against the directory's size and CRC. A wrong password shows only here, as a read error
// or a wrong sum, never on open.
bool readCurrentEntry(QuaZip &zip, const QuaZipFileInfo64 &info, const char *password,
                      const std::function<void(const char *data, qint64 size)> &sink)
{
    QuaZipFile in(&zip);
    if (!in.open(QIODevice::ReadOnly, password))
        return false;
    QuaCrc32 sum;
    qint64 total = 0;
    char buffer[65536];
    qint64 n;
    while ((n = in.read(buffer, sizeof buffer)) > 0) {
        sum.update(QByteArray::fromRawData(buffer, n));
        total += n;
        if (sink)
            sink(buffer, n);
    }
    in.close();
    return n == 0 && in.getZipError() == UNZ_OK && sum.value() == info.crc &&
           quint64(total) == info.uncompressedSize;
}

} // namespace

QString entryBaseName(const QString &entryName)
{
    const qsizetype slash =
        std::max(entryName.lastIndexOf(QLatin1Char('/')), entryName.lastIndexOf(QLatin1Char('\\')));
    return slash < 0 ? entryName : entryName.mid(slash + 1);
}

Result writeArchives(const QList<ArchivePlan> &archives, BatchProgress *progress)
{
    QStringList temporaries;
    const auto cleanUp = [&] {
        for (const QString &t : temporaries)
            QFile::remove(t);
    };
    int total = 0;
    for (const ArchivePlan &plan : archives)
        total += int(plan.files.size());
    if (progress)
        progress->start(QStringLiteral("Bekleyin yedek alınıyor..."),
                        QStringLiteral("Yedeklenen dosya :"), total, false);
    int position = 0;
    Result result;
    for (const ArchivePlan &plan : archives) {
        if (plan.files.isEmpty()) {
            result = writeFailure(plan.path, QStringLiteral("yedeklenecek dosya bulunamadı."));
            break;
        }
        if (!QFileInfo(QFileInfo(plan.path).absolutePath()).isDir()) {
            result = writeFailure(plan.path, QStringLiteral("klasör bulunamadı."));
            break;
        }
        const QString temporary = temporaryBeside(plan.path);
        temporaries.append(temporary);
        QList<Written> written;
        result = writeOne(plan, temporary, &written, progress, &position);
        if (result)
            result = checkWritten(temporary, plan, written);
        if (!result)
            break;
    }
    if (result) {
        // rename() replaces an old archive of the same name whole and at once.
        for (int i = 0; i < archives.size() && result; ++i) {
            if (std::rename(QFile::encodeName(temporaries[i]).constData(),
                            QFile::encodeName(archives[i].path).constData()) != 0)
                result = writeFailure(archives[i].path, QStringLiteral("dosya yerine konamadı."));
        }
    }
    cleanUp();
    if (progress)
        progress->finish(result ? QStringLiteral("Yedekleme tamamlandı.") : QString());
    return result;
}

Result verifyArchive(const QString &path, const QByteArray &password, QStringList *names)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        return damaged(path);
    const char *pw = password.isEmpty() ? nullptr : password.constData();
    QStringList found;
    bool ok = true;
    for (bool more = zip.goToFirstFile(); more && ok; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!zip.getCurrentFileInfo(&info)) {
            ok = false;
            break;
        }
        ok = readCurrentEntry(zip, info, pw, {});
        found.append(info.name);
    }
    // An archive without entries ends the walk with END_OF_LIST on the first step.
    ok = ok && (zip.getZipError() == UNZ_OK || zip.getZipError() == UNZ_END_OF_LIST_OF_FILE);
    zip.close();
    if (!ok)
        return damaged(path);
    if (names)
        *names = found;
    return Result::success();
}

Result extractArchive(const QString &path, const QByteArray &password, const QString &folder,
                      const std::function<bool(const QString &baseName)> &acceptName,
                      QStringList *extracted)
{
    QStringList written;
    const auto fail = [&](const Result &r) {
        for (const QString &name : written)
            QFile::remove(folder + QLatin1Char('/') + name);
        return r;
    };
    const auto unexpected = [&](const QString &entry) {
        return fail(Result::failure(
            QStringLiteral("\"%1\" bir yedek dosyası değil: beklenmeyen \"%2\" kaydı var.")
                .arg(shown(path), entry)));
    };

    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip))
        return damaged(path);
    const char *pw = password.isEmpty() ? nullptr : password.constData();
    QSet<QString> seen;
    bool ok = true;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        if (!zip.getCurrentFileInfo(&info)) {
            ok = false;
            break;
        }
        const QString base = entryBaseName(info.name);
        if (base.isEmpty() || base.startsWith(QLatin1Char('.')) || !acceptName(base) ||
            seen.contains(base.toLower())) {
            zip.close();
            return unexpected(info.name);
        }
        seen.insert(base.toLower());

        const QString target = folder + QLatin1Char('/') + base;
        QFile out(target);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            zip.close();
            return fail(Result::failure(
                QStringLiteral("\"%1\" yazılamadı.").arg(QDir::toNativeSeparators(target))));
        }
        written.append(base);
        bool writtenOk = true;
        const bool intact = readCurrentEntry(zip, info, pw, [&](const char *data, qint64 size) {
            writtenOk = writtenOk && out.write(data, size) == size;
        });
        writtenOk = out.flush() && writtenOk;
        out.close();
        if (!writtenOk) {
            zip.close();
            return fail(Result::failure(
                QStringLiteral("\"%1\" yazılamadı.").arg(QDir::toNativeSeparators(target))));
        }
        if (!intact) {
            ok = false;
            break;
        }
    }
    // An archive without entries ends the walk with END_OF_LIST on the first step.
    ok = ok && (zip.getZipError() == UNZ_OK || zip.getZipError() == UNZ_END_OF_LIST_OF_FILE);
    zip.close();
    if (!ok)
        return fail(damaged(path));
    if (written.isEmpty())
        return Result::failure(
            QStringLiteral("\"%1\" yedek dosyasında hiç kayıt yok.").arg(shown(path)));
    if (extracted)
        *extracted = written;
    return Result::success();
}

} // namespace dalvira
