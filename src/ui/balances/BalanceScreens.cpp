#include "balances/BalanceScreens.h"

#include "balances/BalanceListWindow.h"
#include "session/AppContext.h"
#include "session/MainMenu.h"

namespace dalvira {

void registerBalanceScreens(AppContext &app)
{
    app.screens().registerScreen(BalanceListWindow::kScreenName,
                                 [&app] { return new BalanceListWindow(app); });
    app.setMenuCommand(QStringLiteral("Aidat Borç Alacak Raporu"), [&app] {
        BalanceListWindow *window = balanceListWindow(app);
        if (!window)
            return;
        if (auto *menu = app.screens().screen<MainMenu>(AppContext::kMainMenu))
            menu->addWorkingScreen(BalanceListWindow::kScreenName);
        window->openFromMenu();
    });
}

BalanceListWindow *balanceListWindow(AppContext &app)
{
    return app.screens().screen<BalanceListWindow>(BalanceListWindow::kScreenName);
}

} // namespace dalvira
