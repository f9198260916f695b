// "dalvira-cli demo": the site it makes is listed and filled; wrong numbers and a taken code are
// refused with a Turkish message and nothing made.

#include "TestSupport.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"
#include "storage/Storage.h"

#include <QtTest>

using namespace dalvira;
using namespace dalvira::test;

class DemoCliTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void makesAListedSite();
    void refusals_data();
    void refusals();

private:
    CliRun demo(const QStringList &args)
    {
        return runCli(
            QStringList{QStringLiteral("--folder"), m_folder->path(), QStringLiteral("demo")} +
            args);
    }
    QStringList listedCodes()
    {
        Storage storage;
        if (!storage.open())
            return {QStringLiteral("<storage not opened>")};
        QStringList codes;
        for (const SiteRecord &site : SiteDirectory(storage).list())
            codes << site.code();
        return codes;
    }

    std::unique_ptr<TempProgramFolder> m_folder;
};

void DemoCliTest::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    QVERIFY(m_folder->isValid());
    setProgramFolder(m_folder->path());
}

void DemoCliTest::makesAListedSite()
{
    const CliRun run = demo({QStringLiteral("ORNEK"), QStringLiteral("--flats"),
                             QStringLiteral("12"), QStringLiteral("--years"), QStringLiteral("1"),
                             QStringLiteral("--seed"), QStringLiteral("3")});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.startsWith(QStringLiteral("\"ORNEK\" kodlu örnek site oluşturuldu: 12 daire, "
                                               "1 aidat aktarımı,")),
             qPrintable(run.out));
    QCOMPARE(listedCodes(), QStringList{QStringLiteral("ORNEK")});

    Storage storage;
    QVERIFY(storage.open());
    QVERIFY(storage.selectSite(QStringLiteral("ORNEK")));
    QCOMPARE(scalar(storage.ana(), QStringLiteral("SELECT COUNT(*) FROM siciltablo")).toInt(), 12);
    QCOMPARE(scalar(storage.ana(), QStringLiteral("SELECT COUNT(*) FROM aiadataktar")).toInt(), 1);
    QVERIFY(scalar(storage.ana(), QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE "
                                                 "alacak > 0"))
                .toInt() > 0);
}

void DemoCliTest::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message"); // the start of stderr
    QTest::newRow("no code") << QStringList{"--flats", "5"} << 2
                             << QStringLiteral("Oluşturulacak sitenin kodu eksik.");
    QTest::newRow("flats not a number") << QStringList{"X1", "--flats", "beş"} << 2 << QString();
    QTest::newRow("no flats") << QStringList{"X1", "--flats", "0"} << 2 << QString();
    QTest::newRow("too many years") << QStringList{"X1", "--years", "31"} << 2 << QString();
    QTest::newRow("negative seed")
        << QStringList{"X1", "--seed", "-1"} << 2 << QStringLiteral("Tohum değeri");
    QTest::newRow("unknown option") << QStringList{"X1", "--blocks", "3"} << 2
                                    << QStringLiteral("Bilinmeyen seçenek: --blocks");
    QTest::newRow("code taken") << QStringList{"TAKEN", "--flats", "3", "--years", "1"} << 1
                                << QStringLiteral("\"TAKEN\" kodlu site zaten kayıtlı.");
}

void DemoCliTest::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    {
        Storage storage;
        QVERIFY(storage.open());
        SiteRecord taken;
        taken.set("firma_kodu", QStringLiteral("TAKEN"));
        taken.set("firma_unvani_1", QStringLiteral("Ekranda Açılmış Site"));
        QVERIFY(SiteDirectory(storage).createSite(taken));
    }
    const CliRun run = demo(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(run.out.isEmpty());
    QVERIFY(!run.err.trimmed().isEmpty());
    QVERIFY2(run.err.startsWith(message), qPrintable(run.err));
    QCOMPARE(listedCodes(), QStringList{QStringLiteral("TAKEN")});
    QVERIFY(!QFileInfo::exists(Storage::siteDataPath(QStringLiteral("X1"))));
}

QTEST_GUILESS_MAIN(DemoCliTest)
#include "tst_democli.moc"
