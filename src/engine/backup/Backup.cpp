#include "backup/Backup.h"

#include "backup/BackupSettings.h"
#include "backup/ConnectionPause.h"
#include "backup/ZipArchive.h"
#include "common/TextHelpers.h"
#include "storage/IniFile.h"
#include "storage/ProgramFolder.h"
#include "storage/Storage.h"

#include <QDir>
#include <QFileInfo>

namespace dalvira::backup {

namespace {

QString dateStem(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy_MM_dd"));
}

Result finish(ConnectionPause &pause, const Result &work)
{
    const Result reopened = pause.resume();
    return work ? reopened : work;
}

} // namespace

QString backupFolder()
{
    return GetPathPath() + QStringLiteral("Yedek/");
}

QString singleSiteArchiveName(const QString &code, const QDate &date)
{
    return code + QLatin1Char('_') + dateStem(date) + QStringLiteral(".ydk");
}

QString allSitesArchiveName(const QDate &date)
{
    return QStringLiteral("TolvekTumu_") + dateStem(date) + QStringLiteral(".zip");
}

QString automaticArchiveName(const QDate &date)
{
    return QStringLiteral("TolvekSite_") + dateStem(date) + QStringLiteral(".zip");
}

QString genArchivePath(const QString &archivePath)
{
    return archivePath + QStringLiteral("Gen");
}

QString rotatingArchivePath(int number)
{
    return backupFolder() + QStringLiteral("OtoYedek") + QString::number(number) +
           QStringLiteral(".zip");
}

QStringList siteDatabaseFiles()
{
    const QDir data(GetPathPath() + QStringLiteral("Data"));
    QStringList files;
    const QStringList names =
        data.entryList({QStringLiteral("*.mdb")}, QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names)
        files.append(data.filePath(name));
    return files;
}

QStringList generalDatabaseFiles()
{
    return {GetPathPath() + QStringLiteral("AnaData/Genel.mdb"),
            GetPathPath() + QStringLiteral("AnaData/SiteAna.mdb")};
}

QString singleSiteSuccessMessage(const QString &code)
{
    return QStringLiteral("\"") + code +
           QStringLiteral("\" kodlu site/apartmanın yedekleme işlemi") + QStringLiteral("\n\r") +
           QStringLiteral("başarılı bir şekilde gerçekleştirildi.");
}

QString allSitesSuccessMessage()
{
    return QStringLiteral(
        "Tüm firmaların yedekleme işlemi\n\rbaşarılı bir şekilde gerçekleştirildi.");
}

QString automaticFolderMissingMessage()
{
    return QStringLiteral("Otomatik yedekleme klasörü bulunamadığından\n\rotomatik yedekleme "
                          "işlemi başarısız oldu!\n\rOtomatik yedekleme adresini kontrol edin.");
}

Result backupSite(Storage *storage, const QString &code, const QString &archivePath,
                  BatchProgress *progress)
{
    const QString data = Storage::siteDataPath(code);
    if (code.isEmpty() || code.contains(QLatin1Char('/')) || !QFileInfo(data).isFile())
        return Result::failure(Storage::siteMissingMessage());
    ConnectionPause pause(storage);
    return finish(pause, writeArchives({{archivePath, {data}, kSiteArchivePassword}}, progress));
}

namespace {

Result writeAllSites(const QString &archivePath, BatchProgress *progress)
{
    const QStringList sites = siteDatabaseFiles();
    if (sites.isEmpty())
        return Result::failure(QStringLiteral("Yedeklenecek site dosyası bulunamadı."));
    return writeArchives(
        {{archivePath, sites, {}}, {genArchivePath(archivePath), generalDatabaseFiles(), {}}},
        progress);
}

} // namespace

Result backupAllSites(Storage *storage, const QString &archivePath, BatchProgress *progress)
{
    ConnectionPause pause(storage);
    return finish(pause, writeAllSites(archivePath, progress));
}

bool automaticBackupDue(const QDateTime &now)
{
    const BackupSettings settings = BackupSettings::load();
    if (!settings.autoEnabled)
        return false;
    if (!settings.lastAutoBackup.isValid())
        return true;
    const qint64 days = qint64(parseDigits(settings.autoDays));
    return now >= QDateTime(settings.lastAutoBackup.addDays(days), QTime(0, 0));
}

Result runAutomaticBackup(const QDateTime &now, bool *written)
{
    if (written)
        *written = false;
    if (!automaticBackupDue(now))
        return Result::success();
    const BackupSettings settings = BackupSettings::load();
    const QString folder = settings.autoFolder;
    if (folder.trimmed().isEmpty() || !QFileInfo(folder).isDir())
        return Result::failure(automaticFolderMissingMessage());
    const QString archive = QDir(folder).filePath(automaticArchiveName(now.date()));
    if (Result r = writeAllSites(archive, nullptr); !r)
        return r;
    if (written)
        *written = true;
    return BackupSettings::saveLastAutoBackup(now.date());
}

QString rotationSettingsPath()
{
    return GetPathPath() + QStringLiteral("Yedek.ini");
}

Result runDailyBackup(const QDate &today, int *number)
{
    if (number)
        *number = 0;
    if (!BackupSettings::load().dailyEnabled)
        return Result::success();

    const QString tarih = QStringLiteral("Tarih");
    const QString kacta = QStringLiteral("Kacta");
    IniFile ini(rotationSettingsPath());
    if (!ini.load()) {
        ini.setValue(tarih, QStringLiteral("gun"), QStringLiteral("1"));
        ini.setValue(tarih, QStringLiteral("ay"), QStringLiteral("1"));
        ini.setValue(tarih, QStringLiteral("yil"), QStringLiteral("2016"));
        ini.setValue(kacta, QStringLiteral("kac"), QStringLiteral("1"));
        if (Result r = ini.save(); !r)
            return r;
    }
    const QDate last(ini.value(tarih, QStringLiteral("yil")).trimmed().toInt(),
                     ini.value(tarih, QStringLiteral("ay")).trimmed().toInt(),
                     ini.value(tarih, QStringLiteral("gun")).trimmed().toInt());
    if (last == today)
        return Result::success();
    const int kac = ini.value(kacta, QStringLiteral("kac")).trimmed().toInt();
    // A number outside 1..5 (an edited file) starts the round again.
    const int next = (kac >= 1 && kac < 5) ? kac + 1 : 1;

    if (!QDir().mkpath(backupFolder()))
        return Result::failure(QStringLiteral("\"%1\" klasörü oluşturulamadı.")
                                   .arg(QDir::toNativeSeparators(backupFolder())));
    const QStringList sites = siteDatabaseFiles();
    if (sites.isEmpty())
        return Result::failure(QStringLiteral("Yedeklenecek site dosyası bulunamadı."));
    if (Result r = writeArchives({{rotatingArchivePath(next), sites, {}}}); !r)
        return r;
    ini.setValue(tarih, QStringLiteral("gun"), QString::number(today.day()));
    ini.setValue(tarih, QStringLiteral("ay"), QString::number(today.month()));
    ini.setValue(tarih, QStringLiteral("yil"), QString::number(today.year()));
    ini.setValue(kacta, QStringLiteral("kac"), QString::number(next));
    if (Result r = ini.save(); !r)
        return r;
    if (number)
        *number = next;
    return Result::success();
}

QStringList runProgramEndBackups(const QDateTime &now)
{
    QStringList messages;
    if (Result r = runAutomaticBackup(now); !r)
        messages.append(r.message());
    if (Result r = runDailyBackup(now.date()); !r)
        messages.append(r.message());
    return messages;
}

} // namespace dalvira::backup
