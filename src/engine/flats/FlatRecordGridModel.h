#pragma once

#include <QAbstractTableModel>
#include <QSqlDatabase>
#include <QStringList>

namespace dalvira {

// The list of flats beside the flat record: one read-only row per flat, in the columns
// "No", "Dış K.", block, "Daire", the owner's and the resident's full names, "Araç Plk.",
// "Kr.(Sah.)", "Kr.(Otu.)", the two fixed dues amounts and the two mobiles.
class FlatRecordGridModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct Column
    {
        QString field;     // the field name kept in "OzlukAyar.ini"
        QString title;     // the column title
        QString sortField; // what a click on the title sorts by
        bool number = false;
    };
    static const QList<Column> &gridColumns();

    // A "Kısıtla" restriction: when on, the flat's field must equal the text after
    // turkishLower on both sides (an empty text keeps only flats where the field is empty).
    struct Restriction
    {
        bool on = false;
        QString text;
    };
    struct Restrictions
    {
        Restriction block;     // blok
        Restriction flat;      // dairesi
        Restriction outerDoor; // dis_kapi_numarasi
    };

    explicit FlatRecordGridModel(QObject *parent = nullptr);

    // Rereads the flats from db with the current order and restrictions.
    void reload(const QSqlDatabase &db);
    // Order by a sort field of gridColumns() (anything else is ignored), "ASC" or "DESC".
    // The list starts ordered by the owner's first name, ascending.
    void setOrder(const QString &sortField, const QString &direction);
    QString orderField() const { return m_orderField; }
    QString orderDirection() const { return m_direction; }
    void setRestrictions(const Restrictions &restrictions) { m_restrictions = restrictions; }

    qint64 hidAt(int row) const;
    int rowOfHid(qint64 hid) const;

    // "ÜYE ARA": the next row after currentRow (from the first row when currentRow is the last
    // or none), going round once, whose resident's first name, owner's first name and owner's
    // surname, each trimmed and folded with turkishLower and joined by single blanks, contain
    // turkishLower(text). -1 when none does.
    int findNextMember(int currentRow, const QString &text) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Row
    {
        qint64 hid = 0;
        QVariantList cells;
        QString memberText; // what "ÜYE ARA" looks in
    };
    QList<Row> m_rows;
    QString m_orderField = QStringLiteral("adi");
    QString m_direction = QStringLiteral("ASC");
    Restrictions m_restrictions;
};

} // namespace dalvira
