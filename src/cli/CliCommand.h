#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace dalvira::cli {

// Exit codes of every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1; // the work was not done (message on stderr)
inline constexpr int kExitUsage = 2;  // wrong command line

// One command of dalvira-cli. A command lives in a file of its own and joins the table in
// Commands.cpp with one line.
struct Command
{
    QString name;
    QString usage;   // the arguments after the name, e.g. "[--site KOD] [--out KLASÖR]"
    QString summary; // one line, Turkish
    std::function<int(const QStringList &args)> run; // args: what follows the command name
};

const QList<Command> &commands();

// The program folder is set (from --folder, or the default) before a command runs.
Command backupCommand();
Command demoCommand();
Command balanceListCommand();
Command statementCommand();

// Messages for the user go to stderr; "\n\r" in the program's message texts is one line break.
QTextStream &err();
QTextStream &out();
void printMessage(const QString &text);

// "--name value" options of a command. Unknown options and missing values are errors.
class Options
{
public:
    // valueOptions: names that take a value ("--site").
    Options(const QStringList &args, const QStringList &valueOptions);
    bool ok() const { return m_error.isEmpty(); }
    const QString &error() const { return m_error; }
    bool has(const QString &name) const { return m_values.contains(name); }
    QString value(const QString &name) const { return m_values.value(name).last(); }

private:
    QHash<QString, QStringList> m_values;
    QString m_error;
};

} // namespace dalvira::cli
