#include "Prompt.h"

#include "MessageBoxPrompt.h"

namespace dalvira {

namespace {
Prompt *g_installed = nullptr;
}

QString messageDisplayText(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

Prompt &appPrompt()
{
    if (g_installed)
        return *g_installed;
    static MessageBoxPrompt boxes;
    return boxes;
}

void setAppPrompt(Prompt *prompt)
{
    g_installed = prompt;
}

} // namespace dalvira
