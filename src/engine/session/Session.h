#pragma once

#include "common/Result.h"

#include <QString>

namespace dalvira {

class Storage;

// The values every screen reads while a site is open, and the login's rules: the passwords
// with their shared wrong-entry count, and entering a site.
class Session
{
public:
    explicit Session(Storage &storage);

    Storage &storage() const { return m_storage; }

    QString siteCode;  // the code entered
    QString siteLabel; // "  CODE - Name", shown in the status bars
    QString siteName;  // firma_unvani_1, used in headings
    int wrongPasswordCount = 0;

    // Caller tags of the pickers: which screen (and grid row) gets the user's choice back.
    QString flatPickerCaller;
    int flatPickerRow = -1;
    QString flatPickMode;
    QString typePickerCaller;
    int typePickerRow = -1;
    QString methodPickerCaller;
    QString firmPickerCaller;
    bool fromInterestAccrual = false;

    enum class PasswordOutcome { Accepted, Wrong, WrongAskExit };
    // A wrong entry adds one to wrongPasswordCount; from the fourth of a run on the program
    // asks whether to close (WrongAskExit).
    PasswordOutcome checkProgramPassword(const QString &entered);
    PasswordOutcome checkMasterPassword(const QString &entered);

    static QString wrongProgramPasswordMessage();
    static QString wrongMasterPasswordMessage();
    static QString emptyCodeMessage();

    // Enters the site: its files become the open site's (the cash file is made from its
    // template the first time), the session values are taken from the site's own row, and
    // "SiteAyar.ini" [Giris] remembers the code and the name shown (displayedName; the site's
    // name when empty). The password is checked by the caller first.
    Result enterSite(const QString &code, const QString &displayedName = {});

    // After the open site's information was saved: new labels.
    void siteInformationChanged(const QString &code, const QString &name);

    // The last entered site, from "SiteAyar.ini" [Giris] (empty texts when missing).
    struct LastLogin
    {
        QString code;
        QString name;
    };
    static LastLogin lastLogin();

    static QString settingsPath(); // "SiteAyar.ini" in the program folder

private:
    PasswordOutcome wrongEntry();

    Storage &m_storage;
};

} // namespace dalvira
