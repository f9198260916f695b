#include "book/TransactionTypes.h"

#include "common/BatchProgress.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"

namespace dalvira {

namespace {

TransactionType typeFromRow(const QSqlQuery &q)
{
    TransactionType t;
    t.gidi = q.value(0).toLongLong();
    t.kodu = q.value(1).toString();
    t.adi = q.value(2).toString();
    return t;
}

const QString kSelect = QStringLiteral("SELECT gidi, kodu, adi FROM gelirtur");

} // namespace

TransactionTypes::TransactionTypes(const QSqlDatabase &db) : m_db(db) {}

QString TransactionTypes::codeTooLongMessage()
{
    return QStringLiteral("İşlem türü kodu en fazla %1 karakter olabilir!").arg(kCodeLength);
}

QString TransactionTypes::nameTooLongMessage()
{
    return QStringLiteral("İşlem türü adı en fazla %1 karakter olabilir!").arg(kNameLength);
}

QList<TransactionType> TransactionTypes::list() const
{
    QList<TransactionType> types;
    QSqlQuery q = exec(m_db, kSelect + QStringLiteral(" ORDER BY kodu COLLATE TURKISH, gidi"));
    while (q.next())
        types.append(typeFromRow(q));
    return types;
}

QStringList TransactionTypes::names() const
{
    QStringList names;
    for (const TransactionType &t : list())
        names.append(t.adi);
    return names;
}

std::optional<TransactionType> TransactionTypes::find(qint64 gidi) const
{
    QSqlQuery q = exec(m_db, kSelect + QStringLiteral(" WHERE gidi = ?"), {gidi});
    if (!q.next())
        return std::nullopt;
    return typeFromRow(q);
}

Result TransactionTypes::store(TransactionType &type)
{
    if (type.kodu.size() > kCodeLength)
        return Result::failure(codeTooLongMessage());
    if (type.adi.size() > kNameLength)
        return Result::failure(nameTooLongMessage());
    qint64 newKey = type.gidi;
    const Result r = runInTransaction(m_db, [&] {
        const ColumnValues values{{QStringLiteral("kodu"), type.kodu},
                                  {QStringLiteral("adi"), type.adi}};
        if (type.gidi > 0) {
            if (update(m_db, QStringLiteral("gelirtur"), values, QStringLiteral("gidi = ?"),
                       {type.gidi}) != 1)
                throw OperationError(
                    QStringLiteral("İşlem türü bulunamadı; başka bir kullanıcı silmiş olabilir."));
        } else {
            newKey = insert(m_db, QStringLiteral("gelirtur"), values);
        }
    });
    if (r)
        type.gidi = newKey;
    return r;
}

Result TransactionTypes::remove(qint64 gidi)
{
    return runInTransaction(
        m_db, [&] { exec(m_db, QStringLiteral("DELETE FROM gelirtur WHERE gidi = ?"), {gidi}); });
}

int TransactionTypes::usageCount(const QString &name) const
{
    const QVariant count =
        scalar(m_db,
               QStringLiteral("SELECT (SELECT COUNT(*) FROM sicilcarihar WHERE aidat_turu = ?)"
                              " + (SELECT COUNT(*) FROM isletgelir WHERE geliradi = ?)"
                              " + (SELECT COUNT(*) FROM isletgider WHERE masrafadi = ?)"
                              " + (SELECT COUNT(*) FROM kasa.nakit WHERE neden = ?)"),
               {name, name, name, name});
    return count.toInt();
}

Result TransactionTypes::fillUntypedMovements(const QString &typeName, BatchProgress *progress,
                                              int *changedCount)
{
    int changed = 0;
    int total = 0;
    const Result r = runInTransaction(m_db, [&] {
        total = scalar(m_db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar")).toInt();
        if (progress)
            progress->start(QStringLiteral("Bekleyin aktarılıyor..."),
                            QStringLiteral("Yapılan güncelleme :"), total, false);
        // Plain "=" compares exactly: "evsahibi" or " Oturan" are types someone chose.
        changed =
            update(m_db, QStringLiteral("sicilcarihar"), {{QStringLiteral("aidat_turu"), typeName}},
                   QStringLiteral("aidat_turu IS NULL OR aidat_turu = ''"
                                  " OR aidat_turu = ? OR aidat_turu = ?"),
                   {QStringLiteral("Evsahibi"), QStringLiteral("Oturan")});
        if (progress && total > 0)
            progress->step(total, 2, 2);
    });
    if (progress)
        progress->finish(QStringLiteral("Güncelleme bitti."));
    if (r && changedCount)
        *changedCount = changed;
    return r;
}

} // namespace dalvira
