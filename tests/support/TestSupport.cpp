#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace dalvira::test {

QString builtProgramFolder()
{
    return QStringLiteral(DALVIRA_PROGRAM_DIR);
}

QString fixturePath(const QString &name)
{
    return QStringLiteral(DALVIRA_FIXTURES_DIR) + QLatin1Char('/') + name;
}

TempProgramFolder::TempProgramFolder()
{
    if (!m_dir.isValid())
        return;
    const QDir source(builtProgramFolder());
    m_valid = true;
    QDirIterator it(source.path(), QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString relative = source.relativeFilePath(file);
        // The executables are not part of the data layout.
        if (QFileInfo(file).isExecutable())
            continue;
        const QString target = m_dir.filePath(relative);
        QDir().mkpath(QFileInfo(target).path());
        if (!QFile::copy(file, target))
            m_valid = false;
    }
    QDir(m_dir.path()).mkpath(QStringLiteral("Data"));
}

QString TempProgramFolder::path() const
{
    return m_dir.path() + QLatin1Char('/');
}

QString TempProgramFolder::filePath(const QString &relative) const
{
    return m_dir.filePath(relative);
}

} // namespace dalvira::test
