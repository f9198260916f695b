#include "../flats/FlatTestSite.h"
#include "common/BatchProgress.h"
#include "ledger/BulkAccrual.h"
#include "ledger/BulkAccrualBatchList.h"
#include "storage/Sql.h"

#include <QSqlRecord>
#include <QtTest>
#include <numeric>

using namespace dalvira;

Q_DECLARE_METATYPE(dalvira::AccrualMethod)

namespace {

// Records what the transfer reports and cancels once it reaches a given flat.
class RecordingProgress : public BatchProgress
{
public:
    explicit RecordingProgress(int cancelAt = 0) : m_cancelAt(cancelAt) {}
    void start(const QString &status, const QString &, int rows, bool canCancel) override
    {
        statusText = status;
        total = rows;
        cancellable = canCancel;
    }
    void step(int position, int, int) override { last = position; }
    bool cancelRequested() const override { return m_cancelAt > 0 && last >= m_cancelAt; }
    void finish(const QString &text) override { endText = text; }

    QString statusText;
    QString endText;
    int total = 0;
    int last = 0;
    bool cancellable = false;

private:
    int m_cancelAt;
};

} // namespace

class BulkAccrualTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void charge_data();
    void charge();
    void share_data();
    void share();
    void summaryCountsOnlyChargedInstalments();

    void hundredInThreeGivesThirtyThreeThirtyThree();
    void movementsCarryTheFlatAndTheBatch();
    void unnamedHoldersAreSkippedAndListed();
    void holderChoice_data();
    void holderChoice();
    void restrictions_data();
    void restrictions();
    void sharedChargesAddUpToEachInstalment();
    void refusedTransfersWriteNothing_data();
    void refusedTransfersWriteNothing();
    void failureHalfwayLeavesNothing();
    void cancelHalfwayLeavesNothing();

    void undoRemovesExactlyTheBatch();
    void undoOfMissingBatchFails();
    void batchListSorts();
    void largeTransferAndUndo();

private:
    qint64 addFlat(const QVariantMap &values);
    QList<QVariantMap> rows(const QString &sql, const QVariantList &params = {}) const;
    int count(const QString &sql, const QVariantList &params = {}) const;
    static BulkAccrualRequest plan(const QList<double> &amounts,
                                   const QDate &start = {2024, 1, 15});
    std::unique_ptr<test::FlatTestSite> m_site;
};

void BulkAccrualTest::init()
{
    m_site = std::make_unique<test::FlatTestSite>();
    QVERIFY(m_site->ready());
}

void BulkAccrualTest::cleanup()
{
    m_site.reset();
}

// Flats go in with plain SQL: the flat record's own store rules would copy the owner into an
// empty resident, and these tests need flats as older data can hold them.
qint64 BulkAccrualTest::addFlat(const QVariantMap &values)
{
    ColumnValues columns;
    for (auto it = values.begin(); it != values.end(); ++it)
        columns.append({it.key(), it.value()});
    return insert(m_site->db(), QStringLiteral("siciltablo"), columns);
}

QList<QVariantMap> BulkAccrualTest::rows(const QString &sql, const QVariantList &params) const
{
    QList<QVariantMap> out;
    QSqlQuery q = exec(m_site->db(), sql, params);
    while (q.next()) {
        QVariantMap v;
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i)
            v.insert(rec.fieldName(i), q.value(i));
        out.append(v);
    }
    return out;
}

int BulkAccrualTest::count(const QString &sql, const QVariantList &params) const
{
    return scalar(m_site->db(), sql, params).toInt();
}

BulkAccrualRequest BulkAccrualTest::plan(const QList<double> &amounts, const QDate &start)
{
    BulkAccrualRequest request;
    for (int i = 0; i < amounts.size(); ++i)
        request.instalments.append({start.addMonths(i), amounts[i]});
    request.firstDate = start;
    request.type = QStringLiteral("Aidat");
    request.description = QStringLiteral("Ocak aidatı");
    request.roundingDecimals = 2;
    return request;
}

void BulkAccrualTest::charge_data()
{
    QTest::addColumn<AccrualMethod>("method");
    QTest::addColumn<double>("amount");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("registered");
    QTest::addColumn<double>("discount");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");

    QTest::newRow("fixed keeps kuruş")
        << AccrualMethod::Fixed << 33.33 << 1.0 << 0.0 << 0.0 << 2 << 33.33;
    QTest::newRow("rate 10 x 120 m2 less 10 %")
        << AccrualMethod::ByCriterion << 10.0 << 120.0 << 0.0 << 10.0 << 0 << 1080.0;
    QTest::newRow("empty criterion charges 0")
        << AccrualMethod::ByCriterion << 10.0 << 0.0 << 0.0 << 10.0 << 0 << 0.0;
    QTest::newRow("rounding 0: 1234,56 -> 1235")
        << AccrualMethod::Fixed << 1234.56 << 1.0 << 0.0 << 0.0 << 0 << 1235.0;
    QTest::newRow("half to even down")
        << AccrualMethod::Fixed << 2.5 << 1.0 << 0.0 << 0.0 << 0 << 2.0;
    QTest::newRow("half to even up")
        << AccrualMethod::Fixed << 3.5 << 1.0 << 0.0 << 0.0 << 0 << 4.0;
    QTest::newRow("kuruş half to even")
        << AccrualMethod::Fixed << 0.125 << 1.0 << 0.0 << 0.0 << 2 << 0.12;
    QTest::newRow("discount on fixed")
        << AccrualMethod::Fixed << 250.0 << 1.0 << 0.0 << 15.0 << 2 << 212.5;
    QTest::newRow("registered dues, instalment ignored")
        << AccrualMethod::RegisteredDues << 999.0 << 1.0 << 325.5 << 10.0 << 2 << 325.5;
    QTest::newRow("registered dues rounded")
        << AccrualMethod::RegisteredDues << 1.0 << 1.0 << 325.5 << 0.0 << 0 << 326.0;
    QTest::newRow("more decimals than kuruş round to kuruş")
        << AccrualMethod::Fixed << 1.23456 << 1.0 << 0.0 << 0.0 << 5 << 1.23;
}

void BulkAccrualTest::charge()
{
    QFETCH(AccrualMethod, method);
    QFETCH(double, amount);
    QFETCH(double, factor);
    QFETCH(double, registered);
    QFETCH(double, discount);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    QCOMPARE(accrualCharge(method, amount, factor, registered, discount, decimals), expected);
}

void BulkAccrualTest::share_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QList<double>>("criteria");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QList<double>>("expected");

    QTest::newRow("100 in three equal parts")
        << 100.0 << QList<double>{1, 1, 1} << 2 << QList<double>{33.34, 33.33, 33.33};
    QTest::newRow("whole units, largest remainder first")
        << 1000.0 << QList<double>{1, 2, 3} << 0 << QList<double>{167, 333, 500};
    QTest::newRow("ties go to earlier flats")
        << 10.0 << QList<double>{1, 1, 1} << 0 << QList<double>{4, 3, 3};
    QTest::newRow("empty criterion gets nothing")
        << 1000.0 << QList<double>{120, 80, 0} << 0 << QList<double>{600, 400, 0};
    QTest::newRow("fractional square metres") << 1000.0 << QList<double>{85.5, 110.25, 140.75} << 2
                                              << QList<double>{254.08, 327.64, 418.28};
    QTest::newRow("all criteria empty") << 100.0 << QList<double>{0, 0} << 2 << QList<double>{};
    QTest::newRow("negative criterion") << 100.0 << QList<double>{-1, 2} << 2 << QList<double>{};
}

void BulkAccrualTest::share()
{
    QFETCH(double, amount);
    QFETCH(QList<double>, criteria);
    QFETCH(int, decimals);
    QFETCH(QList<double>, expected);
    const QList<double> shares = shareByCriterion(amount, criteria, decimals);
    QCOMPARE(shares, expected);
    if (!shares.isEmpty()) {
        qint64 sum = 0;
        for (double s : shares)
            sum += std::llround(s * 100);
        QCOMPARE(sum, std::llround(amount * 100));
    }
}

void BulkAccrualTest::summaryCountsOnlyChargedInstalments()
{
    BulkAccrualRequest request = plan({});
    request.instalments = {{QDate(2024, 1, 1), 100.0},
                           {QDate(), 50.0},
                           {QDate(2024, 3, 1), 0.0},
                           {QDate(2024, 4, 1), 25.5}};
    BulkAccrualSummary summary;
    QVERIFY(summarizeBulkAccrual(request, summary));
    QCOMPARE(summary.total, 125.5);
    QCOMPARE(summary.instalments, 2);

    request.instalments = {{QDate(), 50.0}, {QDate(2024, 3, 1), 0.0}};
    const Result r = summarizeBulkAccrual(request, summary);
    QVERIFY(!r);
    QCOMPARE(r.message(),
             QStringLiteral("Taksit tutarları veya tarihleri girilmemiş! İşlem iptal edildi."));
}

void BulkAccrualTest::hundredInThreeGivesThirtyThreeThirtyThree()
{
    addFlat({{"sicil_kodu", 1}, {"oturan_adi", "Ayşe"}, {"oturan_soyadi", "Kaya"}});
    QList<Instalment> instalments;
    QVERIFY(buildInstalmentPlan({100.0, QDate(2024, 1, 31), 3, 1, false}, instalments));
    BulkAccrualRequest request = plan({});
    request.instalments = instalments;
    BulkAccrualSummary summary;
    QVERIFY(summarizeBulkAccrual(request, summary));
    QCOMPARE(summary.total, 99.99);

    BulkAccrualOutcome outcome;
    QVERIFY(transferBulkAccrual(m_site->db(), request, nullptr, &outcome));
    const auto moves = rows("SELECT borc, islem_tarihi FROM sicilcarihar ORDER BY cid");
    QCOMPARE(moves.size(), 3);
    for (const QVariantMap &m : moves)
        QCOMPARE(m.value("borc").toDouble(), 33.33);
    QCOMPARE(moves[1].value("islem_tarihi").toString(), QStringLiteral("2024-02-29"));
    const auto batch = rows("SELECT * FROM aiadataktar");
    QCOMPARE(batch.size(), 1);
    QCOMPARE(batch[0].value("toplam_tutar").toDouble(), 99.99);
    QCOMPARE(batch[0].value("taksitsay").toInt(), 3);
    QCOMPARE(batch[0].value("tarih").toString(), QStringLiteral("2024-01-15"));
    QCOMPARE(batch[0].value("aid").toLongLong(), outcome.batchId);
}

void BulkAccrualTest::movementsCarryTheFlatAndTheBatch()
{
    const qint64 hid = addFlat({{"sicil_kodu", 7},
                                {"adi", "Ali'nin"},
                                {"soyadi", "Oğlu"},
                                {"oturan_adi", "İpek"},
                                {"oturan_soyadi", "Ağaç"},
                                {"blok", "A"},
                                {"dairesi", "3"},
                                {"dis_kapi_numarasi", ""}});
    BulkAccrualRequest request = plan({150.0, 0.0, 150.0});
    request.type = QStringLiteral("Aidat ve Yakıt Gideri");
    request.currency = QStringLiteral("USD");
    QVERIFY(transferBulkAccrual(m_site->db(), request));

    const auto moves = rows("SELECT * FROM sicilcarihar ORDER BY cid");
    QCOMPARE(moves.size(), 2);
    const QVariantMap &m = moves[0];
    QCOMPARE(m.value("sicil_kodu").toInt(), 7);
    QCOMPARE(m.value("sicil_kayitno_id").toLongLong(), hid);
    QCOMPARE(m.value("adi_soyadi").toString(), QStringLiteral("İpek Ağaç"));
    QCOMPARE(m.value("oturan_adi_soyadi").toString(), QStringLiteral("İpek Ağaç"));
    QCOMPARE(m.value("daire_sahibi_adi_soyadi").toString(), QStringLiteral("Ali'nin Oğlu"));
    QCOMPARE(m.value("aidat_turu").toString(), QStringLiteral("Aidat ve Yakıt "));
    QCOMPARE(m.value("para_cinsi").toString(), QStringLiteral("USD"));
    QCOMPARE(m.value("aciklama").toString(), QStringLiteral("Ocak aidatı"));
    QCOMPARE(m.value("blok").toString(), QStringLiteral("A"));
    QCOMPARE(m.value("dairesi").toString(), QStringLiteral("3"));
    QVERIFY(m.value("dis_kapi_numarasi").isNull());
    QCOMPARE(m.value("faiz_id").toInt(), 0);
    QVERIFY(m.value("alacak").isNull());
    QCOMPARE(moves[1].value("islem_tarihi").toString(), QStringLiteral("2024-03-15"));
    const auto batch = rows("SELECT aid, aciklama, toplam_tutar FROM aiadataktar");
    QCOMPARE(m.value("aidat1id").toLongLong(), batch[0].value("aid").toLongLong());
    QCOMPARE(batch[0].value("aciklama").toString(),
             QStringLiteral("Aidat ve Yakıt Gideri - Ocak aidatı - USD"));
    QCOMPARE(batch[0].value("toplam_tutar").toDouble(), 300.0);

    // No currency chosen: the movements are in TL and the batch text has no currency.
    request.currency.clear();
    request.type = QStringLiteral("Aidat");
    QVERIFY(transferBulkAccrual(m_site->db(), request));
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar WHERE para_cinsi = 'TL'"), 2);
    QCOMPARE(scalar(m_site->db(), "SELECT aciklama FROM aiadataktar ORDER BY aid DESC").toString(),
             QStringLiteral("Aidat - Ocak aidatı"));
}

void BulkAccrualTest::unnamedHoldersAreSkippedAndListed()
{
    addFlat({{"sicil_kodu", 1},
             {"adi", "Ali"},
             {"soyadi", "Veli"},
             {"oturan_adi", "Ayşe"},
             {"oturan_soyadi", "Kaya"}});
    addFlat({{"sicil_kodu", 2}, {"adi", "Cem"}, {"soyadi", "Ak"}, {"blok", "B"}, {"dairesi", "4"}});
    addFlat({{"sicil_kodu", 3}, {"adi", "Efe"}, {"oturan_adi", "  "}, {"oturan_soyadi", ""}});
    addFlat({{"sicil_kodu", 4}, {"oturan_soyadi", "Tek"}});

    BulkAccrualOutcome outcome;
    QVERIFY(transferBulkAccrual(m_site->db(), plan({100.0, 100.0}), nullptr, &outcome));
    QCOMPARE(outcome.flats, 2);
    QCOMPARE(outcome.movements, 4);
    QCOMPARE(outcome.skipped.size(), 2);
    QCOMPARE(outcome.skipped[0].number, 2);
    QCOMPARE(outcome.skipped[1].number, 3);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar WHERE sicil_kodu IN (2, 3)"), 0);
    // A surname alone is a name; its snapshot of the resident stays empty (no first name).
    const auto four = rows("SELECT adi_soyadi, oturan_adi_soyadi, daire_sahibi_adi_soyadi FROM "
                           "sicilcarihar WHERE sicil_kodu = 4");
    QCOMPARE(four.size(), 2);
    QCOMPARE(four[0].value("adi_soyadi").toString(), QStringLiteral(" Tek"));
    QVERIFY(four[0].value("oturan_adi_soyadi").isNull());
    QVERIFY(four[0].value("daire_sahibi_adi_soyadi").isNull());
    const QString message = skippedFlatsMessage(outcome.skipped);
    QVERIFY(message.contains(QStringLiteral("2 (Blok: B, Daire: 4)")));
    QVERIFY(message.contains(QStringLiteral("\n\r3")));
}

void BulkAccrualTest::holderChoice_data()
{
    QTest::addColumn<int>("holder");
    QTest::addColumn<int>("method");
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("charge");

    // Owner: discount 20 %, criterion 100, dues 300; resident: 10 %, 120, 250.
    QTest::newRow("resident fixed")
        << int(AccountHolder::Resident) << int(AccrualMethod::Fixed) << "Ayşe Kaya" << 90.0;
    QTest::newRow("owner fixed") << int(AccountHolder::Owner) << int(AccrualMethod::Fixed)
                                 << "Ali Veli" << 80.0;
    QTest::newRow("resident by criterion")
        << int(AccountHolder::Resident) << int(AccrualMethod::ByCriterion) << "Ayşe Kaya"
        << 10800.0;
    QTest::newRow("owner by criterion")
        << int(AccountHolder::Owner) << int(AccrualMethod::ByCriterion) << "Ali Veli" << 8000.0;
    QTest::newRow("resident registered dues")
        << int(AccountHolder::Resident) << int(AccrualMethod::RegisteredDues) << "Ayşe Kaya"
        << 250.0;
    QTest::newRow("owner registered dues")
        << int(AccountHolder::Owner) << int(AccrualMethod::RegisteredDues) << "Ali Veli" << 300.0;
}

void BulkAccrualTest::holderChoice()
{
    QFETCH(int, holder);
    QFETCH(int, method);
    QFETCH(QString, name);
    QFETCH(double, charge);
    addFlat({{"sicil_kodu", 1},
             {"adi", "Ali"},
             {"soyadi", "Veli"},
             {"oturan_adi", "Ayşe"},
             {"oturan_soyadi", "Kaya"},
             {"aidat1indirim", 20.0},
             {"aidat2indirim", 10.0},
             {"bos_number1", 100.0},
             {"bos_number2", 120.0},
             {"bos_number3", 300.0},
             {"bos_number4", 250.0}});
    BulkAccrualRequest request = plan({100.0});
    request.holder = AccountHolder(holder);
    request.method = AccrualMethod(method);
    QVERIFY(transferBulkAccrual(m_site->db(), request));
    const auto moves = rows("SELECT adi_soyadi, borc FROM sicilcarihar");
    QCOMPARE(moves.size(), 1);
    QCOMPARE(moves[0].value("adi_soyadi").toString(), name);
    QCOMPARE(moves[0].value("borc").toDouble(), charge);
}

void BulkAccrualTest::restrictions_data()
{
    QTest::addColumn<QStringList>("restriction"); // number, block, flat, door ("" = off)
    QTest::addColumn<QList<int>>("flats");

    QTest::newRow("none") << QStringList{"", "", "", ""} << QList<int>{1, 2, 3, 4};
    QTest::newRow("number") << QStringList{"3", "", "", ""} << QList<int>{3};
    QTest::newRow("block with apostrophe")
        << QStringList{"", "Ali'nin", "", ""} << QList<int>{1, 2};
    QTest::newRow("block and flat") << QStringList{"", "Ali'nin", "2", ""} << QList<int>{2};
    QTest::newRow("door") << QStringList{"", "", "", "12"} << QList<int>{3, 4};
    QTest::newRow("nothing matches") << QStringList{"", "C", "", ""} << QList<int>{};
}

void BulkAccrualTest::restrictions()
{
    QFETCH(QStringList, restriction);
    QFETCH(QList<int>, flats);
    addFlat({{"sicil_kodu", 1}, {"oturan_adi", "A"}, {"blok", "Ali'nin"}, {"dairesi", "1"}});
    addFlat({{"sicil_kodu", 2}, {"oturan_adi", "B"}, {"blok", "Ali'nin"}, {"dairesi", "2"}});
    addFlat({{"sicil_kodu", 3},
             {"oturan_adi", "C"},
             {"blok", "B"},
             {"dairesi", "2"},
             {"dis_kapi_numarasi", "12"}});
    addFlat({{"sicil_kodu", 4}, {"oturan_adi", "D"}, {"blok", "B"}, {"dis_kapi_numarasi", "12"}});

    BulkAccrualRequest request = plan({10.0});
    AccrualRestrictions &r = request.restrictions;
    r.number = restriction[0];
    r.byNumber = !r.number.isEmpty();
    r.block = restriction[1];
    r.byBlock = !r.block.isEmpty();
    r.flat = restriction[2];
    r.byFlat = !r.flat.isEmpty();
    r.door = restriction[3];
    r.byDoor = !r.door.isEmpty();
    // A filled field whose box is not ticked restricts nothing.
    if (!r.byDoor)
        r.door = QStringLiteral("99");

    const Result result = transferBulkAccrual(m_site->db(), request);
    QCOMPARE(result.ok(), !flats.isEmpty());
    QList<int> charged;
    for (const QVariantMap &m : rows("SELECT sicil_kodu FROM sicilcarihar ORDER BY sicil_kodu"))
        charged.append(m.value("sicil_kodu").toInt());
    QCOMPARE(charged, flats);
    if (flats.isEmpty()) {
        QCOMPARE(result.message(), noFlatsToChargeMessage());
        QCOMPARE(count("SELECT COUNT(*) FROM aiadataktar"), 0);
    }
}

void BulkAccrualTest::sharedChargesAddUpToEachInstalment()
{
    addFlat({{"sicil_kodu", 1}, {"oturan_adi", "A"}, {"bos_number2", 85.5}});
    addFlat(
        {{"sicil_kodu", 2}, {"oturan_adi", "B"}, {"bos_number2", 110.25}, {"aidat2indirim", 50.0}});
    addFlat({{"sicil_kodu", 3}, {"oturan_adi", "C"}, {"bos_number2", 140.75}});
    addFlat({{"sicil_kodu", 4}, {"oturan_adi", "D"}});
    addFlat({{"sicil_kodu", 5}, {"bos_number2", 500.0}}); // no resident: skipped, no share
    BulkAccrualRequest request = plan({1000.0, 333.33});
    request.method = AccrualMethod::ShareByCriterion;
    BulkAccrualOutcome outcome;
    QVERIFY(transferBulkAccrual(m_site->db(), request, nullptr, &outcome));
    QCOMPARE(outcome.skipped.size(), 1);

    const auto first = rows("SELECT sicil_kodu, borc FROM sicilcarihar WHERE islem_tarihi = "
                            "'2024-01-15' ORDER BY sicil_kodu");
    QCOMPARE(first.size(), 4);
    QCOMPARE(first[0].value("borc").toDouble(), 254.08);
    QCOMPARE(first[1].value("borc").toDouble(), 163.82); // 327.64 less 50 %
    QCOMPARE(first[2].value("borc").toDouble(), 418.28);
    QVERIFY(first[3].value("borc").isNull());
    // Without discounts the shares of every instalment add up to it exactly.
    exec(m_site->db(), "UPDATE siciltablo SET aidat2indirim = NULL");
    QVERIFY(transferBulkAccrual(m_site->db(), request, nullptr, &outcome));
    for (const QVariantMap &sum :
         rows("SELECT islem_tarihi, SUM(borc) AS s FROM sicilcarihar WHERE aidat1id = ? "
              "GROUP BY islem_tarihi ORDER BY islem_tarihi",
              {outcome.batchId}))
        QCOMPARE(std::llround(sum.value("s").toDouble() * 100),
                 sum.value("islem_tarihi").toString() == "2024-01-15" ? 100000 : 33333);
}

void BulkAccrualTest::refusedTransfersWriteNothing_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<double>("discount");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("message");

    QTest::newRow("no criteria to share")
        << int(AccrualMethod::ShareByCriterion) << 0.0 << "" << noCriterionMessage();
    QTest::newRow("discount over 100 %")
        << int(AccrualMethod::Fixed) << 150.0 << ""
        << "1 numaralı dairenin borcu eksi çıkıyor; indirim oranını ve aidat bilgilerini "
           "kontrol ediniz! İşlem iptal edildi.";
    QTest::newRow("member number not a number") << int(AccrualMethod::Fixed) << 0.0 << "1a"
                                                << "Üye Numarası geçersiz! İşlem iptal edildi.";
}

void BulkAccrualTest::refusedTransfersWriteNothing()
{
    QFETCH(int, method);
    QFETCH(double, discount);
    QFETCH(QString, number);
    QFETCH(QString, message);
    addFlat({{"sicil_kodu", 1}, {"oturan_adi", "A"}, {"aidat2indirim", discount}});
    BulkAccrualRequest request = plan({100.0, 100.0});
    request.method = AccrualMethod(method);
    request.restrictions.byNumber = !number.isEmpty();
    request.restrictions.number = number;
    const Result r = transferBulkAccrual(m_site->db(), request);
    QVERIFY(!r);
    QCOMPARE(r.message(), message);
    QCOMPARE(count("SELECT COUNT(*) FROM aiadataktar"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar"), 0);
}

void BulkAccrualTest::failureHalfwayLeavesNothing()
{
    for (int i = 1; i <= 10; ++i)
        addFlat({{"sicil_kodu", i}, {"oturan_adi", QStringLiteral("Kişi %1").arg(i)}});
    // The database refuses the 26th movement, in the middle of the ninth flat.
    exec(m_site->db(), "CREATE TEMP TRIGGER fail_halfway BEFORE INSERT ON main.sicilcarihar "
                       "WHEN (SELECT COUNT(*) FROM main.sicilcarihar) >= 25 "
                       "BEGIN SELECT RAISE(ABORT, 'disk dolu'); END");
    RecordingProgress progress;
    BulkAccrualOutcome outcome;
    const Result r =
        transferBulkAccrual(m_site->db(), plan({10.0, 20.0, 30.0}), &progress, &outcome);
    exec(m_site->db(), "DROP TRIGGER temp.fail_halfway");
    QVERIFY(!r);
    QVERIFY(!r.wasCancelled());
    QVERIFY(r.message().contains(QStringLiteral("disk dolu")));
    QCOMPARE(progress.last, 8);
    QCOMPARE(outcome.batchId, 0);
    QCOMPARE(count("SELECT COUNT(*) FROM aiadataktar"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar"), 0);
}

void BulkAccrualTest::cancelHalfwayLeavesNothing()
{
    for (int i = 1; i <= 10; ++i)
        addFlat({{"sicil_kodu", i}, {"oturan_adi", QStringLiteral("Kişi %1").arg(i)}});
    RecordingProgress progress(4);
    const Result r = transferBulkAccrual(m_site->db(), plan({10.0, 20.0}), &progress);
    QVERIFY(!r);
    QVERIFY(r.wasCancelled());
    QVERIFY(progress.cancellable);
    QCOMPARE(progress.total, 10);
    QCOMPARE(progress.last, 4);
    QCOMPARE(progress.statusText, QStringLiteral("Aktarma yapılıyor..."));
    QCOMPARE(count("SELECT COUNT(*) FROM aiadataktar"), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar"), 0);
}

void BulkAccrualTest::undoRemovesExactlyTheBatch()
{
    addFlat({{"sicil_kodu", 1}, {"oturan_adi", "Ayşe"}, {"oturan_soyadi", "Kaya"}});
    addFlat({{"sicil_kodu", 2}, {"oturan_adi", "Can"}, {"oturan_soyadi", "Er"}});
    BulkAccrualOutcome first;
    BulkAccrualOutcome second;
    QVERIFY(transferBulkAccrual(m_site->db(), plan({100.0, 100.0, 100.0}), nullptr, &first));
    QVERIFY(transferBulkAccrual(m_site->db(), plan({50.0}), nullptr, &second));
    // A payment of its own, and a movement of the first batch corrected afterwards.
    insert(m_site->db(), "sicilcarihar",
           {{"sicil_kodu", 1},
            {"adi_soyadi", "Ayşe Kaya"},
            {"alacak", 75.0},
            {"islem_tarihi", "2024-02-01"},
            {"para_cinsi", "TL"},
            {"faiz_id", 0}});
    exec(m_site->db(),
         "UPDATE sicilcarihar SET borc = 90, adi_soyadi = 'Ayşe Demir', sicil_kodu = 2, "
         "islem_tarihi = '2023-12-31' WHERE cid = (SELECT MIN(cid) FROM sicilcarihar "
         "WHERE aidat1id = ?)",
         {first.batchId});
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar"), 9);

    RecordingProgress progress;
    int removed = 0;
    QVERIFY(undoAccrualBatch(m_site->db(), first.batchId, &progress, &removed));
    QCOMPARE(removed, 6);
    QCOMPARE(progress.statusText, QStringLiteral("Aidat aktarım kayıtları Siliniyor..."));
    QCOMPARE(progress.total, 6);
    QCOMPARE(progress.endText, QStringLiteral("İşlem bitti."));
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar WHERE aidat1id = ?", {first.batchId}), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar WHERE aidat1id = ?", {second.batchId}), 2);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar WHERE aidat1id IS NULL"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM aiadataktar"), 1);
    QCOMPARE(count("SELECT aid FROM aiadataktar"), int(second.batchId));
}

void BulkAccrualTest::undoOfMissingBatchFails()
{
    const Result r = undoAccrualBatch(m_site->db(), 4711);
    QVERIFY(!r);
    QCOMPARE(r.message(), missingBatchMessage());
}

void BulkAccrualTest::batchListSorts()
{
    addFlat({{"sicil_kodu", 1}, {"oturan_adi", "A"}});
    BulkAccrualRequest a = plan({300.0}, QDate(2024, 3, 1));
    a.description = QStringLiteral("çatı");
    BulkAccrualRequest b = plan({100.0, 100.0}, QDate(2024, 5, 1));
    b.description = QStringLiteral("cam");
    BulkAccrualRequest c = plan({40.0, 40.0, 40.0, 40.0}, QDate(2023, 1, 1));
    c.description = QStringLiteral("dış cephe");
    for (const BulkAccrualRequest *r : {&a, &b, &c})
        QVERIFY(transferBulkAccrual(m_site->db(), *r));

    BulkAccrualBatchList list;
    QVERIFY(list.reload(m_site->db()));
    auto order = [&] {
        QStringList out;
        for (int row = 0; row < list.rowCount(); ++row)
            out << list.index(row, BulkAccrualBatchList::DescriptionColumn)
                       .data()
                       .toString()
                       .section(QStringLiteral(" - "), 1, 1);
        return out;
    };
    QCOMPARE(order(), (QStringList{"cam", "çatı", "dış cephe"})); // first date, newest first
    QCOMPARE(list.index(0, BulkAccrualBatchList::DateColumn).data().toString(),
             QStringLiteral("01.05.2024"));
    QCOMPARE(list.index(0, BulkAccrualBatchList::TotalColumn).data().toString(),
             QStringLiteral("200,00"));
    QCOMPARE(list.index(2, BulkAccrualBatchList::CountColumn).data().toInt(), 4);
    QCOMPARE(list.headerData(2, Qt::Horizontal).toString(), QStringLiteral("TS"));

    QVERIFY(list.sortBy(m_site->db(), BulkAccrualBatchList::TotalColumn, Qt::AscendingOrder));
    QCOMPARE(order(), (QStringList{"dış cephe", "cam", "çatı"}));
    QVERIFY(list.sortBy(m_site->db(), BulkAccrualBatchList::CountColumn, Qt::DescendingOrder));
    QCOMPARE(order(), (QStringList{"dış cephe", "cam", "çatı"}));
    QVERIFY(list.sortBy(m_site->db(), BulkAccrualBatchList::DateColumn, Qt::AscendingOrder));
    QCOMPARE(order(), (QStringList{"dış cephe", "çatı", "cam"}));
    QVERIFY(list.sortBy(m_site->db(), -1, Qt::AscendingOrder));
    QCOMPARE(order(), (QStringList{"cam", "çatı", "dış cephe"}));
}

void BulkAccrualTest::largeTransferAndUndo()
{
    const QSqlDatabase db = m_site->db();
    exec(db, "BEGIN");
    for (int i = 1; i <= 3000; ++i)
        insert(db, "siciltablo",
               {{"sicil_kodu", i},
                {"adi", "Mal"},
                {"soyadi", QStringLiteral("Sahibi %1").arg(i)},
                {"oturan_adi", "Oturan"},
                {"oturan_soyadi", QStringLiteral("Kişi %1").arg(i)},
                {"blok", QStringLiteral("%1").arg(QChar(u'A' + i % 5))},
                {"dairesi", QString::number(i)},
                {"bos_number2", 80.0 + i % 70}});
    exec(db, "COMMIT");

    QList<double> amounts(12, 1250.0);
    BulkAccrualRequest request = plan(amounts);
    request.method = AccrualMethod::ByCriterion;
    // The time of this work is measured by dalvira-bench; here the whole of it must land.
    BulkAccrualOutcome outcome;
    QVERIFY(transferBulkAccrual(db, request, nullptr, &outcome));
    QCOMPARE(outcome.movements, 36000);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar WHERE aidat1id = ?", {outcome.batchId}),
             36000);
    int removed = 0;
    QVERIFY(undoAccrualBatch(db, outcome.batchId, nullptr, &removed));
    QCOMPARE(removed, 36000);
    QCOMPARE(count("SELECT COUNT(*) FROM sicilcarihar"), 0);
}

QTEST_GUILESS_MAIN(BulkAccrualTest)
#include "tst_bulkaccrual.moc"
