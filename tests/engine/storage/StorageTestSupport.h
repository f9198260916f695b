#pragma once

// Small helpers shared by the storage tests: site files made from the templates, raw bytes.

#include "storage/FileCopy.h"
#include "storage/Storage.h"

#include <QFile>
#include <QString>

namespace dalvira::test {

// Makes Data/<code>.mdb from the site template, as creating a site does.
inline bool makeSite(const QString &code)
{
    return copyFileIfMissing(Storage::siteTemplatePath(), Storage::siteDataPath(code)).ok();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace dalvira::test
