#include "../flats/FlatTestSite.h"
#include "flats/FlatRegister.h"
#include "ledger/PaymentPlan.h"
#include "storage/Sql.h"

#include <QSqlRecord>
#include <QtTest>

using namespace dalvira;

class PaymentPlanTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void summary_data();
    void summary();
    void postsOneBatchWithItsMovements();
    void holderChoice_data();
    void holderChoice();
    void failureLeavesNothing();
    void unnamedHolderIsRefused();

private:
    qint64 storeFlat();
    QList<QVariantMap> rows(const QString &sql) const;
    std::unique_ptr<test::FlatTestSite> m_site;
};

void PaymentPlanTest::init()
{
    m_site = std::make_unique<test::FlatTestSite>();
    QVERIFY(m_site->ready());
}

void PaymentPlanTest::cleanup()
{
    m_site.reset();
}

qint64 PaymentPlanTest::storeFlat()
{
    FlatRecord flat;
    flat.set("sicil_kodu", 14);
    flat.set("adi", QStringLiteral("Şükrü"));
    flat.set("soyadi", QStringLiteral("Öztürk"));
    flat.set("oturan_adi", QStringLiteral("İpek"));
    flat.set("oturan_soyadi", QStringLiteral("Ağaç"));
    flat.set("onceki_ev_sahibi_adi", QStringLiteral("Ali'nin"));
    flat.set("onceki_ev_sahibi_soyadi", QStringLiteral("Oğlu"));
    flat.set("blok", QStringLiteral("B"));
    flat.set("dairesi", QStringLiteral("7"));
    flat.set("dis_kapi_numarasi", QString());
    const Result r = FlatRegister(m_site->db()).save(flat);
    return r ? flat.hid : 0;
}

QList<QVariantMap> PaymentPlanTest::rows(const QString &sql) const
{
    QList<QVariantMap> out;
    QSqlQuery q = exec(m_site->db(), sql);
    while (q.next()) {
        QVariantMap v;
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i)
            v.insert(rec.fieldName(i), q.value(i));
        out.append(v);
    }
    return out;
}

void PaymentPlanTest::summary_data()
{
    QTest::addColumn<QList<double>>("amounts");
    QTest::addColumn<QList<bool>>("dated");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("total");
    QTest::addColumn<int>("count");
    QTest::newRow("three full rows") << QList<double>{33.33, 33.33, 33.33}
                                     << QList<bool>{true, true, true} << true << 99.99 << 3;
    QTest::newRow("an undated amount counts in the total only")
        << QList<double>{10, 20, 0} << QList<bool>{true, false, true} << true << 30.0 << 1;
    QTest::newRow("no amount") << QList<double>{0, 0} << QList<bool>{true, true} << false << 0.0
                               << 0;
    QTest::newRow("amount and date on different rows")
        << QList<double>{10, 0} << QList<bool>{false, true} << false << 10.0 << 0;
    QTest::newRow("no date") << QList<double>{10, 10} << QList<bool>{false, false} << false << 20.0
                             << 0;
}

void PaymentPlanTest::summary()
{
    QFETCH(QList<double>, amounts);
    QFETCH(QList<bool>, dated);
    QFETCH(bool, ok);
    QFETCH(double, total);
    QFETCH(int, count);
    PaymentPlan plan;
    for (int i = 0; i < amounts.size(); ++i)
        plan.rows.append({dated.at(i) ? QDate(2024, 1 + i, 1) : QDate(), amounts.at(i)});
    PaymentPlanSummary s;
    const Result r = summarizePaymentPlan(plan, s);
    QCOMPARE(r.ok(), ok);
    if (!ok)
        QCOMPARE(r.message(), emptyPaymentPlanMessage());
    QCOMPARE(s.total, total);
    QCOMPARE(s.instalments, count);
}

void PaymentPlanTest::postsOneBatchWithItsMovements()
{
    const qint64 hid = storeFlat();
    QVERIFY(hid > 0);
    PaymentPlan plan;
    plan.start = QDate(2024, 1, 31);
    plan.holder = AccountHolder::Owner;
    plan.type = QStringLiteral("Aidat");
    plan.description = QStringLiteral("2024 taksitleri");
    plan.rows = {{QDate(2024, 1, 31), 333.33},
                 {QDate(2024, 2, 29), 333.33},
                 {QDate(), 50.0},
                 {QDate(2024, 3, 31), 333.33}};
    qint64 aid = 0;
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    const Result r = postPaymentPlan(m_site->db(), hid, plan, &aid);
    QVERIFY2(r.ok(), qPrintable(r.message()));

    const QList<QVariantMap> batches = rows(QStringLiteral("SELECT * FROM aiadataktar"));
    QCOMPARE(batches.size(), 1);
    const QVariantMap b = batches.first();
    QCOMPARE(b.value("aid").toLongLong(), aid);
    QCOMPARE(b.value("tarih").toString(), QStringLiteral("2024-01-31"));
    QCOMPARE(b.value("toplam_tutar").toDouble(), 1049.99); // every amount, the undated one too
    QCOMPARE(b.value("taksitsay").toInt(), 3);
    QCOMPARE(b.value("aciklama").toString(), QStringLiteral("Şükrü Öztürk - 2024 taksitleri"));
    const QDateTime recorded = QDateTime::fromString(b.value("kayittarihi").toString(),
                                                     QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QVERIFY(recorded.isValid());
    QVERIFY(recorded >= before && recorded <= QDateTime::currentDateTime().addSecs(1));

    const QList<QVariantMap> moves =
        rows(QStringLiteral("SELECT * FROM sicilcarihar ORDER BY islem_tarihi"));
    QCOMPARE(moves.size(), 3);
    const QStringList dates{"2024-01-31", "2024-02-29", "2024-03-31"};
    for (int i = 0; i < 3; ++i) {
        const QVariantMap &m = moves.at(i);
        QCOMPARE(m.value("islem_tarihi").toString(), dates.at(i));
        QCOMPARE(m.value("sicil_kodu").toInt(), 14);
        QCOMPARE(m.value("sicil_kayitno_id").toLongLong(), hid);
        QCOMPARE(m.value("adi_soyadi").toString(), QStringLiteral("Şükrü Öztürk"));
        QCOMPARE(m.value("aidat_turu").toString(), QStringLiteral("Aidat"));
        QCOMPARE(m.value("daire_sahibi_adi_soyadi").toString(), QStringLiteral("Şükrü Öztürk"));
        QCOMPARE(m.value("oturan_adi_soyadi").toString(), QStringLiteral("İpek Ağaç"));
        QCOMPARE(m.value("para_cinsi").toString(), QStringLiteral("TL"));
        QCOMPARE(m.value("blok").toString(), QStringLiteral("B"));
        QCOMPARE(m.value("dairesi").toString(), QStringLiteral("7"));
        QVERIFY(m.value("dis_kapi_numarasi").isNull());
        QCOMPARE(m.value("borc").toDouble(), 333.33);
        QVERIFY(m.value("alacak").isNull());
        QCOMPARE(m.value("faiz_id").toInt(), 0);
        QCOMPARE(m.value("aciklama").toString(), QStringLiteral("2024 taksitleri"));
        QCOMPARE(m.value("aidat1id").toLongLong(), aid);
    }
}

void PaymentPlanTest::holderChoice_data()
{
    QTest::addColumn<int>("holder");
    QTest::addColumn<QString>("name");
    QTest::newRow("resident") << int(AccountHolder::Resident) << "İpek Ağaç";
    QTest::newRow("former owner with an apostrophe")
        << int(AccountHolder::FormerOwner) << "Ali'nin Oğlu";
}

void PaymentPlanTest::holderChoice()
{
    QFETCH(int, holder);
    QFETCH(QString, name);
    const qint64 hid = storeFlat();
    PaymentPlan plan;
    plan.start = QDate(2024, 5, 1);
    plan.holder = AccountHolder(holder);
    plan.currency = QStringLiteral("EUR");
    plan.rows = {{QDate(2024, 5, 1), 10}};
    QVERIFY(postPaymentPlan(m_site->db(), hid, plan).ok());
    const QVariantMap m = rows(QStringLiteral("SELECT * FROM sicilcarihar")).value(0);
    QCOMPARE(m.value("adi_soyadi").toString(), name);
    QCOMPARE(m.value("para_cinsi").toString(), QStringLiteral("EUR"));
    QCOMPARE(rows(QStringLiteral("SELECT aciklama FROM aiadataktar")).value(0).value("aciklama"),
             QVariant(name + QStringLiteral(" - ")));
}

void PaymentPlanTest::failureLeavesNothing()
{
    const qint64 hid = storeFlat();
    // The third instalment cannot be written: the batch and the first two must go too.
    exec(m_site->db(), QStringLiteral("CREATE TEMP TRIGGER refuse_march BEFORE INSERT ON "
                                      "sicilcarihar WHEN NEW.islem_tarihi = '2024-03-31' "
                                      "BEGIN SELECT RAISE(ABORT, 'disk dolu'); END"));
    PaymentPlan plan;
    plan.start = QDate(2024, 1, 31);
    plan.rows = {{QDate(2024, 1, 31), 1}, {QDate(2024, 2, 29), 1}, {QDate(2024, 3, 31), 1}};
    const Result r = postPaymentPlan(m_site->db(), hid, plan);
    QVERIFY(!r.ok());
    QVERIFY2(r.message().contains(QStringLiteral("disk dolu")), qPrintable(r.message()));
    QCOMPARE(scalar(m_site->db(), QStringLiteral("SELECT COUNT(*) FROM aiadataktar")).toInt(), 0);
    QCOMPARE(scalar(m_site->db(), QStringLiteral("SELECT COUNT(*) FROM sicilcarihar")).toInt(), 0);
}

void PaymentPlanTest::unnamedHolderIsRefused()
{
    const qint64 hid = storeFlat();
    PaymentPlan plan;
    plan.start = QDate(2024, 1, 1);
    plan.holder = AccountHolder::FormerResident;
    plan.rows = {{QDate(2024, 1, 1), 10}};
    const Result r = postPaymentPlan(m_site->db(), hid, plan);
    QVERIFY(!r.ok());
    QCOMPARE(r.message(), unnamedHolderMessage());
    QCOMPARE(scalar(m_site->db(), QStringLiteral("SELECT COUNT(*) FROM aiadataktar")).toInt(), 0);
}

QTEST_GUILESS_MAIN(PaymentPlanTest)
#include "tst_paymentplan.moc"
