#pragma once

#include "common/Result.h"
#include "flats/FlatRecord.h"
#include "ledger/InstalmentPlan.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace dalvira {

class BatchProgress;

// How each flat's charge of an instalment is derived ("Aidatın Dağıtım Şekli Seçimi").
enum class AccrualMethod {
    Fixed,            // "Standart Herkese Sabit": the instalment's amount
    ByCriterion,      // "Dağıtım Kriterine Göre": the amount per unit times the criterion
    RegisteredDues,   // "Üye Kayıtlı Aidatına Göre": the flat's own registered dues
    ShareByCriterion, // "Dağıtım Kriterine Paylaştır": the instalment shared by the criteria
};

// Which flats are charged ("AKTARMA KISITLAMALARI"): a restriction counts when it is ticked
// and its text is not empty.
struct AccrualRestrictions
{
    bool byNumber = false;
    QString number; // sicil_kodu ("Üye Numarası")
    bool byBlock = false;
    QString block; // blok ("Bloğu")
    bool byFlat = false;
    QString flat; // dairesi ("Dairesi")
    bool byDoor = false;
    QString door; // dis_kapi_numarasi ("Dış Kapı")
};

struct BulkAccrualRequest
{
    // Up to twelve instalments; one without a date or without an amount above 0 is not
    // charged.
    QList<Instalment> instalments;
    QDate firstDate; // "İlk Ödeme Tarihi": the batch's date; invalid takes the transfer's time
    AccrualRestrictions restrictions;
    AccountHolder holder = AccountHolder::Resident; // Resident or Owner
    AccrualMethod method = AccrualMethod::Fixed;
    int roundingDecimals = 0; // "Yuvarlaması"; brought into 0..2 (the kuruş is the finest unit)
    QString type;             // "Gelir Türü" (aidat_turu)
    QString currency;         // "Para Cinsi"; empty charges "TL" and is left out of the batch text
    QString description;      // "Açıklama"
};

// What the plan will charge: the sum and the number of the instalments that have both a date
// and an amount above 0 (the screen writes them into "Toplam Tutarı" and "Ödeme Sayısı").
struct BulkAccrualSummary
{
    double total = 0;
    int instalments = 0;
};

// A flat left out of a transfer because the chosen person has no name.
struct SkippedFlat
{
    int number = 0;
    QString block;
    QString flat;
};

struct BulkAccrualOutcome
{
    qint64 batchId = 0;
    int flats = 0;     // flats charged
    int movements = 0; // movements written
    QList<SkippedFlat> skipped;
};

// Checks the plan before the question is asked. Fails with "Taksit tutarları veya tarihleri
// girilmemiş! İşlem iptal edildi." when the amounts add up to less than 0.01, no instalment
// has a date, or none has both.
Result summarizeBulkAccrual(const BulkAccrualRequest &request, BulkAccrualSummary &summary);

// One flat's charge for one instalment under Fixed, ByCriterion or RegisteredDues:
// amount × factor less discount percent, or the registered dues; rounded to decimals with
// halves to even. factor is 1 for Fixed and the criterion for ByCriterion (empty = 0).
double accrualCharge(AccrualMethod method, double amount, double factor, double registeredDues,
                     double discountPercent, int decimals);

// ShareByCriterion: the instalment amount split among the flats in proportion to their
// criteria, each share rounded to the unit of decimals so that the shares add up exactly to
// the amount (rounded to that unit); the units left over by rounding down go to the largest
// remainders, earlier flats first on ties. Empty when the criteria add up to 0 or one is
// negative.
QList<double> shareByCriterion(double amount, const QList<double> &criteria, int decimals);

// The batch's aciklama: type + " - " + description, + " - " + currency when one is chosen.
QString accrualBatchText(const QString &type, const QString &description, const QString &currency);

// Charges the plan to the selected flats as ONE transaction on db (the site connection):
// the batch row of aiadataktar (tarih the first date, toplam_tutar and taksitsay as
// summarizeBulkAccrual counts them) and one debit movement per flat and charged instalment,
// stamped with the batch's aid. Flats whose chosen person has no name get nothing and are
// listed in outcome.skipped. progress (optional) gets one step per flat and may cancel; a
// cancelled or failed transfer leaves neither the batch nor any movement.
Result transferBulkAccrual(const QSqlDatabase &db, const BulkAccrualRequest &request,
                           BatchProgress *progress = nullptr,
                           BulkAccrualOutcome *outcome = nullptr);

// Undoes a batch: deletes every movement whose aidat1id is aid, then the batch row, in one
// transaction. removed receives the number of movements deleted.
Result undoAccrualBatch(const QSqlDatabase &db, qint64 aid, BatchProgress *progress = nullptr,
                        int *removed = nullptr);

QString bulkAccrualQuestion();     // asked before a transfer
QString bulkAccrualUndoQuestion(); // asked before an undo
QString noFlatsToChargeMessage();
QString noCriterionMessage();
QString missingBatchMessage();
// The list shown after a transfer that left flats out.
QString skippedFlatsMessage(const QList<SkippedFlat> &skipped);

} // namespace dalvira
