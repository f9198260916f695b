#include "session/SiteRecord.h"

namespace dalvira {

QString makeSiteLabel(const QString &code, const QString &name)
{
    return QStringLiteral("  ") + code + QStringLiteral(" - ") + name;
}

bool isSiteCodeCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

bool isValidSiteCode(const QString &code)
{
    if (code.isEmpty() || code.size() > 10)
        return false;
    for (const QChar c : code) {
        if (!isSiteCodeCharacter(c))
            return false;
    }
    return true;
}

} // namespace dalvira
