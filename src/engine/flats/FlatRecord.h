#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace dalvira {

// One row of siciltablo: a flat with its owner, resident, their predecessors, photos and dues
// parameters. Values are keyed by column name; an absent or null value is an empty column.
struct FlatRecord
{
    qint64 hid = 0; // 0 for a flat not stored yet
    QVariantMap values;

    QVariant value(const QString &column) const { return values.value(column); }
    QString text(const QString &column) const { return values.value(column).toString(); }
    void set(const QString &column, const QVariant &value) { values.insert(column, value); }
    // sicil_kodu, 0 when empty.
    int number() const { return values.value(QStringLiteral("sicil_kodu")).toInt(); }
};

// The four account holders a flat names; a ledger movement belongs to exactly one of them.
enum class AccountHolder { Owner, Resident, FormerOwner, FormerResident };

// The holder's full name as the ledger records it: first name, one blank, surname.
QString holderName(const FlatRecord &flat, AccountHolder holder);
// The same, but empty when the holder's first name is not set: the snapshot columns of a
// movement leave an unknown owner or resident empty.
QString holderSnapshotName(const FlatRecord &flat, AccountHolder holder);
// The first-name and surname columns of a holder.
QString holderFirstNameColumn(AccountHolder holder);
QString holderSurnameColumn(AccountHolder holder);

// The rules applied to a flat just before it is stored:
// - adi, soyadi, dairesi, baba_adi and anne_adi lose their leading and trailing blanks;
// - with no resident name (both oturan_adi and oturan_soyadi empty) the owner lives in the
//   flat: the owner's name, identity number, telephones, entry date, fax and e-mail are copied
//   into the resident's columns, and the resident's dues discount, distribution criterion and
//   fixed dues are copied into the owner's. A dues parameter the resident column leaves empty
//   (or 0) does not wipe the owner's value; the owner's value is copied to the resident then,
//   so owner and resident agree and nothing typed is lost.
void applyBeforeStoreRules(FlatRecord &flat);

} // namespace dalvira
