#pragma once

namespace dalvira {

class AppContext;

// Registers every screen of the program with its main-menu commands and ties the screens that
// call each other (the flat list opens the flat record, the login's "SİTE SEÇ" the site list).
void registerProgramScreens(AppContext &app);

} // namespace dalvira
