#include "storage/ScopedConnection.h"

#include "storage/DatabaseFile.h"

#include <QAtomicInteger>

namespace dalvira {

namespace {
QAtomicInteger<quint32> counter;
}

ScopedConnection::ScopedConnection()
    : m_name(QStringLiteral("scopedConnection%1").arg(counter.fetchAndAddRelaxed(1)))
{
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
}

ScopedConnection::~ScopedConnection()
{
    close();
    QSqlDatabase::removeDatabase(m_name);
}

Result ScopedConnection::open(const QString &path)
{
    return openDatabase(m_name, path);
}

void ScopedConnection::close()
{
    QSqlDatabase db = QSqlDatabase::database(m_name, false);
    if (db.isOpen())
        db.close();
}

bool ScopedConnection::isOpen() const
{
    return QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase ScopedConnection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

} // namespace dalvira
