#include "ledger/BulkAccrual.h"

#include "common/BatchProgress.h"
#include "common/Money.h"
#include "common/Rounding.h"
#include "ledger/AccrualBatch.h"
#include "ledger/MovementWriter.h"
#include "ledger/PaymentPlan.h"
#include "storage/Sql.h"
#include "storage/Transaction.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace dalvira {

namespace {

int unitDecimals(int decimals)
{
    return std::clamp(decimals, 0, 2);
}

bool charged(const Instalment &instalment)
{
    return instalment.amount > 0 && instalment.date.isValid();
}

double numberOrZero(const QVariant &value)
{
    const double number = value.toDouble();
    return std::isfinite(number) ? number : 0.0;
}

// One selected flat with what the transfer reads of it.
struct AccrualFlat
{
    qint64 hid = 0;
    int number = 0;
    QString block;
    QString flat;
    QString door;
    QString holder;
    QString ownerName;
    QString residentName;
    double discount = 0;
    double criterion = 0;
    double registeredDues = 0;
};

QString text(const QSqlQuery &q, int column)
{
    return q.value(column).toString();
}

// A snapshot name: empty when the person's first name is not set.
QString snapshotName(const QSqlQuery &q, int firstColumn)
{
    if (q.value(firstColumn).isNull())
        return {};
    return text(q, firstColumn) + QLatin1Char(' ') + text(q, firstColumn + 1);
}

void loadFlats(const QSqlDatabase &db, const BulkAccrualRequest &request,
               std::vector<AccrualFlat> &named, QList<SkippedFlat> &skipped)
{
    const AccrualRestrictions &r = request.restrictions;
    QStringList conditions;
    QVariantList params;
    if (r.byNumber && !r.number.trimmed().isEmpty()) {
        bool ok = false;
        const int number = r.number.trimmed().toInt(&ok);
        if (!ok)
            throw OperationError(QStringLiteral("Üye Numarası geçersiz! İşlem iptal edildi."));
        conditions << QStringLiteral("sicil_kodu = ?");
        params << number;
    }
    if (r.byBlock && !r.block.isEmpty()) {
        conditions << QStringLiteral("blok = ?");
        params << r.block;
    }
    if (r.byFlat && !r.flat.isEmpty()) {
        conditions << QStringLiteral("dairesi = ?");
        params << r.flat;
    }
    if (r.byDoor && !r.door.isEmpty()) {
        conditions << QStringLiteral("dis_kapi_numarasi = ?");
        params << r.door;
    }
    QString sql = QStringLiteral(
        "SELECT hid, sicil_kodu, blok, dairesi, dis_kapi_numarasi, adi, soyadi, oturan_adi, "
        "oturan_soyadi, aidat1indirim, aidat2indirim, bos_number1, bos_number2, bos_number3, "
        "bos_number4 FROM siciltablo");
    if (!conditions.isEmpty())
        sql += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    sql += QStringLiteral(" ORDER BY sicil_kodu, hid");

    const bool owner = request.holder == AccountHolder::Owner;
    QSqlQuery q = exec(db, sql, params);
    while (q.next()) {
        AccrualFlat f;
        f.hid = q.value(0).toLongLong();
        f.number = q.value(1).toInt();
        f.block = text(q, 2);
        f.flat = text(q, 3);
        f.door = text(q, 4);
        f.ownerName = snapshotName(q, 5);
        f.residentName = snapshotName(q, 7);
        const int firstColumn = owner ? 5 : 7;
        // A person with neither first name nor surname has no account to charge.
        if (text(q, firstColumn).trimmed().isEmpty() &&
            text(q, firstColumn + 1).trimmed().isEmpty()) {
            skipped.append({f.number, f.block, f.flat});
            continue;
        }
        f.holder = text(q, firstColumn) + QLatin1Char(' ') + text(q, firstColumn + 1);
        f.discount = numberOrZero(q.value(owner ? 9 : 10));
        f.criterion = numberOrZero(q.value(owner ? 11 : 12));
        f.registeredDues = numberOrZero(q.value(owner ? 13 : 14));
        named.push_back(std::move(f));
    }
    if (q.lastError().isValid())
        throw OperationError(q.lastError().databaseText());
}

// The movements of a batch share everything but the flat's part, the date and the amount.
class AccrualMovementInserter
{
public:
    AccrualMovementInserter(const QSqlDatabase &db, const BulkAccrualRequest &request,
                            qint64 batchId)
        : m_writer(db)
    {
        m_movement.currency = request.currency;
        m_movement.type = request.type;
        m_movement.description = request.description;
        m_movement.accrualBatch = batchId;
    }

    void startFlat(const AccrualFlat &flat)
    {
        m_movement.flatNumber = flat.number;
        m_movement.flatRecord = flat.hid;
        m_movement.holder = flat.holder;
        m_movement.block = flat.block;
        m_movement.flat = flat.flat;
        m_movement.outerDoor = flat.door;
        m_movement.ownerName = flat.ownerName;
        m_movement.residentName = flat.residentName;
    }

    void write(const QDate &date, double debit)
    {
        m_movement.date = date;
        m_movement.debit = debit;
        m_writer.append(m_movement);
    }

private:
    MovementWriter m_writer;
    LedgerMovement m_movement;
};

QString flatLabel(int number, const QString &block, const QString &flat)
{
    QStringList parts;
    if (!block.isEmpty())
        parts << QStringLiteral("Blok: %1").arg(block);
    if (!flat.isEmpty())
        parts << QStringLiteral("Daire: %1").arg(flat);
    QString label = QString::number(number);
    if (!parts.isEmpty())
        label += QStringLiteral(" (") + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
    return label;
}

} // namespace

QString bulkAccrualQuestion()
{
    return paymentPlanQuestion();
}

QString bulkAccrualUndoQuestion()
{
    return QStringLiteral("Aidat aktarım kayıtlarını silmek istediğinize eminmisiniz?");
}

QString noFlatsToChargeMessage()
{
    return QStringLiteral("Aktarma kısıtlamalarına uyan ve aidatın aktarılacağı kişinin adı "
                          "kayıtlı olan daire bulunamadı! İşlem iptal edildi.");
}

QString noCriterionMessage()
{
    return QStringLiteral("Seçilen dairelerin aidat dağıtım kriterleri girilmemiş! "
                          "İşlem iptal edildi.");
}

QString missingBatchMessage()
{
    return QStringLiteral("Seçilen aidat aktarım kaydı bulunamadı!");
}

QString skippedFlatsMessage(const QList<SkippedFlat> &skipped)
{
    QStringList lines;
    lines << QStringLiteral("Aidatın aktarılacağı kişinin adı kayıtlı olmadığı için aşağıdaki "
                            "dairelere aidat aktarılmadı (Kayıt No):");
    for (const SkippedFlat &flat : skipped)
        lines << flatLabel(flat.number, flat.block, flat.flat);
    return lines.join(QStringLiteral("\n\r"));
}

Result summarizeBulkAccrual(const BulkAccrualRequest &request, BulkAccrualSummary &summary)
{
    summary = {};
    Money sum;
    Money all;
    bool anyDate = false;
    for (const Instalment &instalment : request.instalments) {
        all += Money::fromDouble(std::isfinite(instalment.amount) ? instalment.amount : 0.0);
        anyDate = anyDate || instalment.date.isValid();
        if (charged(instalment)) {
            sum += Money::fromDouble(instalment.amount);
            ++summary.instalments;
        }
    }
    // The batch's total counts only what is charged: an amount without a date is not.
    summary.total = sum.toDouble();
    if (all < Money::fromKurus(1) || !anyDate || summary.instalments == 0)
        return Result::failure(emptyPaymentPlanMessage());
    return Result::success();
}

double accrualCharge(AccrualMethod method, double amount, double factor, double registeredDues,
                     double discountPercent, int decimals)
{
    const int d = unitDecimals(decimals);
    if (method == AccrualMethod::RegisteredDues)
        return roundHalfEven(registeredDues, d);
    const double gross = amount * factor;
    return roundHalfEven(gross - gross * discountPercent / 100.0, d);
}

QList<double> shareByCriterion(double amount, const QList<double> &criteria, int decimals)
{
    const int d = unitDecimals(decimals);
    long double totalCriterion = 0;
    for (double c : criteria) {
        if (!std::isfinite(c) || c < 0)
            return {};
        totalCriterion += c;
    }
    if (criteria.isEmpty() || !(totalCriterion > 0))
        return {};
    const double scale = std::pow(10.0, d);
    const qint64 units = std::llround(roundHalfEven(amount, d) * scale);

    const qsizetype n = criteria.size();
    std::vector<qint64> share(size_t(n), 0);
    std::vector<long double> remainder(size_t(n), 0);
    qint64 given = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const long double exact = (long double)units * criteria[i] / totalCriterion;
        const long double whole = std::floor(exact);
        share[size_t(i)] = qint64(whole);
        remainder[size_t(i)] = exact - whole;
        given += share[size_t(i)];
    }
    std::vector<qsizetype> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        return remainder[size_t(a)] > remainder[size_t(b)];
    });
    // Rounding down leaves fewer units than flats; the loop also settles a unit that a
    // floating-point floor may have put on the wrong side.
    qint64 left = units - given;
    for (size_t k = 0; left != 0 && n > 0; k = (k + 1) % size_t(n)) {
        const qsizetype i = order[k];
        if (left > 0) {
            ++share[size_t(i)];
            --left;
        } else if (share[size_t(i)] > 0) {
            --share[size_t(i)];
            ++left;
        }
    }
    QList<double> out;
    out.reserve(n);
    for (qint64 s : share)
        out.append(roundHalfEven(double(s) / scale, d));
    return out;
}

QString accrualBatchText(const QString &type, const QString &description, const QString &currency)
{
    QString text = type + QStringLiteral(" - ") + description;
    if (!currency.trimmed().isEmpty())
        text += QStringLiteral(" - ") + currency.trimmed();
    return text;
}

Result transferBulkAccrual(const QSqlDatabase &db, const BulkAccrualRequest &request,
                           BatchProgress *progress, BulkAccrualOutcome *outcome)
{
    BulkAccrualSummary summary;
    if (Result r = summarizeBulkAccrual(request, summary); !r)
        return r;
    QList<Instalment> plan;
    for (const Instalment &instalment : request.instalments)
        if (charged(instalment))
            plan.append(instalment);
    const int decimals = unitDecimals(request.roundingDecimals);

    BulkAccrualOutcome result;
    bool started = false;
    Result r = runInTransaction(db, [&] {
        std::vector<AccrualFlat> flats;
        loadFlats(db, request, flats, result.skipped);
        if (flats.empty())
            throw OperationError(noFlatsToChargeMessage());

        // Shares are worked out for every instalment before anything is written.
        std::vector<QList<double>> shares;
        if (request.method == AccrualMethod::ShareByCriterion) {
            QList<double> criteria;
            for (const AccrualFlat &f : flats)
                criteria.append(f.criterion);
            for (const Instalment &instalment : plan) {
                shares.push_back(shareByCriterion(instalment.amount, criteria, decimals));
                if (shares.back().isEmpty())
                    throw OperationError(noCriterionMessage());
            }
        }

        if (progress) {
            progress->start(QStringLiteral("Aktarma yapılıyor..."),
                            QStringLiteral("Aktarılan daire :"), int(flats.size()), true);
            started = true;
        }
        AccrualBatch batch;
        batch.date = request.firstDate;
        batch.total = summary.total;
        batch.instalments = summary.instalments;
        batch.description = accrualBatchText(request.type, request.description, request.currency);
        result.batchId = appendAccrualBatch(db, batch);

        AccrualMovementInserter inserter(db, request, result.batchId);
        for (size_t i = 0; i < flats.size(); ++i) {
            const AccrualFlat &f = flats[i];
            inserter.startFlat(f);
            const double factor = request.method == AccrualMethod::ByCriterion ? f.criterion : 1.0;
            for (qsizetype k = 0; k < plan.size(); ++k) {
                const double amount = request.method == AccrualMethod::ShareByCriterion
                                          ? shares[size_t(k)][qsizetype(i)]
                                          : plan[k].amount;
                const double charge = accrualCharge(request.method, amount, factor,
                                                    f.registeredDues, f.discount, decimals);
                if (!std::isfinite(charge) || charge < 0)
                    throw OperationError(
                        QStringLiteral("%1 numaralı dairenin borcu eksi çıkıyor; indirim oranını "
                                       "ve aidat bilgilerini kontrol ediniz! İşlem iptal edildi.")
                            .arg(f.number));
                inserter.write(plan[k].date, charge);
                ++result.movements;
            }
            ++result.flats;
            if (progress) {
                progress->step(int(i) + 1, int(plan.size()), int(plan.size()));
                if (progress->cancelRequested())
                    throw OperationCancelled();
            }
        }
    });
    if (started)
        progress->finish(r ? QStringLiteral("Aktarma bitti.") : QString());
    if (!r) {
        // Nothing was written: neither the batch nor any movement exists.
        result.batchId = 0;
        result.flats = 0;
        result.movements = 0;
    }
    if (outcome)
        *outcome = result;
    return r;
}

Result undoAccrualBatch(const QSqlDatabase &db, qint64 aid, BatchProgress *progress, int *removed)
{
    int count = 0;
    bool started = false;
    Result r = runInTransaction(db, [&] {
        if (!scalar(db, QStringLiteral("SELECT aid FROM aiadataktar WHERE aid = ?"), {aid})
                 .isValid())
            throw OperationError(missingBatchMessage());
        count = scalar(db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE aidat1id = ?"),
                       {aid})
                    .toInt();
        if (progress) {
            progress->start(QStringLiteral("Aidat aktarım kayıtları Siliniyor..."),
                            QStringLiteral("Silinen kayıt :"), count, false);
            started = true;
        }
        exec(db, QStringLiteral("DELETE FROM sicilcarihar WHERE aidat1id = ?"), {aid});
        exec(db, QStringLiteral("DELETE FROM aiadataktar WHERE aid = ?"), {aid});
        if (progress && count > 0)
            progress->step(count);
    });
    if (started)
        progress->finish(r ? QStringLiteral("İşlem bitti.") : QString());
    if (removed)
        *removed = r ? count : 0;
    return r;
}

} // namespace dalvira
