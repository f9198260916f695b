#include "TestSupport.h"
#include "common/BatchProgress.h"
#include "demo/DemoGenerator.h"
#include "flats/IdentityNumber.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"
#include "storage/Storage.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlRecord>
#include <QtTest>
#include <memory>

using namespace dalvira;

namespace {

const QDate kLastMonth(2024, 6, 1);

// Cancels once the generation reaches a given month.
class CancellingProgress : public BatchProgress
{
public:
    explicit CancellingProgress(int cancelAt) : m_cancelAt(cancelAt) {}
    void start(const QString &, const QString &, int rows, bool canCancel) override
    {
        total = rows;
        cancellable = canCancel;
    }
    void step(int position, int, int) override { last = position; }
    bool cancelRequested() const override { return m_cancelAt > 0 && last >= m_cancelAt; }
    void finish(const QString &text) override { endText = text; }

    int total = 0;
    int last = 0;
    bool cancellable = false;
    QString endText;

private:
    int m_cancelAt;
};

using Rows = QList<QVariantList>;

Rows readRows(const QSqlDatabase &db, const QString &sql, const QVariantList &params = {})
{
    Rows rows;
    QSqlQuery q = exec(db, sql, params);
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < q.record().count(); ++i)
            row.append(q.value(i));
        rows.append(row);
    }
    return rows;
}

QVariant one(const QSqlDatabase &db, const QString &sql, const QVariantList &params = {})
{
    return scalar(db, sql, params);
}

DemoOptions small(quint32 seed = 3)
{
    DemoOptions options;
    options.flats = 30;
    options.years = 3;
    options.seed = seed;
    options.lastMonth = kLastMonth;
    return options;
}

} // namespace

class DemoGeneratorTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void sameSeedGivesSameData();
    void bothEntryPathsWriteTheSameRows();
    void siteIsListedAndStorageLeftAsFound();
    void existingCodeIsRefused_data();
    void existingCodeIsRefused();
    void badCountsAreRefused_data();
    void badCountsAreRefused();
    void cancelRemovesTheSite();
    void dataHasWhatTheDemoPromises();
    void batchesAddUpAndPaymentsAreBooked();
    void defaultDemoSite();

private:
    // Generates into a fresh program folder and returns every table the demo writes.
    QList<Rows> generateAndDump(const DemoOptions &options,
                                DemoEntryPath path = DemoEntryPath::Auto);
    QSqlDatabase openSite(const QString &code);

    std::unique_ptr<test::TempProgramFolder> m_folder;
    std::unique_ptr<Storage> m_storage;
};

void DemoGeneratorTest::init()
{
    m_folder = std::make_unique<test::TempProgramFolder>();
    QVERIFY(m_folder->isValid());
    setProgramFolder(m_folder->path());
    m_storage = std::make_unique<Storage>();
    QVERIFY(m_storage->open());
}

void DemoGeneratorTest::cleanup()
{
    m_storage.reset();
    m_folder.reset();
}

QSqlDatabase DemoGeneratorTest::openSite(const QString &code)
{
    const Result r = m_storage->selectSite(code);
    if (!r)
        qWarning() << r.message();
    return m_storage->ana();
}

QList<Rows> DemoGeneratorTest::generateAndDump(const DemoOptions &options, DemoEntryPath path)
{
    cleanup();
    init();
    const Result r = generateDemoSite(*m_storage, QStringLiteral("DEMO"), options, path);
    if (!r)
        qWarning() << r.message();
    const QSqlDatabase db = openSite(QStringLiteral("DEMO"));
    QList<Rows> tables;
    for (const char *sql :
         {"SELECT * FROM sicilcarihar ORDER BY cid", "SELECT * FROM siciltablo ORDER BY hid",
          "SELECT * FROM isletgelir ORDER BY idi", "SELECT * FROM aiadataktar ORDER BY aid",
          "SELECT * FROM gelirtur ORDER BY gidi"})
        tables.append(readRows(db, QString::fromLatin1(sql)));
    return tables;
}

void DemoGeneratorTest::sameSeedGivesSameData()
{
    const QList<Rows> first = generateAndDump(small(5));
    const QList<Rows> second = generateAndDump(small(5));
    QVERIFY(!first[0].isEmpty());
    for (qsizetype t = 0; t < first.size(); ++t)
        QCOMPARE(second[t], first[t]);
    // The seed does decide: another one gives another site.
    const QList<Rows> other = generateAndDump(small(6));
    QVERIFY(other[0] != first[0]);
    QVERIFY(other[1] != first[1]);
}

// Large sites write their entries through prepared statements; the rows must be those the
// single entry writes.
void DemoGeneratorTest::bothEntryPathsWriteTheSameRows()
{
    const QList<Rows> single = generateAndDump(small(), DemoEntryPath::SingleEntry);
    const QList<Rows> batch = generateAndDump(small(), DemoEntryPath::Batch);
    QVERIFY(!single[2].isEmpty());
    for (qsizetype t = 0; t < single.size(); ++t)
        QCOMPARE(batch[t], single[t]);
}

void DemoGeneratorTest::siteIsListedAndStorageLeftAsFound()
{
    // From the start-up files...
    QVERIFY(generateDemoSite(*m_storage, QStringLiteral("D1"), small()));
    QVERIFY(m_storage->siteCode().isEmpty());
    const auto listed = SiteDirectory(*m_storage).findByCode(QStringLiteral("D1"));
    QVERIFY(listed);
    QCOMPARE(listed->name(), QStringLiteral("Yeşilvadi Sitesi Yönetimi"));
    QVERIFY(SiteDirectory::ownRecord(openSite(QStringLiteral("D1"))));
    QVERIFY(QFileInfo::exists(Storage::siteCashPath(QStringLiteral("D1"))));

    // ...and from an open site, which stays open.
    QVERIFY(generateDemoSite(*m_storage, QStringLiteral("D2"), small()));
    QCOMPARE(m_storage->siteCode(), QStringLiteral("D1"));
    QCOMPARE(SiteDirectory(*m_storage).list().size(), 2);
}

void DemoGeneratorTest::existingCodeIsRefused_data()
{
    QTest::addColumn<bool>("demoFirst");
    QTest::newRow("site made on the screen") << false;
    QTest::newRow("earlier demo") << true;
}

void DemoGeneratorTest::existingCodeIsRefused()
{
    QFETCH(bool, demoFirst);
    const QString code = QStringLiteral("S1");
    if (demoFirst) {
        QVERIFY(generateDemoSite(*m_storage, code, small()));
    } else {
        SiteRecord site;
        site.set("firma_kodu", code);
        site.set("firma_unvani_1", QStringLiteral("Ali'nin Apartmanı"));
        QVERIFY(SiteDirectory(*m_storage).createSite(site));
    }
    const QSqlDatabase before = openSite(code);
    const Rows ledger = readRows(before, QStringLiteral("SELECT * FROM sicilcarihar ORDER BY cid"));
    const Rows flats = readRows(before, QStringLiteral("SELECT * FROM siciltablo ORDER BY hid"));
    const auto listBefore = SiteDirectory(*m_storage).list();

    const Result r = generateDemoSite(*m_storage, code, small(9));
    QVERIFY(!r);
    QCOMPARE(r.message(), QStringLiteral("\"S1\" kodlu site zaten kayıtlı."));
    QCOMPARE(m_storage->siteCode(), code);
    QCOMPARE(readRows(m_storage->ana(), QStringLiteral("SELECT * FROM sicilcarihar ORDER BY cid")),
             ledger);
    QCOMPARE(readRows(m_storage->ana(), QStringLiteral("SELECT * FROM siciltablo ORDER BY hid")),
             flats);
    const auto listAfter = SiteDirectory(*m_storage).list();
    QCOMPARE(listAfter.size(), listBefore.size());
    QCOMPARE(listAfter.first().name(), listBefore.first().name());
}

void DemoGeneratorTest::badCountsAreRefused_data()
{
    QTest::addColumn<int>("flats");
    QTest::addColumn<int>("years");
    QTest::addColumn<QString>("message");
    QTest::newRow("no flats") << 0 << 2 << demoFlatsRangeMessage();
    QTest::newRow("too many flats") << kDemoMaxFlats + 1 << 2 << demoFlatsRangeMessage();
    QTest::newRow("no years") << 10 << 0 << demoYearsRangeMessage();
    QTest::newRow("too many years") << 10 << kDemoMaxYears + 1 << demoYearsRangeMessage();
}

void DemoGeneratorTest::badCountsAreRefused()
{
    QFETCH(int, flats);
    QFETCH(int, years);
    QFETCH(QString, message);
    DemoOptions options = small();
    options.flats = flats;
    options.years = years;
    const Result r = generateDemoSite(*m_storage, QStringLiteral("BAD"), options);
    QVERIFY(!r);
    QCOMPARE(r.message(), message);
    QVERIFY(SiteDirectory(*m_storage).list().isEmpty());
    QVERIFY(!QFileInfo::exists(Storage::siteDataPath(QStringLiteral("BAD"))));
}

void DemoGeneratorTest::cancelRemovesTheSite()
{
    QVERIFY(generateDemoSite(*m_storage, QStringLiteral("KEEP"), small()));
    QVERIFY(m_storage->selectSite(QStringLiteral("KEEP")));
    CancellingProgress progress(20);
    const Result r = generateDemoSite(*m_storage, QStringLiteral("GONE"), small(), &progress);
    QVERIFY(!r);
    QVERIFY(r.wasCancelled());
    QVERIFY(progress.cancellable);
    QCOMPARE(progress.total, 36);
    QCOMPARE(progress.last, 20);
    QVERIFY(progress.endText.isEmpty());
    QVERIFY(!SiteDirectory(*m_storage).findByCode(QStringLiteral("GONE")));
    QVERIFY(!QFileInfo::exists(Storage::siteDataPath(QStringLiteral("GONE"))));
    QVERIFY(!QFileInfo::exists(Storage::siteCashPath(QStringLiteral("GONE"))));
    QCOMPARE(m_storage->siteCode(), QStringLiteral("KEEP"));
    QVERIFY(SiteDirectory(*m_storage).findByCode(QStringLiteral("KEEP")));
}

void DemoGeneratorTest::dataHasWhatTheDemoPromises()
{
    DemoOutcome outcome;
    QVERIFY(generateDemoSite(*m_storage, QStringLiteral("DEMO"), small(), nullptr, &outcome));
    const QSqlDatabase db = openSite(QStringLiteral("DEMO"));

    QCOMPARE(outcome.flats, 30);
    QCOMPARE(one(db, QStringLiteral("SELECT COUNT(*) FROM siciltablo")).toInt(), 30);
    QCOMPARE(outcome.accrualBatches, 3);
    QCOMPARE(outcome.movements,
             one(db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar")).toInt());
    QCOMPARE(outcome.payments,
             one(db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE alacak > 0")).toInt());

    // Everything lies in the three dues years up to the last month.
    QCOMPARE(one(db, QStringLiteral("SELECT MIN(islem_tarihi) FROM sicilcarihar")).toString(),
             QStringLiteral("2021-07-01"));
    QCOMPARE(one(db, QStringLiteral("SELECT MAX(islem_tarihi) FROM sicilcarihar")).toString(),
             QStringLiteral("2024-06-30"));

    // Blocks, door numbers, areas, registered dues, valid identity numbers.
    QVERIFY(one(db, QStringLiteral("SELECT COUNT(DISTINCT blok) FROM siciltablo")).toInt() >= 1);
    QCOMPARE(one(db, QStringLiteral("SELECT COUNT(*) FROM siciltablo WHERE dairesi IS NULL OR "
                                    "bos_number1 < 70 OR bos_number3 <= 0"))
                 .toInt(),
             0);
    for (const QVariantList &row : readRows(db, QStringLiteral("SELECT tc_kimlik FROM siciltablo")))
        QCOMPARE(checkIdentityNumber(row[0].toString()), IdentityCheck::Valid);

    // Owners living in their flat, tenants, and former owners and residents.
    QVERIFY(one(db, QStringLiteral("SELECT COUNT(*) FROM siciltablo WHERE adi = oturan_adi AND "
                                   "soyadi = oturan_soyadi"))
                .toInt() > 0);
    QVERIFY(one(db, QStringLiteral("SELECT COUNT(*) FROM siciltablo WHERE adi <> oturan_adi OR "
                                   "soyadi <> oturan_soyadi"))
                .toInt() > 0);
    QVERIFY(one(db, QStringLiteral("SELECT COUNT(*) FROM siciltablo WHERE "
                                   "onceki_ev_sahibi_adi <> ''"))
                .toInt() > 0);
    // People who moved out during the years keep their movements under their own name.
    QVERIFY(one(db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar m JOIN siciltablo f ON "
                                   "f.sicil_kodu = m.sicil_kodu WHERE m.adi_soyadi = "
                                   "f.onceki_oturan_adi || ' ' || f.onceki_oturan_soyadi"))
                .toInt() > 0);

    // Turkish letters in the names.
    const QString names = readRows(db, QStringLiteral("SELECT group_concat(adi || soyadi || "
                                                      "oturan_adi || oturan_soyadi, '') FROM "
                                                      "siciltablo"))
                              .first()
                              .first()
                              .toString();
    for (const QChar c : QStringLiteral("şğıöüçŞİÖÜÇ"))
        QVERIFY2(names.contains(c), qPrintable(QString(c)));

    // A few flats charged and paying in USD; nothing else is in another currency.
    QVERIFY(one(db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE para_cinsi = 'USD' "
                                   "AND borc > 0"))
                .toInt() > 0);
    QVERIFY(one(db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE para_cinsi = 'USD' "
                                   "AND alacak > 0"))
                .toInt() > 0);
    QCOMPARE(one(db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE para_cinsi NOT IN "
                                    "('TL', 'USD')"))
                 .toInt(),
             0);
    // A USD account never pays more than it was charged.
    QCOMPARE(one(db, QStringLiteral("SELECT COUNT(*) FROM (SELECT sicil_kodu, adi_soyadi FROM "
                                    "sicilcarihar WHERE para_cinsi = 'USD' GROUP BY 1, 2 HAVING "
                                    "SUM(IFNULL(alacak, 0)) > SUM(IFNULL(borc, 0)))"))
                 .toInt(),
             0);

    // Debtors: accounts owing at least three months of the last year's dues.
    const double dues =
        one(db, QStringLiteral("SELECT MAX(bos_number3) FROM siciltablo")).toDouble();
    QVERIFY(one(db,
                QStringLiteral("SELECT COUNT(*) FROM (SELECT sicil_kodu, adi_soyadi FROM "
                               "sicilcarihar WHERE para_cinsi = 'TL' GROUP BY 1, 2 HAVING "
                               "SUM(IFNULL(borc, 0)) - SUM(IFNULL(alacak, 0)) >= ?)"),
                {3 * dues})
                .toInt() > 0);
    // Most accounts are paid up to a month or two.
    const int accounts = one(db, QStringLiteral("SELECT COUNT(*) FROM (SELECT DISTINCT sicil_kodu, "
                                                "adi_soyadi FROM sicilcarihar WHERE para_cinsi = "
                                                "'TL')"))
                             .toInt();
    const int nearlyPaid =
        one(db,
            QStringLiteral("SELECT COUNT(*) FROM (SELECT sicil_kodu, adi_soyadi FROM "
                           "sicilcarihar WHERE para_cinsi = 'TL' GROUP BY 1, 2 HAVING "
                           "SUM(IFNULL(borc, 0)) - SUM(IFNULL(alacak, 0)) <= ?)"),
            {2 * dues})
            .toInt();
    QVERIFY2(nearlyPaid * 2 > accounts,
             qPrintable(QStringLiteral("%1/%2").arg(nearlyPaid).arg(accounts)));
}

void DemoGeneratorTest::batchesAddUpAndPaymentsAreBooked()
{
    QVERIFY(generateDemoSite(*m_storage, QStringLiteral("DEMO"), small()));
    const QSqlDatabase db = openSite(QStringLiteral("DEMO"));

    // Each batch: twelve monthly instalments of the same dues to every flat charged.
    const Rows batches =
        readRows(db, QStringLiteral(
                         "SELECT b.aid, b.toplam_tutar, b.taksitsay, SUM(m.borc), "
                         "COUNT(DISTINCT m.sicil_kodu), COUNT(*), COUNT(DISTINCT m.islem_tarihi), "
                         "b.kayittarihi, MIN(m.islem_tarihi) FROM aiadataktar b JOIN "
                         "sicilcarihar m ON m.aidat1id = b.aid GROUP BY b.aid ORDER BY b.aid"));
    QCOMPARE(batches.size(), 3);
    double previousTotal = 0;
    for (const QVariantList &b : batches) {
        QCOMPARE(b[2].toInt(), 12);
        QCOMPARE(b[4].toInt(), 30);
        QCOMPARE(b[5].toInt(), 12 * 30);
        QCOMPARE(b[6].toInt(), 12);
        QCOMPARE(b[3].toDouble(), b[1].toDouble() * b[4].toInt());
        QVERIFY(b[1].toDouble() > previousTotal); // dues rise every year
        previousTotal = b[1].toDouble();
        // Recorded on the first day of its dues year, not on the day the demo was made.
        QCOMPARE(b[7].toString().left(10), b[8].toString().left(8) + QStringLiteral("01"));
    }
    QCOMPARE(one(db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE borc > 0 AND "
                                    "para_cinsi = 'TL' AND aidat1id IS NULL"))
                 .toInt(),
             0);

    // Every TL payment has its income line of the operating book, linked both ways, with its
    // own receipt number; USD payments and charges have none.
    const int tlPayments = one(db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE "
                                                  "alacak > 0 AND para_cinsi = 'TL'"))
                               .toInt();
    QVERIFY(tlPayments > 0);
    QCOMPARE(one(db, QStringLiteral("SELECT COUNT(*) FROM isletgelir")).toInt(), tlPayments);
    QCOMPARE(one(db, QStringLiteral("SELECT COUNT(*) FROM isletgelir g JOIN sicilcarihar m ON "
                                    "m.cid = g.sicilhareketid AND m.isletmegelirid = g.idi AND "
                                    "m.alacak = g.toplamtutar AND m.islem_tarihi = g.islem_tarihi "
                                    "AND g.doviz_cinsi = 'TL' AND g.geliradi = 'Aidat' AND "
                                    "g.islemturu IN ('Kasa', 'Banka')"))
                 .toInt(),
             tlPayments);
    QCOMPARE(one(db, QStringLiteral("SELECT COUNT(DISTINCT mahsupid) FROM isletgelir")).toInt(),
             tlPayments);
    QCOMPARE(one(db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE para_cinsi = 'USD' "
                                    "AND isletmegelirid IS NOT NULL"))
                 .toInt(),
             0);
    // Receipts are numbered in date order, as a manager typing them would.
    QCOMPARE(one(db, QStringLiteral("SELECT COUNT(*) FROM isletgelir a JOIN isletgelir b ON "
                                    "b.mahsupid = a.mahsupid + 1 WHERE b.islem_tarihi < "
                                    "a.islem_tarihi"))
                 .toInt(),
             0);
    // The types used are in the types list.
    QCOMPARE(one(db, QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE aidat_turu NOT IN "
                                    "(SELECT adi FROM gelirtur)"))
                 .toInt(),
             0);
}

void DemoGeneratorTest::defaultDemoSite()
{
    QElapsedTimer timer;
    timer.start();
    DemoOptions options;
    options.lastMonth = kLastMonth;
    DemoOutcome outcome;
    QVERIFY(generateDemoSite(*m_storage, QStringLiteral("DEMO"), options, nullptr, &outcome));
    qInfo() << "120 flats, 2 years:" << timer.elapsed() << "ms," << outcome.movements
            << "movements";
    QCOMPARE(outcome.flats, 120);
    QCOMPARE(outcome.accrualBatches, 2);
    const QSqlDatabase db = openSite(QStringLiteral("DEMO"));
    QVERIFY(one(db, QStringLiteral("SELECT COUNT(DISTINCT blok) FROM siciltablo")).toInt() >= 3);
    QVERIFY(
        one(db, QStringLiteral("SELECT MAX(CAST(dairesi AS INTEGER)) FROM siciltablo")).toInt() <=
        40);
}

QTEST_GUILESS_MAIN(DemoGeneratorTest)
#include "tst_demogenerator.moc"
