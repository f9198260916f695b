#include "session/AppContext.h"

#include "common/HelpWindow.h"
#include "common/MessageBoxPrompt.h"
#include "common/Prompt.h"
#include "common/WaitWindow.h"
#include "session/LoginWindow.h"
#include "session/MainMenu.h"
#include "session/PasswordWindow.h"
#include "session/SiteInfoWindow.h"
#include "storage/ProgramFolder.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace dalvira {

AppContext::AppContext(Prompt *prompt, const QString &connectionSuffix)
    : m_storage(connectionSuffix), m_session(m_storage), m_prompt(prompt)
{
}

AppContext::~AppContext() = default;

Prompt &AppContext::prompt()
{
    return m_prompt ? *m_prompt : appPrompt();
}

HelpWindow *AppContext::help()
{
    return m_screens.screen<HelpWindow>(kHelp);
}

WaitWindow *AppContext::wait()
{
    return m_screens.screen<WaitWindow>(kWait);
}

void AppContext::showHelp(const QString &topicFile)
{
    if (HelpWindow *window = help())
        window->showTopic(topicFile);
}

void AppContext::openDocument(const QString &fileName)
{
    const QString path = GetPathPath() + fileName;
    if (!QFileInfo::exists(path)) {
        prompt().warning(kCaption, QStringLiteral("\"%1\" dosyası program klasöründe bulunamadı.")
                                       .arg(fileName));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        prompt().warning(kCaption, QStringLiteral("\"%1\" dosyasını açacak bir program bulunamadı.")
                                       .arg(fileName));
}

void AppContext::setMenuCommand(const QString &caption, std::function<void()> handler)
{
    m_menuCommands.append({caption, handler});
    if (auto *menu = qobject_cast<MainMenu *>(m_screens.existing(kMainMenu)))
        menu->setCommand(caption, std::move(handler));
}

void AppContext::registerSessionScreens()
{
    m_screens.registerScreen(kLogin, [this] { return new LoginWindow(*this); });
    m_screens.registerScreen(kHelp, [] { return new HelpWindow; });
    m_screens.registerScreen(kWait, [] { return new WaitWindow; });
    m_screens.registerScreen(kSiteInfo, [this] { return new SiteInfoWindow(*this); });
    m_screens.registerScreen(kPasswords, [this] { return new PasswordWindow(*this); });
    m_screens.registerScreen(kMainMenu, [this] {
        auto *menu = new MainMenu(*this);
        menu->setCommand(QStringLiteral("Site Bilgileri Girişi"),
                         [this] { m_screens.screen<SiteInfoWindow>(kSiteInfo)->showCurrent(); });
        menu->setCommand(QStringLiteral("Programı Kapat"), [this] {
            if (QWidget *login = m_screens.screen(kLogin))
                login->close();
        });
        menu->setCommand(QStringLiteral("Genel Yardım"),
                         [this] { showHelp(QStringLiteral("yanamenu")); });
        // The documents are offered when the program folder has them.
        const auto document = [this, menu](const QString &caption, const QString &file) {
            if (QFileInfo::exists(GetPathPath() + file))
                menu->setCommand(caption, [this, file] { openDocument(file); });
        };
        document(QStringLiteral("Kullanım Kılavuzu"), QStringLiteral("Dalvira_Kullanim.pdf"));
        document(QStringLiteral("Kat Mülkiyeti Kanunu"), QStringLiteral("Kat_Mulkiyeti_Kanunu.pdf"));
        for (const auto &[caption, handler] : m_menuCommands)
            menu->setCommand(caption, handler);
        return menu;
    });
}

} // namespace dalvira
