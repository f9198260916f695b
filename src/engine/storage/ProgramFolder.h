#pragma once

#include <QString>

namespace dalvira {

// The program folder with a trailing "/": every file path is formed from it.
// The executable's folder when it holds AnaData/ and is writable (a portable install),
// otherwise the user's data folder; tests and the command line set it explicitly.
QString GetPathPath();

// Sets the program folder (a trailing "/" is added when missing).
void setProgramFolder(const QString &folder);

} // namespace dalvira
