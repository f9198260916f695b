// The login's rules and the site list: passwords, entering a site, creating, saving and
// deleting sites, on real files made from the templates.
#include "TestSupport.h"

#include "session/Passwords.h"
#include "session/Session.h"
#include "session/SiteDirectory.h"
#include "storage/Compaction.h"
#include "storage/IniFile.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"
#include "storage/Storage.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <memory>

using namespace dalvira;

class SessionTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::TempProgramFolder> m_folder;
    std::unique_ptr<Storage> m_storage;

    static SiteRecord site(const QString &code, const QString &name)
    {
        SiteRecord r;
        r.set("firma_kodu", code);
        r.set("firma_unvani_1", name);
        r.set("adres_sehir", QStringLiteral("İzmir"));
        r.set("faiz_aylik", 5.0);
        return r;
    }
    static int rowCount(const QSqlDatabase &db, const QString &table)
    {
        return scalar(db, QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<test::TempProgramFolder>();
        QVERIFY(m_folder->isValid());
        setProgramFolder(m_folder->path());
        m_storage = std::make_unique<Storage>();
        QVERIFY(m_storage->open());
    }
    void cleanup()
    {
        m_storage.reset();
        m_folder.reset();
    }

    void passwords_data()
    {
        QTest::addColumn<bool>("hasRow");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("entered");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("no row, empty entry") << false << QString() << QString() << true;
        QTest::newRow("no row, anything") << false << QString() << QStringLiteral("x") << true;
        QTest::newRow("empty stored, empty entry") << true << QString() << QString() << true;
        QTest::newRow("empty stored, typed") << true << QString() << QStringLiteral("a") << false;
        QTest::newRow("exact") << true << QStringLiteral("Şifre1") << QStringLiteral("Şifre1") << true;
        QTest::newRow("case counts") << true << QStringLiteral("Şifre1") << QStringLiteral("şifre1")
                                     << false;
        QTest::newRow("blank counts") << true << QStringLiteral("abc") << QStringLiteral("abc ")
                                      << false;
    }
    void passwords()
    {
        QFETCH(bool, hasRow);
        QFETCH(QString, stored);
        QFETCH(QString, entered);
        QFETCH(bool, accepted);
        if (hasRow)
            QVERIFY(savePasswords(m_storage->genel(), stored, stored));
        Session session(*m_storage);
        const auto expected =
            accepted ? Session::PasswordOutcome::Accepted : Session::PasswordOutcome::Wrong;
        QCOMPARE(session.checkProgramPassword(entered), expected);
        QCOMPARE(session.checkMasterPassword(entered), expected);
        QCOMPARE(session.wrongPasswordCount, accepted ? 0 : 2);
    }

    void fourthWrongPasswordAsksToExitEveryTime()
    {
        QVERIFY(savePasswords(m_storage->genel(), QStringLiteral("gizli"), QStringLiteral("usta")));
        Session session(*m_storage);
        QCOMPARE(session.checkProgramPassword(QStringLiteral("1")), Session::PasswordOutcome::Wrong);
        QCOMPARE(session.checkMasterPassword(QStringLiteral("2")), Session::PasswordOutcome::Wrong);
        QCOMPARE(session.checkProgramPassword(QStringLiteral("3")), Session::PasswordOutcome::Wrong);
        QCOMPARE(session.checkProgramPassword(QStringLiteral("gizli")),
                 Session::PasswordOutcome::Accepted);
        // Program and master entries count together and the count is never reset.
        QCOMPARE(session.checkMasterPassword(QStringLiteral("4")),
                 Session::PasswordOutcome::WrongAskExit);
        QCOMPARE(session.checkProgramPassword(QStringLiteral("5")),
                 Session::PasswordOutcome::WrongAskExit);
        QCOMPARE(session.wrongPasswordCount, 5);
    }

    void savingPasswordsChangesTheFirstRowOnly()
    {
        QVERIFY(savePasswords(m_storage->genel(), QStringLiteral("bir"), std::nullopt));
        QCOMPARE(storedMasterPassword(m_storage->genel()), std::nullopt);
        QVERIFY(savePasswords(m_storage->genel(), QStringLiteral("iki"), QStringLiteral("Ali'nin")));
        QVERIFY(savePasswords(m_storage->genel(), std::nullopt, QStringLiteral("üç")));
        QCOMPARE(rowCount(m_storage->genel(), QStringLiteral("sifre")), 1);
        QCOMPARE(rowCount(m_storage->genel(), QStringLiteral("master")), 1);
        QCOMPARE(storedProgramPassword(m_storage->genel()), QStringLiteral("iki"));
        QCOMPARE(storedMasterPassword(m_storage->genel()), QStringLiteral("üç"));
    }

    void createSiteRefusals_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty code") << QString() << QStringLiteral("Ad")
                                    << QStringLiteral("Site kodunu boş geçemezsiniz.");
        QTest::newRow("empty name") << QStringLiteral("A1") << QStringLiteral("  ")
                                    << QStringLiteral("Site adını boş geçemezsiniz.");
        QTest::newRow("not a file name") << QStringLiteral("A/B") << QStringLiteral("Ad")
                                         << QStringLiteral("Site kodu en çok 10 karakter");
        QTest::newRow("too long") << QStringLiteral("ABCDEFGHIJK") << QStringLiteral("Ad")
                                  << QStringLiteral("Site kodu en çok 10 karakter");
        QTest::newRow("file exists") << QStringLiteral("VAR") << QStringLiteral("Ad")
                                     << QStringLiteral("Bu isimde kayıtlı site mevcut!");
    }
    void createSiteRefusals()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(QString, message);
        // A data file restored from a backup but missing from the list.
        QVERIFY(QFile::copy(Storage::siteTemplatePath(), Storage::siteDataPath(QStringLiteral("VAR"))));
        const Result r = SiteDirectory(*m_storage).createSite(site(code, name));
        QVERIFY(!r);
        QVERIFY2(r.message().startsWith(message), qPrintable(r.message()));
        QCOMPARE(rowCount(m_storage->genel(), QStringLiteral("firmabilgi")), 0);
        // Nothing is left behind but the file that was there already.
        QCOMPARE(QDir(GetPathPath() + QStringLiteral("Data")).entryList(QDir::Files),
                 QStringList{QStringLiteral("VAR.mdb")});
    }

    void createSiteWithoutTemplate()
    {
        QVERIFY(QFile::remove(Storage::siteTemplatePath()));
        const Result r = SiteDirectory(*m_storage).createSite(site(QStringLiteral("A1"), QStringLiteral("Ad")));
        QCOMPARE(r.message(), QStringLiteral("Site oluşturulması için gerekli dosya bulunamadı!"));
        QVERIFY(!QFileInfo::exists(Storage::siteDataPath(QStringLiteral("A1"))));
    }

    void createSiteWritesListAndOwnRow()
    {
        SiteDirectory directory(*m_storage);
        QVERIFY(directory.createSite(site(QStringLiteral("K1"), QStringLiteral("Ahmet'in Sitesi"))));
        const auto listed = directory.findByCode(QStringLiteral("K1"));
        QVERIFY(listed);
        QCOMPARE(listed->name(), QStringLiteral("Ahmet'in Sitesi"));
        QCOMPARE(listed->text("adres_sehir"), QStringLiteral("İzmir"));

        QVERIFY(m_storage->selectSite(QStringLiteral("K1")));
        const auto own = SiteDirectory::ownRecord(m_storage->ana());
        QVERIFY(own);
        QCOMPARE(own->code(), QStringLiteral("K1"));
        QCOMPARE(own->name(), QStringLiteral("Ahmet'in Sitesi"));
        QCOMPARE(own->values.value(QStringLiteral("faiz_aylik")).toDouble(), 5.0);

        // A listed code whose file was lost gets a new file and keeps one list row.
        m_storage->leaveSite();
        QVERIFY(QFile::remove(Storage::siteDataPath(QStringLiteral("K1"))));
        QVERIFY(directory.createSite(site(QStringLiteral("K1"), QStringLiteral("Yeni Ad"))));
        QCOMPARE(rowCount(m_storage->genel(), QStringLiteral("firmabilgi")), 1);
        QCOMPARE(directory.findByCode(QStringLiteral("K1"))->name(), QStringLiteral("Yeni Ad"));
    }

    void enterSiteMakesCashFileOnceAndRemembersTheSite()
    {
        SiteDirectory directory(*m_storage);
        QVERIFY(directory.createSite(site(QStringLiteral("E1"), QStringLiteral("Çınar Apartmanı"))));
        const QString cash = Storage::siteCashPath(QStringLiteral("E1"));
        QVERIFY(!QFileInfo::exists(cash));

        Session session(*m_storage);
        QVERIFY(session.enterSite(QStringLiteral("E1")));
        QVERIFY(QFileInfo::exists(cash));
        QCOMPARE(session.siteCode, QStringLiteral("E1"));
        QCOMPARE(session.siteName, QStringLiteral("Çınar Apartmanı"));
        QCOMPARE(session.siteLabel, QStringLiteral("  E1 - Çınar Apartmanı"));
        insert(m_storage->kasa(), QStringLiteral("nakit"), {{QStringLiteral("aciklama"), QStringLiteral("iz")}});

        QVERIFY(session.enterSite(QStringLiteral("E1")));
        QCOMPARE(rowCount(m_storage->kasa(), QStringLiteral("nakit")), 1); // not copied again

        const Session::LastLogin last = Session::lastLogin();
        QCOMPARE(last.code, QStringLiteral("E1"));
        QCOMPARE(last.name, QStringLiteral("Çınar Apartmanı"));

        const Result missing = session.enterSite(QStringLiteral("YOK"));
        QCOMPARE(missing.message(),
                 QStringLiteral("Site koduna ait veritabanı bulunamadı. Site kodunu kontrol edin!"));
        QCOMPARE(m_storage->siteCode(), QStringLiteral("E1"));
        QCOMPARE(session.siteCode, QStringLiteral("E1"));
    }

    void savingTheOpenSiteAndAnotherSite()
    {
        SiteDirectory directory(*m_storage);
        QVERIFY(directory.createSite(site(QStringLiteral("ACIK"), QStringLiteral("Açık Site"))));
        QVERIFY(directory.createSite(site(QStringLiteral("DIGER"), QStringLiteral("Diğer Site"))));
        QVERIFY(m_storage->selectSite(QStringLiteral("ACIK")));

        // The open site: its own row follows through the main connection.
        SiteRecord open = *directory.findByCode(QStringLiteral("ACIK"));
        open.set("firma_unvani_1", QStringLiteral("Açık Site Yönetimi"));
        open.set("firma_kodu", QStringLiteral("DEGISMEZ")); // the code never changes
        QVERIFY(directory.saveSite(open));
        QCOMPARE(SiteDirectory::ownRecord(m_storage->ana())->name(),
                 QStringLiteral("Açık Site Yönetimi"));
        QCOMPARE(directory.findByKey(open.key)->code(), QStringLiteral("ACIK"));

        // Another site whose own file lost its row: the row is appended there, and the open
        // session stays on the open site.
        {
            Storage other(QStringLiteral("-other"));
            QVERIFY(other.open());
            QVERIFY(other.selectSite(QStringLiteral("DIGER")));
            exec(other.ana(), QStringLiteral("DELETE FROM firmabilgi"));
        }
        SiteRecord second = *directory.findByCode(QStringLiteral("DIGER"));
        second.set("bos3", QStringLiteral("TR00 0000"));
        QVERIFY(directory.saveSite(second));
        QCOMPARE(m_storage->siteCode(), QStringLiteral("ACIK"));
        QCOMPARE(SiteDirectory::ownRecord(m_storage->ana())->code(), QStringLiteral("ACIK"));
        QVERIFY(m_storage->selectSite(QStringLiteral("DIGER")));
        const auto own = SiteDirectory::ownRecord(m_storage->ana());
        QVERIFY(own);
        QCOMPARE(own->text("bos3"), QStringLiteral("TR00 0000"));
        QCOMPARE(rowCount(m_storage->ana(), QStringLiteral("firmabilgi")), 1);
    }

    void deletingSites()
    {
        SiteDirectory directory(*m_storage);
        QVERIFY(directory.createSite(site(QStringLiteral("SIL"), QStringLiteral("Silinecek"))));
        QVERIFY(directory.createSite(site(QStringLiteral("KAL"), QStringLiteral("Kalacak"))));
        Session session(*m_storage);
        QVERIFY(session.enterSite(QStringLiteral("SIL")));

        // Held by another program: refused, nothing changes.
        const QString dataPath = Storage::siteDataPath(QStringLiteral("SIL"));
        QProcess holder;
        holder.start(QStringLiteral("bash"),
                     {QStringLiteral("-c"), QStringLiteral("exec 3<\"$1\"; sleep 30"),
                      QStringLiteral("hold"), dataPath});
        QVERIFY(holder.waitForStarted());
        QTRY_VERIFY(!processesHoldingFile(dataPath).isEmpty());
        const qint64 key = directory.findByCode(QStringLiteral("SIL"))->key;
        QCOMPARE(directory.deleteSite(key, true).message(), QStringLiteral("Site Silinemiyor!!!"));
        QVERIFY(QFileInfo::exists(dataPath));
        QCOMPARE(m_storage->siteCode(), QStringLiteral("SIL"));
        holder.kill();
        holder.waitForFinished();

        // The open site: left first, then its files and its row go.
        const SiteDirectory::DeletionPlan plan = directory.planDeletion(key);
        QVERIFY(plan.dataFileExists && plan.cashFileExists && plan.isOpenSite && !plan.listRowOnly);
        QVERIFY(directory.deleteSite(key, true));
        QVERIFY(!QFileInfo::exists(dataPath));
        QVERIFY(!QFileInfo::exists(Storage::siteCashPath(QStringLiteral("SIL"))));
        QVERIFY(!directory.findByCode(QStringLiteral("SIL")));
        QVERIFY(m_storage->siteCode().isEmpty());
        QVERIFY(directory.findByCode(QStringLiteral("KAL")));

        // A row with blanks around its code touches no file.
        const qint64 oddKey = insert(m_storage->genel(), QStringLiteral("firmabilgi"),
                                     {{QStringLiteral("firma_kodu"), QStringLiteral(" KAL")}});
        QVERIFY(directory.planDeletion(oddKey).listRowOnly);
        QVERIFY(directory.deleteSite(oddKey, true));
        QVERIFY(QFileInfo::exists(Storage::siteDataPath(QStringLiteral("KAL"))));
        QVERIFY(directory.findByCode(QStringLiteral("KAL")));
    }
};

QTEST_GUILESS_MAIN(SessionTest)
#include "tst_session.moc"
