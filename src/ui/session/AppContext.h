#pragma once

#include "common/ScreenRegistry.h"
#include "session/Session.h"
#include "storage/Storage.h"

#include <functional>
#include <vector>

namespace dalvira {

class HelpWindow;
class Prompt;
class WaitWindow;

// What the screens of one run share: the storage with its four connections, the session
// values, the registry that keeps every screen once, and the prompt questions go through.
class AppContext
{
public:
    explicit AppContext(Prompt *prompt = nullptr, const QString &connectionSuffix = {});
    ~AppContext();
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    Storage &storage() { return m_storage; }
    Session &session() { return m_session; }
    ScreenRegistry &screens() { return m_screens; }
    Prompt &prompt();

    HelpWindow *help();
    WaitWindow *wait();
    // Loads the topic file into the help window and shows it.
    void showHelp(const QString &topicFile);

    // Screen names of the registry.
    static inline const QString kLogin = QStringLiteral("girisF");
    static inline const QString kMainMenu = QStringLiteral("anaformF");
    static inline const QString kSiteInfo = QStringLiteral("firmaF");
    static inline const QString kPasswords = QStringLiteral("sifreF");
    static inline const QString kHelp = QStringLiteral("yardimF");
    static inline const QString kWait = QStringLiteral("bekleyinF");

    // Registers the screens of the session (login, main menu, site information, passwords,
    // help and wait windows). Later subsystems add theirs with screens().registerScreen.
    void registerSessionScreens();

    // Enables a main-menu command with what it runs: subsystems call this from their
    // register function; it takes effect whether or not the menu exists yet.
    void setMenuCommand(const QString &caption, std::function<void()> handler);

    // Opens a document of the program folder with the desktop's default application; a
    // missing file or no application gives a message.
    void openDocument(const QString &fileName);

    // Called after the program's end was confirmed, once the connections are closed.
    std::function<void()> onProgramEnd;
    // Run after a site was entered (refills of the lists that depend on the open site).
    std::vector<std::function<void()>> siteEntered;

private:
    Storage m_storage;
    Session m_session;
    ScreenRegistry m_screens;
    Prompt *m_prompt;
    QList<QPair<QString, std::function<void()>>> m_menuCommands;
};

} // namespace dalvira
