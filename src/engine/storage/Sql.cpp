#include "storage/Sql.h"

#include "common/Result.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QSqlError>
#include <QStringList>
#include <atomic>

namespace dalvira {

namespace {

// -1 until first asked: then DALVIRA_SQL_TRACE decides, unless setStatementTrace came first.
std::atomic<int> traceState{-1};

QVariant boundValue(const QVariant &value)
{
    if (!value.isValid())
        return {};
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return value.toString().isNull() ? QVariant(QString(QLatin1String(""))) : value;
    case QMetaType::QDate: {
        const QDate date = value.toDate();
        return date.isValid() ? QVariant(date.toString(QStringLiteral("yyyy-MM-dd"))) : QVariant();
    }
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        return dateTime.isValid()
                   ? QVariant(dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                   : QVariant();
    }
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    default:
        return value;
    }
}

QString errorText(const QSqlError &error)
{
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

// Table and column names come from code, never from input; refuse anything that is not a plain
// (optionally schema-qualified) identifier rather than paste it.
QString identifier(const QString &name)
{
    static const QRegularExpression plain(
        QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*(\\.[A-Za-z_][A-Za-z0-9_]*)?$"));
    if (!plain.match(name).hasMatch())
        throw OperationError(QStringLiteral("Geçersiz tablo ya da sütun adı: %1").arg(name));
    QStringList parts = name.split(QLatin1Char('.'));
    for (QString &part : parts)
        part = QLatin1Char('"') + part + QLatin1Char('"');
    return parts.join(QLatin1Char('.'));
}

} // namespace

QSqlQuery exec(const QSqlDatabase &db, const QString &sql, const QVariantList &params)
{
    if (!db.isOpen())
        throw OperationError(
            QStringLiteral("Veritabanı bağlantısı açık değil (%1).").arg(db.connectionName()));
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw OperationError(errorText(query.lastError()));
    for (const QVariant &param : params)
        query.addBindValue(boundValue(param));
    if (!query.exec())
        throw OperationError(errorText(query.lastError()));
    return query;
}

QVariant scalar(const QSqlDatabase &db, const QString &sql, const QVariantList &params)
{
    QSqlQuery query = exec(db, sql, params);
    if (!query.next()) {
        if (query.lastError().isValid())
            throw OperationError(errorText(query.lastError()));
        return {};
    }
    const QVariant value = query.value(0);
    query.finish();
    return value;
}

qint64 insert(const QSqlDatabase &db, const QString &table, const ColumnValues &values)
{
    QStringList columns;
    QStringList marks;
    QVariantList params;
    for (const auto &[column, value] : values) {
        columns << identifier(column);
        marks << QStringLiteral("?");
        params << value;
    }
    const QString sql = columns.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(identifier(table))
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(identifier(table), columns.join(QStringLiteral(", ")),
                                       marks.join(QStringLiteral(", ")));
    const QSqlQuery query = exec(db, sql, params);
    return query.lastInsertId().toLongLong();
}

int update(const QSqlDatabase &db, const QString &table, const ColumnValues &values,
           const QString &where, const QVariantList &whereParams)
{
    if (values.isEmpty())
        return 0;
    QStringList assignments;
    QVariantList params;
    for (const auto &[column, value] : values) {
        assignments << identifier(column) + QStringLiteral(" = ?");
        params << value;
    }
    params << whereParams;
    QString sql = QStringLiteral("UPDATE %1 SET %2")
                      .arg(identifier(table), assignments.join(QStringLiteral(", ")));
    if (!where.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    return exec(db, sql, params).numRowsAffected();
}

void setStatementTrace(bool on)
{
    traceState.store(on ? 1 : 0);
}

bool statementTrace()
{
    int state = traceState.load(std::memory_order_relaxed);
    if (state < 0) {
        const int fromEnvironment = qEnvironmentVariableIntValue("DALVIRA_SQL_TRACE") == 1 ? 1 : 0;
        traceState.compare_exchange_strong(state, fromEnvironment);
        state = traceState.load();
    }
    return state == 1;
}

} // namespace dalvira
