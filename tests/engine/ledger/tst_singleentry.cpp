#include "../flats/FlatTestSite.h"
#include "flats/FlatRegister.h"
#include "ledger/SingleEntry.h"
#include "storage/Sql.h"

#include <QSqlRecord>
#include <QtTest>

using namespace dalvira;

class SingleEntryTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void loadFlat();
    void checks_data();
    void checks();
    void confirmationText();
    void paymentWithIncome();
    void receiptNumbers_data();
    void receiptNumbers();
    void whatIsWritten_data();
    void whatIsWritten();
    void failedIncomeLineLeavesNoMovement();

private:
    QVariantMap row(const QString &table, const QString &key, qint64 id) const;
    int count(const QString &table) const;
    SingleEntryInput payment(double amount) const;
    std::unique_ptr<test::FlatTestSite> m_site;
};

void SingleEntryTest::init()
{
    m_site = std::make_unique<test::FlatTestSite>();
    QVERIFY(m_site->ready());
    const QSqlDatabase db = m_site->db();

    FlatRecord flat;
    flat.set("sicil_kodu", 1);
    flat.set("adi", QStringLiteral("Ayşe"));
    flat.set("soyadi", QStringLiteral("Işık"));
    flat.set("oturan_adi", QStringLiteral("Ömer"));
    flat.set("oturan_soyadi", QStringLiteral("Çelik'in"));
    flat.set("onceki_oturan_adi", QStringLiteral("Şükrü"));
    flat.set("onceki_oturan_soyadi", QStringLiteral("Ün"));
    flat.set("blok", QStringLiteral("A"));
    flat.set("dairesi", QStringLiteral("3"));
    flat.set("dis_kapi_numarasi", QStringLiteral("12/1"));
    QVERIFY(FlatRegister(db).save(flat));

    // Old data the flat record would not store: an owner without a name, a flat numbered 0.
    insert(db, QStringLiteral("siciltablo"),
           {{"sicil_kodu", 2},
            {"oturan_adi", QStringLiteral("Can")},
            {"oturan_soyadi", QStringLiteral("Er")}});
    insert(db, QStringLiteral("siciltablo"),
           {{"sicil_kodu", 0},
            {"adi", QStringLiteral("Nur")},
            {"soyadi", QStringLiteral("Ak")},
            {"oturan_adi", QStringLiteral("Nur")},
            {"oturan_soyadi", QStringLiteral("Ak")}});
}

void SingleEntryTest::cleanup()
{
    m_site.reset();
}

QVariantMap SingleEntryTest::row(const QString &table, const QString &key, qint64 id) const
{
    QSqlQuery q =
        exec(m_site->db(), QStringLiteral("SELECT * FROM %1 WHERE %2 = ?").arg(table, key), {id});
    QVariantMap values;
    if (q.next()) {
        const QSqlRecord rec = q.record();
        for (int i = 0; i < rec.count(); ++i)
            values.insert(rec.fieldName(i), q.value(i));
    }
    return values;
}

int SingleEntryTest::count(const QString &table) const
{
    return scalar(m_site->db(), QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)).toInt();
}

SingleEntryInput SingleEntryTest::payment(double amount) const
{
    SingleEntryInput in;
    in.flatNumberText = QStringLiteral("1");
    in.dateText = QStringLiteral("05.03.2024");
    in.credit = amount;
    in.description = QStringLiteral("Mart aidatı");
    in.currency = QStringLiteral("TL");
    in.type = QStringLiteral("Aidat Ödemeleri Genel Gider");
    in.paymentMethod = QStringLiteral("Kasa");
    return in;
}

void SingleEntryTest::loadFlat()
{
    SingleEntry entry(m_site->db());
    QString message;
    const auto flat = entry.loadFlat(QStringLiteral("1,7"), &message);
    QVERIFY(flat);
    QCOMPARE(flat->number, 1);
    QCOMPARE(flat->owner, QStringLiteral("Ayşe Işık"));
    QCOMPARE(flat->resident, QStringLiteral("Ömer Çelik'in"));
    QCOMPARE(flat->formerResident, QStringLiteral("Şükrü Ün"));
    QCOMPARE(flat->formerOwner.trimmed(), QString());
    QCOMPARE(flat->block, QStringLiteral("A"));
    QCOMPARE(flat->outerDoor, QStringLiteral("12/1"));

    QVERIFY(!entry.loadFlat(QStringLiteral("77"), &message));
    QCOMPARE(message, QStringLiteral("Kayıt bulunamadı!"));
}

void SingleEntryTest::checks_data()
{
    QTest::addColumn<QString>("flat");
    QTest::addColumn<QString>("date");
    QTest::addColumn<double>("debit");
    QTest::addColumn<double>("credit");
    QTest::addColumn<int>("holder");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<int>("field");

    const int resident = int(AccountHolder::Resident);
    const int formerOwner = int(AccountHolder::FormerOwner);
    const int formerResident = int(AccountHolder::FormerResident);
    const int flatField = int(SingleEntryRefusal::Field::Flat);
    const int dateField = int(SingleEntryRefusal::Field::Date);
    const int holderField = int(SingleEntryRefusal::Field::Holder);
    const int amountField = int(SingleEntryRefusal::Field::Amount);
    const QString pair = QStringLiteral("Sadece Borç veya Alacak Tutarı Girmelisiniz!\n\r"
                                        "Borç ve Alacak Tutarını birlikte giremezsiniz!");

    QTest::newRow("charge") << "1"
                            << "05.03.2024" << 150.0 << 0.0 << resident << "" << 0;
    QTest::newRow("payment to former resident")
        << "1"
        << "5.3.24" << 0.0 << 20.0 << formerResident << "" << 0;
    QTest::newRow("leap day") << "1"
                              << "29.02.2024" << 1.0 << 0.0 << resident << "" << 0;
    QTest::newRow("unknown flat") << "99"
                                  << "05.03.2024" << 1.0 << 0.0 << resident
                                  << "Kayıt edilemedi! Daire numarasını kontrol edin!" << flatField;
    QTest::newRow("day beyond the month")
        << "1"
        << "31.02.2024" << 1.0 << 0.0 << resident << "\"31.02.2024\" tarih girişiniz uygun değil!"
        << dateField;
    QTest::newRow("no leap day") << "1"
                                 << "29.02.2023" << 1.0 << 0.0 << resident
                                 << "\"29.02.2023\" tarih girişiniz uygun değil!" << dateField;
    QTest::newRow("month 13") << "1"
                              << "01.13.2024" << 1.0 << 0.0 << resident
                              << "\"01.13.2024\" tarih girişiniz uygun değil!" << dateField;
    QTest::newRow("date before owner name")
        << "2"
        << "31.04.2024" << 1.0 << 0.0 << resident << "\"31.04.2024\" tarih girişiniz uygun değil!"
        << dateField;
    QTest::newRow("owner without name")
        << "2"
        << "05.03.2024" << 1.0 << 0.0 << resident << "Adını Girmelisiniz!" << holderField;
    QTest::newRow("holder without name") << "1"
                                         << "05.03.2024" << 1.0 << 0.0 << formerOwner
                                         << SingleEntry::holderNameMissingMessage() << holderField;
    QTest::newRow("flat number 0")
        << "0"
        << "05.03.2024" << 1.0 << 0.0 << resident << "Numarasını Girmelisiniz!" << flatField;
    QTest::newRow("no amount") << "1"
                               << "05.03.2024" << 0.0 << 0.0 << resident
                               << "İşlem Tutarı Girmelisiniz!" << amountField;
    QTest::newRow("less than a kuruş")
        << "1"
        << "05.03.2024" << 0.004 << 0.0 << resident << "İşlem Tutarı Girmelisiniz!" << amountField;
    QTest::newRow("both amounts") << "1"
                                  << "05.03.2024" << 100.0 << 50.0 << resident << pair
                                  << amountField;
    QTest::newRow("a kuruş each") << "1"
                                  << "05.03.2024" << 0.01 << 0.01 << resident << pair
                                  << amountField;
    QTest::newRow("negative charge") << "1"
                                     << "05.03.2024" << -5.0 << 10.0 << resident
                                     << SingleEntry::negativeAmountMessage() << amountField;
    QTest::newRow("no date") << "1"
                             << "  .  .    " << 1.0 << 0.0 << resident
                             << "İşlem Tarihi Girmelisiniz!" << dateField;
}

void SingleEntryTest::checks()
{
    QFETCH(QString, flat);
    QFETCH(QString, date);
    QFETCH(double, debit);
    QFETCH(double, credit);
    QFETCH(int, holder);
    QFETCH(QString, message);
    QFETCH(int, field);

    SingleEntryInput in;
    in.flatNumberText = flat;
    in.dateText = date;
    in.debit = debit;
    in.credit = credit;
    in.holder = AccountHolder(holder);
    const SingleEntry::Checked checked = SingleEntry(m_site->db()).check(in);
    if (message.isEmpty()) {
        QVERIFY2(checked.ok(), qPrintable(checked.refusal.message));
        QVERIFY(checked.plan->date.isValid());
        QCOMPARE(checked.plan->currency, QStringLiteral("TL")); // empty currency box
        QVERIFY((checked.plan->debit > 0) != (checked.plan->credit > 0));
    } else {
        QVERIFY(!checked.ok());
        QCOMPARE(checked.refusal.message, message);
        QCOMPARE(int(checked.refusal.field), field);
    }
    QCOMPARE(count(QStringLiteral("sicilcarihar")), 0);
}

void SingleEntryTest::confirmationText()
{
    SingleEntryInput in = payment(0);
    in.debit = 1234.5;
    in.holder = AccountHolder::Owner;
    const SingleEntry::Checked checked = SingleEntry(m_site->db()).check(in);
    QVERIFY(checked.ok());
    QCOMPARE(checked.plan->confirmationText(),
             QStringLiteral("Ayşe Işık\n\r isimli kişiye 1.234,50 Borç ,00 Alacak kaydı "
                            "yapılacaktır.\n\rDevam edilsinmi?"));
}

void SingleEntryTest::paymentWithIncome()
{
    SingleEntry entry(m_site->db());
    SingleEntryInput in = payment(250.75);
    in.currency = QStringLiteral("USD");
    const SingleEntry::Checked checked = entry.check(in);
    QVERIFY(checked.ok());
    SingleEntrySaved saved;
    QVERIFY(entry.save(*checked.plan, &saved));
    QCOMPARE(count(QStringLiteral("sicilcarihar")), 1);
    QCOMPARE(count(QStringLiteral("isletgelir")), 1);

    const QVariantMap m =
        row(QStringLiteral("sicilcarihar"), QStringLiteral("cid"), saved.movement);
    QCOMPARE(m.value("sicil_kodu").toInt(), 1);
    QVERIFY(m.value("sicil_kayitno_id").isNull());
    QCOMPARE(m.value("adi_soyadi").toString(), QStringLiteral("Ömer Çelik'in"));
    QCOMPARE(m.value("daire_sahibi_adi_soyadi").toString(), QStringLiteral("Ayşe Işık"));
    QCOMPARE(m.value("oturan_adi_soyadi").toString(), QStringLiteral("Ömer Çelik'in"));
    QCOMPARE(m.value("islem_tarihi").toString(), QStringLiteral("2024-03-05"));
    QVERIFY(m.value("borc").isNull());
    QCOMPARE(m.value("alacak").toDouble(), 250.75);
    QCOMPARE(m.value("para_cinsi").toString(), QStringLiteral("USD"));
    QCOMPARE(m.value("aidat_turu").toString(), QStringLiteral("Aidat Ödemeleri"));
    QCOMPARE(m.value("aciklama").toString(), QStringLiteral("Mart aidatı"));
    QCOMPARE(m.value("blok").toString(), QStringLiteral("A"));
    QCOMPARE(m.value("dairesi").toString(), QStringLiteral("3"));
    QCOMPARE(m.value("dis_kapi_numarasi").toString(), QStringLiteral("12/1"));
    QCOMPARE(m.value("faiz_id").toInt(), 0);
    QVERIFY(m.value("son_faiz").isNull());
    QCOMPARE(m.value("isletmegelirid").toLongLong(), saved.incomeLine);

    const QVariantMap g =
        row(QStringLiteral("isletgelir"), QStringLiteral("idi"), saved.incomeLine);
    QCOMPARE(g.value("sicilhareketid").toLongLong(), saved.movement);
    QCOMPARE(g.value("mahsupid").toLongLong(), 1); // the first receipt of the book
    QCOMPARE(saved.receipt, qint64(1));
    QCOMPARE(g.value("uye_sicil_kodu").toInt(), 1);
    QCOMPARE(g.value("uye_adi_soyadi").toString(), QStringLiteral("Ömer Çelik'in"));
    for (const char *column : {"islem_tarihi", "faturatarihi", "islem_vadesi"})
        QCOMPARE(g.value(column).toString(), QStringLiteral("2024-03-05"));
    QCOMPARE(g.value("geliradi").toString(), QStringLiteral("Aidat Ödemeleri Genel Gider"));
    QCOMPARE(g.value("toplamtutar").toDouble(), 250.75);
    QCOMPARE(g.value("aciklama").toString(), QStringLiteral("Mart aidatı"));
    QCOMPARE(g.value("doviz_cinsi").toString(), QStringLiteral("USD"));
    QCOMPARE(g.value("islemturu").toString(), QStringLiteral("Kasa"));
    // Nothing else of the line is set.
    for (const char *column :
         {"faturano", "malbedeli", "kdv", "bankaid", "nakitid", "kasaid", "cari_kodu", "cari_adi",
          "uye_kayit_sicil_no", "blok", "dairesi", "dis_kapi_no", "bostext1", "kisim"})
        QVERIFY2(g.value(column).isNull(), column);
}

void SingleEntryTest::receiptNumbers_data()
{
    QTest::addColumn<QVariantList>("existing");
    QTest::addColumn<qint64>("expected");
    QTest::newRow("empty book") << QVariantList{} << qint64(1);
    QTest::newRow("lines without receipt") << QVariantList{QVariant(), 0, -4} << qint64(1);
    QTest::newRow("after the largest") << QVariantList{7, 3, QVariant()} << qint64(8);
}

void SingleEntryTest::receiptNumbers()
{
    QFETCH(QVariantList, existing);
    QFETCH(qint64, expected);
    for (const QVariant &number : existing)
        insert(m_site->db(), QStringLiteral("isletgelir"),
               {{"mahsupid", number}, {"toplamtutar", 10.0}});
    SingleEntry entry(m_site->db());
    const SingleEntry::Checked checked = entry.check(payment(5));
    QVERIFY(checked.ok());
    SingleEntrySaved saved;
    QVERIFY(entry.save(*checked.plan, &saved));
    QCOMPARE(saved.receipt, expected);
    QCOMPARE(row(QStringLiteral("isletgelir"), QStringLiteral("idi"), saved.incomeLine)
                 .value("mahsupid")
                 .toLongLong(),
             expected);
}

void SingleEntryTest::whatIsWritten_data()
{
    QTest::addColumn<double>("debit");
    QTest::addColumn<double>("credit");
    QTest::addColumn<bool>("addIncome");
    QTest::addColumn<bool>("interest");
    QTest::addColumn<int>("incomeLines");

    QTest::newRow("payment, book unticked") << 0.0 << 40.0 << false << false << 0;
    QTest::newRow("charge never in the book") << 40.0 << 0.0 << true << false << 0;
    QTest::newRow("interest charge") << 12.5 << 0.0 << true << true << 0;
    QTest::newRow("interest payment") << 0.0 << 12.5 << true << true << 1;
}

void SingleEntryTest::whatIsWritten()
{
    QFETCH(double, debit);
    QFETCH(double, credit);
    QFETCH(bool, addIncome);
    QFETCH(bool, interest);
    QFETCH(int, incomeLines);

    SingleEntryInput in = payment(credit);
    in.debit = debit;
    in.addIncome = addIncome;
    in.interest = interest;
    in.currency.clear();
    SingleEntry entry(m_site->db());
    const SingleEntry::Checked checked = entry.check(in);
    QVERIFY(checked.ok());
    SingleEntrySaved saved;
    QVERIFY(entry.save(*checked.plan, &saved));

    QCOMPARE(count(QStringLiteral("sicilcarihar")), 1);
    QCOMPARE(count(QStringLiteral("isletgelir")), incomeLines);
    const QVariantMap m =
        row(QStringLiteral("sicilcarihar"), QStringLiteral("cid"), saved.movement);
    QCOMPARE(m.value("borc").toDouble(), debit);
    QCOMPARE(m.value("alacak").toDouble(), credit);
    QCOMPARE(m.value("para_cinsi").toString(), QStringLiteral("TL"));
    QCOMPARE(m.value("faiz_id").toInt(), interest ? 2 : 0);
    if (interest) {
        QCOMPARE(m.value("son_faiz_tarih").toString(), QStringLiteral("2024-03-05"));
        QCOMPARE(m.value("son_faiz").toDouble(), debit - credit);
    } else {
        QVERIFY(m.value("son_faiz_tarih").isNull());
    }
    if (incomeLines) {
        const QVariantMap g =
            row(QStringLiteral("isletgelir"), QStringLiteral("sicilhareketid"), saved.movement);
        QCOMPARE(g.value("doviz_cinsi").toString(), QStringLiteral("TL"));
        QCOMPARE(g.value("toplamtutar").toDouble(), credit);
    } else {
        QCOMPARE(saved.incomeLine, qint64(0));
        QVERIFY(m.value("isletmegelirid").isNull());
    }
}

void SingleEntryTest::failedIncomeLineLeavesNoMovement()
{
    exec(m_site->db(), QStringLiteral("CREATE TEMP TRIGGER refuse_income BEFORE INSERT ON "
                                      "main.isletgelir BEGIN SELECT RAISE(ABORT, 'gelir "
                                      "satırı yazılamadı'); END"));
    SingleEntry entry(m_site->db());
    const SingleEntry::Checked checked = entry.check(payment(99));
    QVERIFY(checked.ok());
    SingleEntrySaved saved;
    const Result result = entry.save(*checked.plan, &saved);
    QVERIFY(!result);
    QVERIFY2(result.message().contains(QStringLiteral("gelir satırı yazılamadı")),
             qPrintable(result.message()));
    QCOMPARE(saved.movement, qint64(0));
    QCOMPARE(count(QStringLiteral("sicilcarihar")), 0);
    QCOMPARE(count(QStringLiteral("isletgelir")), 0);

    // Without the fault the same entry goes through.
    exec(m_site->db(), QStringLiteral("DROP TRIGGER refuse_income"));
    QVERIFY(entry.save(*checked.plan, &saved));
    QCOMPARE(count(QStringLiteral("sicilcarihar")), 1);
    QCOMPARE(count(QStringLiteral("isletgelir")), 1);
}

QTEST_GUILESS_MAIN(SingleEntryTest)
#include "tst_singleentry.moc"
