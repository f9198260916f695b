#pragma once

#include "common/Result.h"

#include <QDate>
#include <QString>

namespace dalvira {

// The backup settings file "Yedekler.dan" in the program folder.
struct BackupSettings
{
    QString lastSingleFolder;  // [TekYedekler] SonTekYedek
    QString lastAllFolder;     // [TumYedekler] SonTumYedek
    QString autoFolder;        // [OtoYedekler] SonOtoYedek, ending with a separator
    QString autoDays;          // [OtoYedekler] YedekGun, as typed
    bool autoEnabled = false;  // [OtoYedekler] YedekAl "1"
    bool dailyEnabled = false; // [OtoYedekler] OtoGunluk "1"
    // [OtoYedekler] TarihOtoGun/Ay/Yil; invalid when missing or out of range (day 1-31,
    // month 1-12, year 1971-2049).
    QDate lastAutoBackup;

    static BackupSettings load();
    static QString path(); // GetPathPath() + "Yedekler.dan"

    // "Oto.Yed.Ayarlarını Sakla": SonOtoYedek, YedekGun, YedekAl ("1"/"2"), OtoGunluk.
    static Result saveAutoSettings(const QString &folder, const QString &days, bool enabled,
                                   bool daily);
    // Leaving "Otomatik Günlük Yedek  Al".
    static Result saveDaily(bool daily);
    static Result saveLastSingleFolder(const QString &folder);
    static Result saveLastAllFolder(const QString &folder);
    static Result saveLastAutoBackup(const QDate &date);
};

} // namespace dalvira
