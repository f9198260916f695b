#include "flats/FlatListScreens.h"

#include "common/Prompt.h"
#include "flats/FlatListQuery.h"
#include "flats/FlatListWindow.h"
#include "session/AppContext.h"
#include "session/MainMenu.h"

namespace dalvira {

namespace {

const QString kMenuCommand = QStringLiteral("Kayıtlı Daire Listeleri");

} // namespace

void registerFlatListScreens(AppContext &app)
{
    app.screens().registerScreen(FlatListWindow::kScreenName,
                                 [&app] { return new FlatListWindow(app); });
    app.setMenuCommand(kMenuCommand, [&app] { openFlatListFromMenu(app); });
}

FlatListWindow *flatListWindow(AppContext &app)
{
    return app.screens().screen<FlatListWindow>(FlatListWindow::kScreenName);
}

void openFlatListFromMenu(AppContext &app)
{
    FlatListWindow *list = flatListWindow(app);
    if (!list)
        return;
    // Whether the site has flats at all: a restriction left checked must not make the list
    // look empty and offer to enter the first flat.
    int count = 0;
    if (const Result r = countFlats(app.storage().ana(), count); !r) {
        app.prompt().error(kCaption, r.message());
        return;
    }
    auto *menu = app.screens().screen<MainMenu>(AppContext::kMainMenu);
    if (count > 0) {
        if (menu)
            menu->addWorkingScreen(FlatListWindow::kScreenName);
        list->showForCaller(FlatListWindow::kMainMenuCaller);
        return;
    }
    if (app.prompt().question(kCaption,
                              QStringLiteral("Daire kaydı mevcut değil! Açmak istermisiniz?"),
                              QuestionButtons::YesNoCancel, Answer::Yes) == Answer::Yes &&
        menu)
        menu->runCommand(QStringLiteral("Daire Girişi"));
}

void registerFlatPickCaller(AppContext &app, const QString &tag, FlatPickCaller caller)
{
    if (FlatListWindow *list = flatListWindow(app))
        list->registerPickCaller(tag, std::move(caller));
}

void showFlatPicker(AppContext &app, const QString &tag, int row)
{
    if (FlatListWindow *list = flatListWindow(app))
        list->showForCaller(tag, row);
}

} // namespace dalvira
