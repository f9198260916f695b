#pragma once

#include "common/Result.h"

#include <QSqlDatabase>
#include <QString>

namespace dalvira {

// A connection of its own on one database file, for writing a file that none of the four
// connections holds (another site's data file while its information is saved), closed and
// removed when it goes out of scope. Same settings as the four connections.
//
//     ScopedConnection other;
//     if (Result r = other.open(Storage::siteDataPath(code)); !r)
//         return r;
//     return runInTransaction(other.database(), [&] { update(other.database(), ...); });
class ScopedConnection
{
public:
    ScopedConnection();
    ~ScopedConnection();
    ScopedConnection(const ScopedConnection &) = delete;
    ScopedConnection &operator=(const ScopedConnection &) = delete;

    Result open(const QString &path); // the existing file only, checked first
    void close();
    bool isOpen() const;
    QSqlDatabase database() const;
    const QString &connectionName() const { return m_name; }

private:
    QString m_name;
};

} // namespace dalvira
