#include "CliCommand.h"
#include "backup/Backup.h"
#include "storage/ProgramFolder.h"
#include "storage/Storage.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

namespace dalvira::cli {

namespace {

// The same archives as the site list screen's backups, for a scheduled job. The connections
// of a running program are not needed: every file is read under a shared lock.
int runBackup(const QStringList &args)
{
    const Options options(args, {QStringLiteral("--site"), QStringLiteral("--out")});
    if (!options.ok()) {
        printMessage(options.error());
        return kExitUsage;
    }
    const QString folder = options.has(QStringLiteral("--out"))
                               ? options.value(QStringLiteral("--out"))
                               : backup::backupFolder();
    if (!QFileInfo(folder).isDir()) {
        printMessage(QStringLiteral("Yedeklerin yazılacağı klasör bulunamadı: %1")
                         .arg(QDir::toNativeSeparators(folder)));
        return kExitFailed;
    }
    const QDate today = QDate::currentDate();
    if (options.has(QStringLiteral("--site"))) {
        const QString code = options.value(QStringLiteral("--site"));
        const QString archive = QDir(folder).filePath(backup::singleSiteArchiveName(code, today));
        if (Result r = backup::backupSite(nullptr, code, archive); !r) {
            printMessage(r.message());
            return kExitFailed;
        }
        out() << QDir::toNativeSeparators(archive) << Qt::endl;
        printMessage(backup::singleSiteSuccessMessage(code));
        return kExitOk;
    }
    const QString archive = QDir(folder).filePath(backup::allSitesArchiveName(today));
    if (Result r = backup::backupAllSites(nullptr, archive); !r) {
        printMessage(r.message());
        return kExitFailed;
    }
    out() << QDir::toNativeSeparators(archive) << Qt::endl
          << QDir::toNativeSeparators(backup::genArchivePath(archive)) << Qt::endl;
    printMessage(backup::allSitesSuccessMessage());
    return kExitOk;
}

} // namespace

Command backupCommand()
{
    return {QStringLiteral("backup"), QStringLiteral("[--site KOD] [--out KLASÖR]"),
            QStringLiteral("Tüm sitelerin (iki arşiv) ya da --site ile tek sitenin yedeğini "
                           "alır; varsayılan klasör programın Yedek klasörüdür."),
            runBackup};
}

} // namespace dalvira::cli
