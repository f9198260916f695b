#include "flats/FlatRecordScreens.h"

#include "flats/FlatRecordWindow.h"
#include "session/AppContext.h"

namespace dalvira {

void registerFlatRecordScreens(AppContext &app)
{
    app.screens().registerScreen(FlatRecordWindow::kScreenName,
                                 [&app] { return new FlatRecordWindow(app); });
    app.setMenuCommand(QStringLiteral("Daire Girişi"), [&app] {
        if (auto *w = app.screens().screen<FlatRecordWindow>(FlatRecordWindow::kScreenName))
            w->openFromMenu();
    });
}

} // namespace dalvira
