#pragma once

#include "common/Money.h"
#include "common/Result.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace dalvira {

// The filter entry meaning "all" in the currency and type lists.
inline constexpr const char *kAllChoice = "Hepsi";
// The title line of a whole-flat statement.
inline constexpr const char *kWholeFlatTitle = "Tüm Daireye Ait Hareketler";

// Whose movements a statement (or a balance) takes: an account is the pair of flat number and
// holder name, and a person's statement follows the name through every flat.
struct StatementSelection
{
    enum class Mode { WholeFlat, Holder, HolderInFlat };
    Mode mode = Mode::WholeFlat;
    int flatNumber = 0; // WholeFlat, HolderInFlat
    QString holder;     // Holder, HolderInFlat: adi_soyadi as written

    static StatementSelection wholeFlat(int flatNumber);
    static StatementSelection ofHolder(const QString &holder);
    static StatementSelection holderInFlat(const QString &holder, int flatNumber);

    bool usesFlat() const { return mode != Mode::Holder; }
    bool usesHolder() const { return mode != Mode::WholeFlat; }
    // The statement's title line: the holder's name, or "Tüm Daireye Ait Hareketler".
    QString title() const;
    bool operator==(const StatementSelection &) const = default;
};

// Debit and credit totals of a selection; balance = debit - credit (a debt when positive).
struct LedgerSums
{
    Money debit;
    Money credit;
    Money balance() const { return debit - credit; }
    LedgerSums operator-(const LedgerSums &o) const { return {debit - o.debit, credit - o.credit}; }
    bool operator==(const LedgerSums &) const = default;
};

// The conditions of the balance query. Dates bound the movement date; a null date leaves that
// side open. Currency and type "Hepsi" (or empty) take every one; amounts of different
// currencies are then simply added.
struct BalanceQuery
{
    StatementSelection selection;
    QDate upToIncluding; // islem_tarihi <= this day
    QDate before;        // islem_tarihi < this day (the carry-over of a period starting then)
    QDate from;          // islem_tarihi >= this day
    QString currency = QStringLiteral("Hepsi");
    QString type = QStringLiteral("Hepsi"); // compared on its first 15 characters
    bool principalOnly = false;             // faiz_id <> 2
};

// The balance of the selection. Throws OperationError with the database's message.
LedgerSums sumLedger(const QSqlDatabase &db, const BalanceQuery &query);

// Period and filters of a statement. Both days are included.
struct StatementFilter
{
    QDate firstDay;
    QDate reportDate;
    QString currency = QStringLiteral("TL");
    QString type = QStringLiteral("Hepsi");
};

// One movement as the statement shows it, with the balance after it.
struct StatementLine
{
    qint64 cid = 0;
    int flatNumber = 0;
    QString outerDoor; // dis_kapi_numarasi
    QString block;     // blok
    QString flat;      // dairesi
    QString section;   // kisim
    QDate date;
    QString holder;
    QString description;
    Money debit;
    Money credit;
    QString currency;
    QString type;
    bool interest = false;
    Money balance; // running balance: carry-over plus every line up to this one

    // "Dış K.:" door + " Bl.:" block + " Da.:" flat + " No:" number, as the printout shows it.
    QString flatText() const;
    // description + " - " + type.
    QString descriptionWithType() const;
};

struct Statement
{
    StatementSelection selection;
    StatementFilter filter;
    LedgerSums carryOver;       // "Devir": before the first day
    LedgerSums totals;          // "T.": up to and including the report date
    QList<StatementLine> lines; // the period's movements in date order

    LedgerSums period() const { return totals - carryOver; } // "D."
    QString title() const { return selection.title(); }
    // The running balance after the last line (the carry-over when there is none).
    Money finalBalance() const;
    // The holder the statement is about: the selected one, or for a whole flat the holder of
    // its first movement.
    QString holderName() const;
};

// Reads the statement in one query: the period's movements of the selection that match the
// filters, with the carry-over and the totals. Running balances start at the carry-over.
Result loadStatement(const QSqlDatabase &db, const StatementSelection &selection,
                     const StatementFilter &filter, Statement &statement);

// The charges (debit > 0) of the selection in the period, in the chosen currency unless
// "Hepsi", whatever their type: the lines of the receipt.
Result loadStatementCharges(const QSqlDatabase &db, const StatementSelection &selection,
                            const StatementFilter &filter, QList<StatementLine> &charges);

// "Satır Sil": deletes the movement and every income line of the operating book that records
// it (isletgelir.sicilhareketid), in one transaction. A movement deleted meanwhile elsewhere
// is left alone: found is false and nothing is deleted.
struct MovementDeletion
{
    bool found = false;
    int incomeLines = 0;
};
Result deleteStatementMovement(const QSqlDatabase &db, qint64 cid, MovementDeletion *outcome);

// The two questions of "Satır Sil", verbatim.
QString deleteMovementQuestion();
QString deleteMovementSecondQuestion();

} // namespace dalvira
