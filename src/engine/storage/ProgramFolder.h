#pragma once

#include "common/Result.h"

#include <QString>

namespace dalvira {

// The program folder with a trailing "/": every file path is formed from it.
// The executable's folder when it holds AnaData/ and is writable (a portable install),
// otherwise the user's data folder; tests and the command line set it explicitly.
QString GetPathPath();

// Sets the program folder (a trailing "/" is added when missing).
void setProgramFolder(const QString &folder);

// The folder GetPathPath falls back to when none was set: the executable's folder when it
// holds AnaData/ and is writable, otherwise "<XDG data home>/Dalvira/". Trailing "/".
QString defaultProgramFolder();

// Lays out a user's program folder from an installed one (templateFolder, e.g. the build's
// program folder): copies every file that target lacks (AnaData/*.mdb, SiteAna.mdb, Kasa.mdb,
// help topics, documents, list files) and creates Data/ and Yedek/. An existing file is never
// overwritten, so running it on a folder in use only fills gaps. Executables are not copied.
Result layOutProgramFolder(const QString &target, const QString &templateFolder);

} // namespace dalvira
