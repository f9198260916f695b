#include "TestSupport.h"
#include "maintenance/FlatCopy.h"
#include "maintenance/SiteMaintenance.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"
#include "storage/Storage.h"
#include "storage/Transaction.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>
#include <memory>

using namespace dalvira;
using namespace dalvira::test;
using maintenance::DeletionMode;

Q_DECLARE_METATYPE(DeletionMode)

namespace {

const QStringList kDataTables = {"siciltablo", "aiadataktar", "bulunmayan",   "bankaaktar",
                                 "borcalacak", "firma",       "sicilcarihar", "isletgelir",
                                 "isletgider", "gelirtur",    "gidertur",     "stoktur"};
const QStringList kCashTables = {"carihareket", "nakit", "resimnakit"};

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class MaintenanceTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void deletionKeepsWhatItShould_data();
    void deletionKeepsWhatItShould();
    void deletionIsAllOrNothing();
    void compactionShrinksBothFiles();
    void compactionLeavesAHeldFileUnchanged();
    void flatCopySkipsExistingNumbers();
    void flatCopyRefusals_data();
    void flatCopyRefusals();

private:
    int count(const QString &table) const;
    void fillEveryTable(int rows);
    // Rows with wide texts, then deleted again: free pages for compaction to give back.
    void makeFreeSpace();

    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<Storage> m_storage;
};

void MaintenanceTest::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    QVERIFY(m_folder->isValid());
    setProgramFolder(m_folder->path());
    m_storage = std::make_unique<Storage>();
    QVERIFY(m_storage->open().ok());
    for (const char *code : {"S1", "S2"}) {
        SiteRecord site;
        site.set("firma_kodu", QString::fromLatin1(code));
        site.set("firma_unvani_1", QStringLiteral("Gül Apartmanı ") + QLatin1String(code));
        site.set("faiz_aylik", 2.5);
        QVERIFY(SiteDirectory(*m_storage).createSite(site).ok());
    }
    QVERIFY(m_storage->selectSite("S1").ok());
}

void MaintenanceTest::cleanup()
{
    m_storage.reset();
    m_folder.reset();
}

int MaintenanceTest::count(const QString &table) const
{
    const QString qualified = kCashTables.contains(table) ? "kasa." + table : table;
    return scalar(m_storage->ana(), "SELECT count(*) FROM " + qualified).toInt();
}

void MaintenanceTest::fillEveryTable(int rows)
{
    for (int i = 0; i < rows; ++i) {
        for (const QString &table : kDataTables)
            exec(m_storage->ana(), "INSERT INTO " + table + " DEFAULT VALUES");
        for (const QString &table : kCashTables)
            exec(m_storage->ana(), "INSERT INTO kasa." + table + " DEFAULT VALUES");
    }
}

void MaintenanceTest::deletionKeepsWhatItShould_data()
{
    QTest::addColumn<DeletionMode>("mode");
    QTest::newRow("H: everything") << DeletionMode::All;
    QTest::newRow("E: all but the flats") << DeletionMode::KeepFlats;
}

void MaintenanceTest::deletionKeepsWhatItShould()
{
    QFETCH(DeletionMode, mode);
    fillEveryTable(3);
    const QVariantMap ownRow = SiteDirectory::ownRecord(m_storage->ana())->values;
    const int listed = scalar(m_storage->genel(), "SELECT count(*) FROM firmabilgi").toInt();

    const Result r = maintenance::deleteRecords(*m_storage, mode);
    QVERIFY2(r.ok(), qPrintable(r.message()));

    for (const QString &table : kDataTables + kCashTables) {
        int expected = 0;
        if (table == "gelirtur" || table == "gidertur" || table == "stoktur")
            expected = 3;
        if (table == "siciltablo" && mode == DeletionMode::KeepFlats)
            expected = 3;
        QVERIFY2(count(table) == expected, qPrintable(table));
    }
    QCOMPARE(SiteDirectory::ownRecord(m_storage->ana())->values, ownRow);
    QCOMPARE(scalar(m_storage->genel(), "SELECT count(*) FROM firmabilgi").toInt(), listed);
    QCOMPARE(maintenance::deletionTables(mode).size(), mode == DeletionMode::All ? 12 : 11);
}

void MaintenanceTest::deletionIsAllOrNothing()
{
    fillEveryTable(2);
    // The last table of the order refuses: everything emptied before it comes back.
    exec(m_storage->ana(), "CREATE TEMP TRIGGER keep BEFORE DELETE ON kasa.resimnakit "
                           "BEGIN SELECT RAISE(ABORT, 'silinemez'); END");
    const Result r = maintenance::deleteRecords(*m_storage, DeletionMode::All);
    QVERIFY(!r.ok());
    QVERIFY2(r.message().contains("silinemez"), qPrintable(r.message()));
    for (const QString &table : kDataTables + kCashTables)
        QVERIFY2(count(table) == 2, qPrintable(table));
}

void MaintenanceTest::makeFreeSpace()
{
    const QString wide(4000, QChar(u'ş'));
    const Result r = runInTransaction(m_storage->ana(), [&] {
        for (int i = 0; i < 200; ++i) {
            insert(m_storage->ana(), "siciltablo", {{"sicil_kodu", i}, {"aciklama1", wide}});
            insert(m_storage->ana(), "kasa.nakit", {{"aciklama", wide}});
        }
    });
    QVERIFY(r.ok());
    exec(m_storage->ana(), "DELETE FROM siciltablo");
    exec(m_storage->ana(), "DELETE FROM kasa.nakit");
}

void MaintenanceTest::compactionShrinksBothFiles()
{
    makeFreeSpace();
    const qint64 data = QFileInfo(Storage::siteDataPath("S1")).size();
    const qint64 cash = QFileInfo(Storage::siteCashPath("S1")).size();
    const Result r = maintenance::compactSite(*m_storage, "S1");
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QVERIFY(QFileInfo(Storage::siteDataPath("S1")).size() < data);
    QVERIFY(QFileInfo(Storage::siteCashPath("S1")).size() < cash);
    // Still on the same site, both files usable.
    QCOMPARE(m_storage->siteCode(), QString("S1"));
    QCOMPARE(scalar(m_storage->ana(), "SELECT firma_kodu FROM firmabilgi").toString(),
             QString("S1"));
    QCOMPARE(count("nakit"), 0);
}

void MaintenanceTest::compactionLeavesAHeldFileUnchanged()
{
    makeFreeSpace();
    const QByteArray data = bytesOf(Storage::siteDataPath("S1"));
    const qint64 cash = QFileInfo(Storage::siteCashPath("S1")).size();
    QProcess holder;
    holder.start("bash", {"-c", "exec 3<\"$1\"; echo ready; exec sleep 30", "bash",
                          Storage::siteDataPath("S1")});
    QVERIFY(holder.waitForReadyRead(10000));
    const Result r = maintenance::compactSite(*m_storage, "S1");
    holder.kill();
    holder.waitForFinished(10000);

    QVERIFY(!r.ok());
    QVERIFY2(r.message().contains("S1.mdb"), qPrintable(r.message()));
    QCOMPARE(bytesOf(Storage::siteDataPath("S1")), data);
    QVERIFY(QFileInfo(Storage::siteCashPath("S1")).size() < cash); // the free one still is
    QCOMPARE(m_storage->siteCode(), QString("S1"));
}

void MaintenanceTest::flatCopySkipsExistingNumbers()
{
    const QByteArray photo("\x89PNG\r\n\x1a\n fotoğraf", 19);
    for (int n = 15; n >= 1; --n) // hid order is not number order
        insert(m_storage->ana(), "siciltablo",
               {{"sicil_kodu", n},
                {"adi", "Ayşe " + QString::number(n)},
                {"soyadi", "O'Neil"},
                {"aidattutar1", 125.5},
                {"sahibi_foto", n == 12 ? QVariant(photo) : QVariant()}});
    // The target already has flats 1 to 10.
    QVERIFY(m_storage->openOtherSite("S2").ok());
    for (int n = 1; n <= 10; ++n)
        insert(m_storage->digerfirma(), "siciltablo", {{"sicil_kodu", n}, {"adi", "Eski"}});

    flatcopy::Outcome outcome;
    const Result r = flatcopy::copyFlats(*m_storage, "S2", &outcome);
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QCOMPARE(outcome.copied, 5);
    QList<int> skipped;
    for (const QVariant &v : outcome.skipped)
        skipped << v.toInt();
    QCOMPARE(skipped, QList<int>({10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    QCOMPARE(flatcopy::duplicateMessage(outcome.skipped.first()),
             QString("\"10\" kodu ile kayıtlı üye mevcut. Bu kayıt aktarılmayacak!!!"));

    const QSqlDatabase target = m_storage->digerfirma();
    QCOMPARE(scalar(target, "SELECT count(*) FROM siciltablo").toInt(), 15);
    QCOMPARE(scalar(target, "SELECT count(*) FROM siciltablo WHERE adi = 'Eski'").toInt(), 10);
    QCOMPARE(
        scalar(target, "SELECT sahibi_foto FROM siciltablo WHERE sicil_kodu = 12").toByteArray(),
        photo);
    QCOMPARE(scalar(target, "SELECT soyadi FROM siciltablo WHERE sicil_kodu = 13").toString(),
             QString("O'Neil"));
    QCOMPARE(scalar(target, "SELECT aidattutar1 FROM siciltablo WHERE sicil_kodu = 11").toDouble(),
             125.5);
    // The open site is unchanged, the flats only: no movements went across.
    QCOMPARE(count("siciltablo"), 15);
    QCOMPARE(scalar(target, "SELECT count(*) FROM sicilcarihar").toInt(), 0);

    // A second copy finds every number present.
    QVERIFY(flatcopy::copyFlats(*m_storage, "S2", &outcome).ok());
    QCOMPARE(outcome.copied, 0);
    QCOMPARE(outcome.skipped.size(), 15);
}

void MaintenanceTest::flatCopyRefusals_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty code") << "" << flatcopy::emptyTargetMessage();
    QTest::newRow("no such site") << "YOK"
                                  << "\"YOK\" Kodlu Site/Apartman mevcut değil?";
    QTest::newRow("the open site") << "S1" << flatcopy::sameSiteMessage();
}

void MaintenanceTest::flatCopyRefusals()
{
    QFETCH(QString, target);
    QFETCH(QString, message);
    insert(m_storage->ana(), "siciltablo", {{"sicil_kodu", 1}});
    const QByteArray s2 = bytesOf(Storage::siteDataPath("S2"));
    flatcopy::Outcome outcome;
    const Result r = flatcopy::copyFlats(*m_storage, target, &outcome);
    QVERIFY(!r.ok());
    QCOMPARE(r.message(), message);
    QCOMPARE(outcome.copied, 0);
    QCOMPARE(bytesOf(Storage::siteDataPath("S2")), s2);
    QCOMPARE(count("siciltablo"), 1);
}

QTEST_GUILESS_MAIN(MaintenanceTest)
#include "tst_maintenance.moc"
