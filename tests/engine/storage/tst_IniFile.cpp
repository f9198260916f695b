#include "TestSupport.h"
#include "storage/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace dalvira;

class IniFileTest : public QObject
{
    Q_OBJECT

private slots:
    void valuesRoundTripExactly_data();
    void valuesRoundTripExactly();
    void readsFilesOfTheOldProgram_data();
    void readsFilesOfTheOldProgram();
    void lookupIgnoresCaseAndKeepsTheRest();
    void missingFileAndFailedSave();

private:
    QTemporaryDir m_dir;
};

void IniFileTest::valuesRoundTripExactly_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("commas") << "A,B,,C";
    QTest::newRow("double quotes") << "\"Ahmet\" \"Mehmet\"";
    QTest::newRow("single quotes") << "Ali'nin Dairesi";
    QTest::newRow("equals signs") << "a=b==c";
    QTest::newRow("semicolons and hashes") << ";yorum değil; #2";
    QTest::newRow("Turkish letters") << "ŞİŞLİ Güneş Çağlayan Öğretmenler Işık";
    QTest::newRow("brackets") << "[Giris]";
    QTest::newRow("blanks around") << "  iki yanda boşluk  ";
    QTest::newRow("backslashes") << "C:\\Yedek\\Günlük";
    QTest::newRow("empty") << "";
}

void IniFileTest::valuesRoundTripExactly()
{
    QFETCH(QString, value);
    const QString path = m_dir.filePath("SiteAyar.ini");
    IniFile ini(path);
    ini.setValue("Giris", "Kodu", "S1");
    ini.setValue("Giris", "Adi", value);
    ini.setValue("Diger", "Adi", "başka");
    QVERIFY(ini.save().ok());

    IniFile again(path);
    QVERIFY(again.load());
    QCOMPARE(again.value("Giris", "Adi"), value);
    QCOMPARE(again.value("Giris", "Kodu"), QStringLiteral("S1"));
    QCOMPARE(again.value("Diger", "Adi"), QStringLiteral("başka"));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()),
             "[Giris]\nKodu=S1\nAdi=" + value + "\n[Diger]\nAdi=başka\n");
}

void IniFileTest::readsFilesOfTheOldProgram_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("name");

    // "ŞİŞLİ Işık Ağaç Üçgen Öğün" in Windows-1254.
    const QByteArray cp1254("[Giris]\r\nKodu=S1\r\nAdi=\xDE\xDD\xDEL\xDD I\xFE\xFDk A\xF0"
                            "a\xE7 \xDC\xE7gen \xD6\xF0\xFCn\r\n");
    QTest::newRow("Windows-1254, CRLF") << cp1254 << "ŞİŞLİ Işık Ağaç Üçgen Öğün";
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF[Giris]\nKodu=S1\nAdi=") +
                                           QString("Çınar, \"A\" Blok").toUtf8() + "\n"
                                    << "Çınar, \"A\" Blok";
}

void IniFileTest::readsFilesOfTheOldProgram()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, name);
    const QString path = m_dir.filePath("old.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    file.close();

    IniFile ini(path);
    QVERIFY(ini.load());
    QCOMPARE(ini.value("Giris", "Kodu"), QStringLiteral("S1"));
    QCOMPARE(ini.value("Giris", "Adi"), name);

    // Saved again, it is UTF-8 and reads back the same.
    QVERIFY(ini.save().ok());
    IniFile again(path);
    QVERIFY(again.load());
    QCOMPARE(again.value("Giris", "Adi"), name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(file.readAll()).contains(name));
}

void IniFileTest::lookupIgnoresCaseAndKeepsTheRest()
{
    IniFile ini;
    ini.parse("; ayarlar\n[GIRIS]\nKODU=S1\nkodu=ikinci\n\n[Yedek]\nKlasor=/tmp\n");
    QCOMPARE(ini.value("giris", "Kodu"), QStringLiteral("S1")); // the first duplicate counts
    QVERIFY(ini.contains("Giris", "kodu"));
    QVERIFY(!ini.contains("Giris", "Adi"));
    QCOMPARE(ini.value("Giris", "Adi", "yok"), QStringLiteral("yok"));
    QCOMPARE(ini.sections(), (QStringList{"GIRIS", "Yedek"}));

    ini.setValue("giris", "kodu", "S2");
    ini.setValue("Giris", "Adi", "Yeni");
    ini.remove("YEDEK", "klasor");
    ini.setValue("Rapor", "Sutun", "1,2,3");
    QCOMPARE(ini.toText(), QStringLiteral("; ayarlar\n[GIRIS]\nKODU=S2\nkodu=ikinci\nAdi=Yeni\n\n"
                                          "[Yedek]\n[Rapor]\nSutun=1,2,3\n"));
    ini.removeSection("yedek");
    QCOMPARE(ini.sections(), (QStringList{"GIRIS", "Rapor"}));
    ini.setValue("Rapor", "Not", "iki\nsatır");
    QCOMPARE(ini.value("Rapor", "Not"), QStringLiteral("iki satır"));
}

void IniFileTest::missingFileAndFailedSave()
{
    IniFile missing(m_dir.filePath("yok.ini"));
    QVERIFY(!missing.load());
    QCOMPARE(missing.value("Giris", "Kodu", "boş"), QStringLiteral("boş"));

    IniFile blocked(m_dir.filePath("klasor-yok/ayar.ini"));
    blocked.setValue("A", "b", "c");
    const Result r = blocked.save();
    QVERIFY(!r.ok());
    QVERIFY2(r.message().contains("ayar.ini"), qPrintable(r.message()));
}

QTEST_GUILESS_MAIN(IniFileTest)
#include "tst_IniFile.moc"
