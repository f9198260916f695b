#pragma once

#include "TestSupport.h"
#include "session/SiteRecord.h"

#include <QString>
#include <memory>

namespace dalvira {
class AppContext;
class ScriptedPrompt;
} // namespace dalvira

namespace dalvira::test {

// The program as a screen test runs it: a fresh program folder (set as the program's folder at
// once, so files can be put there first), then the program's context over a scripted prompt
// with a site created in it. Destroyed in the reverse order, context first.
class ScreenTestProgram
{
public:
    ScreenTestProgram();
    ~ScreenTestProgram();

    // The site the tests use unless they need another: "S1", "Deneme Sitesi".
    static SiteRecord testSite(const QString &code = QStringLiteral("S1"),
                               const QString &name = QStringLiteral("Deneme Sitesi"));

    // Opens the context and its storage, creates site and, unless told not to, enters it.
    // Returns what failed, empty when all went well.
    QString start(const SiteRecord &site = testSite(), bool enter = true);

    const TempProgramFolder &folder() const { return m_folder; }
    QString path() const { return m_folder.path(); }
    AppContext &app() const { return *m_app; }
    ScriptedPrompt &prompt() const { return *m_prompt; }
    // What the prompt objected to (a question nobody expected, an answer left over); empty when
    // nothing.
    QString promptProblems() const;

private:
    TempProgramFolder m_folder;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<AppContext> m_app;
};

} // namespace dalvira::test
