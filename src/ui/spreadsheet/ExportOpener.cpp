#include "ExportOpener.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace dalvira {

namespace {

Result failed(const QString &reason)
{
    QString message = QStringLiteral("Excel açılamadı. Sistem Mesajı: %s");
    return Result::failure(message.replace(QLatin1String("%s"), reason));
}

} // namespace

Result openExport(const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return failed(QStringLiteral("\"%1\" dosyası bulunamadı.")
                          .arg(QDir::toNativeSeparators(file.absoluteFilePath())));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath())))
        return failed(QStringLiteral("Bu dosya türünü açacak bir uygulama tanımlı değil."));
    return Result::success();
}

} // namespace dalvira
