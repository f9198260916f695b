#include "TestSupport.h"
#include "backup/Backup.h"
#include "backup/BackupSettings.h"
#include "backup/ZipArchive.h"
#include "session/SiteDirectory.h"
#include "storage/IniFile.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"
#include "storage/Storage.h"
#include "tst_backup_support.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace dalvira;
using namespace dalvira::test;

namespace {

QStringList baseNames(const QStringList &paths)
{
    QStringList names;
    for (const QString &p : paths)
        names << QFileInfo(p).fileName();
    return names;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

class BackupTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void archiveNames();
    void dailyRotation();
    void dailyRotationOff();
    void automaticBackupRule_data();
    void automaticBackupRule();
    void automaticBackupFolderMissing();
    void allSitesBackupWritesBothArchives();
    void singleSiteArchiveOpensWithInfoZip();
    void settingsRoundTrip();

private:
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<Storage> m_storage;
};

void BackupTest::init()
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
        site.set("firma_unvani_1", QStringLiteral("Çınar Sitesi ") + QLatin1String(code));
        QVERIFY(SiteDirectory(*m_storage).createSite(site).ok());
    }
    QVERIFY(m_storage->selectSite("S2").ok());
    QVERIFY(m_storage->selectSite("S1").ok()); // both sites have their cash file now
}

void BackupTest::cleanup()
{
    m_storage.reset();
    m_folder.reset();
}

void BackupTest::archiveNames()
{
    const QDate date(2024, 3, 5);
    QCOMPARE(backup::singleSiteArchiveName("S1", date), QString("S1_2024_03_05.ydk"));
    QCOMPARE(backup::allSitesArchiveName(date), QString("TolvekTumu_2024_03_05.zip"));
    QCOMPARE(backup::automaticArchiveName(date), QString("TolvekSite_2024_03_05.zip"));
    QCOMPARE(backup::genArchivePath("/y/TolvekTumu_2024_03_05.zip"),
             QString("/y/TolvekTumu_2024_03_05.zipGen"));
    QCOMPARE(backup::rotatingArchivePath(3), m_folder->path() + "Yedek/OtoYedek3.zip");
}

void BackupTest::dailyRotation()
{
    QVERIFY(BackupSettings::saveAutoSettings(QString(), "1", false, true).ok());
    QVERIFY(!QFileInfo::exists(backup::rotationSettingsPath()));
    const QStringList expectedEntries = sorted(baseNames(backup::siteDatabaseFiles()));
    QCOMPARE(expectedEntries, QStringList({"S1.mdb", "S1TUMK.mdb", "S2.mdb", "S2TUMK.mdb"}));

    // A fresh Yedek.ini says kac=1, so the first archive is number 2; the same day twice
    // writes once; the round goes on from 5 to 1.
    const QList<QPair<QDate, int>> steps = {{QDate(2024, 3, 1), 2}, {QDate(2024, 3, 1), 0},
                                            {QDate(2024, 3, 2), 3}, {QDate(2024, 3, 4), 4},
                                            {QDate(2024, 3, 5), 5}, {QDate(2024, 3, 6), 1},
                                            {QDate(2024, 3, 6), 0}, {QDate(2024, 3, 7), 2}};
    for (const auto &[day, expected] : steps) {
        for (int n = 1; n <= 5; ++n)
            QFile::remove(backup::rotatingArchivePath(n));
        int number = -1;
        const Result r = backup::runDailyBackup(day, &number);
        QVERIFY2(r.ok(), qPrintable(r.message()));
        QCOMPARE(number, expected);
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(QFileInfo::exists(backup::rotatingArchivePath(n)), n == expected);
        if (expected) {
            QStringList names;
            QVERIFY(verifyArchive(backup::rotatingArchivePath(expected), {}, &names).ok());
            QCOMPARE(sorted(names), expectedEntries);
        }
    }
    IniFile ini(backup::rotationSettingsPath());
    QVERIFY(ini.load());
    QCOMPARE(ini.value("Tarih", "gun"), QString("7"));
    QCOMPARE(ini.value("Tarih", "ay"), QString("3"));
    QCOMPARE(ini.value("Tarih", "yil"), QString("2024"));
    QCOMPARE(ini.value("Kacta", "kac"), QString("2"));
}

void BackupTest::dailyRotationOff()
{
    QVERIFY(BackupSettings::saveAutoSettings(QString(), "1", false, false).ok());
    int number = -1;
    QVERIFY(backup::runDailyBackup(QDate(2024, 3, 1), &number).ok());
    QCOMPARE(number, 0);
    QVERIFY(!QFileInfo::exists(backup::rotationSettingsPath()));
    QVERIFY(QDir(backup::backupFolder()).isEmpty());
}

void BackupTest::automaticBackupRule_data()
{
    QTest::addColumn<QString>("days");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<bool>("runs");
    const QDateTime eighth(QDate(2024, 3, 8), QTime(0, 0));
    QTest::newRow("7 days: 7 March late") << "7" << true << eighth.addSecs(-1) << false;
    QTest::newRow("7 days: 8 March") << "7" << true << eighth << true;
    QTest::newRow("7 days: 20 March") << "7" << true << eighth.addDays(12) << true;
    QTest::newRow("7 days: switched off") << "7" << false << eighth.addDays(12) << false;
    QTest::newRow("empty days: every end")
        << "" << true << QDateTime(QDate(2024, 3, 1), QTime(9, 0)) << true;
    QTest::newRow("30 days over a leap day")
        << "30" << true << QDateTime(QDate(2024, 3, 31), QTime(8, 0)) << true;
}

void BackupTest::automaticBackupRule()
{
    QFETCH(QString, days);
    QFETCH(bool, enabled);
    QFETCH(QDateTime, now);
    QFETCH(bool, runs);
    QTemporaryDir target;
    const QString folder = target.path() + "/";
    QVERIFY(BackupSettings::saveAutoSettings(folder, days, enabled, false).ok());
    QVERIFY(BackupSettings::saveLastAutoBackup(QDate(2024, 3, 1)).ok());

    bool written = false;
    const Result r = backup::runAutomaticBackup(now, &written);
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QCOMPARE(written, runs);
    const QString archive = folder + backup::automaticArchiveName(now.date());
    QCOMPARE(QFileInfo::exists(archive), runs);
    QCOMPARE(QFileInfo::exists(archive + "Gen"), runs);
    QCOMPARE(BackupSettings::load().lastAutoBackup, runs ? now.date() : QDate(2024, 3, 1));
    if (runs) {
        QStringList names;
        QVERIFY(verifyArchive(archive + "Gen", {}, &names).ok());
        QCOMPARE(sorted(names), QStringList({"Genel.mdb", "SiteAna.mdb"}));
    }
}

void BackupTest::automaticBackupFolderMissing()
{
    const QString missing = m_folder->path() + "YokKlasor/";
    QVERIFY(BackupSettings::saveAutoSettings(missing, "1", true, false).ok());
    bool written = true;
    const Result r =
        backup::runAutomaticBackup(QDateTime(QDate(2024, 5, 1), QTime(18, 0)), &written);
    QVERIFY(!r.ok());
    QCOMPARE(r.message(), backup::automaticFolderMissingMessage());
    QVERIFY(!written);
    QVERIFY(!QFileInfo::exists(missing));
    QVERIFY(!BackupSettings::load().lastAutoBackup.isValid());
    // Program end reports it, and the daily backup still runs.
    QVERIFY(BackupSettings::saveAutoSettings(missing, "1", true, true).ok());
    const QStringList messages =
        backup::runProgramEndBackups(QDateTime(QDate(2024, 5, 1), QTime(18, 0)));
    QCOMPARE(messages, QStringList{backup::automaticFolderMissingMessage()});
    QVERIFY(QFileInfo::exists(backup::rotatingArchivePath(2)));
}

void BackupTest::allSitesBackupWritesBothArchives()
{
    QTemporaryDir target;
    const QString archive = target.filePath(backup::allSitesArchiveName(QDate(2024, 3, 5)));
    // An older archive of the same name with an entry no site has any more is replaced whole.
    QVERIFY(writeStoredZip(archive, {{"ESKI.mdb", "eski"}}));
    const QByteArray s1 = bytesOf(Storage::siteDataPath("S1"));

    const Result r = backup::backupAllSites(m_storage.get(), archive);
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QStringList names, genNames;
    QVERIFY(verifyArchive(archive, {}, &names).ok());
    QVERIFY(verifyArchive(archive + "Gen", {}, &genNames).ok());
    QCOMPARE(sorted(names), QStringList({"S1.mdb", "S1TUMK.mdb", "S2.mdb", "S2TUMK.mdb"}));
    QCOMPARE(sorted(genNames), QStringList({"Genel.mdb", "SiteAna.mdb"}));
    // Nothing but the archives is left in the folder (no temporaries).
    QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);

    // The connections are back on the open site.
    QVERIFY(m_storage->isOpen());
    QCOMPARE(m_storage->siteCode(), QString("S1"));
    QCOMPARE(scalar(m_storage->ana(), "SELECT firma_kodu FROM firmabilgi").toString(),
             QString("S1"));
    QCOMPARE(bytesOf(Storage::siteDataPath("S1")), s1);

    QVERIFY(QFileInfo(Storage::siteDataPath("S1")).size() > 0);
    QVERIFY(QFile::remove(archive + "Gen"));
    QVERIFY(!backup::backupAllSites(m_storage.get(), target.filePath("yok/klasor.zip")).ok());
}

void BackupTest::singleSiteArchiveOpensWithInfoZip()
{
    const QString unzip = QStandardPaths::findExecutable("unzip");
    QVERIFY2(!unzip.isEmpty(), "Info-ZIP unzip is needed to check the archive format");
    QTemporaryDir target;
    const QString archive = target.filePath(backup::singleSiteArchiveName("S1", QDate(2024, 3, 5)));
    const Result r = backup::backupSite(m_storage.get(), "S1", archive);
    QVERIFY2(r.ok(), qPrintable(r.message()));

    QProcess list;
    list.start(unzip, {"-Z1", archive});
    QVERIFY(list.waitForFinished(30000));
    QCOMPARE(list.readAllStandardOutput().trimmed(), QByteArray("S1.mdb"));

    struct Case
    {
        QByteArray password;
        bool opens;
    };
    for (const Case &c : {Case{backup::kSiteArchivePassword, true}, Case{"yanlis", false}}) {
        QTemporaryDir out;
        QProcess p;
        p.start(unzip, {"-o", "-P", QString::fromLatin1(c.password), archive, "-d", out.path()});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, c.opens);
        if (c.opens)
            QCOMPARE(bytesOf(out.filePath("S1.mdb")), bytesOf(Storage::siteDataPath("S1")));
    }
    QVERIFY(!verifyArchive(archive, "yanlis").ok());
    QVERIFY(!backup::backupSite(m_storage.get(), "YOK", target.filePath("yok.ydk")).ok());
    QVERIFY(!QFileInfo::exists(target.filePath("yok.ydk")));
}

void BackupTest::settingsRoundTrip()
{
    QVERIFY(BackupSettings::saveAutoSettings("/yedek/yer/", "15", true, false).ok());
    QVERIFY(BackupSettings::saveDaily(true).ok());
    QVERIFY(BackupSettings::saveLastAutoBackup(QDate(2025, 1, 9)).ok());
    IniFile ini(BackupSettings::path());
    QVERIFY(ini.load());
    QCOMPARE(ini.value("OtoYedekler", "SonOtoYedek"), QString("/yedek/yer/"));
    QCOMPARE(ini.value("OtoYedekler", "YedekGun"), QString("15"));
    QCOMPARE(ini.value("OtoYedekler", "YedekAl"), QString("1"));
    QCOMPARE(ini.value("OtoYedekler", "OtoGunluk"), QString("1"));
    QCOMPARE(ini.value("OtoYedekler", "TarihOtoGun"), QString("9"));
    QCOMPARE(ini.value("OtoYedekler", "TarihOtoAy"), QString("1"));
    QCOMPARE(ini.value("OtoYedekler", "TarihOtoYil"), QString("2025"));

    // A stored date outside the accepted years (or not a date) counts as none.
    ini.setValue("OtoYedekler", "TarihOtoYil", "2050");
    QVERIFY(ini.save().ok());
    QVERIFY(!BackupSettings::load().lastAutoBackup.isValid());
    ini.setValue("OtoYedekler", "TarihOtoYil", "2025");
    ini.setValue("OtoYedekler", "TarihOtoGun", "31");
    ini.setValue("OtoYedekler", "TarihOtoAy", "2");
    QVERIFY(ini.save().ok());
    QVERIFY(!BackupSettings::load().lastAutoBackup.isValid());
}

QTEST_GUILESS_MAIN(BackupTest)
#include "tst_backup.moc"
