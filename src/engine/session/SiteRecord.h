#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace dalvira {

// One row of firmabilgi: the site list keeps one per site in the general file, and each site's
// data file keeps its own copy. Values are keyed by column name; every column is carried along
// by a copy except the key firma_ind, which is local to each file.
struct SiteRecord
{
    qint64 key = 0; // firma_ind in the file it was read from; 0 for a new row
    QVariantMap values;

    QString code() const { return values.value(QStringLiteral("firma_kodu")).toString(); }
    QString name() const { return values.value(QStringLiteral("firma_unvani_1")).toString(); }
    QString text(const char *column) const { return values.value(QLatin1String(column)).toString(); }
    void set(const char *column, const QVariant &value) { values.insert(QLatin1String(column), value); }
};

// Two spaces, the code, " - ", the name: the status-bar text of the open site.
QString makeSiteLabel(const QString &code, const QString &name);

// A code typed on the site information screen: 1 to 10 characters from 0-9, A-Z, a-z, so it
// always makes a valid file name.
bool isValidSiteCode(const QString &code);
bool isSiteCodeCharacter(QChar c);

} // namespace dalvira
