#include "ledger/StatementScreens.h"

#include "flats/FlatListScreens.h"
#include "flats/FlatListWindow.h"
#include "flats/FlatRecordWindow.h"
#include "ledger/StatementMail.h"
#include "session/AppContext.h"
#include "session/MainMenu.h"

namespace dalvira {

void registerStatementScreens(AppContext &app)
{
    // The mail client has had the whole of the last run to read the attachment.
    removeStatementMailAttachment();
    app.screens().registerScreen(StatementWindow::kScreenName,
                                 [&app] { return new StatementWindow(app); });
    const auto handler = [&app](const FlatStatementRequest &request) {
        StatementOpening opening;
        opening.selection = request.wholeFlat
                                ? StatementSelection::wholeFlat(request.flatNumber.toInt())
                                : StatementSelection::ofHolder(request.holder);
        if (request.allTypesAndCurrencies)
            opening.currency = opening.type = QString::fromLatin1(kAllChoice);
        openStatement(app, opening);
    };
    if (app.screens().isRegistered(FlatListWindow::kScreenName)) {
        if (FlatListWindow *list = flatListWindow(app))
            list->setStatementHandler(handler);
    }
    if (app.screens().isRegistered(FlatRecordWindow::kScreenName)) {
        if (auto *record = app.screens().screen<FlatRecordWindow>(FlatRecordWindow::kScreenName))
            record->setStatementHandler(handler);
    }
}

StatementWindow *statementWindow(AppContext &app)
{
    return app.screens().screen<StatementWindow>(StatementWindow::kScreenName);
}

void openStatement(AppContext &app, const StatementOpening &opening)
{
    StatementWindow *window = statementWindow(app);
    if (!window)
        return;
    if (auto *menu = app.screens().screen<MainMenu>(AppContext::kMainMenu))
        menu->addWorkingScreen(StatementWindow::kScreenName);
    window->open(opening);
}

void openFlatStatement(AppContext &app, int flatNumber)
{
    openStatement(app, {StatementSelection::wholeFlat(flatNumber), {}, {}, {}});
}

void openHolderStatement(AppContext &app, const QString &holder)
{
    openStatement(app, {StatementSelection::ofHolder(holder), {}, {}, {}});
}

void openHolderInFlatStatement(AppContext &app, const QString &holder, int flatNumber)
{
    openStatement(app, {StatementSelection::holderInFlat(holder, flatNumber), {}, {}, {}});
}

} // namespace dalvira
