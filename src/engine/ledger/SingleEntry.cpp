#include "ledger/SingleEntry.h"

#include "common/Formats.h"
#include "common/Rounding.h"
#include "common/TextHelpers.h"
#include "flats/FlatRegister.h"
#include "ledger/MovementWriter.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"

#include <QSqlError>
#include <climits>
#include <cmath>
#include <iterator>

namespace dalvira {

namespace {

// The income book keeps this many characters of a type name.
constexpr int kIncomeTypeLength = 50;

SingleEntryFlat entryFlat(const FlatRecord &record)
{
    SingleEntryFlat flat;
    flat.hid = record.hid;
    flat.number = record.number();
    flat.owner = holderName(record, AccountHolder::Owner);
    flat.resident = holderName(record, AccountHolder::Resident);
    flat.formerOwner = holderName(record, AccountHolder::FormerOwner);
    flat.formerResident = holderName(record, AccountHolder::FormerResident);
    flat.block = record.text(QStringLiteral("blok"));
    flat.flat = record.text(QStringLiteral("dairesi"));
    flat.outerDoor = record.text(QStringLiteral("dis_kapi_numarasi"));
    flat.ownerUnnamed = record.text(QStringLiteral("adi")).trimmed().isEmpty() &&
                        record.text(QStringLiteral("soyadi")).trimmed().isEmpty();
    flat.ownerSnapshot = holderSnapshotName(record, AccountHolder::Owner);
    flat.residentSnapshot = holderSnapshotName(record, AccountHolder::Resident);
    return flat;
}

// The flat number field read as an amount and taken whole; 0 when it is no usable number.
int flatNumberOf(const QString &text)
{
    const double value = std::trunc(parseAmount(text));
    if (!std::isfinite(value) || value < INT_MIN || value > INT_MAX)
        return 0;
    return int(value);
}

// The amount fields show two decimals; the checks judge what the user sees.
double shownAmount(double value)
{
    return std::isfinite(value) ? roundHalfEven(value, 2) : 0.0;
}

QVariant textOrNull(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

QString SingleEntryFlat::holderName(AccountHolder holder) const
{
    switch (holder) {
    case AccountHolder::Owner:
        return owner;
    case AccountHolder::Resident:
        return resident;
    case AccountHolder::FormerOwner:
        return formerOwner;
    case AccountHolder::FormerResident:
        return formerResident;
    }
    return {};
}

QString SingleEntryPlan::confirmationText() const
{
    return holderName + QStringLiteral("\n\r") + QStringLiteral(" isimli kişiye ") +
           formatAmount(debit, kAmountFormatNoZero) + QStringLiteral(" Borç ") +
           formatAmount(credit, kAmountFormatNoZero) +
           QStringLiteral(" Alacak kaydı yapılacaktır.") + QStringLiteral("\n\r") +
           QStringLiteral("Devam edilsinmi?");
}

SingleEntry::SingleEntry(const QSqlDatabase &db) : m_db(db) {}

std::optional<SingleEntryFlat> SingleEntry::findFlat(int number) const
{
    FlatRegister flats(m_db);
    const qint64 hid = flats.findByNumber(number);
    if (hid <= 0)
        return std::nullopt;
    const std::optional<FlatRecord> record = flats.load(hid);
    if (!record)
        return std::nullopt;
    return entryFlat(*record);
}

std::optional<SingleEntryFlat> SingleEntry::loadFlat(const QString &flatNumberText,
                                                     QString *message) const
{
    std::optional<SingleEntryFlat> flat = findFlat(flatNumberOf(flatNumberText));
    if (!flat && message)
        *message = notFoundMessage();
    return flat;
}

SingleEntry::Checked SingleEntry::check(const SingleEntryInput &input) const
{
    Checked result;
    auto refuse = [&result](SingleEntryRefusal::Field field, const QString &message) {
        result.refusal.field = field;
        result.refusal.message = message;
        return result;
    };

    // The flat is read again so the names written are the current ones.
    const std::optional<SingleEntryFlat> flat = findFlat(flatNumberOf(input.flatNumberText));
    if (!flat)
        return refuse(SingleEntryRefusal::Field::Flat, flatMissingMessage());
    result.refusal.flat = flat;

    // The date field is completed as when it is left; the completion accepts any day up to 31,
    // so the calendar has the last word.
    const DateCompletion completion = completeDateText(input.dateText, QDate::currentDate().year());
    if (completion.outcome == DateCompletion::Outcome::Refused)
        return refuse(SingleEntryRefusal::Field::Date, completion.message);
    QDate date;
    if (completion.outcome == DateCompletion::Outcome::Completed) {
        date = parseDisplayDate(completion.text);
        if (!date.isValid())
            return refuse(SingleEntryRefusal::Field::Date, invalidDateMessage(completion.text));
    }

    if (flat->ownerUnnamed)
        return refuse(SingleEntryRefusal::Field::Holder, ownerNameMissingMessage());
    // A movement on a blank name would belong to nobody's account.
    const QString holder = flat->holderName(input.holder);
    if (holder.trimmed().isEmpty())
        return refuse(SingleEntryRefusal::Field::Holder, holderNameMissingMessage());

    if (flat->number < 1)
        return refuse(SingleEntryRefusal::Field::Flat, flatNumberMissingMessage());

    const double debit = shownAmount(input.debit);
    const double credit = shownAmount(input.credit);
    if (debit < 0 || credit < 0)
        return refuse(SingleEntryRefusal::Field::Amount, negativeAmountMessage());
    if (debit < 0.01 && credit < 0.01)
        return refuse(SingleEntryRefusal::Field::Amount, amountMissingMessage());
    // Two amounts of a kuruş each are a pair too: one of them would be dropped silently.
    if (debit >= 0.01 && credit >= 0.01)
        return refuse(SingleEntryRefusal::Field::Amount, bothAmountsMessage());

    if (!date.isValid())
        return refuse(SingleEntryRefusal::Field::Date, dateMissingMessage());

    SingleEntryPlan plan;
    plan.flat = *flat;
    plan.holderName = holder;
    plan.date = date;
    plan.dateText = completion.text;
    plan.debit = debit;
    plan.credit = credit;
    plan.description = input.description;
    plan.currency = input.currency.trimmed().isEmpty() ? kHomeCurrency : input.currency.trimmed();
    plan.type = input.type;
    plan.paymentMethod = input.paymentMethod;
    plan.interest = input.interest;
    plan.addIncome = input.addIncome;
    result.plan = plan;
    result.refusal = {};
    return result;
}

qint64 SingleEntry::nextReceiptNumber() const
{
    const QVariant largest =
        scalar(m_db, QStringLiteral("SELECT MAX(mahsupid) FROM isletgelir WHERE mahsupid > 0"));
    return largest.isNull() ? 1 : largest.toLongLong() + 1;
}

SingleEntryWriter::SingleEntryWriter(const QSqlDatabase &db)
    : m_db(db), m_movements(db), m_income(db), m_link(db)
{
    if (!m_income.prepare(QStringLiteral(
            "INSERT INTO isletgelir (sicilhareketid, mahsupid, uye_sicil_kodu, uye_adi_soyadi, "
            "islem_tarihi, faturatarihi, islem_vadesi, geliradi, toplamtutar, aciklama, "
            "doviz_cinsi, islemturu) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")))
        throw OperationError(m_income.lastError().databaseText());
    if (!m_link.prepare(QStringLiteral("UPDATE sicilcarihar SET isletmegelirid = ? WHERE cid = ?")))
        throw OperationError(m_link.lastError().databaseText());
}

SingleEntrySaved SingleEntryWriter::write(const SingleEntryPlan &plan)
{
    SingleEntrySaved keys;
    LedgerMovement m;
    m.flatNumber = plan.flat.number;
    m.holder = plan.holderName;
    m.date = plan.date;
    m.debit = plan.debit > 0 ? plan.debit : 0.0;
    m.credit = plan.debit > 0 ? 0.0 : plan.credit;
    m.currency = plan.currency;
    m.type = plan.type;
    m.description = plan.description;
    m.block = plan.flat.block;
    m.flat = plan.flat.flat;
    m.outerDoor = plan.flat.outerDoor;
    m.ownerName = plan.flat.ownerSnapshot;
    m.residentName = plan.flat.residentSnapshot;
    m.interest = plan.interest;
    keys.movement = m_movements.append(m);
    if (!(plan.addIncome && m.credit > 0))
        return keys;

    // Read inside the caller's transaction, so no other writer can take the same number.
    if (m_nextReceipt == 0)
        m_nextReceipt = SingleEntry(m_db).nextReceiptNumber();
    keys.receipt = m_nextReceipt++;
    const QString day = m.date.toString(QStringLiteral("yyyy-MM-dd"));
    const QString currency = m.currency.isEmpty() ? kHomeCurrency : m.currency;
    const QVariant values[] = {
        keys.movement, keys.receipt, m.flatNumber, m.holder, day, day, day,
        // The book's reports group by the full type name, not the ledger's cut one.
        textOrNull(plan.type.left(kIncomeTypeLength)), m.credit, textOrNull(m.description),
        currency, textOrNull(plan.paymentMethod)};
    for (int i = 0; i < int(std::size(values)); ++i)
        m_income.bindValue(i, values[i]);
    if (!m_income.exec())
        throw OperationError(m_income.lastError().databaseText());
    keys.incomeLine = m_income.lastInsertId().toLongLong();
    // The movement points back at its income line, as a payment typed in the book does.
    m_link.bindValue(0, keys.incomeLine);
    m_link.bindValue(1, keys.movement);
    if (!m_link.exec())
        throw OperationError(m_link.lastError().databaseText());
    return keys;
}

Result SingleEntry::save(const SingleEntryPlan &plan, SingleEntrySaved *saved) const
{
    SingleEntrySaved keys;
    const Result result =
        runInTransaction(m_db, [&] { keys = SingleEntryWriter(m_db).write(plan); });
    if (result && saved)
        *saved = keys;
    return result;
}

QString SingleEntry::notFoundMessage()
{
    return QStringLiteral("Kayıt bulunamadı!");
}

QString SingleEntry::flatMissingMessage()
{
    return QStringLiteral("Kayıt edilemedi! Daire numarasını kontrol edin!");
}

QString SingleEntry::ownerNameMissingMessage()
{
    return QStringLiteral("Adını Girmelisiniz!");
}

QString SingleEntry::holderNameMissingMessage()
{
    return QStringLiteral("Hareketin girileceği kişinin adı kayıtlı değil! Başka bir kişi seçin.");
}

QString SingleEntry::flatNumberMissingMessage()
{
    return QStringLiteral("Numarasını Girmelisiniz!");
}

QString SingleEntry::amountMissingMessage()
{
    return QStringLiteral("İşlem Tutarı Girmelisiniz!");
}

QString SingleEntry::bothAmountsMessage()
{
    return QStringLiteral("Sadece Borç veya Alacak Tutarı Girmelisiniz!\n\r"
                          "Borç ve Alacak Tutarını birlikte giremezsiniz!");
}

QString SingleEntry::negativeAmountMessage()
{
    return QStringLiteral("Tutarlar eksi olamaz! Borç veya Alacak Tutarını artı girin.");
}

QString SingleEntry::dateMissingMessage()
{
    return QStringLiteral("İşlem Tarihi Girmelisiniz!");
}

QString SingleEntry::invalidDateMessage(const QString &completedText)
{
    return QLatin1Char('"') + completedText + QLatin1Char('"') +
           QStringLiteral(" tarih girişiniz uygun değil!");
}

} // namespace dalvira
