#pragma once

#include "book/ChoiceEntries.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

namespace dalvira {

// One movement of a flat's ledger (a row of sicilcarihar) as a writer hands it over.
// Every writer of the program appends through appendMovement, so the ledger's rules hold for
// all of them: amounts are positive and their column gives the direction, the currency is
// never empty, the block/flat/door copies are taken only when there is something to copy, and
// faiz_id is 0 or 2 with its companion columns.
struct LedgerMovement
{
    int flatNumber = 0;    // sicil_kodu
    qint64 flatRecord = 0; // sicil_kayitno_id (the flat's hid); 0 leaves it empty
    QString holder;        // adi_soyadi: the account holder's full name
    QDate date;            // islem_tarihi
    double debit = 0;      // borc
    double credit = 0;     // alacak
    QString currency;      // para_cinsi; empty means "TL"
    QString type;          // aidat_turu; longer names are cut to kTypeLength characters
    QString description;   // aciklama

    // Copies of the flat as it is now; empty ones are left empty.
    QString block;     // blok
    QString flat;      // dairesi
    QString outerDoor; // dis_kapi_numarasi

    // Who owned and who lived in the flat when the movement was written; empty ones are left
    // empty (writers that do not record them leave both empty).
    QString ownerName;    // daire_sahibi_adi_soyadi
    QString residentName; // oturan_adi_soyadi

    // Interest movement (faiz_id 2, with son_faiz_tarih and son_faiz); otherwise faiz_id 0.
    bool interest = false;

    // Links to the batch or book line that wrote the movement; 0 leaves the column empty.
    qint64 accrualBatch = 0; // aidat1id = aiadataktar.aid
    qint64 bankList = 0;     // bankaid = bankaaktar.bid
    qint64 sheetBatch = 0;   // nakitid = borcalacak.bid
    qint64 incomeLine = 0;   // isletmegelirid = isletgelir.idi
    QDate dueDate;           // vadesi (cash entries); invalid leaves it empty
};

// aidat_turu holds this many characters; the statement's type filter compares that many.
inline constexpr int kTypeLength = 15;

// Appends the movement to sicilcarihar on db and returns its cid. Throws OperationError (so an
// enclosing transaction rolls back) when the movement breaks the ledger's rules: no valid date,
// a negative or non-finite amount, or a charge and a payment in the same movement.
qint64 appendMovement(const QSqlDatabase &db, const LedgerMovement &movement);

// The same writer for many movements in a row (a batch inside one transaction): the insert is
// prepared once, which is most of the cost of a single movement.
class MovementWriter
{
public:
    explicit MovementWriter(const QSqlDatabase &db); // throws OperationError
    // As appendMovement.
    qint64 append(const LedgerMovement &movement);

private:
    QSqlQuery m_query;
};

} // namespace dalvira
