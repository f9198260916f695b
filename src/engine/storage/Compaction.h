#pragma once

#include "common/Result.h"

#include <QList>
#include <QString>

namespace dalvira {

// Rewrites a database file without its free space: VACUUM INTO path + "x", checks the copy
// (quick_check, the same tables, indexes and views), then renames it over path while holding
// the source's exclusive lock, so a change made meanwhile cannot be lost.
// A file that another process has open (or locked) is left unchanged, as is the file on any
// other failure; the temporary file is removed. The caller closes its own connections on the
// file before and reopens them after.
Result compactDatabase(const QString &path);

// Ids of the other processes that have the file open (from the /proc/<pid>/fd links); the
// processes this user may not inspect are not seen.
QList<qint64> processesHoldingFile(const QString &path);

} // namespace dalvira
