#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace dalvira {

class BatchProgress;
class Storage;

// The backup archives: names, the single-site and all-sites backups and the two backups of
// the program's end. Operations that get a Storage close its connections around the work and
// reopen them on the same site; pass nullptr when nothing is open (program end, command line).
namespace backup {

// Traditional zip password of a single-site archive.
inline const QByteArray kSiteArchivePassword = QByteArrayLiteral("Qm7Tz2Kp9Vb4Xc6Nf3Hs8Dw5Ly");

QString backupFolder(); // the program's Yedek/ folder, with a trailing "/"

// code + "_yyyy_mm_dd.ydk"
QString singleSiteArchiveName(const QString &code, const QDate &date);
// "TolvekTumu_yyyy_mm_dd.zip"
QString allSitesArchiveName(const QDate &date);
// "TolvekSite_yyyy_mm_dd.zip"
QString automaticArchiveName(const QDate &date);
// The second archive of an all-sites backup: the first one's full name followed by "Gen".
QString genArchivePath(const QString &archivePath);
// Yedek/OtoYedek<n>.zip
QString rotatingArchivePath(int number);
// Every Data/*.mdb (the data and cash files of all sites), sorted.
QStringList siteDatabaseFiles();
// AnaData/Genel.mdb and AnaData/SiteAna.mdb.
QStringList generalDatabaseFiles();

// Single site: the archive holds Data/<code>.mdb only, with the password.
Result backupSite(Storage *storage, const QString &code, const QString &archivePath,
                  BatchProgress *progress = nullptr);
// All sites: archivePath with every Data/*.mdb, and genArchivePath(archivePath) with the two
// general files; both are written and verified, or neither replaces anything.
Result backupAllSites(Storage *storage, const QString &archivePath,
                      BatchProgress *progress = nullptr);

QString singleSiteSuccessMessage(const QString &code);
QString allSitesSuccessMessage();
QString automaticFolderMissingMessage();

// The automatic backup is due when "YedekAl" is on and now is not earlier than the last
// automatic backup's day plus the days (parseDigits of "YedekGun"); with no date stored it is due.
bool automaticBackupDue(const QDateTime &now);
// When due: the two automatic archives into "SonOtoYedek", then today's date is stored.
// A missing folder gives automaticFolderMissingMessage(). *written tells whether it ran.
Result runAutomaticBackup(const QDateTime &now, bool *written = nullptr);
// When "OtoGunluk" is on and "Yedek.ini" does not hold today: Yedek/OtoYedek<n>.zip with
// every Data/*.mdb, n the number after "kac" (1 after 5); then today's date and n are stored.
// "Yedek.ini" is made with 1.1.2016 and kac 1 when missing. *number gets n, or 0 when
// nothing was written.
Result runDailyBackup(const QDate &today, int *number = nullptr);
QString rotationSettingsPath(); // GetPathPath() + "Yedek.ini"

// Both backups of the program's end, after the connections were closed; the messages of
// those that failed, for the user.
QStringList runProgramEndBackups(const QDateTime &now);

} // namespace backup
} // namespace dalvira
