#pragma once

#include "common/Result.h"
#include "flats/FlatRecord.h"

#include <QSqlDatabase>
#include <QStringList>
#include <optional>

namespace dalvira {

class BatchProgress;

// The flats of the open site (siciltablo): loading, storing with the before-store rules and
// their checks, deleting, numbering and browsing in flat-number order, and the blank clean-up
// of the name fields.
class FlatRegister
{
public:
    explicit FlatRegister(const QSqlDatabase &db);

    std::optional<FlatRecord> load(qint64 hid) const;
    // The flat with this number (the first one, should old data hold several); 0 when none.
    qint64 findByNumber(int number) const;
    int count() const;

    // The number "Yeni Daire" proposes: 1 on an empty table, otherwise the largest + 1.
    int nextFlatNumber() const;

    // Browsing in flat-number order (ties by hid). From a flat not stored yet (0), Previous
    // and Next behave as Last and First. 0 when there is no such flat.
    enum class Move { First, Previous, Next, Last };
    qint64 neighbour(qint64 currentHid, Move move) const;

    // Stores the flat: a new one (hid 0) is appended and gets its hid, a stored one is
    // updated. The before-store rules are applied to flat first (the caller sees the stored
    // values). Refused, with nothing written:
    //  - a number another flat already has: duplicateNumberMessage(number); a stored flat
    //    keeping its own number is of course accepted;
    //  - no number or no owner's first name: requiredFieldsMessage().
    // Columns that siciltablo does not have are ignored.
    Result save(FlatRecord &flat);

    // Deletes the flat; its ledger movements stay.
    Result remove(qint64 hid);

    // "Fazla Boşluk Sil": trims leading and trailing blanks of adi, soyadi, oturan_adi and
    // oturan_soyadi of every flat, as one transaction, reporting each flat to progress
    // ("Bekleyin aktarılıyor...", "Yapılan güncelleme :" n "/" total, "Güncelleme bitti.").
    // A cancel through progress leaves every flat as it was.
    Result removeExtraBlanks(BatchProgress *progress = nullptr);

    // Column names of siciltablo in table order.
    QStringList columns() const;

    static QString duplicateNumberMessage(int number);
    static QString requiredFieldsMessage();

private:
    QSqlDatabase m_db;
};

} // namespace dalvira
