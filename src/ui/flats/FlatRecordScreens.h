#pragma once

namespace dalvira {

class AppContext;

// Registers the flat record screen "ozluk" and enables the main menu's "Daire Girişi".
void registerFlatRecordScreens(AppContext &app);

} // namespace dalvira
