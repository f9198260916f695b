#include "balances/BalanceList.h"

#include "common/BatchProgress.h"
#include "common/TextHelpers.h"
#include "storage/Sql.h"

#include <QMap>
#include <QSqlQuery>

namespace dalvira {

namespace {

// A name built from a first-name and a surname column; a missing part counts as empty, so a
// flat whose owner has only a surname still matches its movements.
QString joinedName(const char *first, const char *last)
{
    return QStringLiteral("(COALESCE(B.%1,'') || ' ' || COALESCE(B.%2,''))")
        .arg(QLatin1String(first), QLatin1String(last));
}

QString roleCondition(HolderRole role)
{
    switch (role) {
    case HolderRole::All:
        return {};
    case HolderRole::Owner:
        return QStringLiteral(" AND A.adi_soyadi = ") + joinedName("adi", "soyadi");
    case HolderRole::Resident:
        return QStringLiteral(" AND A.adi_soyadi = ") + joinedName("oturan_adi", "oturan_soyadi");
    case HolderRole::FormerOwner:
        return QStringLiteral(" AND A.adi_soyadi = ") +
               joinedName("onceki_ev_sahibi_adi", "onceki_ev_sahibi_soyadi");
    case HolderRole::FormerResident:
        return QStringLiteral(" AND A.adi_soyadi = ") +
               joinedName("onceki_oturan_adi", "onceki_oturan_soyadi");
    }
    return {};
}

QString upperBound(const QDate &reportDate)
{
    return reportDate.addDays(1).toString(QStringLiteral("yyyy-MM-dd"));
}

Money money(const QVariant &v)
{
    return v.isNull() ? Money() : Money::fromDouble(v.toDouble());
}

// The ledger summed per account (flat number, holder name, currency and, for typed lists, type)
// before it meets the flat register, as the subquery "A": a few thousand account rows are
// joined instead of every movement. The whole ledger is read straight through (NOT INDEXED):
// through the (flat, date) index SQLite would fetch every movement row by row, several times
// slower; one flat's accounts do use the index.
QString accountSums(bool typed, const QString &debit, const QString &credit,
                    const QString &condition, int onlyFlat, QVariantList &params)
{
    QString columns = QStringLiteral("sicil_kodu, adi_soyadi, para_cinsi");
    if (typed)
        columns += QStringLiteral(", COALESCE(aidat_turu, '')");
    QString sql = QStringLiteral("(SELECT ") + columns;
    if (typed)
        sql += QStringLiteral(" AS aidat_turu");
    sql += QStringLiteral(", SUM(") + debit + QStringLiteral(") AS borc, SUM(") + credit +
           QStringLiteral(") AS alacak FROM sicilcarihar");
    // params holds the values of the sums and of condition already; the flat comes last.
    if (onlyFlat > 0) {
        sql += QStringLiteral(" WHERE ") + condition + QStringLiteral(" AND sicil_kodu = ?");
        params << onlyFlat;
    } else {
        sql += QStringLiteral(" NOT INDEXED WHERE ") + condition;
    }
    return sql + QStringLiteral(" GROUP BY ") + columns + QStringLiteral(") A");
}

// The columns every list starts with: the flat, the currency, and the holder's name (kinds
// that list holders) or the owner's and the resident's names.
QStringList leadingColumns(bool holder)
{
    QStringList columns = {QStringLiteral("B.sicil_kodu"),        QStringLiteral("B.hid"),
                           QStringLiteral("B.dis_kapi_numarasi"), QStringLiteral("B.blok"),
                           QStringLiteral("B.dairesi"),           QStringLiteral("A.para_cinsi")};
    if (holder)
        columns << QStringLiteral("A.adi_soyadi");
    else
        columns << QStringLiteral("B.adi") << QStringLiteral("B.soyadi")
                << QStringLiteral("B.oturan_adi") << QStringLiteral("B.oturan_soyadi");
    return columns;
}

// Reads the leading columns into r; c is left on the column after them.
void readLeadingColumns(const QSqlQuery &q, bool holder, BalanceRow &r, int &c)
{
    r.flatNumber = q.value(c++).toInt();
    r.hid = q.value(c++).toLongLong();
    r.outerDoor = q.value(c++).toString();
    r.block = q.value(c++).toString();
    r.flat = q.value(c++).toString();
    r.currency = q.value(c++).toString();
    if (holder) {
        r.holder = q.value(c++).toString();
        return;
    }
    const QString first = q.value(c++).toString();
    const QString last = q.value(c++).toString();
    const QString residentFirst = q.value(c++).toString();
    const QString residentLast = q.value(c++).toString();
    r.owner = first + QLatin1Char(' ') + last;
    r.resident = residentFirst + QLatin1Char(' ') + residentLast;
}

// The grouped query of kinds 1 to 4: rows per flat (and holder, type) and currency.
QString groupedQuery(BalanceListKind kind, const BalanceListSettings &s, QVariantList &params)
{
    const bool holder =
        kind == BalanceListKind::GeneralDetail || kind == BalanceListKind::TypedDetail;
    const bool typed = kind == BalanceListKind::TypedDetail || kind == BalanceListKind::TypedFlat;

    QStringList columns = leadingColumns(holder);
    if (!holder)
        columns << QStringLiteral("B.ceptel") << QStringLiteral("B.oturan_cep1");
    if (typed)
        columns << QStringLiteral("A.aidat_turu");
    if (kind == BalanceListKind::GeneralDetail)
        columns << QStringLiteral("B.tc_kimlik") << QStringLiteral("B.oturan_tc_kimlik");

    params << upperBound(s.reportDate);
    QString sql = QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
                  QStringLiteral(", SUM(A.borc), SUM(A.alacak) FROM ") +
                  accountSums(typed, QStringLiteral("borc"), QStringLiteral("alacak"),
                              QStringLiteral("islem_tarihi < ?"), s.onlyFlat, params) +
                  QStringLiteral(" JOIN siciltablo B ON A.sicil_kodu = B.sicil_kodu WHERE 1 = 1");
    sql += roleCondition(s.role);
    if (s.outerDoor.on && !s.outerDoor.text.isEmpty()) {
        sql += QStringLiteral(" AND B.dis_kapi_numarasi = ?");
        params << s.outerDoor.text;
    }
    sql += QStringLiteral(" GROUP BY ") + columns.join(QStringLiteral(", "));
    sql += QStringLiteral(" ORDER BY B.sicil_kodu");
    sql += holder ? QStringLiteral(", A.adi_soyadi COLLATE TURKISH") : QStringLiteral(", B.hid");
    sql += QStringLiteral(", A.para_cinsi");
    if (typed)
        sql += QStringLiteral(", A.aidat_turu COLLATE TURKISH");
    return sql;
}

BalanceRow readGroupedRow(BalanceListKind kind, const QSqlQuery &q)
{
    const bool holder =
        kind == BalanceListKind::GeneralDetail || kind == BalanceListKind::TypedDetail;
    const bool typed = kind == BalanceListKind::TypedDetail || kind == BalanceListKind::TypedFlat;
    BalanceRow r;
    int c = 0;
    readLeadingColumns(q, holder, r, c);
    if (!holder) {
        r.ownerPhone = q.value(c++).toString();
        r.residentPhone = q.value(c++).toString();
    }
    if (typed)
        r.type = q.value(c++).toString();
    if (kind == BalanceListKind::GeneralDetail) {
        r.ownerIdentity = q.value(c++).toString();
        r.residentIdentity = q.value(c++).toString();
    }
    r.debit = money(q.value(c++));
    r.credit = money(q.value(c++));
    return r;
}

void buildGroupedList(const QSqlDatabase &db, const BalanceListSettings &s, BalanceList &list,
                      BatchProgress *progress)
{
    QVariantList params;
    const QString sql = groupedQuery(s.kind, s, params);
    QSqlQuery q = exec(db, sql, params);
    if (progress)
        progress->step(1);

    QList<BalanceRow> grouped;
    while (q.next())
        grouped << readGroupedRow(s.kind, q);
    q.finish();
    if (progress)
        progress->step(2);

    QList<BalanceRow> shown;
    shown.reserve(grouped.size());
    for (BalanceRow &r : grouped) {
        if (passesRowFilter(r, s))
            shown << std::move(r);
    }
    if (progress)
        progress->step(3);

    // Total rows sum what the list shows, per currency, so they agree with the rows above
    // them whatever filter is ticked.
    QMap<QString, BalanceRow> totals;
    for (const BalanceRow &r : std::as_const(shown)) {
        list.debitTotal += r.debit;
        list.creditTotal += r.credit;
        if (!s.includeTotals)
            continue;
        BalanceRow &t = totals[r.currency];
        t.total = true;
        t.currency = r.currency;
        t.debit += r.debit;
        t.credit += r.credit;
    }
    // An empty flat number sorts first, so the total rows lead the list.
    list.rows = totals.values();
    list.rows << shown;
    if (progress)
        progress->step(4);
}

void buildPivotList(const QSqlDatabase &db, const BalanceListSettings &s, BalanceList &list)
{
    const bool holder = s.kind == BalanceListKind::TypedDetailSummary;

    QSqlQuery types = exec(db, QStringLiteral("SELECT DISTINCT COALESCE(aidat_turu, '')"
                                              " FROM sicilcarihar ORDER BY 1 COLLATE TURKISH"));
    while (types.next())
        list.types << types.value(0).toString();
    types.finish();

    const QStringList groupColumns = leadingColumns(holder);

    // One pair of sums a type. The date bound sits inside the account sums, so a flat with no
    // movement up to the report date still has its row, with zeros; only positive amounts count.
    // The values go in the order of the text: the type sums, then the accounts, then the
    // restrictions.
    QVariantList params;
    QStringList sums;
    for (const QString &type : std::as_const(list.types)) {
        for (const char *amount : {"borc", "alacak"}) {
            sums << QStringLiteral("SUM(CASE WHEN A.aidat_turu = ? THEN A.") +
                        QLatin1String(amount) + QStringLiteral(" ELSE 0 END)");
            params << type;
        }
    }
    const QString bound = upperBound(s.reportDate);
    params << bound << bound;
    const QString accounts = accountSums(
        true, QStringLiteral("CASE WHEN islem_tarihi < ? AND borc > 0 THEN borc ELSE 0 END"),
        QStringLiteral("CASE WHEN islem_tarihi < ? AND alacak > 0 THEN alacak ELSE 0 END"),
        QStringLiteral("1 = 1"), s.onlyFlat, params);

    QString sql = QStringLiteral("SELECT ") + groupColumns.join(QStringLiteral(", "));
    if (!sums.isEmpty())
        sql += QStringLiteral(", ") + sums.join(QStringLiteral(", "));
    sql += QStringLiteral(" FROM ") + accounts +
           QStringLiteral(" JOIN siciltablo B ON A.sicil_kodu = B.sicil_kodu WHERE 1 = 1");
    sql += roleCondition(s.role);
    const auto exact = [&](const ListRestriction &r, const char *column) {
        if (r.on && !r.text.isEmpty()) {
            sql += QStringLiteral(" AND %1 = ?").arg(QLatin1String(column));
            params << r.text;
        }
    };
    exact(s.block, "B.blok");
    exact(s.currency, "A.para_cinsi");
    exact(s.flat, "B.dairesi");
    exact(s.outerDoor, "B.dis_kapi_numarasi");
    sql += QStringLiteral(" GROUP BY ") + groupColumns.join(QStringLiteral(", "));
    sql += QStringLiteral(" ORDER BY B.sicil_kodu");
    sql += holder ? QStringLiteral(", A.adi_soyadi COLLATE TURKISH") : QStringLiteral(", B.hid");
    sql += QStringLiteral(", A.para_cinsi");

    QSqlQuery q = exec(db, sql, params);
    while (q.next()) {
        BalanceRow r;
        int c = 0;
        readLeadingColumns(q, holder, r, c);
        for (int i = 0; i < list.types.size(); ++i) {
            const Money debit = money(q.value(c++));
            const Money credit = money(q.value(c++));
            r.typeBalances << debit - credit;
        }
        list.rows << r;
    }
}

bool sameLowered(const QString &value, const QString &typed)
{
    return turkishLower(value) == turkishLower(typed);
}

} // namespace

QString balanceKindChoiceCaption(BalanceListKind kind)
{
    switch (kind) {
    case BalanceListKind::GeneralDetail:
        return QStringLiteral("Genel Detay Raporu");
    case BalanceListKind::TypedDetail:
        return QStringLiteral("Gelir Türlü Detay R.");
    case BalanceListKind::TypedFlat:
        return QStringLiteral("Gelir Türlü Daire R.");
    case BalanceListKind::GeneralFlat:
        return QStringLiteral("Genel Daire Raporu");
    case BalanceListKind::TypedDetailSummary:
        return QStringLiteral("Gelir Türlü Detay Özet");
    case BalanceListKind::TypedFlatSummary:
        return QStringLiteral("Gelir Türlü Daire Özet");
    }
    return {};
}

QString balanceKindHeading(BalanceListKind kind)
{
    switch (kind) {
    case BalanceListKind::GeneralDetail:
        return QStringLiteral("Borç Alacak Listesi - Genel Rapor");
    case BalanceListKind::TypedDetail:
        return QStringLiteral("Borç Alacak Listesi - Gelir Türlü Rapor");
    case BalanceListKind::TypedFlat:
        return QStringLiteral("Borç Alacak Listesi - Gelir Türlü Rapor - Daire");
    case BalanceListKind::GeneralFlat:
        return QStringLiteral("Borç Alacak Listesi - Genel Rapor - Daire");
    case BalanceListKind::TypedDetailSummary:
        return QStringLiteral("Borç Alacak Listesi - Gelir Türlü Detay Özet");
    case BalanceListKind::TypedFlatSummary:
        return QStringLiteral("Borç Alacak Listesi - Gelir Türlü Daire Özet");
    }
    return {};
}

bool isTypePivotKind(BalanceListKind kind)
{
    return kind == BalanceListKind::TypedDetailSummary || kind == BalanceListKind::TypedFlatSummary;
}

bool isHolderKind(BalanceListKind kind)
{
    return kind == BalanceListKind::GeneralDetail || kind == BalanceListKind::TypedDetail ||
           kind == BalanceListKind::TypedDetailSummary;
}

std::optional<BalanceListKind> balanceKindFromNumber(int number)
{
    if (number < 1 || number > 6)
        return std::nullopt;
    return static_cast<BalanceListKind>(number);
}

QStringList holderRoleCaptions()
{
    return {QStringLiteral("Hepsi"), QStringLiteral("Evsahibi"), QStringLiteral("Oturan"),
            QStringLiteral("Eski Sahibi"), QStringLiteral("Eski Oturan")};
}

QString holderRoleCaption(HolderRole role)
{
    return holderRoleCaptions().at(int(role));
}

std::optional<HolderRole> holderRoleFromCaption(const QString &caption)
{
    const int i = holderRoleCaptions().indexOf(caption);
    if (i < 0)
        return std::nullopt;
    return static_cast<HolderRole>(i);
}

bool passesRowFilter(const BalanceRow &row, const BalanceListSettings &s)
{
    if (s.onlyDebtors && !(row.debit > Money() && row.remaining() > Money()))
        return false;
    if (s.block.on && !sameLowered(row.block, s.block.text))
        return false;
    if (s.flat.on && !sameLowered(row.flat, s.flat.text))
        return false;
    if (s.currency.on && row.currency != s.currency.text)
        return false;
    return true;
}

Result buildBalanceList(const QSqlDatabase &db, const BalanceListSettings &settings,
                        BalanceList &list, BatchProgress *progress)
{
    if (!settings.reportDate.isValid())
        return Result::failure(QStringLiteral("Rapor tarihi geçerli bir tarih değil!"));

    BalanceList built;
    built.kind = settings.kind;
    built.reportDate = settings.reportDate;
    const bool grouped = !isTypePivotKind(settings.kind);
    if (grouped && progress)
        progress->start(QStringLiteral("Bekleyin güncelleniyor..."),
                        QStringLiteral("Yapılan güncelleme :"), 4, false);
    try {
        if (grouped)
            buildGroupedList(db, settings, built, progress);
        else
            buildPivotList(db, settings, built);
    } catch (const OperationError &e) {
        if (grouped && progress)
            progress->finish(QStringLiteral("Güncelleme bitti."));
        return Result::failure(e.message());
    }
    if (grouped && progress)
        progress->finish(QStringLiteral("Güncelleme bitti."));
    list = std::move(built);
    return Result::success();
}

} // namespace dalvira
