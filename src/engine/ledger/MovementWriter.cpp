#include "ledger/MovementWriter.h"

#include "common/Result.h"
#include "storage/Sql.h"

#include <QSqlError>
#include <QStringList>
#include <iterator>

#include <cmath>

namespace dalvira {

namespace {

// An empty text is stored as NULL, so "not copied" and "copied empty" cannot differ.
QVariant textOrNull(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QVariant keyOrNull(qint64 key)
{
    return key > 0 ? QVariant(key) : QVariant();
}

QVariant amountOrNull(double amount)
{
    return amount > 0 ? QVariant(amount) : QVariant();
}

// Every column of a movement, in the order of the prepared insert.
constexpr const char *kColumns[] = {
    "sicil_kodu", "sicil_kayitno_id",  "adi_soyadi",    "islem_tarihi",
    "borc",       "alacak",            "para_cinsi",    "aidat_turu",
    "aciklama",   "blok",              "dairesi",       "dis_kapi_numarasi",
    "daire_sahibi_adi_soyadi",         "oturan_adi_soyadi",
    "aidat1id",   "bankaid",           "nakitid",       "isletmegelirid",
    "vadesi",     "faiz_id",           "son_faiz_tarih", "son_faiz",
};

QString insertStatement()
{
    QStringList columns;
    QStringList marks;
    for (const char *column : kColumns) {
        columns << QLatin1String(column);
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO sicilcarihar (") + columns.join(QStringLiteral(", ")) +
           QStringLiteral(") VALUES (") + marks.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QVariant dateOrNull(const QDate &date)
{
    return date.isValid() ? QVariant(date.toString(QStringLiteral("yyyy-MM-dd"))) : QVariant();
}

} // namespace

MovementWriter::MovementWriter(const QSqlDatabase &db)
    : m_query(db)
{
    if (!db.isOpen())
        throw OperationError(
            QStringLiteral("Veritabanı bağlantısı açık değil (%1).").arg(db.connectionName()));
    if (!m_query.prepare(insertStatement()))
        throw OperationError(m_query.lastError().databaseText());
}

qint64 MovementWriter::append(const LedgerMovement &m)
{
    if (!m.date.isValid())
        throw OperationError(QStringLiteral("Hareket tarihi geçersiz! İşlem iptal edildi."));
    if (!std::isfinite(m.debit) || !std::isfinite(m.credit) || m.debit < 0 || m.credit < 0)
        throw OperationError(QStringLiteral("Hareket tutarı geçersiz! İşlem iptal edildi."));
    if (m.debit > 0 && m.credit > 0)
        throw OperationError(
            QStringLiteral("Bir harekette hem borç hem alacak olamaz! İşlem iptal edildi."));

    const QString currency = m.currency.trimmed();
    const QVariant values[] = {
        m.flatNumber,
        keyOrNull(m.flatRecord),
        m.holder.isNull() ? QString(QLatin1String("")) : m.holder,
        dateOrNull(m.date),
        amountOrNull(m.debit),
        amountOrNull(m.credit),
        currency.isEmpty() ? kHomeCurrency : currency,
        textOrNull(m.type.left(kTypeLength)),
        textOrNull(m.description),
        textOrNull(m.block),
        textOrNull(m.flat),
        textOrNull(m.outerDoor),
        textOrNull(m.ownerName),
        textOrNull(m.residentName),
        keyOrNull(m.accrualBatch),
        keyOrNull(m.bankList),
        keyOrNull(m.sheetBatch),
        keyOrNull(m.incomeLine),
        dateOrNull(m.dueDate),
        // An interest movement carries its own date and amount as the last interest computed.
        m.interest ? 2 : 0,
        m.interest ? dateOrNull(m.date) : QVariant(),
        m.interest ? QVariant(m.debit - m.credit) : QVariant(),
    };
    static_assert(std::size(values) == std::size(kColumns));
    for (int i = 0; i < int(std::size(values)); ++i)
        m_query.bindValue(i, values[i]);
    if (!m_query.exec())
        throw OperationError(m_query.lastError().databaseText());
    return m_query.lastInsertId().toLongLong();
}

qint64 appendMovement(const QSqlDatabase &db, const LedgerMovement &movement)
{
    return MovementWriter(db).append(movement);
}

} // namespace dalvira
