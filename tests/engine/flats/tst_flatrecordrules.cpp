#include "flats/FlatGridLayout.h"
#include "flats/FlatPhoto.h"
#include "flats/FlatRecord.h"
#include "flats/IdentityNumber.h"
#include "flats/TurkishCapitals.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace dalvira;

// The flat record's rules that need no database: identity check, capitals while typing, the
// before-store copies, the photo limit and the column layout file.
class FlatRecordRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void identityNumber_data();
    void identityNumber();
    void identityWarnings();
    void capitals_data();
    void capitals();
    void beforeStoreCopies();
    void residentKeepsOwnData();
    void duesParametersAreNotWiped();
    void photoLimit_data();
    void photoLimit();
    void layoutRoundTrip();
    void layoutMissingKeysFallBack();
};

void FlatRecordRulesTest::identityNumber_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("check");
    QTest::newRow("valid") << "10000000146" << int(IdentityCheck::Valid);
    QTest::newRow("another valid") << "12345678950" << int(IdentityCheck::Valid);
    QTest::newRow("last digit changed") << "10000000147" << int(IdentityCheck::Wrong);
    // The sum of the first ten digits includes d10, so this fails the first rule already.
    QTest::newRow("tenth digit changed") << "10000000156" << int(IdentityCheck::Wrong);
    QTest::newRow("second rule only") << "10000000236" << int(IdentityCheck::Wrong);
    QTest::newRow("letter inside") << "1000000014a" << int(IdentityCheck::Wrong);
    QTest::newRow("empty") << "" << int(IdentityCheck::NotChecked);
    QTest::newRow("ten digits") << "1000000014" << int(IdentityCheck::NotChecked);
    QTest::newRow("all zeros") << "00000000000" << int(IdentityCheck::NotChecked);
}

void FlatRecordRulesTest::identityNumber()
{
    QFETCH(QString, number);
    QFETCH(int, check);
    QCOMPARE(int(checkIdentityNumber(number)), check);
}

void FlatRecordRulesTest::identityWarnings()
{
    QCOMPARE(TCNoKontrol(QStringLiteral("10000000146"), QStringLiteral("10000000146")),
             QStringList());
    QCOMPARE(TCNoKontrol(QStringLiteral("10000000147"), QString()),
             QStringList{QStringLiteral("Daire Sahibi TC Kimlik Numarası Hatalıdır.")});
    QCOMPARE(TCNoKontrol(QStringLiteral("10000000147"), QStringLiteral("10000000156")),
             (QStringList{QStringLiteral("Daire Sahibi TC Kimlik Numarası Hatalıdır."),
                          QStringLiteral("Dairede Oturan TC Kimlik Numarası Hatalıdır.")}));
}

void FlatRecordRulesTest::capitals_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("inserted");
    QTest::newRow("i at start") << "" << 0 << "i"
                                << "İ";
    QTest::newRow("dotless i") << "" << 0 << "ı"
                               << "I";
    QTest::newRow("after blank") << "Ali " << 4 << "ş"
                                 << "Ş";
    QTest::newRow("ç") << "" << 0 << "ç"
                       << "Ç";
    QTest::newRow("ğ") << "x " << 2 << "ğ"
                       << "Ğ";
    QTest::newRow("ö") << "" << 0 << "ö"
                       << "Ö";
    QTest::newRow("ü") << "" << 0 << "ü"
                       << "Ü";
    QTest::newRow("ascii") << "" << 0 << "z"
                           << "Z";
    QTest::newRow("inside a word stays") << "Al" << 2 << "i"
                                         << "i";
    QTest::newRow("digit") << "" << 0 << "5"
                           << "5";
    QTest::newRow("other letter") << "" << 0 << "ä"
                                  << "ä";
    QTest::newRow("in the middle after blank") << "Ali Veli" << 4 << "k"
                                               << "K";
}

void FlatRecordRulesTest::capitals()
{
    QFETCH(QString, text);
    QFETCH(int, cursor);
    QFETCH(QString, typed);
    QFETCH(QString, inserted);
    QCOMPARE(capitalizedInput(text, cursor, typed), inserted);
}

void FlatRecordRulesTest::beforeStoreCopies()
{
    FlatRecord flat;
    flat.set("adi", QStringLiteral("  Şule "));
    flat.set("soyadi", QStringLiteral(" Işık"));
    flat.set("dairesi", QStringLiteral(" 4 "));
    flat.set("baba_adi", QStringLiteral(" Can "));
    flat.set("anne_adi", QStringLiteral(" Gül "));
    flat.set("tc_kimlik", QStringLiteral("10000000146"));
    flat.set("tel1", QStringLiteral("(212) 555 11 22"));
    flat.set("ceptel", QStringLiteral("(532) 111 22 33"));
    flat.set("ceptel2", QStringLiteral("(533) 111 22 33"));
    flat.set("giris_tarihi", QDate(2020, 5, 1));
    flat.set("fax", QStringLiteral("(212) 555 11 23"));
    flat.set("email", QStringLiteral("sule@example.com"));
    flat.set("oturan_adi", QStringLiteral("  "));
    flat.set("oturan_soyadi", QVariant());
    flat.set("aidat2indirim", 10.0);
    flat.set("bos_number2", 120.0);
    flat.set("bos_number4", 250.0);
    flat.set("aidat1indirim", 5.0);
    flat.set("bos_number1", 100.0);
    flat.set("bos_number3", 200.0);
    applyBeforeStoreRules(flat);

    QCOMPARE(flat.text("adi"), QStringLiteral("Şule"));
    QCOMPARE(flat.text("soyadi"), QStringLiteral("Işık"));
    QCOMPARE(flat.text("dairesi"), QStringLiteral("4"));
    QCOMPARE(flat.text("baba_adi"), QStringLiteral("Can"));
    QCOMPARE(flat.text("anne_adi"), QStringLiteral("Gül"));
    QCOMPARE(flat.text("oturan_adi"), QStringLiteral("Şule"));
    QCOMPARE(flat.text("oturan_soyadi"), QStringLiteral("Işık"));
    QCOMPARE(flat.text("oturan_tc_kimlik"), QStringLiteral("10000000146"));
    QCOMPARE(flat.text("oturan_tel1"), QStringLiteral("(212) 555 11 22"));
    QCOMPARE(flat.text("oturan_cep1"), QStringLiteral("(532) 111 22 33"));
    QCOMPARE(flat.text("oturan_cep2"), QStringLiteral("(533) 111 22 33"));
    QCOMPARE(flat.value("oturan_giris_tarihi").toDate(), QDate(2020, 5, 1));
    QCOMPARE(flat.text("oturan_fax"), QStringLiteral("(212) 555 11 23"));
    QCOMPARE(flat.text("oturan_mail"), QStringLiteral("sule@example.com"));
    QVERIFY(flat.value("oturan_email").isNull()); // the resident's own e-mail is not touched
    // Dues parameters go the other way: resident to owner.
    QCOMPARE(flat.value("aidat1indirim").toDouble(), 10.0);
    QCOMPARE(flat.value("bos_number1").toDouble(), 120.0);
    QCOMPARE(flat.value("bos_number3").toDouble(), 250.0);
    QCOMPARE(flat.value("aidat2indirim").toDouble(), 10.0);
}

void FlatRecordRulesTest::residentKeepsOwnData()
{
    FlatRecord flat;
    flat.set("adi", QStringLiteral("Ali"));
    flat.set("tel1", QStringLiteral("(212) 555 11 22"));
    flat.set("oturan_soyadi", QStringLiteral("Kiracı"));
    flat.set("bos_number2", 80.0);
    flat.set("bos_number1", 100.0);
    applyBeforeStoreRules(flat);
    QVERIFY(flat.value("oturan_adi").isNull());
    QVERIFY(flat.value("oturan_tel1").isNull());
    QCOMPARE(flat.value("bos_number1").toDouble(), 100.0);
}

void FlatRecordRulesTest::duesParametersAreNotWiped()
{
    // Typed in the owner's column only: kept, and the resident (the owner himself) gets it.
    FlatRecord flat;
    flat.set("adi", QStringLiteral("Ali"));
    flat.set("bos_number1", 120.0);
    flat.set("bos_number2", QVariant());
    flat.set("aidat1indirim", 15.0);
    flat.set("aidat2indirim", 0.0);
    applyBeforeStoreRules(flat);
    QCOMPARE(flat.value("bos_number1").toDouble(), 120.0);
    QCOMPARE(flat.value("bos_number2").toDouble(), 120.0);
    QCOMPARE(flat.value("aidat1indirim").toDouble(), 15.0);
    QCOMPARE(flat.value("aidat2indirim").toDouble(), 15.0);
    QVERIFY(flat.value("bos_number3").isNull());
}

void FlatRecordRulesTest::photoLimit_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("message");
    QTest::newRow("exactly 120 KB") << 122880 << QString();
    QTest::newRow("one byte more")
        << 122881 << "Resim Boyutu 120,00 KB 120 KB tan büyük resim yüklemesi yapamazsınız!";
    QTest::newRow("150 KB and a half")
        << 154112 << "Resim Boyutu 150,50 KB 120 KB tan büyük resim yüklemesi yapamazsınız!";
    QTest::newRow("small") << 10 << QString();
}

void FlatRecordRulesTest::photoLimit()
{
    QFETCH(int, size);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("foto.jpg"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QByteArray data(size, 'x');
    data[0] = 'J';
    f.write(data);
    f.close();
    QByteArray bytes;
    const Result r = readPhotoFile(path, bytes);
    QCOMPARE(r.ok(), message.isEmpty());
    if (message.isEmpty()) {
        QCOMPARE(bytes, data);
    } else {
        QCOMPARE(r.message(), message);
        QVERIFY(bytes.isEmpty());
    }
}

void FlatRecordRulesTest::layoutRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OzlukAyar.ini"));
    const QList<GridColumnLayout> defaults{{QStringLiteral("sicil_kodu"), 0, 40, true},
                                           {QStringLiteral("blok"), 1, 50, true},
                                           {QStringLiteral("adsoyad"), 2, 150, true}};
    QList<GridColumnLayout> shown{{QStringLiteral("adsoyad"), 0, 200, true},
                                  {QStringLiteral("sicil_kodu"), 1, 45, true},
                                  {QStringLiteral("blok"), 2, 60, false}};
    QVERIFY(writeFlatGridLayout(path, shown).ok());

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    QVERIFY(text.contains(QStringLiteral("[OzlukTablo]")));
    for (const char *line :
         {"bloka=blok", "bloki=2", "blokw=60", "blokv=False", "adsoyadi=0", "sicil_koduv=True"})
        QVERIFY2(text.contains(QLatin1String(line)), line);

    const QList<GridColumnLayout> read = readFlatGridLayout(path, defaults);
    QCOMPARE(read.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(read.at(i).field, shown.at(i).field);
        QCOMPARE(read.at(i).position, i);
        QCOMPARE(read.at(i).width, shown.at(i).width);
        QCOMPARE(read.at(i).visible, shown.at(i).visible);
    }
}

void FlatRecordRulesTest::layoutMissingKeysFallBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OzlukAyar.ini"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    // blok has no width and a width that is no number; the new column ceptel is not in the file.
    f.write("[OzlukTablo]\r\nsicil_kodui=1\r\nsicil_koduw=44\r\nsicil_koduv=False\r\n"
            "bloki=0\r\nblokw=abc\r\n");
    f.close();
    const QList<GridColumnLayout> defaults{{QStringLiteral("sicil_kodu"), 0, 40, true},
                                           {QStringLiteral("blok"), 1, 50, true},
                                           {QStringLiteral("ceptel"), 2, 90, true}};
    const QList<GridColumnLayout> read = readFlatGridLayout(path, defaults);
    QCOMPARE(read.size(), 3);
    QCOMPARE(read.at(0).field, QStringLiteral("blok"));
    QCOMPARE(read.at(0).width, 50);
    QVERIFY(read.at(0).visible);
    QCOMPARE(read.at(1).field, QStringLiteral("sicil_kodu"));
    QCOMPARE(read.at(1).width, 44);
    QVERIFY(!read.at(1).visible);
    QCOMPARE(read.at(2).field, QStringLiteral("ceptel"));
    QCOMPARE(read.at(2).width, 90);

    // No file at all: the defaults.
    const QList<GridColumnLayout> none =
        readFlatGridLayout(dir.filePath(QStringLiteral("yok.ini")), defaults);
    QCOMPARE(none.size(), 3);
    QCOMPARE(none.at(0).field, QStringLiteral("sicil_kodu"));
}

QTEST_GUILESS_MAIN(FlatRecordRulesTest)
#include "tst_flatrecordrules.moc"
