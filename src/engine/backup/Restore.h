#pragma once

#include "common/Result.h"

#include <QString>

namespace dalvira {

class Storage;

// The three restores. None of them ever half-overwrites: the archive is extracted into a
// temporary folder inside the program folder and every entry is checked to be a sound database
// file of this program before the live files are replaced; on any failure the live files stay
// exactly as they were and the message says why. The connections of storage (when given and
// open) are closed around the replacement and reopened on the same site afterwards, in any case.
namespace backup {

// Every file of archivePath into Data/ and every file of archivePath + "Gen" (Genel.mdb and
// SiteAna.mdb, both required) into AnaData/.
Result restoreAllSites(Storage *storage, const QString &archivePath);
// Every file of an automatic or daily archive into Data/.
Result restoreFromAutomatic(Storage *storage, const QString &archivePath);
// The one data file of a single-site archive (the program supplies its password) into Data/.
Result restoreSingleSite(Storage *storage, const QString &archivePath);

QString restoreQuestion(); // asked by the screen before the two multi-site restores

} // namespace backup
} // namespace dalvira
