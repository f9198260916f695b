#pragma once

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace dalvira {

// The query helpers every engine operation uses. Values are always bound as "?" parameters in
// the order given, never pasted into the text, so "Ali'nin" is just a value.
//
// Binding: an invalid QVariant binds NULL; a QString binds text (a null QString binds "", not
// NULL); a QDate binds "yyyy-MM-dd" and a QDateTime "yyyy-MM-dd HH:mm:ss" (a null one binds
// NULL); bool binds 0/1; numbers bind as numbers.
//
// Every helper throws OperationError carrying SQLite's own message when the statement fails,
// so inside runInTransaction a failure rolls the whole event back.
//
// Example:
//     const qint64 cid = insert(db, "sicilcarihar", {{"sicil_kodu", 12}, {"borc", 150.0}});
//     QSqlQuery q = exec(db, "SELECT adi_soyadi FROM siciltablo WHERE trcontains(adi_soyadi, ?)"
//                            " ORDER BY adi_soyadi COLLATE TURKISH", {searchText});
//     while (q.next()) ...

using ColumnValues = QList<QPair<QString, QVariant>>;

// Runs one statement. The returned query is forward-only and positioned before the first row;
// finish it (or let it go) before another connection writes the same file.
QSqlQuery exec(const QSqlDatabase &db, const QString &sql, const QVariantList &params = {});

// The first column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase &db, const QString &sql, const QVariantList &params = {});

// INSERT INTO table (columns...) VALUES (?...); returns the new row's key (its rowid, which is
// the INTEGER PRIMARY KEY). table may be qualified by schema ("kasa.nakit").
qint64 insert(const QSqlDatabase &db, const QString &table, const ColumnValues &values);

// UPDATE table SET column = ?, ... WHERE where; where has its own "?" for whereParams.
// Returns the number of rows changed.
int update(const QSqlDatabase &db, const QString &table, const ColumnValues &values,
           const QString &where, const QVariantList &whereParams = {});

// Statement trace: when on, every statement of every connection opened by the storage layer
// is printed with its bound values (qInfo, stderr). Starts on when DALVIRA_SQL_TRACE=1.
void setStatementTrace(bool on);
bool statementTrace();

} // namespace dalvira
