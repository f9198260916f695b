#pragma once

#include <QString>
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

} // namespace dalvira::test
