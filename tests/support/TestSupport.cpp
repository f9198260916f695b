#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace dalvira::test {

QString builtProgramFolder()
{
    return QStringLiteral(DALVIRA_PROGRAM_DIR);
}

QString fixturePath(const QString &name)
{
    return QStringLiteral(DALVIRA_FIXTURES_DIR) + QLatin1Char('/') + name;
}

CliRun runCli(const QStringList &args)
{
    QProcess p;
    p.start(builtProgramFolder() + QStringLiteral("/dalvira-cli"), args);
    CliRun run;
    if (!p.waitForFinished(60000))
        return run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

TempProgramFolder::TempProgramFolder()
{
    if (!m_dir.isValid())
        return;
    const QDir source(builtProgramFolder());
    m_valid = true;
    QDirIterator it(source.path(), QDir::Files | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
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
