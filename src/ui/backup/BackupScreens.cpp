#include "backup/BackupScreens.h"

#include "backup/Backup.h"
#include "backup/SiteListWindow.h"
#include "common/Prompt.h"
#include "maintenance/FlatCopy.h"
#include "maintenance/SiteMaintenance.h"
#include "session/AppContext.h"
#include "session/LoginWindow.h"
#include "session/MainMenu.h"

#include <QDateTime>

namespace dalvira {

namespace {

SiteListWindow *siteList(AppContext &app)
{
    return app.screens().screen<SiteListWindow>(kSiteListScreen);
}

MainMenu *existingMenu(AppContext &app)
{
    return qobject_cast<MainMenu *>(app.screens().existing(AppContext::kMainMenu));
}

void deleteRecords(AppContext &app, maintenance::DeletionMode mode)
{
    Prompt &prompt = app.prompt();
    if (prompt.question(kProgramCaption, maintenance::deletionQuestion(mode),
                        QuestionButtons::YesNoCancel) != Answer::Yes)
        return;
    // The final warning asks whether to stop: only No goes on.
    if (prompt.question(kProgramCaption, maintenance::finalWarning(), QuestionButtons::YesNo,
                        Answer::Yes) != Answer::No)
        return;
    // The screens showing the site's records go first.
    if (MainMenu *menu = existingMenu(app))
        menu->hideWorkingScreens();
    if (Result r = maintenance::deleteRecords(app.storage(), mode); !r) {
        prompt.error(kProgramCaption, r.message());
        return;
    }
    const Result compacted = backupcommands::maintainSite(app, false);
    prompt.information(kProgramCaption, maintenance::deletedMessage());
    if (!compacted)
        prompt.warning(kProgramCaption, compacted.message());
}

} // namespace

namespace backupcommands {

void changeSite(AppContext &app)
{
    MainMenu *menu = existingMenu(app);
    if (menu) {
        menu->showLoginOnHide = QStringLiteral("H");
        menu->hideWorkingScreens();
    }
    siteList(app)->openForChoosing();
    if (menu) {
        menu->hide();
        menu->showLoginOnHide = QStringLiteral("E");
    }
}

void chooseSiteForLogin(AppContext &app)
{
    if (MainMenu *menu = existingMenu(app)) {
        menu->hideWorkingScreens();
        menu->hide();
    }
    siteList(app)->openForChoosing();
}

Result maintainSite(AppContext &app, bool showMessage)
{
    const QString code = app.storage().siteCode();
    if (code.isEmpty())
        return Result::failure(QStringLiteral("Açık bir site yok."));
    // The user goes back to site selection and enters the site again afterwards.
    SiteListWindow *list = siteList(app);
    list->openForChoosing();
    if (MainMenu *menu = existingMenu(app)) {
        menu->hideWorkingScreens();
        menu->hide();
    }
    list->raise();
    const Result r = maintenance::compactSite(app.storage(), code);
    if (showMessage) {
        if (r)
            app.prompt().information(kProgramCaption, maintenance::compactedMessage());
        else
            app.prompt().warning(kProgramCaption, r.message());
    }
    return r;
}

void deleteAllRecords(AppContext &app)
{
    deleteRecords(app, maintenance::DeletionMode::All);
}

void deleteAllButFlats(AppContext &app)
{
    deleteRecords(app, maintenance::DeletionMode::KeepFlats);
}

void copyFlatsToAnotherSite(AppContext &app)
{
    if (app.prompt().question(kProgramCaption, flatcopy::firstQuestion(),
                              QuestionButtons::YesNoCancel) != Answer::Yes)
        return;
    siteList(app)->openForFlatCopy([&app](const QString &target) {
        Prompt &prompt = app.prompt();
        if (prompt.question(kProgramCaption,
                            flatcopy::targetQuestion(app.session().siteCode, target),
                            QuestionButtons::YesNoCancel) != Answer::Yes)
            return;
        flatcopy::Outcome outcome;
        if (Result r = flatcopy::copyFlats(app.storage(), target, &outcome); !r) {
            prompt.warning(kProgramCaption, r.message());
            return;
        }
        for (const QVariant &number : outcome.skipped)
            prompt.information(kProgramCaption, flatcopy::duplicateMessage(number));
        prompt.information(kProgramCaption, flatcopy::doneMessage());
    });
}

} // namespace backupcommands

void registerBackupScreens(AppContext &app)
{
    app.screens().registerScreen(kSiteListScreen, [&app] { return new SiteListWindow(app); });
    app.setMenuCommand(QStringLiteral("Site/Kasa Değiştir-Yedek Al"),
                       [&app] { backupcommands::changeSite(app); });
    app.setMenuCommand(QStringLiteral("Veritabanı'na Bakım Yap"),
                       [&app] { backupcommands::maintainSite(app, true); });
    app.setMenuCommand(QStringLiteral("Tüm Kayıtları Sil"),
                       [&app] { backupcommands::deleteAllRecords(app); });
    app.setMenuCommand(QStringLiteral("Üyeler Dışındaki Har. Sil"),
                       [&app] { backupcommands::deleteAllButFlats(app); });
    app.setMenuCommand(QStringLiteral("Başka Siteye Üyeleri Aktar"),
                       [&app] { backupcommands::copyFlatsToAnotherSite(app); });
    if (auto *login = app.screens().screen<LoginWindow>(AppContext::kLogin))
        login->setChooseSiteHandler([&app] { backupcommands::chooseSiteForLogin(app); });
}

void runAutomaticBackups(AppContext &app)
{
    for (const QString &message : backup::runProgramEndBackups(QDateTime::currentDateTime()))
        app.prompt().error(kProgramCaption, message);
}

} // namespace dalvira
