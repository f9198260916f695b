#include "Baselines.h"

#include <QDateTime>
#include <cctype>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace dalvira::bench {

namespace {

std::string iso(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd")).toStdString();
}

qint64 kurus(double amount)
{
    return std::llround(amount * 100.0);
}

bool blank(const std::string &text)
{
    for (const char c : text)
        if (!std::isspace(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// Halves to even, as the engine rounds charges: nearbyint follows the default rounding mode,
// which is to nearest with ties to even.
double roundToDecimals(double value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(value * scale) / scale;
}

// Runs body inside BEGIN ... COMMIT, rolling back when it throws.
template <typename Body> void inTransaction(RawDatabase &db, Body &&body)
{
    db.exec("BEGIN");
    try {
        body();
    } catch (...) {
        db.exec("ROLLBACK");
        throw;
    }
    db.exec("COMMIT");
}

// Steps a grouped query to the end, reading every column; the last two are the debit and the
// credit sum.
void stepGroups(RawStatement &q, int columns, BaselineAnswer &answer)
{
    std::vector<std::string> keys(size_t(columns - 2));
    while (q.step()) {
        for (int c = 0; c < columns - 2; ++c)
            keys[size_t(c)] = q.text(c);
        answer.debitKurus += kurus(q.real(columns - 2));
        answer.creditKurus += kurus(q.real(columns - 1));
        ++answer.rows;
    }
}

// Every grouping reads the whole ledger, so the least work is one pass over the table: left to
// itself SQLite walks the (sicil_kodu, islem_tarihi) index for the partial order and then looks
// every row up in the table, which costs about three times as much.
const char *groupedSql(int kind)
{
    switch (kind) {
    case 1:
        return "SELECT sicil_kodu, adi_soyadi, para_cinsi, SUM(borc), SUM(alacak)"
               " FROM sicilcarihar NOT INDEXED WHERE islem_tarihi <= ?1"
               " GROUP BY sicil_kodu, adi_soyadi, para_cinsi";
    case 2:
        return "SELECT sicil_kodu, adi_soyadi, para_cinsi, aidat_turu, SUM(borc), SUM(alacak)"
               " FROM sicilcarihar NOT INDEXED WHERE islem_tarihi <= ?1"
               " GROUP BY sicil_kodu, adi_soyadi, para_cinsi, aidat_turu";
    case 3:
        return "SELECT sicil_kodu, para_cinsi, aidat_turu, SUM(borc), SUM(alacak)"
               " FROM sicilcarihar NOT INDEXED WHERE islem_tarihi <= ?1"
               " GROUP BY sicil_kodu, para_cinsi, aidat_turu";
    case 4:
        return "SELECT sicil_kodu, para_cinsi, SUM(borc), SUM(alacak)"
               " FROM sicilcarihar NOT INDEXED WHERE islem_tarihi <= ?1"
               " GROUP BY sicil_kodu, para_cinsi";
    // The pivot kinds list every flat with movements, even when none falls on or before the
    // report date, so the date bound sits inside the sums; the pivot itself is a per-row
    // lookup of the type.
    case 5:
        return "SELECT sicil_kodu, adi_soyadi, para_cinsi, aidat_turu,"
               " SUM(CASE WHEN islem_tarihi <= ?1 AND borc > 0 THEN borc ELSE 0 END),"
               " SUM(CASE WHEN islem_tarihi <= ?1 AND alacak > 0 THEN alacak ELSE 0 END)"
               " FROM sicilcarihar NOT INDEXED GROUP BY sicil_kodu, adi_soyadi, para_cinsi, "
               "aidat_turu";
    case 6:
        return "SELECT sicil_kodu, para_cinsi, aidat_turu,"
               " SUM(CASE WHEN islem_tarihi <= ?1 AND borc > 0 THEN borc ELSE 0 END),"
               " SUM(CASE WHEN islem_tarihi <= ?1 AND alacak > 0 THEN alacak ELSE 0 END)"
               " FROM sicilcarihar NOT INDEXED GROUP BY sicil_kodu, para_cinsi, aidat_turu";
    }
    throw std::runtime_error("unknown balance list kind");
}

} // namespace

BaselineAnswer insertAccrualBaseline(RawDatabase &db, const RawAccrualPlan &plan)
{
    struct Flat
    {
        sqlite3_int64 hid = 0;
        sqlite3_int64 number = 0;
        std::string block, flat, door, holder, owner, resident;
        double discount = 0;
    };

    BaselineAnswer answer;
    std::vector<std::string> dates;
    for (const QDate &date : plan.dates)
        dates.push_back(iso(date));
    const std::string type = plan.type.left(15).toStdString();
    const std::string currency = plan.currency.isEmpty() ? "TL" : plan.currency.toStdString();
    const std::string description = plan.description.toStdString();

    inTransaction(db, [&] {
        std::vector<Flat> flats;
        {
            RawStatement q(db, "SELECT hid, sicil_kodu, blok, dairesi, dis_kapi_numarasi, adi,"
                               " soyadi, oturan_adi, oturan_soyadi, aidat2indirim"
                               " FROM siciltablo ORDER BY sicil_kodu, hid");
            while (q.step()) {
                // The resident is charged; one without a name has no account.
                if (blank(q.text(7)) && blank(q.text(8)))
                    continue;
                Flat f;
                f.hid = q.integer(0);
                f.number = q.integer(1);
                f.block = q.text(2);
                f.flat = q.text(3);
                f.door = q.text(4);
                f.owner = q.isNull(5) ? std::string() : q.text(5) + ' ' + q.text(6);
                f.resident = q.isNull(7) ? std::string() : q.text(7) + ' ' + q.text(8);
                f.holder = q.text(7) + ' ' + q.text(8);
                f.discount = q.real(9);
                flats.push_back(std::move(f));
            }
        }

        const QDateTime now = QDateTime::currentDateTime();
        RawStatement batch(db, "INSERT INTO aiadataktar (tarih, toplam_tutar, taksitsay,"
                               " aciklama, kayittarihi) VALUES (?, ?, ?, ?, ?)");
        batch.bindText(1, dates.front());
        batch.bind(2, plan.total);
        batch.bind(3, sqlite3_int64(dates.size()));
        batch.bindText(4, plan.batchText.toStdString());
        batch.bindText(5, now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString());
        batch.step();
        answer.batchId = db.lastInsertId();

        RawStatement insert(
            db, "INSERT INTO sicilcarihar (sicil_kodu, sicil_kayitno_id, adi_soyadi, islem_tarihi,"
                " borc, para_cinsi, aidat_turu, aciklama, blok, dairesi, dis_kapi_numarasi,"
                " daire_sahibi_adi_soyadi, oturan_adi_soyadi, aidat1id, faiz_id)"
                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 0)");
        insert.bindText(6, currency);
        insert.bindTextOrNull(7, type);
        insert.bindTextOrNull(8, description);
        insert.bind(14, answer.batchId);
        for (const Flat &f : flats) {
            insert.bind(1, f.number);
            insert.bind(2, f.hid);
            insert.bindText(3, f.holder);
            insert.bindTextOrNull(9, f.block);
            insert.bindTextOrNull(10, f.flat);
            insert.bindTextOrNull(11, f.door);
            insert.bindTextOrNull(12, f.owner);
            insert.bindTextOrNull(13, f.resident);
            for (size_t k = 0; k < dates.size(); ++k) {
                const double a = plan.amounts[qsizetype(k)];
                const double charge =
                    roundToDecimals(a - a * f.discount / 100.0, plan.roundingDecimals);
                insert.bindText(4, dates[k]);
                if (charge > 0)
                    insert.bind(5, charge);
                else
                    insert.bindNull(5);
                insert.step();
                insert.reset();
                answer.debitKurus += kurus(charge);
                ++answer.rows;
            }
        }
    });
    return answer;
}

BaselineAnswer deleteAccrualBaseline(RawDatabase &db, qint64 aid)
{
    BaselineAnswer answer;
    inTransaction(db, [&] {
        RawStatement movements(db, "DELETE FROM sicilcarihar WHERE aidat1id = ?");
        movements.bind(1, sqlite3_int64(aid));
        movements.step();
        answer.rows = sqlite3_changes(db.handle());
        RawStatement batch(db, "DELETE FROM aiadataktar WHERE aid = ?");
        batch.bind(1, sqlite3_int64(aid));
        batch.step();
    });
    return answer;
}

BaselineAnswer balanceBaseline(RawDatabase &db, int kind, const QDate &reportDate)
{
    BaselineAnswer answer;
    RawStatement q(db, groupedSql(kind));
    q.bindText(1, iso(reportDate));
    stepGroups(q, q.columnCount(), answer);

    // The list shows the flat's own columns beside the sums.
    RawStatement flats(db, "SELECT hid, sicil_kodu, dis_kapi_numarasi, blok, dairesi, adi,"
                           " soyadi, oturan_adi, oturan_soyadi, ceptel, oturan_cep1, tc_kimlik,"
                           " oturan_tc_kimlik FROM siciltablo");
    std::vector<std::string> columns(13);
    while (flats.step())
        for (int c = 0; c < 13; ++c)
            columns[size_t(c)] = flats.text(c);
    return answer;
}

BaselineAnswer statementBaseline(RawDatabase &db, int flatNumber, const QString &currency,
                                 const QDate &firstDay, const QDate &reportDate)
{
    BaselineAnswer answer;
    RawStatement q(db, "SELECT cid, sicil_kodu, dis_kapi_numarasi, blok, dairesi, kisim,"
                       " islem_tarihi, adi_soyadi, aciklama, borc, alacak, para_cinsi,"
                       " aidat_turu, faiz_id FROM sicilcarihar"
                       " WHERE sicil_kodu = ?1 AND para_cinsi = ?2 AND islem_tarihi >= ?3"
                       " AND islem_tarihi <= ?4 ORDER BY islem_tarihi, cid");
    q.bind(1, sqlite3_int64(flatNumber));
    q.bindText(2, currency.toStdString());
    q.bindText(3, iso(firstDay));
    q.bindText(4, iso(reportDate));
    std::vector<std::string> texts(14);
    qint64 balance = 0;
    while (q.step()) {
        for (int c = 0; c < 14; ++c)
            if (c != 9 && c != 10)
                texts[size_t(c)] = q.text(c);
        const qint64 debit = kurus(q.real(9));
        const qint64 credit = kurus(q.real(10));
        balance += debit - credit;
        answer.debitKurus += debit;
        answer.creditKurus += credit;
        ++answer.rows;
    }
    answer.balanceKurus = balance;
    return answer;
}

} // namespace dalvira::bench
