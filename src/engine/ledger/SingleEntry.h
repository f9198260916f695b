#pragma once

#include "common/Result.h"
#include "flats/FlatRecord.h"
#include "ledger/MovementWriter.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <optional>

namespace dalvira {

// The flat as the single entry screen shows it: its number, the four holder names (first
// name, blank, surname, as the ledger keeps them) and its block, door and street door.
struct SingleEntryFlat
{
    qint64 hid = 0;
    int number = 0;
    QString owner;
    QString resident;
    QString formerOwner;
    QString formerResident;
    QString block;
    QString flat;
    QString outerDoor;

    // The owner's first name and surname are both blank.
    bool ownerUnnamed = true;
    // Snapshots for the movement: empty when the holder's first name was never set.
    QString ownerSnapshot;
    QString residentSnapshot;

    QString holderName(AccountHolder holder) const;
};

// What the user typed on the screen, as text where the screen completes it.
struct SingleEntryInput
{
    QString flatNumberText; // "Kayıt No"
    QString dateText;       // "Tarihi", dd.mm.yyyy (blanks of the mask allowed)
    double debit = 0;       // "Borç Tutarı"
    double credit = 0;      // "Ödeme Tutarı"
    QString description;    // "Açıklama"
    QString currency;       // "Para Cinsi"; empty is stored as "TL"
    QString type;           // "Gelir Türü", the full name as chosen
    QString paymentMethod;  // "Ödeme Şekli"; only the income line takes it
    AccountHolder holder = AccountHolder::Resident; // "Hareketin Girileceği Kişi"
    bool interest = false;                          // "İşlem Faiz Tutarıdır"
    bool addIncome = true;                          // "İşletme Gelir'e de Ekle"
};

// An entry that passed every check, ready to be written once the user agrees.
struct SingleEntryPlan
{
    SingleEntryFlat flat;
    QString holderName;
    QDate date;
    QString dateText; // the completed date field
    double debit = 0; // exactly one of debit and credit is above 0
    double credit = 0;
    QString description;
    QString currency; // never empty
    QString type;
    QString paymentMethod;
    bool interest = false;
    bool addIncome = true;

    // The question asked before writing (Yes writes, No leaves everything as it was).
    QString confirmationText() const;
    // An income line goes with the movement: a payment with "İşletme Gelir'e de Ekle".
    bool writesIncome() const { return addIncome && credit > 0; }
};

// What the checks say about a refused entry; the screen shows message and, for a refused
// date, empties the date field.
struct SingleEntryRefusal
{
    enum class Field { Flat, Date, Holder, Amount, Other };
    Field field = Field::Other;
    QString message;
    // The flat as it is stored now, when it was found (the screen refreshes its fields).
    std::optional<SingleEntryFlat> flat;
};

// The keys of what save() wrote.
struct SingleEntrySaved
{
    qint64 movement = 0;   // sicilcarihar.cid
    qint64 incomeLine = 0; // isletgelir.idi, 0 when no income line was written
    qint64 receipt = 0;    // isletgelir.mahsupid of that line
};

// Writes checked entries: the movement and, when the plan says so, its income line linked both
// ways, with the next receipt number. Its statements are prepared once, so a run of entries
// inside one transaction pays for them once. It joins the caller's transaction and opens none.
class SingleEntryWriter
{
public:
    explicit SingleEntryWriter(const QSqlDatabase &db);  // throws OperationError
    SingleEntrySaved write(const SingleEntryPlan &plan); // throws OperationError

private:
    QSqlDatabase m_db;
    MovementWriter m_movements;
    QSqlQuery m_income;
    QSqlQuery m_link;
    qint64 m_nextReceipt = 0; // read from the book at the first income line
};

// "Üye Borç-Ödeme Girişi": one charge or one payment on the account of one holder of one
// flat, with the payment optionally booked as income of the operating book.
class SingleEntry
{
public:
    explicit SingleEntry(const QSqlDatabase &db);

    // "Getir": the flat whose number the field holds (read as an amount, taken whole).
    // Refused with notFoundMessage().
    std::optional<SingleEntryFlat> loadFlat(const QString &flatNumberText,
                                            QString *message = nullptr) const;
    // The flat with this number, nullopt when there is none.
    std::optional<SingleEntryFlat> findFlat(int number) const;

    // The checks of "Kaydet", in the order the user meets them. Nothing is written.
    // Either plan is set or refusal is.
    struct Checked
    {
        std::optional<SingleEntryPlan> plan;
        SingleEntryRefusal refusal;
        bool ok() const { return plan.has_value(); }
    };
    Checked check(const SingleEntryInput &input) const;

    // Writes the movement and, for a payment with the income box ticked, its income line
    // linked both ways, as one transaction: all of it or nothing.
    Result save(const SingleEntryPlan &plan, SingleEntrySaved *saved = nullptr) const;

    // The next receipt number of the income book: the largest mahsupid above 0 plus 1, or 1.
    qint64 nextReceiptNumber() const;

    // The texts of the refusals.
    static QString notFoundMessage();          // "Kayıt bulunamadı!"
    static QString flatMissingMessage();       // the flat vanished before saving
    static QString ownerNameMissingMessage();  // "Adını Girmelisiniz!"
    static QString holderNameMissingMessage(); // the chosen holder has no name
    static QString flatNumberMissingMessage(); // "Numarasını Girmelisiniz!"
    static QString amountMissingMessage();     // "İşlem Tutarı Girmelisiniz!"
    static QString bothAmountsMessage();       // charge and payment together
    static QString negativeAmountMessage();    // a negative amount
    static QString dateMissingMessage();       // "İşlem Tarihi Girmelisiniz!"
    // A completed date that is not on the calendar (31.02.2024), in the date field's words.
    static QString invalidDateMessage(const QString &completedText);

private:
    QSqlDatabase m_db;
};

} // namespace dalvira
