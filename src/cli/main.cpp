// dalvira-cli: the program's work without its screens, for scheduled jobs and scripts.
//   dalvira-cli [--folder KLASÖR] [--site KOD] KOMUT [SEÇENEKLER]
// Exit code 0 only when the command did its work; messages in Turkish on stderr.

#include "CliCommand.h"
#include "storage/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

using namespace dalvira;
using namespace dalvira::cli;

namespace {

// The offscreen platform asks for the runtime folder, which scheduled jobs do not have; Qt then
// uses a folder of its own, and its warning would only clutter the job's messages.
QtMessageHandler qtMessages = nullptr;

void filterQtMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    if (qtMessages)
        qtMessages(type, context, text);
}

void printUsage()
{
    err() << "Kullanım: dalvira-cli [--folder KLASÖR] [--site KOD] KOMUT [SEÇENEKLER]\n"
          << "  --folder KLASÖR  program klasörü (AnaData ve Data klasörlerini tutan)\n"
          << "  --site KOD       komutun çalışacağı site (komut adından önce)\n"
          << "Komutlar:\n";
    for (const Command &command : commands())
        err() << "  " << command.name << ' ' << command.usage << "\n      " << command.summary
              << '\n';
    err().flush();
}

} // namespace

int main(int argc, char **argv)
{
    // Reports are painted into PDF files, which needs the fonts of a GUI application; the
    // command line never shows a window, so it needs no display (scheduled jobs have none).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtMessages = qInstallMessageHandler(filterQtMessages);
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    // --folder may stand anywhere on the line.
    const qsizetype at = args.indexOf(QStringLiteral("--folder"));
    if (at >= 0) {
        if (at + 1 >= args.size()) {
            printMessage(QStringLiteral("--folder seçeneğinin değeri eksik."));
            return kExitUsage;
        }
        const QString folder = args[at + 1];
        args.remove(at, 2);
        if (!QFileInfo(QDir(folder).filePath(QStringLiteral("AnaData/Genel.mdb"))).isFile()) {
            printMessage(
                QStringLiteral("\"%1\" bir program klasörü değil: AnaData/Genel.mdb bulunamadı.")
                    .arg(QDir::toNativeSeparators(folder)));
            return kExitFailed;
        }
        setProgramFolder(QFileInfo(folder).absoluteFilePath());
    }

    // --site before the command names the site the command works on. It is handed to the
    // command as its own --site option, so "--site S1 backup" and "backup --site S1" agree.
    QString site;
    bool hasSite = false;
    if (!args.isEmpty() && args.first() == QLatin1String("--site")) {
        if (args.size() < 2 || args[1].startsWith(QLatin1String("--"))) {
            printMessage(QStringLiteral("--site seçeneğinin değeri eksik."));
            return kExitUsage;
        }
        site = args[1];
        hasSite = true;
        args.remove(0, 2);
    }

    if (args.isEmpty() || args.first() == QLatin1String("--help") ||
        args.first() == QLatin1String("-h")) {
        printUsage();
        return args.isEmpty() ? kExitUsage : kExitOk;
    }
    for (const Command &command : commands()) {
        if (command.name != args.first())
            continue;
        QStringList commandArgs = args.mid(1);
        if (hasSite) {
            if (commandArgs.contains(QLatin1String("--site"))) {
                printMessage(QStringLiteral("--site iki kez verildi: komut adından önce bir kez "
                                            "verin."));
                return kExitUsage;
            }
            commandArgs << QStringLiteral("--site") << site;
        }
        return command.run(commandArgs);
    }
    printMessage(QStringLiteral("Bilinmeyen komut: %1").arg(args.first()));
    printUsage();
    return kExitUsage;
}
