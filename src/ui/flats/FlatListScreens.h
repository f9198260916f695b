#pragma once

#include "flats/FlatListPickCaller.h"

#include <QString>

namespace dalvira {

class AppContext;
class FlatListWindow;

// Registers the flat list "sicrapor" and enables the main-menu command
// "Kayıtlı Daire Listeleri".
void registerFlatListScreens(AppContext &app);

// The flat list screen (made on first use).
FlatListWindow *flatListWindow(AppContext &app);

// "Kayıtlı Daire Listeleri": the list in its main-menu mode when the site has flats; otherwise
// the offer to enter one ("Daire Girişi").
void openFlatListFromMenu(AppContext &app);

// For screens that pick flats: register once under the caller tag, then show the picker with
// the tag (and the grid row to fill, for grid callers).
void registerFlatPickCaller(AppContext &app, const QString &tag, FlatPickCaller caller);
void showFlatPicker(AppContext &app, const QString &tag, int row = 0);

} // namespace dalvira
