#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace dalvira {

class BatchProgress;

// One archive to write: the files go in under their base names (no folders), deflated at
// level 9, with traditional zip encryption when password is not empty.
struct ArchivePlan
{
    QString path;
    QStringList files;
    QByteArray password;
};

// Writes the archives together: each into a temporary file beside its target, which is then
// read back entry by entry (size and CRC against the source file) before it replaces the
// target. An old archive of the same name is replaced whole, never added to. On any failure
// no target is touched and the temporaries are removed; the message names the file.
// Every source file is read under a shared lock (when it is a database), so a copy of the
// program writing it meanwhile cannot give an archive of half-written pages.
// progress, when given, steps once per file.
Result writeArchives(const QList<ArchivePlan> &archives, BatchProgress *progress = nullptr);

// Reads every entry of the archive back and checks its size and CRC; a wrong password or a
// damaged archive fails. names gets the entry names.
Result verifyArchive(const QString &path, const QByteArray &password = {},
                     QStringList *names = nullptr);

// Extracts every entry of the archive into folder under its base name only, so no entry can
// land outside folder. acceptName decides which base names are expected; an archive with an
// unexpected entry, two entries of one base name, no entries, a damaged entry or a wrong
// password is refused. On failure the files written so far are removed again.
// extracted gets the base names written.
Result extractArchive(const QString &path, const QByteArray &password, const QString &folder,
                      const std::function<bool(const QString &baseName)> &acceptName,
                      QStringList *extracted = nullptr);

// The base name of an entry name ("Data\\S1.mdb", "a/b/S1.mdb" -> "S1.mdb").
QString entryBaseName(const QString &entryName);

} // namespace dalvira
