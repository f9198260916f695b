#pragma once

#include "ledger/SingleEntryWindow.h"

namespace dalvira {

class AppContext;

// Registers the single entry screen "borcalacakgirisF". It has no main-menu item of its own:
// the balance list, the flat record and the interest report open it prepared, e.g.
//
//     if (SingleEntryWindow *w = singleEntryWindow(app))
//         w->openFor(flatNumber, holderName, SingleEntryWindow::Focus::Credit);
void registerSingleEntryScreens(AppContext &app);

// The screen (made on first use); nullptr while it is not registered.
SingleEntryWindow *singleEntryWindow(AppContext &app);

} // namespace dalvira
