#include "StorageTestSupport.h"
#include "TestSupport.h"
#include "common/Result.h"
#include "storage/DatabaseFile.h"
#include "storage/ProgramFolder.h"
#include "storage/ScopedConnection.h"
#include "storage/Sql.h"
#include "storage/Storage.h"
#include "storage/Transaction.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QTest>

using namespace dalvira;
using namespace dalvira::test;

class StorageTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsOnTheStartupFiles();
    void cashFileIsCopiedOnlyOnFirstEntry();
    void failedSwitchKeepsTheOpenSite_data();
    void failedSwitchKeepsTheOpenSite();
    void otherSiteConnection();
    void leavingTheSiteReturnsToTheStartupFiles();
    void scopedConnectionWritesAnotherSite();

    void twoFileEventIsAllOrNothing_data();
    void twoFileEventIsAllOrNothing();
    void commitBlockedOnTheCashFileWritesNeitherFile();

    void unusableFilesAreRefused_data();
    void unusableFilesAreRefused();
    void missingFileIsNotCreated();
    void missingStartupFileFailsOpen();

private:
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<Storage> m_storage;
};

void StorageTest::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    QVERIFY(m_folder->isValid());
    setProgramFolder(m_folder->path());
    m_storage = std::make_unique<Storage>();
    const Result opened = m_storage->open();
    QVERIFY2(opened.ok(), qPrintable(opened.message()));
}

void StorageTest::cleanup()
{
    m_storage.reset();
    m_folder.reset();
}

void StorageTest::startsOnTheStartupFiles()
{
    QVERIFY(m_storage->isOpen());
    QCOMPARE(databaseFilePath(m_storage->ana()), m_folder->filePath("AnaData/SiteAna.mdb"));
    QCOMPARE(databaseFilePath(m_storage->ana(), "kasa"), m_folder->filePath("AnaData/Kasa.mdb"));
    QCOMPARE(databaseFilePath(m_storage->genel()), m_folder->filePath("AnaData/Genel.mdb"));
    QCOMPARE(databaseFilePath(m_storage->kasa()), m_folder->filePath("AnaData/Kasa.mdb"));
    QCOMPARE(databaseFilePath(m_storage->digerfirma()), m_folder->filePath("AnaData/SiteAna.mdb"));
    QCOMPARE(m_storage->ana().connectionName(), QStringLiteral("anaConnection"));
    QCOMPARE(m_storage->genel().connectionName(), QStringLiteral("genelConnection"));
    QCOMPARE(m_storage->kasa().connectionName(), QStringLiteral("kasaConnection"));
    QCOMPARE(m_storage->digerfirma().connectionName(), QStringLiteral("digerfirmaConnection"));
    QVERIFY(m_storage->siteCode().isEmpty());

    m_storage->close();
    for (const QSqlDatabase &db :
         {m_storage->ana(), m_storage->genel(), m_storage->kasa(), m_storage->digerfirma()})
        QVERIFY(!db.isOpen());
}

void StorageTest::cashFileIsCopiedOnlyOnFirstEntry()
{
    QVERIFY(makeSite("S1"));
    const QString cashPath = Storage::siteCashPath("S1");
    QVERIFY(!QFileInfo::exists(cashPath));

    Result r = m_storage->selectSite("S1");
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QVERIFY(QFileInfo::exists(cashPath));
    QCOMPARE(m_storage->siteCode(), QStringLiteral("S1"));
    QCOMPARE(databaseFilePath(m_storage->ana()), Storage::siteDataPath("S1"));
    QCOMPARE(databaseFilePath(m_storage->ana(), "kasa"), cashPath);
    QCOMPARE(databaseFilePath(m_storage->kasa()), cashPath);

    // A marker row in the cash file survives the next entry: the file is not copied again.
    insert(m_storage->kasa(), "nakit", {{"aciklama", "işaret"}, {"borc_tutar", 12.5}});
    QVERIFY(makeSite("S2"));
    QVERIFY(m_storage->selectSite("S2").ok());
    r = m_storage->selectSite("S1");
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QCOMPARE(scalar(m_storage->kasa(), "SELECT aciklama FROM nakit").toString(),
             QStringLiteral("işaret"));
    QCOMPARE(scalar(m_storage->ana(), "SELECT count(*) FROM kasa.nakit").toInt(), 1);
    // The other site got its own, empty cash file.
    QVERIFY(m_storage->selectSite("S2").ok());
    QCOMPARE(scalar(m_storage->kasa(), "SELECT count(*) FROM nakit").toInt(), 0);
}

void StorageTest::failedSwitchKeepsTheOpenSite_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("setUp");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("cashFileLeft");

    const QString missingSite = Storage::siteMissingMessage();
    QTest::newRow("no data file") << "YOK"
                                  << "" << missingSite << false;
    QTest::newRow("empty code") << ""
                                << "" << missingSite << false;
    QTest::newRow("code leaving Data/") << "../AnaData/Genel"
                                        << "" << missingSite << false;
    QTest::newRow("no cash template")
        << "S3"
        << "site,no template" << Storage::cashTemplateMissingMessage() << false;
    QTest::newRow("damaged data file")
        << "S4"
        << "site,damage data"
        << "bu programın veritabanı dosyası değil ya da bozuk" << false;
    QTest::newRow("damaged cash file")
        << "S5"
        << "site,damage cash"
        << "bu programın veritabanı dosyası değil ya da bozuk" << true;
}

void StorageTest::failedSwitchKeepsTheOpenSite()
{
    QFETCH(QString, code);
    QFETCH(QString, setUp);
    QFETCH(QString, message);
    QFETCH(bool, cashFileLeft);

    QVERIFY(makeSite("OLD"));
    QVERIFY(m_storage->selectSite("OLD").ok());
    insert(m_storage->ana(), "sicilcarihar", {{"adi_soyadi", "Eski Site"}});

    const QStringList steps = setUp.split(',', Qt::SkipEmptyParts);
    if (steps.contains("site"))
        QVERIFY(makeSite(code));
    if (steps.contains("no template"))
        QVERIFY(QFile::remove(Storage::cashTemplatePath()));
    if (steps.contains("damage data"))
        QVERIFY(writeBytes(Storage::siteDataPath(code), "bozuk dosya"));
    if (steps.contains("damage cash"))
        QVERIFY(writeBytes(Storage::siteCashPath(code), "bozuk dosya"));

    const Result r = m_storage->selectSite(code);
    QVERIFY(!r.ok());
    QVERIFY2(r.message().contains(message), qPrintable(r.message()));
    QCOMPARE(QFileInfo::exists(Storage::siteCashPath(code)), cashFileLeft);

    QCOMPARE(m_storage->siteCode(), QStringLiteral("OLD"));
    QCOMPARE(databaseFilePath(m_storage->ana()), Storage::siteDataPath("OLD"));
    QCOMPARE(databaseFilePath(m_storage->kasa()), Storage::siteCashPath("OLD"));
    QCOMPARE(scalar(m_storage->ana(), "SELECT adi_soyadi FROM sicilcarihar").toString(),
             QStringLiteral("Eski Site"));
    QCOMPARE(scalar(m_storage->ana(), "SELECT count(*) FROM kasa.nakit").toInt(), 0);
}

void StorageTest::otherSiteConnection()
{
    QVERIFY(makeSite("A"));
    QVERIFY(makeSite("B"));
    QVERIFY(m_storage->selectSite("A").ok());

    Result r = m_storage->openOtherSite("B");
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QCOMPARE(databaseFilePath(m_storage->digerfirma()), Storage::siteDataPath("B"));
    insert(m_storage->digerfirma(), "siciltablo", {{"sicil_kodu", 7}});

    r = m_storage->openOtherSite("YOK");
    QCOMPARE(r.message(), Storage::siteMissingMessage());
    QCOMPARE(databaseFilePath(m_storage->digerfirma()), Storage::siteDataPath("B"));
    QCOMPARE(scalar(m_storage->digerfirma(), "SELECT sicil_kodu FROM siciltablo").toInt(), 7);
    QCOMPARE(scalar(m_storage->ana(), "SELECT count(*) FROM siciltablo").toInt(), 0);
}

void StorageTest::leavingTheSiteReturnsToTheStartupFiles()
{
    QVERIFY(makeSite("A"));
    QVERIFY(m_storage->selectSite("A").ok());
    QVERIFY(m_storage->openOtherSite("A").ok());

    const Result r = m_storage->leaveSite();
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QVERIFY(m_storage->siteCode().isEmpty());
    QCOMPARE(databaseFilePath(m_storage->ana()), m_folder->filePath("AnaData/SiteAna.mdb"));
    QCOMPARE(databaseFilePath(m_storage->ana(), "kasa"), m_folder->filePath("AnaData/Kasa.mdb"));
    QCOMPARE(databaseFilePath(m_storage->kasa()), m_folder->filePath("AnaData/Kasa.mdb"));
    QCOMPARE(databaseFilePath(m_storage->digerfirma()), m_folder->filePath("AnaData/SiteAna.mdb"));
    // Nothing of this program holds the site's files any more.
    QVERIFY(QFile::rename(Storage::siteDataPath("A"), Storage::siteDataPath("A2")));
    QVERIFY(m_storage->selectSite("A2").ok());
}

void StorageTest::scopedConnectionWritesAnotherSite()
{
    QVERIFY(makeSite("A"));
    QVERIFY(makeSite("B"));
    QVERIFY(m_storage->selectSite("A").ok());
    QString name;
    {
        ScopedConnection other;
        name = other.connectionName();
        const Result opened = other.open(Storage::siteDataPath("B"));
        QVERIFY2(opened.ok(), qPrintable(opened.message()));
        const Result r = runInTransaction(other.database(), [&] {
            insert(other.database(), "firmabilgi",
                   {{"firma_kodu", "B"}, {"firma_unvani_1", "Ahmet'in Sitesi"}});
        });
        QVERIFY2(r.ok(), qPrintable(r.message()));
    }
    QVERIFY(!QSqlDatabase::contains(name));
    QVERIFY(m_storage->selectSite("B").ok());
    QCOMPARE(scalar(m_storage->ana(), "SELECT firma_unvani_1 FROM firmabilgi").toString(),
             QStringLiteral("Ahmet'in Sitesi"));
}

void StorageTest::twoFileEventIsAllOrNothing_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("message");

    QTest::newRow("success") << ""
                             << "";
    QTest::newRow("operation error") << "throw"
                                     << "Tutar sıfır olamaz!";
    QTest::newRow("SQL error") << "sql"
                               << "no such column: yok_boyle_sutun";
    QTest::newRow("cancelled") << "cancel"
                               << "";
}

void StorageTest::twoFileEventIsAllOrNothing()
{
    QFETCH(QString, failure);
    QFETCH(QString, message);

    QVERIFY(makeSite("S1"));
    QVERIFY(m_storage->selectSite("S1").ok());
    const QSqlDatabase db = m_storage->ana();

    const Result r = runInTransaction(db, [&] {
        const qint64 cid = insert(
            db, "sicilcarihar", {{"sicil_kodu", 3}, {"adi_soyadi", "Ali'nin"}, {"alacak", 150.0}});
        insert(db, "kasa.nakit", {{"aidat_id", cid}, {"borc_tutar", 150.0}});
        if (failure == "throw")
            throw OperationError(QStringLiteral("Tutar sıfır olamaz!"));
        if (failure == "sql")
            exec(db, "UPDATE kasa.nakit SET yok_boyle_sutun = 1");
        if (failure == "cancel")
            throw OperationCancelled();
    });

    const int expectedRows = failure.isEmpty() ? 1 : 0;
    QCOMPARE(r.ok(), failure.isEmpty());
    QCOMPARE(r.wasCancelled(), failure == "cancel");
    QVERIFY2(r.message().contains(message), qPrintable(r.message()));
    QVERIFY(!inTransaction(db));
    QCOMPARE(scalar(db, "SELECT count(*) FROM sicilcarihar").toInt(), expectedRows);
    // Seen through the cash connection too: the cash file itself has (or lacks) the row.
    QCOMPARE(scalar(m_storage->kasa(), "SELECT count(*) FROM nakit").toInt(), expectedRows);
    if (expectedRows == 1) {
        QCOMPARE(scalar(m_storage->kasa(), "SELECT aidat_id FROM nakit").toLongLong(),
                 scalar(db, "SELECT cid FROM sicilcarihar WHERE adi_soyadi = ?", {"Ali'nin"})
                     .toLongLong());
    }
}

void StorageTest::commitBlockedOnTheCashFileWritesNeitherFile()
{
    // Another reader on the cash file makes the commit of the cash half fail; the data file's
    // half, already written by then, must be rolled back with it.
    QVERIFY(makeSite("S1"));
    QVERIFY(m_storage->selectSite("S1").ok());
    const QSqlDatabase db = m_storage->ana();

    ScopedConnection reader;
    QVERIFY(reader.open(Storage::siteCashPath("S1")).ok());
    exec(reader.database(), "BEGIN");
    QCOMPARE(scalar(reader.database(), "SELECT count(*) FROM nakit").toInt(), 0);

    const Result r = runInTransaction(db, [&] {
        insert(db, "sicilcarihar", {{"sicil_kodu", 3}, {"alacak", 10.0}});
        insert(db, "kasa.nakit", {{"borc_tutar", 10.0}});
    });
    QVERIFY(!r.ok());
    QVERIFY2(r.message().contains("locked"), qPrintable(r.message()));
    exec(reader.database(), "COMMIT");

    QCOMPARE(scalar(db, "SELECT count(*) FROM sicilcarihar").toInt(), 0);
    QCOMPARE(scalar(db, "SELECT count(*) FROM kasa.nakit").toInt(), 0);
    QCOMPARE(scalar(reader.database(), "SELECT count(*) FROM nakit").toInt(), 0);
    QVERIFY(!QFileInfo::exists(Storage::siteDataPath("S1") + "-journal"));
}

void StorageTest::unusableFilesAreRefused_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("message");

    const QString notOurs = QStringLiteral("bu programın veritabanı dosyası değil ya da bozuk");
    const QString oldProgram = QStringLiteral("eski programın veritabanı dosyasıdır");
    QByteArray jet(4096, '\0');
    jet.replace(0, 4, QByteArray("\x00\x01\x00\x00", 4));
    jet.replace(4, 16, QByteArray("Standard Jet DB\0", 16));
    QByteArray ace = jet;
    ace.replace(4, 16, QByteArray("Standard ACE DB\0", 16));

    QTest::newRow("text file") << QByteArray("[Giris]\nKodu=S1\n") << notOurs;
    QTest::newRow("empty file") << QByteArray() << notOurs;
    QTest::newRow("Jet database") << jet << oldProgram;
    QTest::newRow("ACE database") << ace << oldProgram;
    // The special rows are built in the test body from real files.
    QTest::newRow("truncated site file") << QByteArray("truncate") << notOurs;
    QTest::newRow("truncated at a page boundary") << QByteArray("truncatepage") << notOurs;
    QTest::newRow("other program's SQLite file") << QByteArray("foreign") << notOurs;
    QTest::newRow("garbled pages") << QByteArray("garble") << notOurs;
}

void StorageTest::unusableFilesAreRefused()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, message);

    QVERIFY(makeSite("OK"));
    QVERIFY(m_storage->selectSite("OK").ok());
    const QString path = Storage::siteDataPath("BAD");

    if (contents == "truncate" || contents == "truncatepage" || contents == "garble") {
        // A site file with enough rows to span many pages.
        QVERIFY(makeSite("BAD"));
        {
            ScopedConnection c;
            QVERIFY(c.open(path).ok());
            const Result filled = runInTransaction(c.database(), [&] {
                for (int i = 0; i < 400; ++i)
                    insert(c.database(), "sicilcarihar",
                           {{"sicil_kodu", i}, {"aciklama", QString(200, QChar('x' + i % 3))}});
            });
            QVERIFY(filled.ok());
        }
        QByteArray bytes = fileBytes(path);
        if (contents == "truncate") {
            bytes.truncate(bytes.size() / 2 + 100);
        } else if (contents == "truncatepage") {
            bytes.truncate(bytes.size() / 2 / 4096 * 4096);
        } else {
            for (qsizetype at = 4096; at < bytes.size(); at += 4096)
                bytes.replace(at, 64, QByteArray(64, '\xA5'));
        }
        contents = bytes;
    } else if (contents == "foreign") {
        {
            auto db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("CREATE TABLE t (x)"));
            db.close();
        }
        QSqlDatabase::removeDatabase("foreign");
        contents = fileBytes(path);
    }
    QVERIFY(writeBytes(path, contents));

    const Result checked = checkDatabaseFile(path);
    QVERIFY(!checked.ok());
    QVERIFY2(checked.message().contains(message), qPrintable(checked.message()));
    QVERIFY2(checked.message().contains("BAD.mdb"), qPrintable(checked.message()));

    ScopedConnection c;
    QCOMPARE(c.open(path).message(), checked.message());
    QVERIFY(!c.isOpen());

    const Result entered = m_storage->selectSite("BAD");
    QCOMPARE(entered.message(), checked.message());
    QCOMPARE(m_storage->siteCode(), QStringLiteral("OK"));
    QVERIFY(!QFileInfo::exists(Storage::siteCashPath("BAD")));
    QCOMPARE(fileBytes(path), contents);
}

void StorageTest::missingFileIsNotCreated()
{
    const QString path = Storage::siteDataPath("YOK");
    ScopedConnection c;
    const Result r = c.open(path);
    QVERIFY(!r.ok());
    QVERIFY2(r.message().contains("bulunamadı") && r.message().contains("YOK.mdb"),
             qPrintable(r.message()));
    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(m_storage->openOtherSite("YOK").message(), Storage::siteMissingMessage());
    QVERIFY(!QFileInfo::exists(path));
}

void StorageTest::missingStartupFileFailsOpen()
{
    m_storage->close();
    const QString genel = m_folder->filePath("AnaData/Genel.mdb");
    QVERIFY(QFile::remove(genel));
    const Result r = m_storage->open();
    QVERIFY(!r.ok());
    QVERIFY2(r.message().contains("Genel.mdb"), qPrintable(r.message()));
    QVERIFY(!QFileInfo::exists(genel));
    QVERIFY(!m_storage->ana().isOpen());
    QVERIFY(!m_storage->kasa().isOpen());
    QVERIFY(!m_storage->genel().isOpen());
}

QTEST_GUILESS_MAIN(StorageTest)
#include "tst_Storage.moc"
