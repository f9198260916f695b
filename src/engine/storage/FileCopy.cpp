#include "storage/FileCopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace dalvira {

namespace {

Result copyFailure(const QString &target, const QString &reason)
{
    return Result::failure(QStringLiteral("\"%1\" dosyası oluşturulamadı: %2")
                               .arg(QDir::toNativeSeparators(target), reason));
}

} // namespace

Result copyFileIfMissing(const QString &source, const QString &target, bool *copied)
{
    if (copied)
        *copied = false;
    if (QFileInfo::exists(target))
        return Result::success();

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return copyFailure(target, in.errorString());

    const QFileInfo targetInfo(target);
    if (!QDir().mkpath(targetInfo.absolutePath()))
        return copyFailure(target, QStringLiteral("klasör oluşturulamadı"));
    QTemporaryFile temp(targetInfo.absolutePath() + QStringLiteral("/.") + targetInfo.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!temp.open())
        return copyFailure(target, temp.errorString());

    char buffer[1 << 16];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0)
            return copyFailure(target, in.errorString());
        if (n == 0)
            break;
        if (temp.write(buffer, n) != n)
            return copyFailure(target, temp.errorString());
    }
    if (!temp.flush() || ::fsync(temp.handle()) != 0)
        return copyFailure(target, temp.errorString());
    temp.setPermissions(in.permissions() | QFileDevice::WriteOwner | QFileDevice::ReadOwner);

    // link() refuses an existing name, unlike rename(): the check above and the placing of the
    // file are one step, so a file made meanwhile by someone else survives.
    const QByteArray tempName = QFile::encodeName(temp.fileName());
    const QByteArray targetName = QFile::encodeName(target);
    if (::link(tempName.constData(), targetName.constData()) == 0) {
        if (copied)
            *copied = true;
        return Result::success(); // the temporary name is removed with `temp`
    }
    const int error = errno;
    if (error == EEXIST)
        return Result::success();
    if (error == EPERM || error == ENOTSUP || error == EOPNOTSUPP) {
        // File systems without hard links: fall back to rename after one more check.
        if (QFileInfo::exists(target))
            return Result::success();
        temp.setAutoRemove(false);
        temp.close();
        if (::rename(tempName.constData(), targetName.constData()) == 0) {
            if (copied)
                *copied = true;
            return Result::success();
        }
        const int renameError = errno;
        QFile::remove(temp.fileName());
        return copyFailure(target, QString::fromLocal8Bit(strerror(renameError)));
    }
    return copyFailure(target, QString::fromLocal8Bit(strerror(error)));
}

} // namespace dalvira
