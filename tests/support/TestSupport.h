#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace dalvira::test {

// A fresh program folder for one test: a copy of the program folder the build laid out
// (AnaData/, templates, help topics), in a temporary directory removed afterwards.
class TempProgramFolder
{
public:
    TempProgramFolder();
    bool isValid() const { return m_valid; }
    // With a trailing "/", like GetPathPath.
    QString path() const;
    QString filePath(const QString &relative) const;

private:
    QTemporaryDir m_dir;
    bool m_valid = false;
};

QString builtProgramFolder();
QString fixturePath(const QString &name);

// One run of the built dalvira-cli: its exit code (-1 when it did not end normally within a
// minute) and what it wrote.
struct CliRun
{
    int exitCode = -1;
    QString out;
    QString err;
};
CliRun runCli(const QStringList &args);

} // namespace dalvira::test
