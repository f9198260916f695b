#include "backup/Restore.h"

#include "backup/Backup.h"
#include "backup/ConnectionPause.h"
#include "backup/ZipArchive.h"
#include "storage/Compaction.h"
#include "storage/DatabaseFile.h"
#include "storage/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>

namespace dalvira::backup {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

bool isDatabaseName(const QString &base)
{
    if (base.size() <= 4 || !base.endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
        return false;
    for (const QChar c : base) {
        if (c.unicode() < 0x20 || c == QLatin1Char(':'))
            return false;
    }
    return true;
}

// The canonical name of a general file, or empty for any other name.
QString generalName(const QString &base)
{
    for (const char *name : {"Genel.mdb", "SiteAna.mdb"}) {
        if (base.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return QLatin1String(name);
    }
    return {};
}

struct Part
{
    QString archive;
    QByteArray password;
    QString targetFolder; // live folder, trailing "/"
    bool general = false; // the "Gen" archive: Genel.mdb and SiteAna.mdb
    bool single = false;  // exactly one data file
};

struct Move
{
    QString staged;
    QString live;
};

bool renameFile(const QString &from, const QString &to)
{
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

Result notBackup(const QString &archive)
{
    return Result::failure(
        QStringLiteral("\"%1\" bu programın bir yedek dosyası değil; geri yükleme yapılmadı.")
            .arg(shown(archive)));
}

// Extracts and checks one archive into its staging folder; moves gets what is to be replaced.
Result stage(const Part &part, const QString &staging, QList<Move> *moves)
{
    if (!QFileInfo(part.archive).isFile())
        return Result::failure(
            QStringLiteral("\"%1\" yedek dosyası bulunamadı.").arg(shown(part.archive)));
    if (!QDir().mkpath(staging))
        return Result::failure(QStringLiteral("\"%1\" klasörü oluşturulamadı.")
                                   .arg(QDir::toNativeSeparators(staging)));
    QStringList names;
    const auto accept = [&](const QString &base) {
        return part.general ? !generalName(base).isEmpty() : isDatabaseName(base);
    };
    if (Result r = extractArchive(part.archive, part.password, staging, accept, &names); !r)
        return r;
    if (part.general && names.size() != 2)
        return Result::failure(
            QStringLiteral("\"%1\" yedek dosyasında Genel.mdb ve SiteAna.mdb bulunmalıdır; geri "
                           "yükleme yapılmadı.")
                .arg(shown(part.archive)));
    if (part.single && names.size() != 1)
        return notBackup(part.archive);
    for (const QString &name : names) {
        const QString staged = staging + QLatin1Char('/') + name;
        if (Result r = checkDatabaseFile(staged); !r)
            return Result::failure(
                QStringLiteral("\"%1\" yedek dosyasındaki \"%2\" kullanılabilir bir veritabanı "
                               "değil; geri yükleme yapılmadı.")
                    .arg(shown(part.archive), name));
        moves->append({staged, part.targetFolder + (part.general ? generalName(name) : name)});
    }
    return Result::success();
}

// Puts the staged files in place of the live ones, all or none. A live file's left-over
// journal goes aside with it: it belongs to the old file and must never be played into the
// restored one.
Result replaceLiveFiles(const QList<Move> &moves, const QString &aside)
{
    for (const Move &m : moves) {
        for (const QString &path : {m.live, m.live + QStringLiteral("-journal")}) {
            if (QFileInfo::exists(path) && !processesHoldingFile(path).isEmpty())
                return Result::failure(
                    QStringLiteral("\"%1\" başka bir program tarafından kullanılıyor; geri "
                                   "yükleme yapılmadı.")
                        .arg(shown(path)));
        }
    }
    if (!QDir().mkpath(aside))
        return Result::failure(
            QStringLiteral("\"%1\" klasörü oluşturulamadı.").arg(QDir::toNativeSeparators(aside)));

    struct Done
    {
        QString live;
        QString asidePath; // empty when there was no live file
        bool placed = false;
    };
    QList<Done> done;
    QList<QPair<QString, QString>> journals; // live journal, its place aside
    const auto undo = [&] {
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            if (it->placed)
                QFile::remove(it->live);
            if (!it->asidePath.isEmpty())
                renameFile(it->asidePath, it->live);
        }
        for (const auto &[journal, saved] : journals)
            renameFile(saved, journal);
    };
    int index = 0;
    for (const Move &m : moves) {
        Done d;
        d.live = m.live;
        const QString prefix =
            aside + QLatin1Char('/') + QString::number(index++) + QLatin1Char('_');
        const QString journal = m.live + QStringLiteral("-journal");
        if (QFileInfo::exists(journal)) {
            const QString saved = prefix + QFileInfo(journal).fileName();
            if (!renameFile(journal, saved)) {
                undo();
                return Result::failure(QStringLiteral("\"%1\" taşınamadı; geri yükleme yapılmadı.")
                                           .arg(shown(journal)));
            }
            journals.append({journal, saved});
        }
        if (QFileInfo::exists(m.live)) {
            d.asidePath = prefix + QFileInfo(m.live).fileName();
            if (!renameFile(m.live, d.asidePath)) {
                undo();
                return Result::failure(
                    QStringLiteral("\"%1\" değiştirilemedi; geri yükleme yapılmadı.")
                        .arg(shown(m.live)));
            }
        }
        done.append(d);
        if (!renameFile(m.staged, m.live)) {
            undo();
            return Result::failure(QStringLiteral("\"%1\" yerine konamadı; geri yükleme yapılmadı.")
                                       .arg(shown(m.live)));
        }
        done.last().placed = true;
    }
    return Result::success();
}

Result restore(Storage *storage, const QList<Part> &parts)
{
    // Inside the program folder, so the final renames stay on one file system.
    QTemporaryDir staging(GetPathPath() + QStringLiteral(".geriyukle-XXXXXX"));
    if (!staging.isValid())
        return Result::failure(QStringLiteral("Geri yükleme için geçici klasör oluşturulamadı."));
    QList<Move> moves;
    for (int i = 0; i < parts.size(); ++i) {
        if (Result r = stage(parts[i], staging.filePath(QString::number(i)), &moves); !r)
            return r;
    }
    ConnectionPause pause(storage);
    const Result replaced = replaceLiveFiles(moves, staging.filePath(QStringLiteral("eski")));
    const Result reopened = pause.resume();
    return replaced ? reopened : replaced;
}

} // namespace

QString restoreQuestion()
{
    return QStringLiteral(
        "Yedekten yükleme sonucu halihazırda mevcut bilgiler silinecek ve\n\ryedek alınan "
        "bilgiler yüklenecektir. Hali hazırda bilgilere bir daha\n\rulaşmanız mümkün "
        "olmayacaktır! İşleme devam edecekmisiniz?");
}

Result restoreAllSites(Storage *storage, const QString &archivePath)
{
    const QString gen = genArchivePath(archivePath);
    if (!QFileInfo(gen).isFile())
        return Result::failure(
            QStringLiteral("\"%1\" yedek dosyası bulunamadı. Tüm siteleri geri yüklemek için iki "
                           "yedek dosyası aynı klasörde olmalıdır.")
                .arg(shown(gen)));
    const QString root = GetPathPath();
    return restore(storage, {{archivePath, {}, root + QStringLiteral("Data/"), false, false},
                             {gen, {}, root + QStringLiteral("AnaData/"), true, false}});
}

Result restoreFromAutomatic(Storage *storage, const QString &archivePath)
{
    return restore(storage,
                   {{archivePath, {}, GetPathPath() + QStringLiteral("Data/"), false, false}});
}

Result restoreSingleSite(Storage *storage, const QString &archivePath)
{
    return restore(storage, {{archivePath, kSiteArchivePassword,
                              GetPathPath() + QStringLiteral("Data/"), false, true}});
}

} // namespace dalvira::backup
