#pragma once

#include "flats/FlatRecord.h"

#include <QString>
#include <QVariant>

namespace dalvira {

// One flat as the flat list shows it: every column of `siciltablo` the list, its searches,
// printouts, export and picks read (the photos are read on demand by hid).
struct FlatListRow
{
    qint64 hid = 0;
    QVariant flatNumber; // sicil_kodu (null when the row has none)
    QString block;       // blok
    QString flat;        // dairesi
    QString section;     // kisim
    QString door;        // dis_kapi_numarasi
    QString plate;       // bos_text1
    QVariant residents;  // oturan_kisi_sayisi
    QVariant children;   // oturan_cocuk_sayisi

    QString ownerFirst;   // adi
    QString ownerLast;    // soyadi
    QString ownerId;      // tc_kimlik
    QString ownerPhone;   // tel1
    QString ownerPhone2;  // tel2
    QString ownerMobile;  // ceptel
    QString ownerMobile2; // ceptel2
    QString ownerFax;     // fax

    QString residentFirst;   // oturan_adi
    QString residentLast;    // oturan_soyadi
    QString residentId;      // oturan_tc_kimlik
    QString residentPhone;   // oturan_tel1
    QString residentPhone2;  // oturan_tel2
    QString residentMobile;  // oturan_cep1
    QString residentMobile2; // oturan_cep2

    QString formerOwnerFirst;    // onceki_ev_sahibi_adi
    QString formerOwnerLast;     // onceki_ev_sahibi_soyadi
    QString formerOwnerPhone;    // onceki_ev_sahibi_tel
    QString formerResidentFirst; // onceki_oturan_adi
    QString formerResidentLast;  // onceki_oturan_soyadi
    QString formerResidentPhone; // onceki_oturan_tel

    // Account holder texts: first name, one blank, surname, exactly as the ledger keeps them.
    QString ownerName() const;          // adsoyad
    QString residentName() const;       // adsoyadoturan
    QString formerOwnerName() const;    // oncekisahibiadsoyad
    QString formerResidentName() const; // oncekioturanadsoyad

    // "blok dairesi kisim" for the printouts' B/D/K column.
    QString blockFlatSection() const;
    QString flatNumberText() const;
};

// A holder name for lists and printouts: empty when both parts are empty, so a flat without a
// former owner shows nothing instead of a lone blank.
QString shownName(const QString &holderName);

// Which holders a pick offers. Mode 1 (current holders): the owner and the resident. Mode 2
// (former holders): the former owner when one is recorded, otherwise the owner, and likewise
// the former resident or the resident.
enum class FlatPickMode { CurrentHolders = 1, FormerHolders = 2 };

struct FlatPickNames
{
    QString owner;    // A
    QString resident; // B
    // Both are the same person: the owner's name is written without a question.
    bool needsQuestion() const { return owner != resident; }
};

FlatPickNames flatPickNames(const FlatListRow &row, FlatPickMode mode);

// The question asked when the two names differ: Yes picks the owner, No the resident.
QString flatPickQuestion(const FlatPickNames &names);

// The account statement of one row, as the list's shortcuts open it.
struct FlatStatementRequest
{
    enum class Kind { Owner, Resident, FormerOwner, FormerResident, WholeFlat };
    Kind kind = Kind::Owner;
    bool wholeFlat = false;
    QString holder;      // the holder text (one-holder kinds)
    QVariant flatNumber; // sicil_kodu (whole flat)
    QString title;       // the statement's title line
    // The flat record's owner, resident and whole-flat commands start the statement on every
    // type and currency ("Hepsi"); the others keep its filters.
    bool allTypesAndCurrencies = false;
};

FlatStatementRequest flatStatementRequest(const FlatListRow &row, FlatStatementRequest::Kind kind);
// The same for the flat shown on the flat record screen.
FlatStatementRequest flatStatementRequest(const FlatRecord &flat, FlatStatementRequest::Kind kind);

} // namespace dalvira
