#include "session/ProgramScreens.h"

#include "backup/BackupScreens.h"
#include "book/ReferenceScreens.h"
#include "flats/FlatListScreens.h"
#include "flats/FlatListWindow.h"
#include "flats/FlatRecordScreens.h"
#include "flats/FlatRecordWindow.h"
#include "session/AppContext.h"

namespace dalvira {

void registerProgramScreens(AppContext &app)
{
    app.registerSessionScreens();
    registerReferenceScreens(app);
    registerFlatRecordScreens(app);
    registerFlatListScreens(app);
    registerBackupScreens(app);
    app.onProgramEnd = [&app] { runAutomaticBackups(app); };

    if (FlatListWindow *list = flatListWindow(app)) {
        list->setOpenFlatHandler([&app](qint64 hid) {
            if (auto *record = app.screens().screen<FlatRecordWindow>(FlatRecordWindow::kScreenName))
                record->showFlat(hid);
        });
    }
}

} // namespace dalvira
