#include "session/Passwords.h"

#include "storage/Sql.h"
#include "storage/Transaction.h"

namespace dalvira {

namespace {

std::optional<QString> firstValue(const QSqlDatabase &genel, const QString &sql)
{
    QSqlQuery q = exec(genel, sql);
    if (!q.next())
        return std::nullopt;
    return q.value(0).toString();
}

// firstKeySql gives the key of the first row (master has no key column: its rowid orders the
// rows all the same).
void storeFirst(const QSqlDatabase &genel, const QString &table, const QString &key,
                const QString &firstKeySql, const QString &column, const QString &value)
{
    const QVariant first = scalar(genel, firstKeySql);
    if (first.isValid())
        update(genel, table, {{column, value}}, key + QStringLiteral(" = ?"), {first});
    else
        insert(genel, table, {{column, value}});
}

} // namespace

std::optional<QString> storedProgramPassword(const QSqlDatabase &genel)
{
    return firstValue(genel, QStringLiteral("SELECT sifre FROM sifre ORDER BY sid LIMIT 1"));
}

std::optional<QString> storedMasterPassword(const QSqlDatabase &genel)
{
    return firstValue(genel, QStringLiteral("SELECT mids FROM master ORDER BY rowid LIMIT 1"));
}

bool passwordMatches(const std::optional<QString> &stored, const QString &entered)
{
    if (!stored)
        return true;
    return *stored == entered;
}

Result savePasswords(const QSqlDatabase &genel, const std::optional<QString> &programPassword,
                     const std::optional<QString> &masterPassword)
{
    return runInTransaction(genel, [&] {
        if (programPassword)
            storeFirst(genel, QStringLiteral("sifre"), QStringLiteral("sid"),
                       QStringLiteral("SELECT sid FROM sifre ORDER BY sid LIMIT 1"),
                       QStringLiteral("sifre"), *programPassword);
        if (masterPassword)
            storeFirst(genel, QStringLiteral("master"), QStringLiteral("rowid"),
                       QStringLiteral("SELECT rowid FROM master ORDER BY rowid LIMIT 1"),
                       QStringLiteral("mids"), *masterPassword);
    });
}

} // namespace dalvira
