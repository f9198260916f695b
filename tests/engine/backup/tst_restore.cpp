#include "TestSupport.h"
#include "backup/Backup.h"
#include "backup/Restore.h"
#include "backup/ZipArchive.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"
#include "storage/Storage.h"
#include "tst_backup_support.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace dalvira;
using namespace dalvira::test;

class RestoreTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void roundTrip_data();
    void roundTrip();
    void refused_data();
    void refused();
    void fileHeldByAnotherProcessIsNotReplaced();
    void entriesLandInTheTargetFolderOnly();

private:
    // The live files a restore may touch, with their bytes.
    QHash<QString, QByteArray> liveFiles() const;
    void addFlat(int number);

    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<Storage> m_storage;
    QTemporaryDir m_out;
};

void RestoreTest::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    QVERIFY(m_folder->isValid());
    setProgramFolder(m_folder->path());
    QVERIFY(QDir().mkpath(backup::backupFolder()));
    m_storage = std::make_unique<Storage>();
    QVERIFY(m_storage->open().ok());
    for (const char *code : {"S1", "S2"}) {
        SiteRecord site;
        site.set("firma_kodu", QString::fromLatin1(code));
        site.set("firma_unvani_1", QStringLiteral("Ağaçlı Konutları ") + QLatin1String(code));
        QVERIFY(SiteDirectory(*m_storage).createSite(site).ok());
    }
    QVERIFY(m_storage->selectSite("S2").ok());
    QVERIFY(m_storage->selectSite("S1").ok());
    addFlat(1);
}

void RestoreTest::cleanup()
{
    m_storage.reset();
    m_folder.reset();
}

void RestoreTest::addFlat(int number)
{
    insert(m_storage->ana(), "siciltablo", {{"sicil_kodu", number}, {"adi", "Şükrü"}});
    insert(m_storage->ana(), "kasa.nakit", {{"aciklama", "Aidat"}, {"borc_tutar", 100.0 * number}});
}

QHash<QString, QByteArray> RestoreTest::liveFiles() const
{
    QHash<QString, QByteArray> files;
    for (const QString &dir : {QString("Data"), QString("AnaData")}) {
        const QDir d(m_folder->path() + dir);
        for (const QString &name : d.entryList(QDir::Files))
            files.insert(dir + "/" + name, bytesOf(d.filePath(name)));
    }
    return files;
}

void RestoreTest::roundTrip_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("all sites") << "all";
    QTest::newRow("automatic") << "automatic";
    QTest::newRow("single site") << "single";
}

void RestoreTest::roundTrip()
{
    QFETCH(QString, kind);
    QString archive;
    Result made;
    if (kind == "single") {
        archive = m_out.filePath("S1.ydk");
        made = backup::backupSite(m_storage.get(), "S1", archive);
    } else {
        archive = m_out.filePath(kind + ".zip");
        made = backup::backupAllSites(m_storage.get(), archive);
    }
    QVERIFY2(made.ok(), qPrintable(made.message()));
    const QHash<QString, QByteArray> before = liveFiles();

    // Work goes on after the backup: new rows in both files of S1, a new site in the list.
    addFlat(2);
    SiteRecord site;
    site.set("firma_kodu", "S3");
    site.set("firma_unvani_1", "Yeni Site");
    QVERIFY(SiteDirectory(*m_storage).createSite(site).ok());
    QVERIFY(liveFiles() != before);

    Result r;
    if (kind == "all")
        r = backup::restoreAllSites(m_storage.get(), archive);
    else if (kind == "automatic")
        r = backup::restoreFromAutomatic(m_storage.get(), archive);
    else
        r = backup::restoreSingleSite(m_storage.get(), archive);
    QVERIFY2(r.ok(), qPrintable(r.message()));

    const QHash<QString, QByteArray> after = liveFiles();
    QStringList restored = {"Data/S1.mdb"};
    if (kind != "single")
        restored << "Data/S1TUMK.mdb"
                 << "Data/S2.mdb"
                 << "Data/S2TUMK.mdb";
    if (kind == "all")
        restored << "AnaData/Genel.mdb"
                 << "AnaData/SiteAna.mdb";
    for (const QString &file : restored)
        QVERIFY2(after.value(file) == before.value(file), qPrintable(file));
    // Files the archive does not hold are left alone.
    QVERIFY(after.contains("Data/S3.mdb"));
    if (kind == "single")
        QVERIFY(after.value("Data/S1TUMK.mdb") != before.value("Data/S1TUMK.mdb"));

    // The connections are open again on the same site, reading the restored data.
    QCOMPARE(m_storage->siteCode(), QString("S1"));
    QCOMPARE(scalar(m_storage->ana(), "SELECT count(*) FROM siciltablo").toInt(), 1);
    QCOMPARE(scalar(m_storage->genel(), "SELECT count(*) FROM firmabilgi").toInt(),
             kind == "all" ? 2 : 3);
    // No staging folder is left behind.
    QVERIFY(
        QDir(m_folder->path()).entryList({".geriyukle-*"}, QDir::Dirs | QDir::Hidden).isEmpty());
}

void RestoreTest::refused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("messagePart");
    QTest::newRow("damaged archive") << "automatic"
                                     << "flip"
                                     << "okunamadı";
    QTest::newRow("truncated archive") << "automatic"
                                       << "truncate"
                                       << "okunamadı";
    QTest::newRow("not a zip at all") << "automatic"
                                      << "text"
                                      << "okunamadı";
    QTest::newRow("single site, wrong password") << "single"
                                                 << "password"
                                                 << "okunamadı";
    QTest::newRow("single site, two entries") << "single"
                                              << "two"
                                              << "yedek dosyası değil";
    QTest::newRow("entry that is not a database file") << "automatic"
                                                       << "junkdb"
                                                       << "veritabanı";
    QTest::newRow("unexpected entry") << "automatic"
                                      << "unexpected"
                                      << "beklenmeyen";
    QTest::newRow("folder climbing entry") << "automatic"
                                           << "climb"
                                           << "beklenmeyen";
    QTest::newRow("duplicate base names") << "automatic"
                                          << "duplicate"
                                          << "beklenmeyen";
    QTest::newRow("empty archive") << "automatic"
                                   << "empty"
                                   << "okunamadı";
    QTest::newRow("all sites without the Gen archive") << "all"
                                                       << "nogen"
                                                       << "Gen";
    QTest::newRow("Gen archive without SiteAna.mdb") << "all"
                                                     << "halfgen"
                                                     << "SiteAna.mdb";
    QTest::newRow("missing archive") << "automatic"
                                     << "missing"
                                     << "bulunamadı";
}

void RestoreTest::refused()
{
    QFETCH(QString, kind);
    QFETCH(QString, damage);
    QFETCH(QString, messagePart);

    const QString archive = m_out.filePath(kind == "single" ? "yedek.ydk" : "yedek.zip");
    const QByteArray s2 = bytesOf(Storage::siteDataPath("S2"));
    if (kind == "single")
        QVERIFY(backup::backupSite(m_storage.get(), "S1", archive).ok());
    else
        QVERIFY(backup::backupAllSites(m_storage.get(), archive).ok());

    QByteArray bytes = bytesOf(archive);
    if (damage == "flip") {
        for (qsizetype i = bytes.size() / 3; i < bytes.size() / 3 + 64; ++i)
            bytes[i] = char(bytes[i] ^ 0x5a);
        QVERIFY(writeFile(archive, bytes));
    } else if (damage == "truncate") {
        QVERIFY(writeFile(archive, bytes.left(bytes.size() / 2)));
    } else if (damage == "text") {
        QVERIFY(writeFile(archive, "Bu bir yedek değil."));
    } else if (damage == "password") {
        QVERIFY(writeArchives({{archive, {Storage::siteDataPath("S1")}, "baska-sifre"}}).ok());
    } else if (damage == "two") {
        QVERIFY(writeArchives({{archive,
                                {Storage::siteDataPath("S1"), Storage::siteDataPath("S2")},
                                backup::kSiteArchivePassword}})
                    .ok());
    } else if (damage == "junkdb") {
        QVERIFY(writeStoredZip(archive, {{"S2.mdb", s2}, {"S1.mdb", "bozuk veri"}}));
    } else if (damage == "unexpected") {
        QVERIFY(writeStoredZip(archive, {{"S2.mdb", s2}, {"calistir.sh", "rm -rf /"}}));
    } else if (damage == "climb") {
        QVERIFY(writeStoredZip(archive, {{"S2.mdb", s2}, {"../../evil.txt", "x"}}));
    } else if (damage == "duplicate") {
        QVERIFY(writeStoredZip(archive, {{"a/S2.mdb", s2}, {"b\\S2.mdb", s2}}));
    } else if (damage == "empty") {
        QVERIFY(writeStoredZip(archive, {}));
    } else if (damage == "nogen") {
        QVERIFY(QFile::remove(backup::genArchivePath(archive)));
    } else if (damage == "halfgen") {
        QVERIFY(writeStoredZip(backup::genArchivePath(archive),
                               {{"Genel.mdb", bytesOf(m_folder->filePath("AnaData/Genel.mdb"))}}));
    } else if (damage == "missing") {
        QVERIFY(QFile::remove(archive));
    }

    // Work goes on, so a restore would change the files.
    addFlat(2);
    const QHash<QString, QByteArray> before = liveFiles();

    Result r;
    if (kind == "single")
        r = backup::restoreSingleSite(m_storage.get(), archive);
    else if (kind == "all")
        r = backup::restoreAllSites(m_storage.get(), archive);
    else
        r = backup::restoreFromAutomatic(m_storage.get(), archive);
    QVERIFY(!r.ok());
    QVERIFY2(r.message().contains(messagePart), qPrintable(r.message()));
    QVERIFY(liveFiles() == before);
    QVERIFY(!QFileInfo::exists(m_out.filePath("evil.txt")));
    QVERIFY(!QFileInfo::exists(m_folder->path() + "evil.txt"));
    QVERIFY(
        QDir(m_folder->path()).entryList({".geriyukle-*"}, QDir::Dirs | QDir::Hidden).isEmpty());
    QCOMPARE(m_storage->siteCode(), QString("S1"));
    QCOMPARE(scalar(m_storage->ana(), "SELECT count(*) FROM siciltablo").toInt(), 2);
}

void RestoreTest::fileHeldByAnotherProcessIsNotReplaced()
{
    const QString archive = m_out.filePath("yedek.zip");
    QVERIFY(backup::backupAllSites(m_storage.get(), archive).ok());
    addFlat(2);
    const QHash<QString, QByteArray> before = liveFiles();

    QProcess holder;
    holder.start("bash", {"-c", "exec 3<\"$1\"; echo ready; exec sleep 30", "bash",
                          Storage::siteDataPath("S2")});
    QVERIFY(holder.waitForReadyRead(10000));
    const Result r = backup::restoreFromAutomatic(m_storage.get(), archive);
    holder.kill();
    holder.waitForFinished(10000);

    QVERIFY(!r.ok());
    QVERIFY2(r.message().contains("S2.mdb") && r.message().contains("kullanılıyor"),
             qPrintable(r.message()));
    QVERIFY(liveFiles() == before);
    QCOMPARE(m_storage->siteCode(), QString("S1"));
}

void RestoreTest::entriesLandInTheTargetFolderOnly()
{
    // An archive whose entry names carry folders (another tool's archive) is restored by base
    // name into Data/ only.
    const QByteArray s2 = bytesOf(Storage::siteDataPath("S2"));
    const QString archive = m_out.filePath("klasorlu.zip");
    QVERIFY(writeStoredZip(archive, {{"../../AnaData/S9.mdb", s2}, {"C:\\Data\\S8.mdb", s2}}));
    const Result r = backup::restoreFromAutomatic(m_storage.get(), archive);
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QCOMPARE(bytesOf(Storage::siteDataPath("S9")), s2);
    QCOMPARE(bytesOf(Storage::siteDataPath("S8")), s2);
    QVERIFY(!QFileInfo::exists(m_folder->filePath("AnaData/S9.mdb")));
}

QTEST_GUILESS_MAIN(RestoreTest)
#include "tst_restore.moc"
