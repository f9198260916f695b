#include "flats/FlatPhoto.h"

#include "common/Formats.h"
#include "common/Rounding.h"

#include <QFile>
#include <QFileInfo>

namespace dalvira {

QString photoTooLargeMessage(qint64 sizeBytes)
{
    const double kb = roundHalfEven(double(sizeBytes) / 1024.0, 2);
    return QStringLiteral("Resim Boyutu ") + formatAmount(kb) + QStringLiteral(" KB") +
           QStringLiteral(" 120 KB tan büyük resim yüklemesi yapamazsınız!");
}

Result readPhotoFile(const QString &path, QByteArray &bytes)
{
    bytes.clear();
    const QFileInfo info(path);
    if (info.size() > kMaxPhotoBytes)
        return Result::failure(photoTooLargeMessage(info.size()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Result::failure(QStringLiteral("Resim dosyası okunamadı: ") + path);
    QByteArray data = file.readAll();
    // The file may have grown since it was measured.
    if (data.size() > kMaxPhotoBytes)
        return Result::failure(photoTooLargeMessage(data.size()));
    bytes = std::move(data);
    return Result::success();
}

} // namespace dalvira
