#include "session/Connectivity.h"

#include <QFile>
#include <QString>
#include <QStringList>

namespace dalvira {

bool hasInternetConnection()
{
    // /proc/net/route: Iface Destination Gateway Flags ...; a destination of 00000000 with the
    // RTF_UP flag (0x1) is a default route.
    QFile routes(QStringLiteral("/proc/net/route"));
    if (!routes.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    routes.readLine(); // the column headings
    while (!routes.atEnd()) {
        const QStringList fields =
            QString::fromLatin1(routes.readLine()).split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        if (fields.size() < 4 || fields[0] == QLatin1String("lo"))
            continue;
        bool ok = false;
        const uint flags = fields[3].toUInt(&ok, 16);
        if (ok && fields[1] == QLatin1String("00000000") && (flags & 0x1))
            return true;
    }
    return false;
}

} // namespace dalvira
