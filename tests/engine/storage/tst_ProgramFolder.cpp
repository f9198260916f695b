#include "StorageTestSupport.h"
#include "TestSupport.h"
#include "storage/DatabaseFile.h"
#include "storage/FileCopy.h"
#include "storage/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace dalvira;
using namespace dalvira::test;

class ProgramFolderTest : public QObject
{
    Q_OBJECT

private slots:
    void setFolderAddsTrailingSlash();
    void defaultFolderIsTheUsersDataFolder();
    void layOutCopiesMissingFilesOnly();
    void copyNeverOverwritesNorLeavesPartialFiles();
};

void ProgramFolderTest::setFolderAddsTrailingSlash()
{
    setProgramFolder("/tmp/dalvira-deneme");
    QCOMPARE(GetPathPath(), QStringLiteral("/tmp/dalvira-deneme/"));
    setProgramFolder("/tmp/dalvira-deneme/");
    QCOMPARE(GetPathPath(), QStringLiteral("/tmp/dalvira-deneme/"));
    setProgramFolder({});
    QCOMPARE(GetPathPath(), defaultProgramFolder());
}

void ProgramFolderTest::defaultFolderIsTheUsersDataFolder()
{
    // The test executable's folder holds no AnaData/, so it is not a portable install.
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    QCOMPARE(defaultProgramFolder(), home.path() + "/Dalvira/");
    qunsetenv("XDG_DATA_HOME");
}

void ProgramFolderTest::layOutCopiesMissingFilesOnly()
{
    QTemporaryDir target;
    const QString folder = target.path() + "/Dalvira";
    // A file the user already has must survive.
    QVERIFY(QDir().mkpath(folder + "/AnaData"));
    QVERIFY(writeBytes(folder + "/AnaData/Genel.mdb", "kullanıcının dosyası"));

    const Result r = layOutProgramFolder(folder, builtProgramFolder());
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QCOMPARE(fileBytes(folder + "/AnaData/Genel.mdb"), QByteArray("kullanıcının dosyası"));
    for (const char *file :
         {"AnaData/SiteAna.mdb", "AnaData/Kasa.mdb", "SiteAna.mdb", "Kasa.mdb"}) {
        const QString path = folder + '/' + file;
        QVERIFY2(checkDatabaseFile(path).ok(), file);
        QCOMPARE(fileBytes(path), fileBytes(builtProgramFolder() + '/' + file));
    }
    QVERIFY(QFileInfo(folder + "/Data").isDir());
    QVERIFY(QFileInfo(folder + "/Yedek").isDir());
    // No executable of the build is copied into the user's folder.
    const QFileInfoList copied = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : copied)
        QVERIFY2(!info.isExecutable(), qPrintable(info.fileName()));

    QVERIFY(!layOutProgramFolder(folder, target.path() + "/yok").ok());
}

void ProgramFolderTest::copyNeverOverwritesNorLeavesPartialFiles()
{
    QTemporaryDir dir;
    const QString source = dir.filePath("kaynak.mdb");
    const QString target = dir.filePath("Data/hedef.mdb");
    QVERIFY(writeBytes(source, QByteArray(200000, 'k')));

    bool copied = false;
    QVERIFY(copyFileIfMissing(source, target, &copied).ok());
    QVERIFY(copied);
    QCOMPARE(fileBytes(target), fileBytes(source));

    QVERIFY(writeBytes(target, "değişti"));
    QVERIFY(copyFileIfMissing(source, target, &copied).ok());
    QVERIFY(!copied);
    QCOMPARE(fileBytes(target), QByteArray("değişti"));

    const QString other = dir.filePath("Data/diger.mdb");
    const Result r = copyFileIfMissing(dir.filePath("yok.mdb"), other, &copied);
    QVERIFY(!r.ok());
    QVERIFY(!copied);
    QCOMPARE(QDir(dir.filePath("Data")).entryList(QDir::Files | QDir::Hidden),
             QStringList{"hedef.mdb"});
}

QTEST_GUILESS_MAIN(ProgramFolderTest)
#include "tst_ProgramFolder.moc"
