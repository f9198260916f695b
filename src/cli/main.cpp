// dalvira-cli: the program's work without its screens, for scheduled jobs and scripts.
//   dalvira-cli [--folder KLASÖR] KOMUT [SEÇENEKLER]
// Exit code 0 only when the command did its work; messages in Turkish on stderr.

#include "CliCommand.h"
#include "storage/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

using namespace dalvira;
using namespace dalvira::cli;

namespace {

void printUsage()
{
    err() << "Kullanım: dalvira-cli [--folder KLASÖR] KOMUT [SEÇENEKLER]\n"
          << "  --folder KLASÖR  program klasörü (AnaData ve Data klasörlerini tutan)\n"
          << "Komutlar:\n";
    for (const Command &command : commands())
        err() << "  " << command.name << ' ' << command.usage << "\n      " << command.summary
              << '\n';
    err().flush();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
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

    if (args.isEmpty() || args.first() == QLatin1String("--help") ||
        args.first() == QLatin1String("-h")) {
        printUsage();
        return args.isEmpty() ? kExitUsage : kExitOk;
    }
    for (const Command &command : commands()) {
        if (command.name == args.first())
            return command.run(args.mid(1));
    }
    printMessage(QStringLiteral("Bilinmeyen komut: %1").arg(args.first()));
    printUsage();
    return kExitUsage;
}
