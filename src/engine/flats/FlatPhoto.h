#pragma once

#include "common/Result.h"

#include <QByteArray>
#include <QString>

namespace dalvira {

// A photo of a flat's person is at most 120 KB.
inline constexpr qint64 kMaxPhotoBytes = 120 * 1024;

// Reads a picture file for a photo column. A file over the limit is refused with
// "Resim Boyutu " + its size in KB (two decimals) + " KB 120 KB tan büyük resim yüklemesi
// yapamazsınız!"; an unreadable file with a message of its own.
Result readPhotoFile(const QString &path, QByteArray &bytes);

QString photoTooLargeMessage(qint64 sizeBytes);

} // namespace dalvira
