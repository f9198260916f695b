#include "ledger/SingleEntryScreens.h"

#include "session/AppContext.h"

namespace dalvira {

void registerSingleEntryScreens(AppContext &app)
{
    app.screens().registerScreen(SingleEntryWindow::kScreenName,
                                 [&app] { return new SingleEntryWindow(app); });
}

SingleEntryWindow *singleEntryWindow(AppContext &app)
{
    return app.screens().screen<SingleEntryWindow>(SingleEntryWindow::kScreenName);
}

} // namespace dalvira
