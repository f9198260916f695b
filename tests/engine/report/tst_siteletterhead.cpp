#include "TestSupport.h"
#include "report/SiteLetterhead.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

using namespace dalvira;

class SiteLetterheadTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void readsTheRowOfTheSite_data();
    void readsTheRowOfTheSite();
    void lines_data();
    void lines();
    void missingTableIsReported();

private:
    void insertSite(const QString &code, const QString &name, const QString &phone,
                    const QString &fax);

    test::TempProgramFolder m_folder;
    QString m_connection = QStringLiteral("letterhead");
};

void SiteLetterheadTest::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_folder.filePath(QStringLiteral("AnaData/Genel.mdb")));
    QVERIFY(db.open());
    insertSite(QStringLiteral("A1"), QStringLiteral("Ali'nin Sitesi"),
               QStringLiteral("(216) 555 12 34"), QStringLiteral("(216) 555 12 35"));
    insertSite(QStringLiteral("B2"), QStringLiteral("Şirinevler Apartmanı"),
               QStringLiteral("(212) 444 00 11"), QStringLiteral("(___) ___ __ __"));
    // A code that would match everything if it were pasted into the SQL text.
    insertSite(QStringLiteral("x' OR '1'='1"), QStringLiteral("Tuzak"), QString(), QString());
}

void SiteLetterheadTest::cleanupTestCase()
{
    QSqlDatabase::database(m_connection).close();
    QSqlDatabase::removeDatabase(m_connection);
}

void SiteLetterheadTest::insertSite(const QString &code, const QString &name, const QString &phone,
                                    const QString &fax)
{
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.prepare(QStringLiteral(
        "INSERT INTO firmabilgi (firma_kodu, firma_unvani_1, firma_adresi_1, adres_semt, "
        "adres_sehir, telefon1_no, fax_no, yetkili1, yetkili1unvan, bos3) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(code);
    q.addBindValue(name);
    q.addBindValue(QStringLiteral("Gül Sokak No:5"));
    q.addBindValue(QStringLiteral("Kadıköy"));
    q.addBindValue(QStringLiteral("İstanbul"));
    q.addBindValue(phone);
    q.addBindValue(fax);
    q.addBindValue(QStringLiteral("Ayşe Yılmaz"));
    q.addBindValue(QStringLiteral("Yönetici"));
    q.addBindValue(QStringLiteral("TR12 0001 0000 0000 0000 0000 01"));
    QVERIFY(q.exec());
}

void SiteLetterheadTest::readsTheRowOfTheSite_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("name");

    QTest::newRow("first site") << QStringLiteral("A1") << true << QStringLiteral("Ali'nin Sitesi");
    QTest::newRow("second site") << QStringLiteral("B2") << true
                                 << QStringLiteral("Şirinevler Apartmanı");
    QTest::newRow("own copy: the only row")
        << QString() << true << QStringLiteral("Ali'nin Sitesi");
    QTest::newRow("unknown code") << QStringLiteral("ZZ") << false << QString();
    QTest::newRow("quote in the code") << QStringLiteral("A1' OR '1'='1") << false << QString();
}

void SiteLetterheadTest::readsTheRowOfTheSite()
{
    QFETCH(QString, code);
    QFETCH(bool, found);
    QFETCH(QString, name);
    const SiteLetterhead head = readSiteLetterhead(QSqlDatabase::database(m_connection), code);
    QVERIFY2(head.error.isEmpty(), qPrintable(head.error));
    QCOMPARE(head.found, found);
    QCOMPARE(head.name, name);
    if (found) {
        QCOMPARE(head.city, QStringLiteral("İstanbul"));
        QCOMPARE(head.officer, QStringLiteral("Ayşe Yılmaz"));
        QCOMPARE(head.officerTitle, QStringLiteral("Yönetici"));
        QCOMPARE(head.iban, QStringLiteral("TR12 0001 0000 0000 0000 0000 01"));
    }
}

void SiteLetterheadTest::lines_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("phone and fax")
        << QStringLiteral("A1")
        << QStringList{QStringLiteral("Ali'nin Sitesi"),
                       QStringLiteral("Gül Sokak No:5 Kadıköy İstanbul"),
                       QStringLiteral("Tel: (216) 555 12 34 Fax: (216) 555 12 35")};
    // The fax field holds only its entry mask: no fax.
    QTest::newRow("empty fax mask")
        << QStringLiteral("B2")
        << QStringList{QStringLiteral("Şirinevler Apartmanı"),
                       QStringLiteral("Gül Sokak No:5 Kadıköy İstanbul"),
                       QStringLiteral("Tel: (212) 444 00 11")};
    QTest::newRow("no numbers at all")
        << QStringLiteral("x' OR '1'='1")
        << QStringList{QStringLiteral("Tuzak"), QStringLiteral("Gül Sokak No:5 Kadıköy İstanbul")};
}

void SiteLetterheadTest::lines()
{
    QFETCH(QString, code);
    QFETCH(QStringList, expected);
    const SiteLetterhead head = readSiteLetterhead(QSqlDatabase::database(m_connection), code);
    QVERIFY(head.found);
    QCOMPARE(head.lines(), expected);
}

void SiteLetterheadTest::missingTableIsReported()
{
    const QString name = QStringLiteral("letterhead-empty");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(QStringLiteral(":memory:"));
        QVERIFY(db.open());
        const SiteLetterhead head = readSiteLetterhead(db, QStringLiteral("A1"));
        QVERIFY(!head.found);
        QVERIFY(!head.error.isEmpty());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

QTEST_GUILESS_MAIN(SiteLetterheadTest)
#include "tst_siteletterhead.moc"
