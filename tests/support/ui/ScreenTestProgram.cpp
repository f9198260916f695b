#include "ScreenTestProgram.h"

#include "common/ScriptedPrompt.h"
#include "session/AppContext.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"

namespace dalvira::test {

ScreenTestProgram::ScreenTestProgram() : m_prompt(std::make_unique<ScriptedPrompt>())
{
    setProgramFolder(m_folder.path());
}

ScreenTestProgram::~ScreenTestProgram()
{
    m_app.reset();
    m_prompt.reset();
}

SiteRecord ScreenTestProgram::testSite(const QString &code, const QString &name)
{
    SiteRecord site;
    site.set("firma_kodu", code);
    site.set("firma_unvani_1", name);
    return site;
}

QString ScreenTestProgram::start(const SiteRecord &site, bool enter)
{
    if (!m_folder.isValid())
        return QStringLiteral("the program folder could not be laid out");
    m_app = std::make_unique<AppContext>(m_prompt.get());
    if (const Result r = m_app->storage().open(); !r)
        return r.message();
    if (const Result r = SiteDirectory(m_app->storage()).createSite(site); !r)
        return r.message();
    if (!enter)
        return {};
    const Result entered = m_app->session().enterSite(site.code());
    return entered ? QString() : entered.message();
}

QString ScreenTestProgram::promptProblems() const
{
    return m_prompt->problems();
}

} // namespace dalvira::test
