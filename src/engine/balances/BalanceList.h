#pragma once

#include "common/Money.h"
#include "common/Result.h"

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

namespace dalvira {

class BatchProgress;

// The six layouts of the member balance list; the number is the list kind other reports read.
enum class BalanceListKind {
    GeneralDetail = 1,      // "Genel Detay Raporu": flat, holder, currency
    TypedDetail = 2,        // "Gelir Türlü Detay R.": flat, holder, currency, type
    TypedFlat = 3,          // "Gelir Türlü Daire R.": flat, currency, type
    GeneralFlat = 4,        // "Genel Daire Raporu": flat, currency
    TypedDetailSummary = 5, // "Gelir Türlü Detay Özet": flat, holder, currency; one column a type
    TypedFlatSummary = 6,   // "Gelir Türlü Daire Özet": flat, currency; one column a type
};

inline constexpr BalanceListKind kAllBalanceListKinds[] = {
    BalanceListKind::GeneralDetail,      BalanceListKind::TypedDetail,
    BalanceListKind::TypedFlat,          BalanceListKind::GeneralFlat,
    BalanceListKind::TypedDetailSummary, BalanceListKind::TypedFlatSummary};

QString balanceKindChoiceCaption(BalanceListKind kind);
QString balanceKindHeading(BalanceListKind kind);
// Kinds 5 and 6: balances pivoted into one column per transaction type.
bool isTypePivotKind(BalanceListKind kind);
// Kinds 1, 2 and 5 list one row per account holder; 3, 4 and 6 one per flat (owner, resident).
bool isHolderKind(BalanceListKind kind);
std::optional<BalanceListKind> balanceKindFromNumber(int number);

// Whose movements are counted: all, or only those booked on the name of one of the flat's
// four holders as the flat record names them now.
enum class HolderRole { All, Owner, Resident, FormerOwner, FormerResident };

// "Hepsi", "Evsahibi", "Oturan", "Eski Sahibi", "Eski Oturan", in this order.
QStringList holderRoleCaptions();
QString holderRoleCaption(HolderRole role);
std::optional<HolderRole> holderRoleFromCaption(const QString &caption);

// A ticked restriction with its text.
struct ListRestriction
{
    bool on = false;
    QString text;
};

struct BalanceListSettings
{
    QDate reportDate; // movements dated up to and including this day are counted
    BalanceListKind kind = BalanceListKind::GeneralFlat;
    HolderRole role = HolderRole::All;
    bool onlyDebtors = false;  // "Sadece Borçlular" (kinds 1 to 4)
    ListRestriction block;     // "Blok"
    ListRestriction flat;      // "Daire"
    ListRestriction outerDoor; // "Dış Kapı"
    ListRestriction currency;  // "PB"
    bool includeTotals = true; // the per-currency "Toplam" rows of kinds 1 to 4; off for printouts
    int onlyFlat = 0;          // a flat number restricts the list to that flat; 0 lists all
};

// One line of the list. A total row has no flat number (0) and carries only its currency and
// the sums.
struct BalanceRow
{
    int flatNumber = 0; // sicil_kodu
    qint64 hid = 0;
    QString outerDoor; // dis_kapi_numarasi
    QString block;
    QString flat;              // dairesi
    QString holder;            // adi_soyadi (kinds 1, 2, 5)
    QString owner;             // owner's name (kinds 3, 4, 6)
    QString resident;          // resident's name (kinds 3, 4, 6)
    QString currency;          // para_cinsi
    QString type;              // aidat_turu (kinds 2, 3)
    QString ownerIdentity;     // tc_kimlik (kind 1)
    QString residentIdentity;  // oturan_tc_kimlik (kind 1)
    QString ownerPhone;        // ceptel (kinds 3, 4)
    QString residentPhone;     // oturan_cep1 (kinds 3, 4)
    Money debit;               // "Borcu"
    Money credit;              // "Ödemesi"
    QList<Money> typeBalances; // kinds 5 and 6, one per type of BalanceList::types
    bool total = false;

    Money remaining() const { return debit - credit; } // "Kalan Borcu"
};

struct BalanceList
{
    BalanceListKind kind = BalanceListKind::GeneralFlat;
    QDate reportDate;
    QStringList types; // kinds 5 and 6: the pivot's columns, in alphabetical order
    QList<BalanceRow> rows;
    // Grand totals "Borç", "Alacak", "Bakiye": the shown rows of kinds 1 to 4 without the total
    // rows, all currencies added; zero for kinds 5 and 6.
    Money debitTotal;
    Money creditTotal;
    Money balanceTotal() const { return debitTotal - creditTotal; }
};

// Builds the list of settings.kind on the open site's data file: one grouped query per list
// (kinds 5 and 6: the types of the ledger, then one pivot query), the row filters on the grouped
// rows, then the total rows and grand totals. Kinds 1 to 4 report four steps to progress
// ("Bekleyin güncelleniyor...", "Yapılan güncelleme :" n "/4", "Güncelleme bitti.").
Result buildBalanceList(const QSqlDatabase &db, const BalanceListSettings &settings,
                        BalanceList &list, BatchProgress *progress = nullptr);

// Whether a grouped row of kinds 1 to 4 passes the ticked row filters.
bool passesRowFilter(const BalanceRow &row, const BalanceListSettings &settings);

} // namespace dalvira
