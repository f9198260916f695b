#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QStringList>

namespace dalvira {

// The plain list files of the program folder: one entry a line, no header, no escaping.
// Older versions of the program wrote them in the Windows Turkish code page (1254); this one
// writes UTF-8. Reading tells them apart by UTF-8 validity: Turkish letters in 1254 are never
// valid UTF-8 sequences in practice.

// The text of a list file: UTF-8 when the bytes are valid UTF-8 (a byte order mark is
// skipped), otherwise Windows-1254.
QString decodeListFileText(const QByteArray &bytes);

// Windows-1254 bytes to text (the five bytes the code page leaves undefined keep their value).
QString decodeWindows1254(const QByteArray &bytes);

// The entries of a list file's text: lines ended by CR, LF or CR LF; empty lines are skipped.
QStringList listFileEntries(const QString &text);

// The bytes written: UTF-8, every entry ended by CR LF.
QByteArray encodeListFile(const QStringList &entries);

// Writes the whole list in one go: the old file stays as it was unless the new one was written
// completely. Failure: "\"<path>\" dosyasına yazılamadı: <reason>".
Result writeListFile(const QString &path, const QStringList &entries);

} // namespace dalvira
