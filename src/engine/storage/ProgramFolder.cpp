#include "storage/ProgramFolder.h"

#include "storage/FileCopy.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>

namespace dalvira {

namespace {

QMutex folderMutex;
QString programFolder; // empty until first asked or set

QString withTrailingSlash(const QString &folder)
{
    QString path = QDir::fromNativeSeparators(folder);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

// Files of an installed folder that are not part of a user's program folder.
bool isLayoutFile(const QString &relative, const QFileInfo &info)
{
    if (info.isExecutable())
        return false;
    if (relative.startsWith(QLatin1String("Data/")) || relative.startsWith(QLatin1String("Yedek/")))
        return false; // site data and backups belong to whoever made them
    const QString name = info.fileName();
    return !name.endsWith(QLatin1String("-journal")) && !name.endsWith(QLatin1String(".part")) &&
           !name.startsWith(QLatin1Char('.'));
}

} // namespace

QString defaultProgramFolder()
{
    if (QCoreApplication::instance()) {
        const QString exeFolder = QCoreApplication::applicationDirPath();
        const QFileInfo folder(exeFolder);
        if (QFileInfo(exeFolder + QStringLiteral("/AnaData")).isDir() && folder.isWritable())
            return withTrailingSlash(exeFolder);
    }
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return withTrailingSlash(base + QStringLiteral("/Dalvira"));
}

QString GetPathPath()
{
    QMutexLocker lock(&folderMutex);
    if (programFolder.isEmpty())
        programFolder = defaultProgramFolder();
    return programFolder;
}

void setProgramFolder(const QString &folder)
{
    QMutexLocker lock(&folderMutex);
    programFolder = folder.isEmpty() ? QString() : withTrailingSlash(folder);
}

Result layOutProgramFolder(const QString &target, const QString &templateFolder)
{
    const QDir source(templateFolder);
    if (!source.exists(QStringLiteral("AnaData")))
        return Result::failure(QStringLiteral("Program dosyalarının kaynağı bulunamadı: \"%1\"")
                                   .arg(QDir::toNativeSeparators(templateFolder)));
    const QDir targetDir(target);
    for (const QString &folder :
         {QStringLiteral("AnaData"), QStringLiteral("Data"), QStringLiteral("Yedek")}) {
        if (!targetDir.mkpath(folder))
            return Result::failure(QStringLiteral("\"%1\" klasörü oluşturulamadı!")
                                       .arg(QDir::toNativeSeparators(targetDir.filePath(folder))));
    }
    QDirIterator it(source.path(), QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString relative = source.relativeFilePath(file);
        if (!isLayoutFile(relative, it.fileInfo()))
            continue;
        if (Result r = copyFileIfMissing(file, targetDir.filePath(relative)); !r)
            return r;
    }
    return Result::success();
}

} // namespace dalvira
