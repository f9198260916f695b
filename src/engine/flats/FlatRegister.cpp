#include "flats/FlatRegister.h"

#include "common/BatchProgress.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"

#include <QSqlRecord>

namespace dalvira {

FlatRegister::FlatRegister(const QSqlDatabase &db) : m_db(db) {}

QString FlatRegister::duplicateNumberMessage(int number)
{
    return QString::number(number) + QStringLiteral("\n\r") +
           QStringLiteral(" numarasında kayıt mevcut!");
}

QString FlatRegister::requiredFieldsMessage()
{
    return QStringLiteral("Kayıt no ve Adı kısımlarını boş geçemezsiniz!");
}

QStringList FlatRegister::columns() const
{
    QStringList names;
    QSqlQuery q = exec(m_db, QStringLiteral("PRAGMA table_info(siciltablo)"));
    while (q.next())
        names.append(q.value(1).toString());
    return names;
}

std::optional<FlatRecord> FlatRegister::load(qint64 hid) const
{
    QSqlQuery q = exec(m_db, QStringLiteral("SELECT * FROM siciltablo WHERE hid = ?"), {hid});
    if (!q.next())
        return std::nullopt;
    FlatRecord flat;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        flat.values.insert(rec.fieldName(i), q.value(i));
    flat.hid = q.value(QStringLiteral("hid")).toLongLong();
    flat.values.remove(QStringLiteral("hid"));
    return flat;
}

qint64 FlatRegister::findByNumber(int number) const
{
    return scalar(m_db,
                  QStringLiteral("SELECT hid FROM siciltablo WHERE sicil_kodu = ? ORDER BY hid "
                                 "LIMIT 1"),
                  {number})
        .toLongLong();
}

int FlatRegister::count() const
{
    return scalar(m_db, QStringLiteral("SELECT COUNT(*) FROM siciltablo")).toInt();
}

int FlatRegister::nextFlatNumber() const
{
    const QVariant largest = scalar(m_db, QStringLiteral("SELECT MAX(sicil_kodu) FROM siciltablo"));
    return largest.isNull() ? 1 : largest.toInt() + 1;
}

qint64 FlatRegister::neighbour(qint64 currentHid, Move move) const
{
    // NULL numbers sort first, as the table's index on sicil_kodu keeps them.
    const QString key = QStringLiteral("COALESCE(sicil_kodu, -2147483648)");
    if (currentHid > 0 && (move == Move::Previous || move == Move::Next)) {
        const QVariant current = scalar(
            m_db, QStringLiteral("SELECT %1 FROM siciltablo WHERE hid = ?").arg(key), {currentHid});
        if (current.isValid()) {
            const bool next = move == Move::Next;
            const QString sql =
                QStringLiteral("SELECT hid FROM siciltablo WHERE %1 %2 ? OR (%1 = ? AND hid %2 ?) "
                               "ORDER BY %1 %3, hid %3 LIMIT 1")
                    .arg(key, next ? QStringLiteral(">") : QStringLiteral("<"),
                         next ? QStringLiteral("ASC") : QStringLiteral("DESC"));
            return scalar(m_db, sql, {current, current, currentHid}).toLongLong();
        }
    }
    const bool first = move == Move::First || move == Move::Next;
    return scalar(m_db, QStringLiteral("SELECT hid FROM siciltablo ORDER BY %1 %2, hid %2 LIMIT 1")
                            .arg(key, first ? QStringLiteral("ASC") : QStringLiteral("DESC")))
        .toLongLong();
}

Result FlatRegister::save(FlatRecord &flat)
{
    const QVariant numberValue = flat.value(QStringLiteral("sicil_kodu"));
    const bool hasNumber = !numberValue.isNull() && !numberValue.toString().trimmed().isEmpty();
    if (hasNumber) {
        const int number = numberValue.toInt();
        const QVariant other = scalar(
            m_db, QStringLiteral("SELECT hid FROM siciltablo WHERE sicil_kodu = ? AND hid <> ?"),
            {number, flat.hid});
        if (other.isValid())
            return Result::failure(duplicateNumberMessage(number));
    }

    FlatRecord stored = flat;
    applyBeforeStoreRules(stored);
    // A name of blanks only is no name: the check comes after trimming.
    if (!hasNumber || stored.text(QStringLiteral("adi")).isEmpty())
        return Result::failure(requiredFieldsMessage());

    const QStringList tableColumns = columns();
    ColumnValues values;
    for (auto it = stored.values.cbegin(); it != stored.values.cend(); ++it) {
        if (it.key() != QLatin1String("hid") && tableColumns.contains(it.key()))
            values.append({it.key(), it.value()});
    }

    qint64 hid = stored.hid;
    const Result result = runInTransaction(m_db, [&] {
        if (hid > 0) {
            if (update(m_db, QStringLiteral("siciltablo"), values, QStringLiteral("hid = ?"),
                       {hid}) != 1)
                throw OperationError(QStringLiteral("Kayıt bulunamadı! Başka bir kullanıcı "
                                                    "tarafından silinmiş olabilir."));
        } else {
            hid = insert(m_db, QStringLiteral("siciltablo"), values);
        }
    });
    if (result) {
        stored.hid = hid;
        flat = stored;
    }
    return result;
}

Result FlatRegister::remove(qint64 hid)
{
    return runInTransaction(
        m_db, [&] { exec(m_db, QStringLiteral("DELETE FROM siciltablo WHERE hid = ?"), {hid}); });
}

Result FlatRegister::removeExtraBlanks(BatchProgress *progress)
{
    struct Names
    {
        qint64 hid;
        QVariant values[4];
    };
    static const QString columns[4] = {QStringLiteral("adi"), QStringLiteral("soyadi"),
                                       QStringLiteral("oturan_adi"),
                                       QStringLiteral("oturan_soyadi")};
    const Result result = runInTransaction(m_db, [&] {
        QList<Names> rows;
        {
            QSqlQuery q = exec(m_db, QStringLiteral("SELECT hid, adi, soyadi, oturan_adi, "
                                                    "oturan_soyadi FROM siciltablo "
                                                    "ORDER BY sicil_kodu, hid"));
            while (q.next())
                rows.append(
                    {q.value(0).toLongLong(), {q.value(1), q.value(2), q.value(3), q.value(4)}});
        }
        const int total = int(rows.size());
        if (progress)
            progress->start(QStringLiteral("Bekleyin aktarılıyor..."),
                            QStringLiteral("Yapılan güncelleme :"), total, true);
        for (int i = 0; i < total; ++i) {
            const Names &row = rows.at(i);
            ColumnValues changed;
            for (int c = 0; c < 4; ++c) {
                const QVariant &v = row.values[c];
                if (!v.isNull() && v.toString().trimmed() != v.toString())
                    changed.append({columns[c], v.toString().trimmed()});
            }
            if (!changed.isEmpty())
                update(m_db, QStringLiteral("siciltablo"), changed, QStringLiteral("hid = ?"),
                       {row.hid});
            if (progress) {
                progress->step(i + 1);
                if (progress->cancelRequested())
                    throw OperationCancelled();
            }
        }
        if (progress)
            progress->finish(QStringLiteral("Güncelleme bitti."));
    });
    // A failed or cancelled clean-up must not leave the wait window up.
    if (!result && progress)
        progress->finish(QString());
    return result;
}

} // namespace dalvira
