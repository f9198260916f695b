#include "StorageTestSupport.h"
#include "TestSupport.h"
#include "storage/Compaction.h"
#include "storage/DatabaseFile.h"
#include "storage/ProgramFolder.h"
#include "storage/ScopedConnection.h"
#include "storage/Sql.h"
#include "storage/Storage.h"
#include "storage/Transaction.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

using namespace dalvira;
using namespace dalvira::test;

class CompactionTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void compactionKeepsDataAndShrinksTheFile();
    void fileInUseIsLeftUnchanged_data();
    void fileInUseIsLeftUnchanged();
    void unusableFileIsLeftUnchanged();
    void siteFilesAreCompactedAndReopened();

private:
    // Fills the site's data file and cash file, then deletes most of it.
    void fillAndThin(const QSqlDatabase &db);
    std::unique_ptr<TempProgramFolder> m_folder;
};

void CompactionTest::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    QVERIFY(m_folder->isValid());
    setProgramFolder(m_folder->path());
    QVERIFY(makeSite("S1"));
}

void CompactionTest::cleanup()
{
    m_folder.reset();
}

void CompactionTest::fillAndThin(const QSqlDatabase &db)
{
    const Result r = runInTransaction(db, [&] {
        for (int i = 0; i < 1500; ++i) {
            insert(db, "sicilcarihar",
                   {{"sicil_kodu", i},
                    {"adi_soyadi", QStringLiteral("Üye %1").arg(i)},
                    {"aciklama", QString(300, QLatin1Char('a' + i % 26))}});
        }
        exec(db, "DELETE FROM sicilcarihar WHERE sicil_kodu >= 10");
    });
    QVERIFY2(r.ok(), qPrintable(r.message()));
}

void CompactionTest::compactionKeepsDataAndShrinksTheFile()
{
    const QString path = Storage::siteDataPath("S1");
    {
        ScopedConnection c;
        QVERIFY(c.open(path).ok());
        fillAndThin(c.database());
    }
    const qint64 before = QFileInfo(path).size();

    const Result r = compactDatabase(path);
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QVERIFY2(QFileInfo(path).size() * 4 < before,
             qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(QFileInfo(path).size())));
    QVERIFY(!QFileInfo::exists(path + "x"));
    QVERIFY(checkDatabaseFile(path).ok());

    ScopedConnection c;
    QVERIFY(c.open(path).ok());
    QCOMPARE(scalar(c.database(), "SELECT count(*) FROM sicilcarihar").toInt(), 10);
    QCOMPARE(
        scalar(c.database(), "SELECT adi_soyadi FROM sicilcarihar WHERE sicil_kodu = 9").toString(),
        QStringLiteral("Üye 9"));
    // The key counter survives: a new row does not reuse a key.
    QCOMPARE(insert(c.database(), "sicilcarihar", {{"sicil_kodu", 99}}), 1501);
}

void CompactionTest::fileInUseIsLeftUnchanged_data()
{
    QTest::addColumn<QString>("holder");
    QTest::newRow("open in another process") << "process";
    QTest::newRow("read transaction of another connection") << "connection";
}

void CompactionTest::fileInUseIsLeftUnchanged()
{
    QFETCH(QString, holder);
    const QString path = Storage::siteDataPath("S1");
    {
        ScopedConnection c;
        QVERIFY(c.open(path).ok());
        fillAndThin(c.database());
    }
    const QByteArray before = fileBytes(path);

    QProcess process;
    ScopedConnection reader;
    if (holder == "process") {
        process.start("bash", {"-c", "exec 3<\"$1\"; echo ready; exec sleep 30", "bash", path});
        QVERIFY(process.waitForReadyRead(10000));
        QCOMPARE(process.readAll().trimmed(), QByteArray("ready"));
    } else {
        QVERIFY(reader.open(path).ok());
        exec(reader.database(), "BEGIN");
        QCOMPARE(scalar(reader.database(), "SELECT count(*) FROM sicilcarihar").toInt(), 10);
    }

    const Result r = compactDatabase(path);
    QVERIFY(!r.ok());
    QVERIFY2(r.message().contains("S1.mdb"), qPrintable(r.message()));
    QCOMPARE(fileBytes(path), before);
    QVERIFY(!QFileInfo::exists(path + "x"));

    if (holder == "process") {
        process.kill();
        QVERIFY(process.waitForFinished(10000));
    } else {
        exec(reader.database(), "COMMIT");
        reader.close();
    }
    // Once let go, the same file compacts.
    QVERIFY(compactDatabase(path).ok());
    QVERIFY(QFileInfo(path).size() < before.size());
}

void CompactionTest::unusableFileIsLeftUnchanged()
{
    const QString path = Storage::siteDataPath("BOZUK");
    const QByteArray garbage("Standard Jet DB değil, sadece metin");
    QVERIFY(writeBytes(path, garbage));
    QVERIFY(!compactDatabase(path).ok());
    QCOMPARE(fileBytes(path), garbage);
    QVERIFY(!QFileInfo::exists(path + "x"));
    QVERIFY(!compactDatabase(Storage::siteDataPath("YOK")).ok());
    QVERIFY(!QFileInfo::exists(Storage::siteDataPath("YOK")));
}

void CompactionTest::siteFilesAreCompactedAndReopened()
{
    Storage storage;
    QVERIFY(storage.open().ok());
    QVERIFY(storage.selectSite("S1").ok());
    QVERIFY(storage.openOtherSite("S1").ok());
    fillAndThin(storage.ana());
    const Result filled = runInTransaction(storage.ana(), [&] {
        for (int i = 0; i < 500; ++i)
            insert(storage.ana(), "kasa.nakit", {{"aciklama", QString(400, QLatin1Char('k'))}});
        exec(storage.ana(), "DELETE FROM kasa.nakit WHERE nid > 3");
    });
    QVERIFY(filled.ok());
    const qint64 dataBefore = QFileInfo(Storage::siteDataPath("S1")).size();
    const qint64 cashBefore = QFileInfo(Storage::siteCashPath("S1")).size();

    const Result r = storage.compactSiteFiles("S1");
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QVERIFY(QFileInfo(Storage::siteDataPath("S1")).size() < dataBefore);
    QVERIFY(QFileInfo(Storage::siteCashPath("S1")).size() < cashBefore);

    // Every connection is back on the same files, the cash file attached again.
    QCOMPARE(storage.siteCode(), QStringLiteral("S1"));
    QCOMPARE(databaseFilePath(storage.ana()), Storage::siteDataPath("S1"));
    QCOMPARE(databaseFilePath(storage.ana(), "kasa"), Storage::siteCashPath("S1"));
    QCOMPARE(databaseFilePath(storage.kasa()), Storage::siteCashPath("S1"));
    QCOMPARE(databaseFilePath(storage.digerfirma()), Storage::siteDataPath("S1"));
    QCOMPARE(scalar(storage.ana(), "SELECT count(*) FROM sicilcarihar").toInt(), 10);
    QCOMPARE(scalar(storage.ana(), "SELECT count(*) FROM kasa.nakit").toInt(), 3);
    QCOMPARE(scalar(storage.kasa(), "SELECT count(*) FROM nakit").toInt(), 3);
    QCOMPARE(scalar(storage.genel(), "SELECT count(*) FROM firmabilgi").toInt(), 0);
}

QTEST_GUILESS_MAIN(CompactionTest)
#include "tst_Compaction.moc"
