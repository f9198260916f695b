#include "ledger/MovementWriter.h"

#include "common/Result.h"
#include "storage/Sql.h"

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

} // namespace

qint64 appendMovement(const QSqlDatabase &db, const LedgerMovement &m)
{
    if (!m.date.isValid())
        throw OperationError(QStringLiteral("Hareket tarihi geçersiz! İşlem iptal edildi."));
    if (!std::isfinite(m.debit) || !std::isfinite(m.credit) || m.debit < 0 || m.credit < 0)
        throw OperationError(QStringLiteral("Hareket tutarı geçersiz! İşlem iptal edildi."));
    if (m.debit > 0 && m.credit > 0)
        throw OperationError(
            QStringLiteral("Bir harekette hem borç hem alacak olamaz! İşlem iptal edildi."));

    const QString currency = m.currency.trimmed();
    ColumnValues values{
        {QStringLiteral("sicil_kodu"), m.flatNumber},
        {QStringLiteral("sicil_kayitno_id"), keyOrNull(m.flatRecord)},
        {QStringLiteral("adi_soyadi"), m.holder},
        {QStringLiteral("islem_tarihi"), m.date},
        {QStringLiteral("borc"), amountOrNull(m.debit)},
        {QStringLiteral("alacak"), amountOrNull(m.credit)},
        {QStringLiteral("para_cinsi"),
         currency.isEmpty() ? QString::fromLatin1(kHomeCurrency) : currency},
        {QStringLiteral("aidat_turu"), textOrNull(m.type.left(kTypeLength))},
        {QStringLiteral("aciklama"), textOrNull(m.description)},
        {QStringLiteral("blok"), textOrNull(m.block)},
        {QStringLiteral("dairesi"), textOrNull(m.flat)},
        {QStringLiteral("dis_kapi_numarasi"), textOrNull(m.outerDoor)},
        {QStringLiteral("daire_sahibi_adi_soyadi"), textOrNull(m.ownerName)},
        {QStringLiteral("oturan_adi_soyadi"), textOrNull(m.residentName)},
        {QStringLiteral("aidat1id"), keyOrNull(m.accrualBatch)},
        {QStringLiteral("bankaid"), keyOrNull(m.bankList)},
        {QStringLiteral("nakitid"), keyOrNull(m.sheetBatch)},
        {QStringLiteral("isletmegelirid"), keyOrNull(m.incomeLine)},
        {QStringLiteral("vadesi"), m.dueDate.isValid() ? QVariant(m.dueDate) : QVariant()},
    };
    if (m.interest) {
        values.append({QStringLiteral("faiz_id"), 2});
        values.append({QStringLiteral("son_faiz_tarih"), m.date});
        values.append({QStringLiteral("son_faiz"), m.debit - m.credit});
    } else {
        values.append({QStringLiteral("faiz_id"), 0});
        values.append({QStringLiteral("son_faiz_tarih"), QVariant()});
        values.append({QStringLiteral("son_faiz"), QVariant()});
    }
    return insert(db, QStringLiteral("sicilcarihar"), values);
}

} // namespace dalvira
