#include "flats/FlatListQuery.h"

#include "common/TextHelpers.h"
#include "storage/Sql.h"

#include <QSqlQuery>
#include <QStringList>

namespace dalvira {

namespace {

// Every column of siciltablo but the photos, for ordering.
const QStringList &orderFields()
{
    static const QStringList fields = {
        QStringLiteral("hid"),
        QStringLiteral("sicil_kodu"),
        QStringLiteral("adi"),
        QStringLiteral("soyadi"),
        QStringLiteral("giris_tarihi"),
        QStringLiteral("tc_kimlik"),
        QStringLiteral("cinsiyeti"),
        QStringLiteral("dairesi"),
        QStringLiteral("blok"),
        QStringLiteral("kisim"),
        QStringLiteral("baba_adi"),
        QStringLiteral("anne_adi"),
        QStringLiteral("tel1"),
        QStringLiteral("tel2"),
        QStringLiteral("ceptel"),
        QStringLiteral("ceptel2"),
        QStringLiteral("fax"),
        QStringLiteral("oturan_fax"),
        QStringLiteral("email"),
        QStringLiteral("oturan_mail"),
        QStringLiteral("oturan_kisi_sayisi"),
        QStringLiteral("oturan_cocuk_sayisi"),
        QStringLiteral("oturan_tc_kimlik"),
        QStringLiteral("oturan_dogumtarihi"),
        QStringLiteral("oturan_giris_tarihi"),
        QStringLiteral("aidat1indirim"),
        QStringLiteral("aidat2indirim"),
        QStringLiteral("oturan_adi"),
        QStringLiteral("oturan_soyadi"),
        QStringLiteral("oturan_tel1"),
        QStringLiteral("oturan_tel2"),
        QStringLiteral("oturan_cep1"),
        QStringLiteral("oturan_cep2"),
        QStringLiteral("oturan_email"),
        QStringLiteral("onceki_oturan_adi"),
        QStringLiteral("onceki_oturan_soyadi"),
        QStringLiteral("onceki_oturan_tel"),
        QStringLiteral("onceki_ev_sahibi_adi"),
        QStringLiteral("onceki_ev_sahibi_soyadi"),
        QStringLiteral("onceki_ev_sahibi_tel"),
        QStringLiteral("bos_text1"),
        QStringLiteral("bos_number1"),
        QStringLiteral("bos_number2"),
        QStringLiteral("bos_number3"),
        QStringLiteral("bos_number4"),
        QStringLiteral("dis_kapi_numarasi"),
    };
    return fields;
}

bool isNumericField(const QString &field)
{
    return field == QLatin1String("hid") || field == QLatin1String("sicil_kodu") ||
           field == QLatin1String("oturan_kisi_sayisi") ||
           field == QLatin1String("oturan_cocuk_sayisi") ||
           field.startsWith(QLatin1String("aidat")) ||
           field.startsWith(QLatin1String("bos_number"));
}

const char *const kSelect =
    "SELECT hid, sicil_kodu, blok, dairesi, kisim, dis_kapi_numarasi, bos_text1,"
    " oturan_kisi_sayisi, oturan_cocuk_sayisi,"
    " adi, soyadi, tc_kimlik, tel1, tel2, ceptel, ceptel2, fax,"
    " oturan_adi, oturan_soyadi, oturan_tc_kimlik, oturan_tel1, oturan_tel2, oturan_cep1,"
    " oturan_cep2,"
    " onceki_ev_sahibi_adi, onceki_ev_sahibi_soyadi, onceki_ev_sahibi_tel,"
    " onceki_oturan_adi, onceki_oturan_soyadi, onceki_oturan_tel"
    " FROM siciltablo";

const QStringList &phoneColumns()
{
    static const QStringList columns = {
        QStringLiteral("tel1"),        QStringLiteral("tel2"),        QStringLiteral("ceptel"),
        QStringLiteral("ceptel2"),     QStringLiteral("fax"),         QStringLiteral("oturan_tel1"),
        QStringLiteral("oturan_tel2"), QStringLiteral("oturan_cep1"), QStringLiteral("oturan_cep2"),
    };
    return columns;
}

// A telephone as the mask shows it, with "_" for a missing digit, compares like the stored text
// with blanks there; blanks at the ends do not count.
QString phoneKey(const QString &text)
{
    QString key = text;
    key.replace(QLatin1Char('_'), QLatin1Char(' '));
    return key.trimmed();
}

bool hasDigit(const QString &text)
{
    for (const QChar c : text) {
        if (c.isDigit())
            return true;
    }
    return false;
}

// The checked restrictions, ANDed onto the conditions.
void addRestrictions(const FlatListFilter &filter, QStringList &conditions, QVariantList &params)
{
    const std::pair<const FlatListRestriction *, const char *> restrictions[] = {
        {&filter.block, "blok"},
        {&filter.flat, "dairesi"},
        {&filter.door, "dis_kapi_numarasi"},
    };
    for (const auto &[restriction, column] : restrictions) {
        if (!restriction->checked)
            continue;
        conditions << QStringLiteral("trlower(coalesce(%1, '')) = ?").arg(QLatin1String(column));
        params << turkishLower(restriction->text);
    }
}

QString whereClause(const FlatListFilter &filter, QVariantList &params)
{
    QStringList conditions;
    if (!filter.flatNumber.isEmpty()) {
        conditions << QStringLiteral("sicil_kodu = ?");
        params << parseAmount(filter.flatNumber);
    } else if (!filter.identity.isEmpty()) {
        conditions << QStringLiteral("(tc_kimlik = ? OR oturan_tc_kimlik = ?)");
        params << filter.identity << filter.identity;
    } else if (!filter.name.isEmpty()) {
        // Begins with: the field's first characters, both sides folded the Turkish way.
        const QString needle = turkishLower(filter.name);
        QStringList names;
        for (const char *column : {"adi", "oturan_adi", "soyadi", "oturan_soyadi"}) {
            names << QStringLiteral("substr(trlower(coalesce(%1, '')), 1, ?) = ?")
                         .arg(QLatin1String(column));
            params << needle.size() << needle;
        }
        conditions << QLatin1Char('(') + names.join(QStringLiteral(" OR ")) + QLatin1Char(')');
        addRestrictions(filter, conditions, params);
    } else if (parseAmount(filter.phone) > 0) {
        QStringList phones;
        for (const QString &column : phoneColumns()) {
            phones << QStringLiteral("trim(replace(coalesce(%1, ''), '_', ' ')) = ?").arg(column);
            params << phoneKey(filter.phone);
        }
        conditions << QLatin1Char('(') + phones.join(QStringLiteral(" OR ")) + QLatin1Char(')');
    } else {
        addRestrictions(filter, conditions, params);
    }
    return conditions.isEmpty()
               ? QString()
               : QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
}

QString text(const QSqlQuery &q, int column)
{
    return q.value(column).toString();
}

QVariant number(const QSqlQuery &q, int column)
{
    const QVariant v = q.value(column);
    return v.isNull() ? QVariant() : QVariant(v.toLongLong());
}

FlatListRow readRow(const QSqlQuery &q)
{
    FlatListRow row;
    int c = 0;
    row.hid = q.value(c++).toLongLong();
    row.flatNumber = number(q, c++);
    row.block = text(q, c++);
    row.flat = text(q, c++);
    row.section = text(q, c++);
    row.door = text(q, c++);
    row.plate = text(q, c++);
    row.residents = number(q, c++);
    row.children = number(q, c++);
    row.ownerFirst = text(q, c++);
    row.ownerLast = text(q, c++);
    row.ownerId = text(q, c++);
    row.ownerPhone = text(q, c++);
    row.ownerPhone2 = text(q, c++);
    row.ownerMobile = text(q, c++);
    row.ownerMobile2 = text(q, c++);
    row.ownerFax = text(q, c++);
    row.residentFirst = text(q, c++);
    row.residentLast = text(q, c++);
    row.residentId = text(q, c++);
    row.residentPhone = text(q, c++);
    row.residentPhone2 = text(q, c++);
    row.residentMobile = text(q, c++);
    row.residentMobile2 = text(q, c++);
    row.formerOwnerFirst = text(q, c++);
    row.formerOwnerLast = text(q, c++);
    row.formerOwnerPhone = text(q, c++);
    row.formerResidentFirst = text(q, c++);
    row.formerResidentLast = text(q, c++);
    row.formerResidentPhone = text(q, c++);
    return row;
}

// Each part folded on its own, joined with single blanks.
QString joinedLower(std::initializer_list<const QString *> parts)
{
    QStringList lowered;
    for (const QString *part : parts)
        lowered << turkishLower(*part);
    return lowered.join(QLatin1Char(' '));
}

QString joinedPhones(std::initializer_list<const QString *> parts)
{
    QStringList keys;
    for (const QString *part : parts)
        keys << turkishLower(phoneKey(*part));
    return keys.join(QLatin1Char(' '));
}

bool matchesFind(const FlatListRow &r, const FlatFindText &find)
{
    if (!find.name.isEmpty()) {
        const QString needle = turkishLower(find.name);
        return joinedLower({&r.ownerFirst, &r.ownerLast}).contains(needle) ||
               joinedLower({&r.formerResidentFirst, &r.residentFirst, &r.formerOwnerFirst,
                            &r.residentLast, &r.formerResidentLast})
                   .contains(needle);
    }
    if (!find.identity.isEmpty())
        return joinedLower({&r.ownerId, &r.residentId}).contains(turkishLower(find.identity));
    if (hasDigit(find.phone)) {
        const QString needle = turkishLower(phoneKey(find.phone));
        return joinedPhones({&r.residentPhone, &r.residentMobile}).contains(needle) ||
               joinedPhones(
                   {&r.ownerPhone, &r.ownerPhone2, &r.ownerMobile, &r.ownerMobile2, &r.ownerFax})
                   .contains(needle);
    }
    return false;
}

} // namespace

void FlatListFilter::clearSearch()
{
    flatNumber.clear();
    identity.clear();
    name.clear();
    phone.clear();
}

QString FlatListSortToggle::next()
{
    m_direction =
        m_direction == QLatin1String("ASC") ? QStringLiteral("DESC") : QStringLiteral("ASC");
    return m_direction;
}

bool isFlatListOrderField(const QString &field)
{
    return orderFields().contains(field);
}

Result loadFlatList(const QSqlDatabase &db, const FlatListFilter &filter, bool filterOn,
                    const FlatListOrder &order, QList<FlatListRow> &rows)
{
    rows.clear();
    if (!isFlatListOrderField(order.field))
        return Result::failure(QStringLiteral("Bilinmeyen sıralama alanı: %1").arg(order.field));
    const bool descending =
        order.direction.compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;

    QVariantList params;
    QString sql = QString::fromLatin1(kSelect);
    if (filterOn)
        sql += whereClause(filter, params);
    sql += QStringLiteral(" ORDER BY ") + order.field;
    if (!isNumericField(order.field))
        sql += QStringLiteral(" COLLATE TURKISH");
    sql += descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
    sql += QStringLiteral(", hid");
    try {
        QSqlQuery q = exec(db, sql, params);
        while (q.next())
            rows.append(readRow(q));
    } catch (const OperationError &e) {
        rows.clear();
        return Result::failure(e.message());
    }
    return Result::success();
}

Result countFlats(const QSqlDatabase &db, int &count)
{
    count = 0;
    try {
        count = scalar(db, QStringLiteral("SELECT COUNT(*) FROM siciltablo")).toInt();
    } catch (const OperationError &e) {
        return Result::failure(e.message());
    }
    return Result::success();
}

int findNextFlat(const QList<FlatListRow> &rows, int current, const FlatFindText &text)
{
    const int n = int(rows.size());
    if (n == 0)
        return -1;
    int start = (current < 0 || current >= n - 1) ? 0 : current + 1;
    // Once round the list plus one row, so the current row itself is found last.
    for (int step = 0; step <= n; ++step) {
        const int i = (start + step) % n;
        if (matchesFind(rows.at(i), text))
            return i;
    }
    return -1;
}

Result loadFlatPhotos(const QSqlDatabase &db, qint64 hid, FlatPhotos &photos)
{
    photos = {};
    try {
        QSqlQuery q = exec(
            db, QStringLiteral("SELECT sahibi_foto, oturan_foto FROM siciltablo WHERE hid = ?"),
            {hid});
        if (q.next()) {
            photos.owner = q.value(0).toByteArray();
            photos.resident = q.value(1).toByteArray();
        }
    } catch (const OperationError &e) {
        return Result::failure(e.message());
    }
    return Result::success();
}

} // namespace dalvira
