#include "ledger/BulkAccrualScreens.h"

#include "ledger/BulkAccrualWindow.h"
#include "session/AppContext.h"
#include "session/MainMenu.h"

namespace dalvira {

void registerBulkAccrualScreens(AppContext &app)
{
    app.screens().registerScreen(BulkAccrualWindow::kScreenName,
                                 [&app] { return new BulkAccrualWindow(app); });
    app.setMenuCommand(QStringLiteral("Toplu Aidat Aktarma"), [&app] { openBulkAccrual(app); });
}

BulkAccrualWindow *bulkAccrualWindow(AppContext &app)
{
    return app.screens().screen<BulkAccrualWindow>(BulkAccrualWindow::kScreenName);
}

void openBulkAccrual(AppContext &app)
{
    BulkAccrualWindow *window = bulkAccrualWindow(app);
    if (!window)
        return;
    if (auto *menu = app.screens().screen<MainMenu>(AppContext::kMainMenu))
        menu->addWorkingScreen(BulkAccrualWindow::kScreenName);
    window->open();
}

} // namespace dalvira
