#include "../flats/FlatTestSite.h"
#include "common/Result.h"
#include "ledger/MovementWriter.h"
#include "storage/Sql.h"

#include <QSqlRecord>
#include <QtTest>

using namespace dalvira;

class MovementWriterTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void writesEveryColumn();
    void emptyCopiesStayEmpty();
    void interestCompanions_data();
    void interestCompanions();
    void refusals_data();
    void refusals();

private:
    QVariantMap row(qint64 cid) const;
    std::unique_ptr<test::FlatTestSite> m_site;
};

void MovementWriterTest::init()
{
    m_site = std::make_unique<test::FlatTestSite>();
    QVERIFY(m_site->ready());
}

void MovementWriterTest::cleanup()
{
    m_site.reset();
}

QVariantMap MovementWriterTest::row(qint64 cid) const
{
    QSqlQuery q =
        exec(m_site->db(), QStringLiteral("SELECT * FROM sicilcarihar WHERE cid = ?"), {cid});
    QVariantMap values;
    if (q.next()) {
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i)
            values.insert(rec.fieldName(i), q.value(i));
    }
    return values;
}

void MovementWriterTest::writesEveryColumn()
{
    LedgerMovement m;
    m.flatNumber = 12;
    m.flatRecord = 7;
    m.holder = QStringLiteral("Ali'nin Eşi Şükrü");
    m.date = QDate(2024, 3, 5);
    m.debit = 150.5;
    m.type = QStringLiteral("Aidat Ödemesi Uzun Adlı Tür"); // longer than the column
    m.description = QStringLiteral("Mart aidatı");
    m.block = QStringLiteral("A");
    m.flat = QStringLiteral("3");
    m.outerDoor = QStringLiteral("12/1");
    m.ownerName = QStringLiteral("Ayşe Işık");
    m.residentName = QStringLiteral("Ömer Çelik");
    m.accrualBatch = 4;
    const qint64 cid = appendMovement(m_site->db(), m);
    QVERIFY(cid > 0);

    const QVariantMap v = row(cid);
    QCOMPARE(v.value("sicil_kodu").toInt(), 12);
    QCOMPARE(v.value("sicil_kayitno_id").toLongLong(), 7);
    QCOMPARE(v.value("adi_soyadi").toString(), m.holder);
    QCOMPARE(v.value("islem_tarihi").toString(), QStringLiteral("2024-03-05"));
    QCOMPARE(v.value("borc").toDouble(), 150.5);
    QVERIFY(v.value("alacak").isNull());
    QCOMPARE(v.value("para_cinsi").toString(), QStringLiteral("TL"));
    // Cut to the 15 characters the statement's type filter compares.
    QCOMPARE(v.value("aidat_turu").toString(), QStringLiteral("Aidat Ödemesi U"));
    QCOMPARE(v.value("aciklama").toString(), m.description);
    QCOMPARE(v.value("blok").toString(), QStringLiteral("A"));
    QCOMPARE(v.value("dairesi").toString(), QStringLiteral("3"));
    QCOMPARE(v.value("dis_kapi_numarasi").toString(), QStringLiteral("12/1"));
    QCOMPARE(v.value("daire_sahibi_adi_soyadi").toString(), m.ownerName);
    QCOMPARE(v.value("oturan_adi_soyadi").toString(), m.residentName);
    QCOMPARE(v.value("aidat1id").toLongLong(), 4);
    QCOMPARE(v.value("faiz_id").toInt(), 0);
    for (const char *empty : {"bankaid", "nakitid", "isletmegelirid", "vadesi", "son_faiz_tarih",
                              "son_faiz", "kisim", "yil", "ay"})
        QVERIFY2(v.value(empty).isNull(), empty);
}

void MovementWriterTest::emptyCopiesStayEmpty()
{
    LedgerMovement m;
    m.flatNumber = 1;
    m.holder = QStringLiteral("Veli Kaya");
    m.date = QDate(2024, 1, 1);
    m.credit = 20;
    m.currency = QStringLiteral("  ");
    m.block = QString();
    m.flat = QStringLiteral("");
    const QVariantMap v = row(appendMovement(m_site->db(), m));
    QCOMPARE(v.value("para_cinsi").toString(), QStringLiteral("TL"));
    QVERIFY(v.value("borc").isNull());
    QCOMPARE(v.value("alacak").toDouble(), 20.0);
    for (const char *empty : {"blok", "dairesi", "dis_kapi_numarasi", "sicil_kayitno_id",
                              "daire_sahibi_adi_soyadi", "oturan_adi_soyadi", "aidat1id"})
        QVERIFY2(v.value(empty).isNull(), empty);

    m.currency = QStringLiteral("USD");
    QCOMPARE(row(appendMovement(m_site->db(), m)).value("para_cinsi").toString(),
             QStringLiteral("USD"));
}

void MovementWriterTest::interestCompanions_data()
{
    QTest::addColumn<bool>("interest");
    QTest::addColumn<double>("debit");
    QTest::addColumn<double>("credit");
    QTest::newRow("interest charge") << true << 12.34 << 0.0;
    QTest::newRow("interest paid") << true << 0.0 << 5.0;
    QTest::newRow("ordinary") << false << 12.34 << 0.0;
}

void MovementWriterTest::interestCompanions()
{
    QFETCH(bool, interest);
    QFETCH(double, debit);
    QFETCH(double, credit);
    LedgerMovement m;
    m.flatNumber = 3;
    m.holder = QStringLiteral("Can Er");
    m.date = QDate(2024, 2, 29);
    m.debit = debit;
    m.credit = credit;
    m.interest = interest;
    const QVariantMap v = row(appendMovement(m_site->db(), m));
    QCOMPARE(v.value("faiz_id").toInt(), interest ? 2 : 0);
    QVERIFY(!v.value("faiz_id").isNull());
    if (interest) {
        QCOMPARE(v.value("son_faiz_tarih").toString(), QStringLiteral("2024-02-29"));
        QCOMPARE(v.value("son_faiz").toDouble(), debit - credit);
    } else {
        QVERIFY(v.value("son_faiz_tarih").isNull());
        QVERIFY(v.value("son_faiz").isNull());
    }
}

void MovementWriterTest::refusals_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("debit");
    QTest::addColumn<double>("credit");
    QTest::newRow("no date") << QDate() << 10.0 << 0.0;
    QTest::newRow("negative debit") << QDate(2024, 1, 1) << -10.0 << 0.0;
    QTest::newRow("negative credit") << QDate(2024, 1, 1) << 0.0 << -1.0;
    QTest::newRow("charge and payment at once") << QDate(2024, 1, 1) << 10.0 << 10.0;
    QTest::newRow("not a number") << QDate(2024, 1, 1) << qQNaN() << 0.0;
}

void MovementWriterTest::refusals()
{
    QFETCH(QDate, date);
    QFETCH(double, debit);
    QFETCH(double, credit);
    LedgerMovement m;
    m.flatNumber = 1;
    m.holder = QStringLiteral("Veli Kaya");
    m.date = date;
    m.debit = debit;
    m.credit = credit;
    QVERIFY_THROWS_EXCEPTION(OperationError, appendMovement(m_site->db(), m));
    QCOMPARE(scalar(m_site->db(), QStringLiteral("SELECT COUNT(*) FROM sicilcarihar")).toInt(), 0);
}

QTEST_GUILESS_MAIN(MovementWriterTest)
#include "tst_movementwriter.moc"
