#include "ledger/Statement.h"

#include "common/Formats.h"
#include "ledger/MovementWriter.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"

#include <QSqlQuery>

namespace dalvira {

namespace {

// Amounts are REAL in the file; each one is taken to whole kuruş before it is added, so a
// long ledger sums exactly.
const QString kDebitKurus = QStringLiteral("CAST(ROUND(IFNULL(borc, 0) * 100) AS INTEGER)");
const QString kCreditKurus = QStringLiteral("CAST(ROUND(IFNULL(alacak, 0) * 100) AS INTEGER)");

bool isAll(const QString &choice)
{
    return choice.isEmpty() || choice == QLatin1String(kAllChoice);
}

// The WHERE conditions of a selection with currency and type, with their parameters.
struct Conditions
{
    QStringList parts;
    QVariantList params;

    void add(const QString &text, const QVariant &value)
    {
        parts << text;
        params << value;
    }
    QString where() const
    {
        return parts.isEmpty() ? QString()
                               : QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    }
};

void addSelection(Conditions &c, const StatementSelection &selection)
{
    if (selection.usesFlat())
        c.add(QStringLiteral("sicil_kodu = ?"), selection.flatNumber);
    if (selection.usesHolder())
        c.add(QStringLiteral("adi_soyadi = ?"), selection.holder);
}

void addCurrencyAndType(Conditions &c, const QString &currency, const QString &type)
{
    if (!isAll(currency))
        c.add(QStringLiteral("para_cinsi = ?"), currency);
    // The type column holds at most kTypeLength characters and the filter list offers names
    // cut to that length; comparing the first kTypeLength of both also finds older rows that
    // kept a longer name.
    if (!isAll(type))
        c.add(QStringLiteral("substr(aidat_turu, 1, %1) = ?").arg(kTypeLength),
              type.left(kTypeLength));
}

Money kurus(const QVariant &value)
{
    return Money::fromKurus(value.isNull() ? 0 : value.toLongLong());
}

const QString kLineColumns = QStringLiteral(
    "cid, sicil_kodu, dis_kapi_numarasi, blok, dairesi, kisim, islem_tarihi, adi_soyadi, "
    "aciklama, %1 AS kb, %2 AS ka, para_cinsi, aidat_turu, faiz_id");

StatementLine readLine(const QSqlQuery &q, int at)
{
    StatementLine line;
    line.cid = q.value(at + 0).toLongLong();
    line.flatNumber = q.value(at + 1).toInt();
    line.outerDoor = q.value(at + 2).toString();
    line.block = q.value(at + 3).toString();
    line.flat = q.value(at + 4).toString();
    line.section = q.value(at + 5).toString();
    line.date = QDate::fromString(q.value(at + 6).toString().left(10), Qt::ISODate);
    line.holder = q.value(at + 7).toString();
    line.description = q.value(at + 8).toString();
    line.debit = kurus(q.value(at + 9));
    line.credit = kurus(q.value(at + 10));
    line.currency = q.value(at + 11).toString();
    line.type = q.value(at + 12).toString();
    line.interest = q.value(at + 13).toInt() == 2;
    return line;
}

} // namespace

StatementSelection StatementSelection::wholeFlat(int flatNumber)
{
    return {Mode::WholeFlat, flatNumber, {}};
}

StatementSelection StatementSelection::ofHolder(const QString &holder)
{
    return {Mode::Holder, 0, holder};
}

StatementSelection StatementSelection::holderInFlat(const QString &holder, int flatNumber)
{
    return {Mode::HolderInFlat, flatNumber, holder};
}

QString StatementSelection::title() const
{
    return mode == Mode::WholeFlat ? QString::fromUtf8(kWholeFlatTitle) : holder;
}

QString StatementLine::flatText() const
{
    return QStringLiteral("Dış K.:") + outerDoor + QStringLiteral(" Bl.:") + block +
           QStringLiteral(" Da.:") + flat + QStringLiteral(" No:") + QString::number(flatNumber);
}

QString StatementLine::descriptionWithType() const
{
    return description + QStringLiteral(" - ") + type;
}

Money Statement::finalBalance() const
{
    return lines.isEmpty() ? carryOver.balance() : lines.constLast().balance;
}

QString Statement::holderName() const
{
    if (selection.usesHolder())
        return selection.holder;
    return lines.isEmpty() ? QString() : lines.constFirst().holder;
}

LedgerSums sumLedger(const QSqlDatabase &db, const BalanceQuery &query)
{
    Conditions c;
    addSelection(c, query.selection);
    if (query.upToIncluding.isValid())
        c.add(QStringLiteral("islem_tarihi < ?"), isoDate(query.upToIncluding.addDays(1)));
    if (query.before.isValid())
        c.add(QStringLiteral("islem_tarihi < ?"), isoDate(query.before));
    if (query.from.isValid())
        c.add(QStringLiteral("islem_tarihi >= ?"), isoDate(query.from));
    addCurrencyAndType(c, query.currency, query.type);
    if (query.principalOnly)
        c.parts << QStringLiteral("faiz_id <> 2");
    QSqlQuery q = exec(
        db,
        QStringLiteral("SELECT SUM(%1), SUM(%2) FROM sicilcarihar").arg(kDebitKurus, kCreditKurus) +
            c.where(),
        c.params);
    LedgerSums sums;
    if (q.next()) {
        sums.debit = kurus(q.value(0));
        sums.credit = kurus(q.value(1));
    }
    return sums;
}

Result loadStatement(const QSqlDatabase &db, const StatementSelection &selection,
                     const StatementFilter &filter, Statement &statement)
{
    if (!filter.firstDay.isValid() || !filter.reportDate.isValid())
        return Result::failure(QStringLiteral("Tarih hatalı!"));
    statement = Statement{};
    statement.selection = selection;
    statement.filter = filter;

    const QString first = isoDate(filter.firstDay);
    const QString next = isoDate(filter.reportDate.addDays(1));
    // Carry-over and totals are each bounded on their own, so a first day after the report
    // date still gives the figures their definitions say.
    const QString upper = std::max(first, next);

    Conditions c;
    addSelection(c, selection);
    addCurrencyAndType(c, filter.currency, filter.type);
    c.add(QStringLiteral("islem_tarihi < ?"), upper);

    // One pass over the selection: the first row carries the sums, the others are the
    // period's movements in date order.
    const QString sql =
        QStringLiteral("WITH sel AS (SELECT ") + kLineColumns.arg(kDebitKurus, kCreditKurus) +
        QStringLiteral(" FROM sicilcarihar") + c.where() +
        QStringLiteral(
            ") "
            "SELECT 0 AS part, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, "
            "SUM(CASE WHEN islem_tarihi < ? THEN kb END), "
            "SUM(CASE WHEN islem_tarihi < ? THEN ka END), "
            "SUM(CASE WHEN islem_tarihi < ? THEN kb END), "
            "SUM(CASE WHEN islem_tarihi < ? THEN ka END), NULL FROM sel "
            "UNION ALL "
            "SELECT 1, cid, sicil_kodu, dis_kapi_numarasi, blok, dairesi, kisim, islem_tarihi, "
            "adi_soyadi, aciklama, kb, ka, para_cinsi, aidat_turu, faiz_id FROM sel "
            "WHERE islem_tarihi >= ? AND islem_tarihi < ? "
            "ORDER BY 1, 8, 2");
    QVariantList params = c.params;
    params << first << first << next << next << first << next;
    try {
        QSqlQuery q = exec(db, sql, params);
        while (q.next()) {
            if (q.value(0).toInt() == 0) {
                statement.carryOver = {kurus(q.value(10)), kurus(q.value(11))};
                statement.totals = {kurus(q.value(12)), kurus(q.value(13))};
                continue;
            }
            statement.lines << readLine(q, 1);
        }
    } catch (const OperationError &e) {
        return Result::failure(e.message());
    }
    Money balance = statement.carryOver.balance();
    for (StatementLine &line : statement.lines) {
        balance += line.debit - line.credit;
        line.balance = balance;
    }
    return Result::success();
}

Result loadStatementCharges(const QSqlDatabase &db, const StatementSelection &selection,
                            const StatementFilter &filter, QList<StatementLine> &charges)
{
    charges.clear();
    Conditions c;
    addSelection(c, selection);
    addCurrencyAndType(c, filter.currency, QString());
    c.add(QStringLiteral("islem_tarihi >= ?"), isoDate(filter.firstDay));
    c.add(QStringLiteral("islem_tarihi < ?"), isoDate(filter.reportDate.addDays(1)));
    c.parts << QStringLiteral("borc > 0");
    try {
        QSqlQuery q = exec(db,
                           QStringLiteral("SELECT ") + kLineColumns.arg(kDebitKurus, kCreditKurus) +
                               QStringLiteral(" FROM sicilcarihar") + c.where() +
                               QStringLiteral(" ORDER BY islem_tarihi, cid"),
                           c.params);
        while (q.next())
            charges << readLine(q, 0);
    } catch (const OperationError &e) {
        return Result::failure(e.message());
    }
    return Result::success();
}

Result deleteStatementMovement(const QSqlDatabase &db, qint64 cid, MovementDeletion *outcome)
{
    MovementDeletion done;
    const Result r = runInTransaction(db, [&] {
        done = {};
        if (!scalar(db, QStringLiteral("SELECT cid FROM sicilcarihar WHERE cid = ?"), {cid})
                 .isValid())
            return;
        done.found = true;
        // Charge or payment alike: an income line that records this movement must not outlive
        // it, or the book would show money the ledger no longer has.
        QSqlQuery income =
            exec(db, QStringLiteral("DELETE FROM isletgelir WHERE sicilhareketid = ?"), {cid});
        done.incomeLines = income.numRowsAffected();
        exec(db, QStringLiteral("DELETE FROM sicilcarihar WHERE cid = ?"), {cid});
    });
    if (outcome)
        *outcome = r ? done : MovementDeletion{};
    return r;
}

QString deleteMovementQuestion()
{
    return QStringLiteral("Kaydı silmek istediğinize eminmisiniz? \n\r\n\rBu kaydı üye hareketten "
                          "sildiğinizde\n\reğer Gelir girişlerinden hareketi varsa\n\r\n\rBU "
                          "HAREKETİ DE SİLİNECEKTİR!");
}

QString deleteMovementSecondQuestion()
{
    return QStringLiteral("Silme işlemi sonrası bu kayda tekrar ulaşmanız mümkün "
                          "olmayacaktır!\n\r\n\rSilme işlemini durdurmak istermisiniz?");
}

} // namespace dalvira
