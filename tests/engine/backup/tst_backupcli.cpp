#include "TestSupport.h"
#include "backup/Backup.h"
#include "backup/ZipArchive.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Storage.h"
#include "tst_backup_support.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace dalvira;
using namespace dalvira::test;

// dalvira-cli backup, run as a scheduled job would run it.
class BackupCliTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void backup_data();
    void backup();

private:
    using Run = test::CliRun;
    Run cli(const QStringList &args);

    TempProgramFolder m_folder;
    QString m_cli;
};

void BackupCliTest::initTestCase()
{
    m_cli = builtProgramFolder() + "/dalvira-cli";
    QVERIFY2(QFileInfo(m_cli).isExecutable(), "build the dalvira-cli target first");
    QVERIFY(m_folder.isValid());
    setProgramFolder(m_folder.path());
    Storage storage;
    QVERIFY(storage.open().ok());
    SiteRecord site;
    site.set("firma_kodu", "S1");
    site.set("firma_unvani_1", "Menekşe Sitesi");
    QVERIFY(SiteDirectory(storage).createSite(site).ok());
    QVERIFY(storage.selectSite("S1").ok());
}

BackupCliTest::Run BackupCliTest::cli(const QStringList &args)
{
    return test::runCli(args);
}

void BackupCliTest::backup_data()
{
    QTest::addColumn<QStringList>("options"); // "OUT" stands for the output folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("archives"); // name patterns written into OUT
    QTest::addColumn<QString>("message");
    const QString day = QDate::currentDate().toString("yyyy_MM_dd");
    QTest::newRow("all sites") << QStringList{"--out", "OUT"} << 0
                               << QStringList{"TolvekTumu_" + day + ".zip",
                                              "TolvekTumu_" + day + ".zipGen"}
                               << "Tüm firmaların yedekleme işlemi";
    QTest::newRow("one site") << QStringList{"--site", "S1", "--out", "OUT"} << 0
                              << QStringList{"S1_" + day + ".ydk"}
                              << "\"S1\" kodlu site/apartmanın yedekleme işlemi";
    QTest::newRow("unknown site") << QStringList{"--site", "YOK", "--out", "OUT"} << 1
                                  << QStringList{} << Storage::siteMissingMessage();
    QTest::newRow("missing output folder")
        << QStringList{"--out", "OUT/yok"} << 1 << QStringList{} << "klasör bulunamadı";
    QTest::newRow("unknown option") << QStringList{"--hepsi", "--out", "OUT"} << 2 << QStringList{}
                                    << "Bilinmeyen seçenek: --hepsi";
    QTest::newRow("option without value")
        << QStringList{"--out"} << 2 << QStringList{} << "--out seçeneğinin değeri eksik.";
}

void BackupCliTest::backup()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QStringList, archives);
    QFETCH(QString, message);
    QTemporaryDir out;
    options.replaceInStrings("OUT", out.path());
    const Run run = cli(QStringList{"--folder", m_folder.path(), "backup"} + options);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QStringList written = QDir(out.path()).entryList(QDir::Files | QDir::Hidden);
    written.sort();
    QCOMPARE(written, archives);
    for (const QString &name : archives) {
        QVERIFY(run.out.contains(out.filePath(name)));
        const QByteArray password =
            name.endsWith(".ydk") ? backup::kSiteArchivePassword : QByteArray();
        QStringList entries;
        QVERIFY(verifyArchive(out.filePath(name), password, &entries).ok());
        QVERIFY(!entries.isEmpty());
    }
}

QTEST_GUILESS_MAIN(BackupCliTest)
#include "tst_backupcli.moc"
