#include "session/Session.h"

#include "session/Passwords.h"
#include "session/SiteDirectory.h"
#include "session/SiteRecord.h"
#include "storage/IniFile.h"
#include "storage/ProgramFolder.h"
#include "storage/Storage.h"

namespace dalvira {

Session::Session(Storage &storage) : m_storage(storage) {}

QString Session::wrongProgramPasswordMessage()
{
    return QStringLiteral("Şifreyi yalnış girdiniz!\n\rŞifre belirlemediyseniz boş geçin!");
}

QString Session::wrongMasterPasswordMessage()
{
    return QStringLiteral(
        "Master şifreyi yalnış girdiniz!\n\rMaster şifre belirlemediyseniz boş geçin!");
}

QString Session::emptyCodeMessage()
{
    return QStringLiteral("Site kodu girişiniz hatalıdır!");
}

QString Session::settingsPath()
{
    return GetPathPath() + QStringLiteral("SiteAyar.ini");
}

Session::PasswordOutcome Session::wrongEntry()
{
    ++wrongPasswordCount;
    return wrongPasswordCount > 3 ? PasswordOutcome::WrongAskExit : PasswordOutcome::Wrong;
}

Session::PasswordOutcome Session::checkProgramPassword(const QString &entered)
{
    if (passwordMatches(storedProgramPassword(m_storage.genel()), entered))
        return PasswordOutcome::Accepted;
    return wrongEntry();
}

Session::PasswordOutcome Session::checkMasterPassword(const QString &entered)
{
    if (passwordMatches(storedMasterPassword(m_storage.genel()), entered))
        return PasswordOutcome::Accepted;
    return wrongEntry();
}

Result Session::enterSite(const QString &code, const QString &displayedName)
{
    if (code.isEmpty())
        return Result::failure(emptyCodeMessage());
    if (Result r = m_storage.selectSite(code); !r)
        return r;

    QString ownCode = code;
    QString ownName = displayedName;
    try {
        if (const auto own = SiteDirectory::ownRecord(m_storage.ana())) {
            ownCode = own->code();
            ownName = own->name();
        } else if (const auto listed = SiteDirectory(m_storage).findByCode(code)) {
            ownName = listed->name();
        }
    } catch (const OperationError &e) {
        return Result::failure(e.message());
    }
    siteInformationChanged(ownCode, ownName);
    siteCode = code;

    IniFile ini(settingsPath());
    ini.load();
    ini.setValue(QStringLiteral("Giris"), QStringLiteral("Kodu"), code);
    ini.setValue(QStringLiteral("Giris"), QStringLiteral("Adi"),
                 displayedName.isEmpty() ? ownName : displayedName);
    // The site is open even when the reminder cannot be written.
    ini.save();
    return Result::success();
}

void Session::siteInformationChanged(const QString &code, const QString &name)
{
    siteLabel = makeSiteLabel(code, name);
    siteName = name;
}

Session::LastLogin Session::lastLogin()
{
    IniFile ini(settingsPath());
    ini.load();
    return {ini.value(QStringLiteral("Giris"), QStringLiteral("Kodu")),
            ini.value(QStringLiteral("Giris"), QStringLiteral("Adi"))};
}

} // namespace dalvira
