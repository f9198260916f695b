#include "common/MessageBoxPrompt.h"
#include "common/Prompt.h"
#include "session/AppContext.h"
#include "session/DemoSite.h"
#include "session/SiteDirectory.h"
#include "storage/IniFile.h"
#include "session/LoginWindow.h"
#include "session/ProgramScreens.h"
#include "session/SplashWindow.h"
#include "storage/ProgramFolder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QStyleFactory>

using namespace dalvira;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installTurkishTranslation(app);

    SplashWindow splash;
    splash.showNow();

    QApplication::setApplicationName(QStringLiteral("Tolvek Dalvira"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tolvek Dalvira"));

    QCommandLineParser options;
    options.addOption({QStringLiteral("folder"),
                       QStringLiteral("Program klasörü (veriler ve ayarlar)."),
                       QStringLiteral("klasör")});
    options.addOption({QStringLiteral("demo"),
                       QStringLiteral("Yoksa örnek bir site oluşturur (ilk çalıştırma)."),
                       QStringLiteral("kod")});
    options.process(app);

    // A program folder of its own is laid out from the one beside the executable.
    QString folder = options.value(QStringLiteral("folder"));
    if (folder.isEmpty())
        folder = defaultProgramFolder();
    const QString installed = QApplication::applicationDirPath();
    if (QFileInfo(folder).absoluteFilePath() != QFileInfo(installed).absoluteFilePath()) {
        if (Result r = layOutProgramFolder(folder, installed); !r) {
            splash.hide();
            appPrompt().error(kProgramCaption, r.message());
            return 1;
        }
    }
    setProgramFolder(QFileInfo(folder).absoluteFilePath());
    QDir::setCurrent(GetPathPath());

    AppContext context;
    if (Result r = context.storage().open(); !r) {
        splash.hide();
        appPrompt().error(kProgramCaption, r.message());
        return 1;
    }
    // The example site of a first run (no site listed yet); the login then offers it.
    const QString demo = options.value(QStringLiteral("demo"));
    if (!demo.isEmpty() && SiteDirectory(context.storage()).list().isEmpty() &&
        createDemoSite(context.storage(), demo) && Session::lastLogin().code.isEmpty()) {
        IniFile ini(Session::settingsPath());
        ini.load();
        ini.setValue(QStringLiteral("Giris"), QStringLiteral("Kodu"), demo);
        ini.setValue(QStringLiteral("Giris"), QStringLiteral("Adi"),
                     SiteDirectory(context.storage()).findByCode(demo)->name());
        ini.save();
    }
    registerProgramScreens(context);
    context.screens().createAll();

    auto *login = context.screens().screen<LoginWindow>(AppContext::kLogin);
    splash.close();
    login->show();
    return app.exec();
}
