#include "backup/BackupSettings.h"

#include "storage/IniFile.h"
#include "storage/ProgramFolder.h"

#include <functional>

namespace dalvira {

namespace {

const QString kSingle = QStringLiteral("TekYedekler");
const QString kAll = QStringLiteral("TumYedekler");
const QString kAuto = QStringLiteral("OtoYedekler");

Result change(const std::function<void(IniFile &)> &edit)
{
    IniFile ini(BackupSettings::path());
    ini.load();
    edit(ini);
    return ini.save();
}

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("2");
}

} // namespace

QString BackupSettings::path()
{
    return GetPathPath() + QStringLiteral("Yedekler.dan");
}

BackupSettings BackupSettings::load()
{
    IniFile ini(path());
    ini.load();
    BackupSettings s;
    s.lastSingleFolder = ini.value(kSingle, QStringLiteral("SonTekYedek"));
    s.lastAllFolder = ini.value(kAll, QStringLiteral("SonTumYedek"));
    s.autoFolder = ini.value(kAuto, QStringLiteral("SonOtoYedek"));
    s.autoDays = ini.value(kAuto, QStringLiteral("YedekGun"));
    s.autoEnabled = ini.value(kAuto, QStringLiteral("YedekAl")) == QLatin1String("1");
    s.dailyEnabled = ini.value(kAuto, QStringLiteral("OtoGunluk")) == QLatin1String("1");
    bool okDay = false, okMonth = false, okYear = false;
    const int day = ini.value(kAuto, QStringLiteral("TarihOtoGun")).trimmed().toInt(&okDay);
    const int month = ini.value(kAuto, QStringLiteral("TarihOtoAy")).trimmed().toInt(&okMonth);
    const int year = ini.value(kAuto, QStringLiteral("TarihOtoYil")).trimmed().toInt(&okYear);
    if (okDay && okMonth && okYear && day >= 1 && day <= 31 && month >= 1 && month <= 12 &&
        year >= 1971 && year <= 2049)
        s.lastAutoBackup = QDate(year, month, day); // 31 February stays invalid
    return s;
}

Result BackupSettings::saveAutoSettings(const QString &folder, const QString &days, bool enabled,
                                        bool daily)
{
    return change([&](IniFile &ini) {
        ini.setValue(kAuto, QStringLiteral("SonOtoYedek"), folder);
        ini.setValue(kAuto, QStringLiteral("YedekGun"), days);
        ini.setValue(kAuto, QStringLiteral("YedekAl"), flag(enabled));
        ini.setValue(kAuto, QStringLiteral("OtoGunluk"), flag(daily));
    });
}

Result BackupSettings::saveDaily(bool daily)
{
    return change(
        [&](IniFile &ini) { ini.setValue(kAuto, QStringLiteral("OtoGunluk"), flag(daily)); });
}

Result BackupSettings::saveLastSingleFolder(const QString &folder)
{
    return change(
        [&](IniFile &ini) { ini.setValue(kSingle, QStringLiteral("SonTekYedek"), folder); });
}

Result BackupSettings::saveLastAllFolder(const QString &folder)
{
    return change([&](IniFile &ini) { ini.setValue(kAll, QStringLiteral("SonTumYedek"), folder); });
}

Result BackupSettings::saveLastAutoBackup(const QDate &date)
{
    return change([&](IniFile &ini) {
        ini.setValue(kAuto, QStringLiteral("TarihOtoGun"), QString::number(date.day()));
        ini.setValue(kAuto, QStringLiteral("TarihOtoAy"), QString::number(date.month()));
        ini.setValue(kAuto, QStringLiteral("TarihOtoYil"), QString::number(date.year()));
    });
}

} // namespace dalvira
