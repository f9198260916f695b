#pragma once

#include "common/Result.h"

#include <QString>

namespace dalvira {

class AppContext;

// The site list "girisRF" and its backups, the maintenance and bulk deletion commands and the
// flat copy: registers the screen, enables the main-menu commands and hooks the login's
// "SİTE SEÇ".
void registerBackupScreens(AppContext &app);

// The backups of the program's end (automatic every N days, daily rotating), run after the
// connections were closed; each failure is shown with the prompt.
void runAutomaticBackups(AppContext &app);

// The commands, callable directly (tests, other screens).
namespace backupcommands {
void changeSite(AppContext &app);                       // "Site/Kasa Değiştir-Yedek Al"
void chooseSiteForLogin(AppContext &app);               // the login's "SİTE SEÇ"
Result maintainSite(AppContext &app, bool showMessage); // "Veritabanı'na Bakım Yap"
void deleteAllRecords(AppContext &app);                 // "Tüm Kayıtları Sil"
void deleteAllButFlats(AppContext &app);                // "Üyeler Dışındaki Har. Sil"
void copyFlatsToAnotherSite(AppContext &app);           // "Başka Siteye Üyeleri Aktar"
} // namespace backupcommands

inline const QString kSiteListScreen = QStringLiteral("girisRF");

} // namespace dalvira
