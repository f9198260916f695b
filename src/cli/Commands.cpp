#include "CliCommand.h"

#include <QHash>

namespace dalvira::cli {

const QList<Command> &commands()
{
    static const QList<Command> table = {
        backupCommand(),
        demoCommand(),
        balanceListCommand(),
        statementCommand(),
    };
    return table;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

void printMessage(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    err() << shown << Qt::endl;
}

Options::Options(const QStringList &args, const QStringList &valueOptions)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (!valueOptions.contains(arg)) {
            m_error = QStringLiteral("Bilinmeyen seçenek: %1").arg(arg);
            return;
        }
        if (i + 1 >= args.size() || args[i + 1].startsWith(QStringLiteral("--"))) {
            m_error = QStringLiteral("%1 seçeneğinin değeri eksik.").arg(arg);
            return;
        }
        m_values[arg].append(args[++i]);
    }
}

} // namespace dalvira::cli
