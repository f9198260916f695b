#include "demo/DemoGenerator.h"

#include "book/TransactionTypes.h"
#include "common/BatchProgress.h"
#include "demo/DemoEntryWriter.h"
#include "demo/DemoPlan.h"
#include "demo/DemoRandom.h"
#include "flats/FlatRegister.h"
#include "ledger/BulkAccrual.h"
#include "session/SiteDirectory.h"
#include "storage/Sql.h"
#include "storage/Storage.h"
#include "storage/Transaction.h"

#include <QDateTime>
#include <QFileInfo>
#include <QScopeGuard>
#include <algorithm>

namespace dalvira {

using namespace demo;

namespace {

const QString kDuesType = QStringLiteral("Aidat");
const QString kRentType = QStringLiteral("Otopark Kirası");
const QString kUsd = QStringLiteral("USD");

SiteRecord demoSiteInformation(const QString &code)
{
    SiteRecord site;
    site.set("firma_kodu", code);
    site.set("firma_unvani_1", QStringLiteral("Yeşilvadi Sitesi Yönetimi"));
    site.set("firma_adresi_1", QStringLiteral("Atatürk Mah. Çınaraltı Sok. No: 12"));
    site.set("adres_semt", QStringLiteral("Ataşehir"));
    site.set("adres_sehir", QStringLiteral("İstanbul"));
    site.set("telefon1_no", QStringLiteral("(216) 455 12 34"));
    site.set("telefon2_no", QStringLiteral("(532) 614 27 90"));
    site.set("fax_no", QStringLiteral("(216) 455 12 35"));
    site.set("vergi_dairesi", QStringLiteral("Kozyatağı"));
    site.set("vergi_no", QStringLiteral("9470318265"));
    site.set("yetkili1", QStringLiteral("Ayşe Gündoğdu"));
    site.set("yetkili1unvan", QStringLiteral("Site Yöneticisi"));
    site.set("bos1", QStringLiteral("Ziraat Bankası Ataşehir Şubesi"));
    site.set("bos2", QStringLiteral("Yeşilvadi Sitesi Yönetimi"));
    site.set("bos3", QStringLiteral("TR33 0001 0017 4512 3456 7850 01"));
    site.set("bos4", QStringLiteral("Yönetim Ofisi, A Blok Zemin Kat (hafta içi 09:00-17:00)"));
    site.set("bos5", QStringLiteral("Atatürk Mah. Çınaraltı Sok. No: 12 Ataşehir/İstanbul"));
    site.set("faiz_aylik", 5.0);
    site.set("faiz_yillik", 60.0);
    return site;
}

void throwIfFailed(const Result &result)
{
    if (!result)
        throw OperationError(result.message());
}

// Writes the planned life of the site into the selected site's data file, month by month, so
// that keys and receipt numbers follow the calendar.
class DemoWriter
{
public:
    DemoWriter(const QSqlDatabase &db, const DemoOptions &options, DemoEntryPath path,
               BatchProgress *progress)
        : m_db(db), m_random(options.seed),
          m_calendar(options.lastMonth.isValid() ? options.lastMonth : QDate::currentDate(),
                     options.years),
          m_progress(progress)
    {
        if (path == DemoEntryPath::Auto)
            path = qint64(options.flats) * options.years <= kDemoSingleEntryFlatYears
                       ? DemoEntryPath::SingleEntry
                       : DemoEntryPath::Batch;
        m_path = path;
        m_cutoff = m_calendar.monthEnd(m_calendar.months() - 1);
        // Made for today: nothing is paid after today.
        if (!options.lastMonth.isValid())
            m_cutoff = std::min(m_cutoff, QDate::currentDate());
        m_flatCount = options.flats;
    }

    void run(DemoOutcome &outcome)
    {
        // A large site's indexes do not fit SQLite's default page cache of 2 MB; with a bigger
        // one the inserts stop spilling pages to the file halfway through the transaction.
        const QVariant cacheSize = scalar(m_db, QStringLiteral("PRAGMA cache_size"));
        exec(m_db, QStringLiteral("PRAGMA cache_size = -65536"));
        const auto restoreCache = qScopeGuard([&] {
            try {
                exec(m_db, QStringLiteral("PRAGMA cache_size = ") +
                               QString::number(cacheSize.toLongLong()));
            } catch (const OperationError &) {
                // Only a cache size; the connection is reopened when the site is left anyway.
            }
        });

        m_entries = m_path == DemoEntryPath::SingleEntry ? makeSingleEntryWriter(m_db)
                                                         : makeBatchEntryWriter(m_db);
        ensureType(QStringLiteral("100"), kDuesType);
        ensureType(QStringLiteral("110"), kRentType);

        m_flats = planFlats(m_random, m_flatCount, m_calendar);
        m_dues = planDues(m_random, m_calendar.years());
        FlatRegister flats(m_db);
        for (DemoFlat &flat : m_flats) {
            // The register holds this year's dues as each flat's registered dues.
            flat.record.set(QStringLiteral("bos_number3"), m_dues.last());
            flat.record.set(QStringLiteral("bos_number4"), m_dues.last());
            throwIfFailed(flats.save(flat.record));
        }
        outcome.flats = int(m_flats.size());

        const int months = m_calendar.months();
        if (m_progress) {
            m_progress->start(QStringLiteral("Örnek site oluşturuluyor..."),
                              QStringLiteral("Oluşturulan ay :"), months, true);
            m_started = true;
        }
        for (int m = 0; m < months; ++m) {
            if (m % 12 == 0)
                startYear(m / 12, flats, outcome);
            writePaymentsUpTo(m_calendar.monthEnd(m), outcome);
            if (m_progress) {
                m_progress->step(m + 1);
                if (m_progress->cancelRequested())
                    throw OperationCancelled();
            }
        }
        outcome.movements =
            scalar(m_db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar")).toInt();
    }

    bool progressStarted() const { return m_started; }

private:
    void ensureType(const QString &code, const QString &name)
    {
        TransactionTypes types(m_db);
        if (types.names().contains(name))
            return;
        TransactionType type;
        type.kodu = code;
        type.adi = name;
        throwIfFailed(types.store(type));
    }

    void startYear(int period, FlatRegister &flats, DemoOutcome &outcome)
    {
        const int first = 12 * period;
        const QDate day = m_calendar.monthStart(first);
        if (period > 0) {
            for (DemoFlat &flat : m_flats) {
                const FlatEvent event = flat.events[period];
                if (event == FlatEvent::None)
                    continue;
                applyFlatEvent(m_random, flat, event, day, first);
                throwIfFailed(flats.save(flat.record));
            }
        }
        chargeDues(period, outcome);
        for (DemoFlat &flat : m_flats) {
            if (flat.usdRent > 0)
                writeEntry(flat, flat.residentName(), day, 12.0 * flat.usdRent, 0, kUsd, kRentType,
                           m_calendar.periodLabel(period) + QStringLiteral(" otopark kirası"),
                           QString());
        }

        QList<DemoPayment> planned;
        for (qsizetype i = 0; i < m_flats.size(); ++i) {
            const qsizetype before = planned.size();
            planYearPayments(m_random, m_flats[i], int(i), m_calendar, period, m_dues[period],
                             m_cutoff, planned);
            for (qsizetype k = before; k < planned.size(); ++k) {
                planned[k].holder = m_flats[i].residentName();
                planned[k].order = m_order++;
            }
        }
        m_pending.erase(m_pending.begin(), m_pending.begin() + qsizetype(m_next));
        m_next = 0;
        m_pending.append(planned);
        std::sort(m_pending.begin(), m_pending.end(),
                  [](const DemoPayment &a, const DemoPayment &b) {
                      if (a.date != b.date)
                          return a.date < b.date;
                      if (a.flat != b.flat)
                          return a.flat < b.flat;
                      return a.order < b.order;
                  });
    }

    // One accrual batch per dues year: twelve instalments due on the last day of each month.
    void chargeDues(int period, DemoOutcome &outcome)
    {
        BulkAccrualRequest request;
        for (int i = 0; i < 12; ++i)
            request.instalments.append(
                {m_calendar.monthEnd(12 * period + i), double(m_dues[period])});
        request.firstDate = request.instalments.first().date;
        request.holder = AccountHolder::Resident;
        request.method = AccrualMethod::Fixed;
        request.roundingDecimals = 0;
        request.type = kDuesType;
        const QString label = m_calendar.periodLabel(period);
        request.description = label.contains(QLatin1Char('-'))
                                  ? label + QStringLiteral(" dönemi aylık aidat")
                                  : label + QStringLiteral(" yılı aylık aidat");
        BulkAccrualOutcome accrual;
        throwIfFailed(transferBulkAccrual(m_db, request, nullptr, &accrual));
        // The batch list shows when the manager made it, not when the demo was generated.
        const QDateTime recorded(m_calendar.monthStart(12 * period),
                                 QTime(9, 0).addSecs(60 * m_random.between(0, 180)));
        update(m_db, QStringLiteral("aiadataktar"), {{QStringLiteral("kayittarihi"), recorded}},
               QStringLiteral("aid = ?"), {accrual.batchId});
        ++outcome.accrualBatches;
    }

    void writePaymentsUpTo(const QDate &last, DemoOutcome &outcome)
    {
        while (m_next < size_t(m_pending.size()) && m_pending[qsizetype(m_next)].date <= last) {
            const DemoPayment &p = m_pending[qsizetype(m_next)];
            DemoFlat &flat = m_flats[p.flat];
            writeEntry(flat, p.holder, p.date, 0, p.amount, p.usd ? kUsd : QStringLiteral("TL"),
                       p.usd ? kRentType : kDuesType, p.description, p.method);
            ++outcome.payments;
            ++m_next;
        }
    }

    // One movement as the single entry takes it; a TL payment is booked as income of the
    // operating book too.
    void writeEntry(const DemoFlat &flat, const QString &holder, const QDate &date, double debit,
                    double credit, const QString &currency, const QString &type,
                    const QString &description, const QString &method)
    {
        DemoEntry entry;
        entry.holder = holderRole(flat, holder);
        entry.date = date;
        entry.debit = debit;
        entry.credit = credit;
        entry.currency = currency;
        entry.type = type;
        entry.description = description;
        entry.method = method;
        entry.addIncome = credit > 0 && currency != kUsd;
        m_entries->write(flat.record, entry);
    }

    // Which of the flat's people the holder is now; the plan never pays for someone who has
    // left twice over.
    static AccountHolder holderRole(const DemoFlat &flat, const QString &holder)
    {
        for (AccountHolder role : {AccountHolder::Resident, AccountHolder::Owner,
                                   AccountHolder::FormerResident, AccountHolder::FormerOwner}) {
            if (holderName(flat.record, role) == holder)
                return role;
        }
        throw OperationError(
            QStringLiteral("%1 numaralı dairede %2 bulunamadı.").arg(flat.number).arg(holder));
    }

    QSqlDatabase m_db;
    DemoRandom m_random;
    DemoCalendar m_calendar;
    BatchProgress *m_progress;
    DemoEntryPath m_path = DemoEntryPath::SingleEntry;
    std::unique_ptr<DemoEntryWriter> m_entries;
    QDate m_cutoff;
    int m_flatCount = 0;
    QList<DemoFlat> m_flats;
    QList<int> m_dues;
    QList<DemoPayment> m_pending; // sorted by date; m_next is the first not written yet
    size_t m_next = 0;
    quint64 m_order = 0;
    bool m_started = false;
};

} // namespace

QString demoSiteExistsMessage(const QString &code)
{
    return QStringLiteral("\"%1\" kodlu site zaten kayıtlı.").arg(code);
}

QString demoFlatsRangeMessage()
{
    return QStringLiteral("Daire sayısı 1 ile %1 arasında olmalıdır.").arg(kDemoMaxFlats);
}

QString demoYearsRangeMessage()
{
    return QStringLiteral("Yıl sayısı 1 ile %1 arasında olmalıdır.").arg(kDemoMaxYears);
}

Result generateDemoSite(Storage &storage, const QString &code, const DemoOptions &options,
                        BatchProgress *progress, DemoOutcome *outcome)
{
    return generateDemoSite(storage, code, options, DemoEntryPath::Auto, progress, outcome);
}

Result generateDemoSite(Storage &storage, const QString &code, const DemoOptions &options,
                        DemoEntryPath path, BatchProgress *progress, DemoOutcome *outcome)
{
    if (options.flats < 1 || options.flats > kDemoMaxFlats)
        return Result::failure(demoFlatsRangeMessage());
    if (options.years < 1 || options.years > kDemoMaxYears)
        return Result::failure(demoYearsRangeMessage());

    const bool wasOpen = storage.isOpen();
    if (!wasOpen) {
        if (Result r = storage.open(); !r)
            return r;
    }
    const auto closeAgain = qScopeGuard([&] {
        if (!wasOpen)
            storage.close();
    });

    SiteDirectory directory(storage);
    try {
        if (directory.findByCode(code) || QFileInfo::exists(Storage::siteDataPath(code)))
            return Result::failure(demoSiteExistsMessage(code));
    } catch (const OperationError &e) {
        return Result::failure(e.message());
    }
    if (Result r = directory.createSite(demoSiteInformation(code)); !r)
        return r;

    const QString previous = storage.siteCode();
    DemoOutcome counts;
    Result result = storage.selectSite(code);
    if (result) {
        DemoWriter writer(storage.ana(), options, path, progress);
        result = runInTransaction(storage.ana(), [&] { writer.run(counts); });
        if (writer.progressStarted())
            progress->finish(result ? QStringLiteral("Örnek site oluşturuldu.") : QString());
    }
    const Result back = previous.isEmpty() ? storage.leaveSite() : storage.selectSite(previous);
    if (!result) {
        // A half-made site is no example: it goes again, file and list row.
        try {
            if (const auto listed = directory.findByCode(code))
                directory.deleteSite(listed->key, true);
        } catch (const OperationError &) {
            // The failure that stopped the demo is the one to report.
        }
        return result;
    }
    if (outcome)
        *outcome = counts;
    return back;
}

} // namespace dalvira
