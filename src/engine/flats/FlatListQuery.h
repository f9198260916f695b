#pragma once

#include "common/Result.h"
#include "flats/FlatListRow.h"

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace dalvira {

// A "Kısıtla" restriction: when checked, the field must equal the text (Turkish case folded,
// blanks at both ends ignored); an empty text then keeps only flats whose field is empty.
struct FlatListRestriction
{
    bool checked = false;
    QString text;
};

// The search fields of the flat list. The first filled field of flat number, identity number,
// name and telephone decides the filter; the restrictions apply to the name search and, with
// no search field filled, on their own.
struct FlatListFilter
{
    QString flatNumber; // "Kayıt No": sicil_kodu equals the number
    QString identity;   // "TC": tc_kimlik or oturan_tc_kimlik equals the text
    QString name;       // "Adı/Soyadı": an owner's or resident's first name or surname begins
                        // with it
    QString phone;      // "Telefon" as shown in its mask: one of the nine telephone columns
                        // equals it (used when it holds a number above 0)
    FlatListRestriction block; // blok
    FlatListRestriction flat;  // dairesi
    FlatListRestriction door;  // dis_kapi_numarasi

    // The four search fields emptied; the restrictions are kept.
    void clearSearch();
};

// The list's order: a column of siciltablo and "ASC" or "DESC". Text columns sort in Turkish
// alphabetical order; equal keys keep the order in which the flats were entered.
struct FlatListOrder
{
    QString field = QStringLiteral("adi");
    QString direction = QStringLiteral("ASC");

    static FlatListOrder byName() { return {}; }
    static FlatListOrder byFlatNumber()
    {
        return {QStringLiteral("sicil_kodu"), QStringLiteral("ASC")};
    }
};

// The sort direction of a click on a column title: "ASC", "DESC", "ASC", ... whichever column
// is clicked, starting with "ASC". One instance is shared by every grid that shows the list.
class FlatListSortToggle
{
public:
    // The direction for this click (and remembered for the next one).
    QString next();
    QString current() const { return m_direction; } // empty before the first click

private:
    QString m_direction;
};

// Whether the text is a column of siciltablo the list can be ordered by.
bool isFlatListOrderField(const QString &field);

// The flats in the order given; with filterOn the filter decides which are kept, otherwise all
// of them. On failure rows is left empty and the result carries the database's message.
Result loadFlatList(const QSqlDatabase &db, const FlatListFilter &filter, bool filterOn,
                    const FlatListOrder &order, QList<FlatListRow> &rows);

// The number of flats of the open site, whatever the filter.
Result countFlats(const QSqlDatabase &db, int &count);

// "SIRAYLA BUL": the next row after current (from the first row when current is the last one
// or none) whose names, identity numbers or telephones contain the search text, wrapping round
// once; -1 when no row matches. Only the first filled of name, identity and telephone counts.
struct FlatFindText
{
    QString name;
    QString identity;
    QString phone; // as shown in its mask; counts when it holds a digit
};
int findNextFlat(const QList<FlatListRow> &rows, int current, const FlatFindText &text);

// The owner's and resident's photos of a flat (empty when none).
struct FlatPhotos
{
    QByteArray owner;    // sahibi_foto
    QByteArray resident; // oturan_foto
};
Result loadFlatPhotos(const QSqlDatabase &db, qint64 hid, FlatPhotos &photos);

} // namespace dalvira
