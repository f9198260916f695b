#include "TestSupport.h"
#include "backup/Backup.h"
#include "backup/BackupScreens.h"
#include "backup/BackupSettings.h"
#include "backup/SiteListWindow.h"
#include "backup/ZipArchive.h"
#include "common/ScriptedPrompt.h"
#include "maintenance/FlatCopy.h"
#include "maintenance/SiteMaintenance.h"
#include "session/AppContext.h"
#include "session/LoginWindow.h"
#include "session/MainMenu.h"
#include "session/SiteDirectory.h"
#include "storage/IniFile.h"
#include "storage/ProgramFolder.h"
#include "storage/ScopedConnection.h"
#include "storage/Sql.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace dalvira;
using namespace dalvira::test;

class SiteListWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listSortsByClickedColumn();
    void search_data();
    void search();
    void chooseSiteForLogin();
    void changeSiteCommand();
    void deleteSite_data();
    void deleteSite();
    void deletionCommands_data();
    void deletionCommands();
    void flatCopyCommand();
    void flatCopyClosedWithoutChoice();
    void automaticBackupPanel();
    void backupAndRestoreCommands();
    void programEndReportsMissingFolder();

private:
    SiteListWindow *list() { return m_app->screens().screen<SiteListWindow>(kSiteListScreen); }
    LoginWindow *login() { return m_app->screens().screen<LoginWindow>(AppContext::kLogin); }
    MainMenu *menu() { return m_app->screens().screen<MainMenu>(AppContext::kMainMenu); }
    QStringList codesShown();
    void selectCode(const QString &code);
    int flatCount(const QString &code);
    // Shortcuts of a window work while it is the active one.
    static void activate(QWidget *window);

    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<AppContext> m_app;
    QTemporaryDir m_out;
};

void SiteListWindowTest::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    QVERIFY(m_folder->isValid());
    setProgramFolder(m_folder->path());
    QVERIFY(QDir().mkpath(backup::backupFolder()));
    m_prompt = std::make_unique<ScriptedPrompt>();
    m_app = std::make_unique<AppContext>(m_prompt.get());
    QVERIFY(m_app->storage().open().ok());
    const QList<QPair<QString, QString>> sites = {
        {"S1", "Deneme Sitesi"}, {"S2", "Ağaç Evleri"}, {"S3", "Zeytin Apartmanı"}};
    for (const auto &[code, name] : sites) {
        SiteRecord site;
        site.set("firma_kodu", code);
        site.set("firma_unvani_1", name);
        QVERIFY(SiteDirectory(m_app->storage()).createSite(site).ok());
        QVERIFY(m_app->session().enterSite(code).ok()); // makes the cash file
    }
    QVERIFY(m_app->session().enterSite("S1").ok());
    m_app->registerSessionScreens();
    registerBackupScreens(*m_app);
}

void SiteListWindowTest::cleanup()
{
    const QString problems = m_prompt->problems();
    const int pending = m_prompt->pendingAnswers();
    m_app.reset();
    m_prompt.reset();
    m_folder.reset();
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
    QCOMPARE(pending, 0);
}

QStringList SiteListWindowTest::codesShown()
{
    QStringList codes;
    for (int r = 0; r < list()->model()->rowCount(); ++r)
        codes << list()->model()->item(r, 0)->text();
    return codes;
}

void SiteListWindowTest::selectCode(const QString &code)
{
    const int row = int(codesShown().indexOf(code));
    QVERIFY(row >= 0);
    list()->grid()->setCurrentIndex(list()->model()->index(row, 0));
}

int SiteListWindowTest::flatCount(const QString &code)
{
    ScopedConnection c;
    if (!c.open(Storage::siteDataPath(code)).ok())
        return -1;
    return scalar(c.database(), "SELECT count(*) FROM siciltablo").toInt();
}

void SiteListWindowTest::activate(QWidget *window)
{
    window->activateWindow();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

void SiteListWindowTest::listSortsByClickedColumn()
{
    list()->openForChoosing();
    QCOMPARE(list()->windowTitle(),
             QString("Tolvek Dalvira ve İşletme Defteri Programı  - Kayıtlı Site/Apartman "
                     "Listesi ve Yedekleme Ayarları"));
    QCOMPARE(list()->model()->headerData(0, Qt::Horizontal).toString(), QString("Site Kodu"));
    QCOMPARE(list()->model()->headerData(1, Qt::Horizontal).toString(),
             QString("Site/Apartman Adı"));
    QCOMPARE(codesShown(), QStringList({"S2", "S1", "S3"})); // Ağaç, Deneme, Zeytin
    QCOMPARE(list()->sortDirection(), QString());

    QTest::mouseClick(
        list()->grid()->horizontalHeader()->viewport(), Qt::LeftButton, {},
        QPoint(list()->grid()->horizontalHeader()->sectionViewportPosition(0) + 5, 5));
    QCOMPARE(list()->sortDirection(), QString("ASC"));
    QCOMPARE(codesShown(), QStringList({"S1", "S2", "S3"}));
    list()->sortBy(0);
    QCOMPARE(list()->sortDirection(), QString("DESC"));
    QCOMPARE(codesShown(), QStringList({"S3", "S2", "S1"}));
    list()->sortBy(1);
    QCOMPARE(list()->sortDirection(), QString("ASC"));
    QCOMPARE(codesShown(), QStringList({"S2", "S1", "S3"}));
}

void SiteListWindowTest::search_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found");
    // Rows by name: S2 Ağaç Evleri, S1 Deneme Sitesi, S3 Zeytin Apartmanı.
    QTest::newRow("upper-case dotted İ") << "S2"
                                         << "SİTESİ"
                                         << "S1";
    QTest::newRow("next after the current row") << "S2"
                                                << "e"
                                                << "S1";
    QTest::newRow("wraps from the last row") << "S3"
                                             << "ağaç"
                                             << "S2";
    QTest::newRow("dotless ı") << "S2"
                               << "APARTMANI"
                               << "S3";
    QTest::newRow("only the current row matches") << "S1"
                                                  << "deneme"
                                                  << "S1";
    QTest::newRow("nothing matches: stays") << "S3"
                                            << "yok böyle"
                                            << "S3";
}

void SiteListWindowTest::search()
{
    QFETCH(QString, from);
    QFETCH(QString, text);
    QFETCH(QString, found);
    list()->openForChoosing();
    selectCode(from);
    list()->searchField()->setText(text);
    QTest::mouseClick(list()->button("Ara"), Qt::LeftButton);
    QCOMPARE(list()->rows()[list()->currentRow()].code(), found);
}

void SiteListWindowTest::chooseSiteForLogin()
{
    login()->show();
    QVERIFY(login()->chooseButton()->isEnabled());
    QTest::mouseClick(login()->chooseButton(), Qt::LeftButton);
    QVERIFY(list()->isVisible());
    QCOMPARE(list()->mode(), SiteListWindow::Mode::ChooseSite);
    selectCode("S2");
    activate(list());
    QTest::keyClick(list()->grid(), Qt::Key_F2);
    QVERIFY(!list()->isVisible());
    QVERIFY(login()->isVisible());
    QCOMPARE(login()->codeField()->text(), QString("S2"));
    QCOMPARE(login()->nameLabel()->text(), QString("Ağaç Evleri"));
}

void SiteListWindowTest::changeSiteCommand()
{
    login()->hide();
    menu()->showForOpenSite();
    QVERIFY(menu()->isCommandEnabled("Site/Kasa Değiştir-Yedek Al"));
    QVERIFY(menu()->runCommand("Site/Kasa Değiştir-Yedek Al"));
    QVERIFY(list()->isVisible());
    QVERIFY(!menu()->isVisible());
    QVERIFY(!login()->isVisible()); // "H" while the menu hid
    QCOMPARE(menu()->showLoginOnHide, QString("E"));
    QTest::mouseClick(list()->button("KAPAT"), Qt::LeftButton);
    QVERIFY(!list()->isVisible());
    QVERIFY(login()->isVisible());
}

void SiteListWindowTest::deleteSite_data()
{
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("dataGone");
    QTest::addColumn<bool>("cashGone");
    using A = Answer;
    QTest::newRow("No to the first question") << QList<A>{A::No} << false << false;
    QTest::newRow("Yes to 'kesmek istermisiniz'") << QList<A>{A::Yes, A::Yes} << false << false;
    QTest::newRow("No to 'devam etmek'") << QList<A>{A::Yes, A::No, A::No} << false << false;
    QTest::newRow("deleted, cash file kept")
        << QList<A>{A::Yes, A::No, A::Yes, A::No} << true << false;
    QTest::newRow("deleted with its cash file")
        << QList<A>{A::Yes, A::No, A::Yes, A::Yes} << true << true;
}

void SiteListWindowTest::deleteSite()
{
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, dataGone);
    QFETCH(bool, cashGone);
    const QStringList questions = {"Site bilgileri silinecektir. Eminmisiniz?",
                                   "İşlemi kesmek istermisiniz?", "İşleme devam etmek",
                                   "S3TUMK.mdb) da silinsin mi?"};
    for (int i = 0; i < answers.size(); ++i)
        m_prompt->enqueue(answers[i], questions[i]);
    list()->openForChoosing();
    selectCode("S3");
    activate(list());
    QTest::keyClick(list()->grid(), Qt::Key_Delete, Qt::ControlModifier);

    QCOMPARE(!QFileInfo::exists(Storage::siteDataPath("S3")), dataGone);
    QCOMPARE(!QFileInfo::exists(Storage::siteCashPath("S3")), cashGone);
    QCOMPARE(codesShown().contains("S3"), !dataGone);
    if (dataGone) // the list's current row goes into the login
        QCOMPARE(login()->codeField()->text(), list()->rows()[list()->currentRow()].code());
}

void SiteListWindowTest::deletionCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("deleted");
    using A = Answer;
    QTest::newRow("H: Yes, No deletes") << "Tüm Kayıtları Sil" << QList<A>{A::Yes, A::No} << true;
    QTest::newRow("E: Yes, No deletes")
        << "Üyeler Dışındaki Har. Sil" << QList<A>{A::Yes, A::No} << true;
    QTest::newRow("H: Yes to the last warning cancels")
        << "Tüm Kayıtları Sil" << QList<A>{A::Yes, A::Yes} << false;
    QTest::newRow("E: Cancel to the first question")
        << "Üyeler Dışındaki Har. Sil" << QList<A>{A::Cancel} << false;
}

void SiteListWindowTest::deletionCommands()
{
    QFETCH(QString, command);
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, deleted);
    const auto mode = command == "Tüm Kayıtları Sil" ? maintenance::DeletionMode::All
                                                     : maintenance::DeletionMode::KeepFlats;
    QSqlDatabase ana = m_app->storage().ana();
    insert(ana, "siciltablo", {{"sicil_kodu", 1}});
    insert(ana, "sicilcarihar", {{"sicil_kodu", 1}, {"borc", 100.0}});
    insert(ana, "kasa.nakit", {{"borc_tutar", 100.0}});
    insert(ana, "gelirtur", {{"adi", "Aidat"}});
    m_prompt->enqueue(answers[0], maintenance::deletionQuestion(mode));
    if (answers.size() > 1)
        m_prompt->enqueue(answers[1], "SON UYARI");
    menu()->showForOpenSite();
    QVERIFY(menu()->runCommand(command));

    ana = m_app->storage().ana();
    QCOMPARE(scalar(ana, "SELECT count(*) FROM sicilcarihar").toInt(), deleted ? 0 : 1);
    QCOMPARE(scalar(ana, "SELECT count(*) FROM kasa.nakit").toInt(), deleted ? 0 : 1);
    QCOMPARE(scalar(ana, "SELECT count(*) FROM siciltablo").toInt(),
             deleted && mode == maintenance::DeletionMode::All ? 0 : 1);
    QCOMPARE(scalar(ana, "SELECT count(*) FROM gelirtur").toInt(), 1);
    if (deleted) {
        QCOMPARE(m_prompt->lastText(), maintenance::deletedMessage());
        QVERIFY(list()->isVisible()); // back to site selection
        QVERIFY(!menu()->isVisible());
    } else {
        QVERIFY(menu()->isVisible());
    }
}

void SiteListWindowTest::flatCopyCommand()
{
    for (int n = 1; n <= 3; ++n)
        insert(m_app->storage().ana(), "siciltablo", {{"sicil_kodu", n}, {"adi", "Ümit"}});
    {
        ScopedConnection c;
        QVERIFY(c.open(Storage::siteDataPath("S2")).ok());
        insert(c.database(), "siciltablo", {{"sicil_kodu", 2}});
    }
    menu()->showForOpenSite();
    m_prompt->enqueue(Answer::Yes, flatcopy::firstQuestion());
    QVERIFY(menu()->runCommand("Başka Siteye Üyeleri Aktar"));
    QVERIFY(list()->isVisible());
    QCOMPARE(list()->mode(), SiteListWindow::Mode::FlatCopy);

    m_prompt->enqueue(Answer::Yes, flatcopy::targetQuestion("S1", "S2"));
    selectCode("S2");
    const QPoint cell = list()->grid()->visualRect(list()->grid()->currentIndex()).center();
    QTest::mousePress(list()->grid()->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(list()->grid()->viewport(), Qt::LeftButton, {}, cell);
    QVERIFY(!list()->isVisible());
    QCOMPARE(list()->mode(), SiteListWindow::Mode::ChooseSite);
    QCOMPARE(flatCount("S2"), 3);
    const auto &shown = m_prompt->shown();
    QCOMPARE(shown.size(), 4);
    QCOMPARE(shown[2].text, flatcopy::duplicateMessage(2));
    QCOMPARE(shown[3].text, flatcopy::doneMessage());
}

void SiteListWindowTest::flatCopyClosedWithoutChoice()
{
    insert(m_app->storage().ana(), "siciltablo", {{"sicil_kodu", 1}});
    menu()->showForOpenSite();
    m_prompt->enqueue(Answer::Yes, flatcopy::firstQuestion());
    QVERIFY(menu()->runCommand("Başka Siteye Üyeleri Aktar"));
    activate(list());
    QTest::keyClick(list()->grid(), Qt::Key_F10);
    QVERIFY(!list()->isVisible());
    QCOMPARE(list()->mode(), SiteListWindow::Mode::ChooseSite);
    // Choosing afterwards is a plain choice for the login, no copy.
    list()->openForChoosing();
    selectCode("S2");
    list()->chooseCurrent();
    QCOMPARE(flatCount("S2"), 0);
    QCOMPARE(login()->codeField()->text(), QString("S2"));
}

void SiteListWindowTest::automaticBackupPanel()
{
    IniFile ini(BackupSettings::path());
    ini.setValue("OtoYedekler", "SonOtoYedek", "/mnt/yedek/");
    ini.setValue("OtoYedekler", "YedekGun", "7");
    ini.setValue("OtoYedekler", "YedekAl", "1");
    ini.setValue("OtoYedekler", "OtoGunluk", "2");
    ini.setValue("OtoYedekler", "TarihOtoGun", "3");
    ini.setValue("OtoYedekler", "TarihOtoAy", "2");
    ini.setValue("OtoYedekler", "TarihOtoYil", "2025");
    QVERIFY(ini.save().ok());

    SiteListWindow window(*m_app);
    QCOMPARE(window.autoFolderField()->text(), QString("/mnt/yedek/"));
    QCOMPARE(window.autoDaysField()->text(), QString("7"));
    QVERIFY(window.autoBackupBox()->isChecked());
    QVERIFY(!window.dailyBackupBox()->isChecked());
    QCOMPARE(window.lastBackupField()->text(), QString("03.02.2025"));
    QVERIFY(window.lastBackupField()->isReadOnly());

    // The days take up to three digits only.
    window.autoDaysField()->clear();
    QTest::keyClicks(window.autoDaysField(), "1a2b34");
    QCOMPARE(window.autoDaysField()->text(), QString("123"));

    QString offered;
    window.setFileDialogs({nullptr, nullptr, [&](const QString &folder) {
                               offered = folder;
                               return m_out.path();
                           }});
    window.dailyBackupBox()->setChecked(true);
    QTest::mouseClick(window.button("Otomatik Yedek Adresini Bul"), Qt::LeftButton);
    QCOMPARE(offered, QString("/mnt/yedek/"));
    QCOMPARE(window.autoFolderField()->text(), m_out.path() + "/");
    BackupSettings s = BackupSettings::load();
    QCOMPARE(s.autoFolder, m_out.path() + "/");
    QCOMPARE(s.autoDays, QString("123"));
    QVERIFY(s.autoEnabled);
    QVERIFY(s.dailyEnabled);

    window.autoBackupBox()->setChecked(false);
    QTest::mouseClick(window.button("Oto.Yed.Ayarlarını Sakla"), Qt::LeftButton);
    QVERIFY(ini.load());
    QCOMPARE(ini.value("OtoYedekler", "YedekAl"), QString("2"));
    QCOMPARE(ini.value("OtoYedekler", "OtoGunluk"), QString("1"));
}

void SiteListWindowTest::backupAndRestoreCommands()
{
    list()->openForChoosing();
    QString offeredName;
    QStringList opened;
    list()->setFileDialogs(
        {[&](const QString &, const QString &, const QString &filter, const QString &proposed) {
             offeredName = proposed;
             return m_out.filePath(filter.contains("ydk") ? "tek.ydk" : "tum.zip");
         },
         [&](const QString &title, const QString &, const QString &filter) {
             opened << title;
             return m_out.filePath(filter.contains("ydk") ? "tek.ydk" : "tum.zip");
         },
         nullptr});

    selectCode("S2");
    QTest::mouseClick(list()->button("Site Yedek Al"), Qt::LeftButton);
    QCOMPARE(offeredName, backup::singleSiteArchiveName("S2", QDate::currentDate()));
    QCOMPARE(m_prompt->lastText(), backup::singleSiteSuccessMessage("S2"));
    QStringList names;
    QVERIFY(verifyArchive(m_out.filePath("tek.ydk"), backup::kSiteArchivePassword, &names).ok());
    QCOMPARE(names, QStringList{"S2.mdb"});
    QCOMPARE(QDir(BackupSettings::load().lastSingleFolder), QDir(m_out.path()));

    activate(list());
    QTest::keyClick(list()->grid(), Qt::Key_T, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(offeredName, backup::allSitesArchiveName(QDate::currentDate()));
    QCOMPARE(m_prompt->lastText(), backup::allSitesSuccessMessage());
    QVERIFY(QFileInfo::exists(m_out.filePath("tum.zipGen")));

    // The single-site restore asks nothing and needs no password from the user.
    {
        ScopedConnection c;
        QVERIFY(c.open(Storage::siteDataPath("S2")).ok());
        insert(c.database(), "siciltablo", {{"sicil_kodu", 99}});
    }
    QCOMPARE(flatCount("S2"), 1);
    QTest::mouseClick(list()->button("Tek Site Geri Yükle"), Qt::LeftButton);
    QCOMPARE(opened.last(), QString("Tolvek Dalvira Yedek"));
    QCOMPARE(flatCount("S2"), 0);

    // No to the question: no dialog, nothing restored.
    m_prompt->enqueue(Answer::No, "Yedekten yükleme sonucu");
    const qsizetype dialogs = opened.size();
    QTest::mouseClick(list()->button("Tüm Siteleri Geri Yükle"), Qt::LeftButton);
    QCOMPARE(opened.size(), dialogs);
    m_prompt->enqueue(Answer::Yes, "Yedekten yükleme sonucu");
    QTest::mouseClick(list()->button("Tüm Siteleri Geri Yükle"), Qt::LeftButton);
    QCOMPARE(opened.last(), QString("Tolvek Yedek"));
    QVERIFY2(m_prompt->shown().last().kind == MessageKind::Information,
             qPrintable(m_prompt->lastText()));
    QCOMPARE(m_app->storage().siteCode(), QString("S1"));
    QCOMPARE(codesShown().size(), 3);
}

void SiteListWindowTest::programEndReportsMissingFolder()
{
    QVERIFY(BackupSettings::saveAutoSettings(m_folder->path() + "yok/", "1", true, false).ok());
    m_app->storage().close();
    runAutomaticBackups(*m_app);
    QCOMPARE(m_prompt->shown().size(), 1);
    QCOMPARE(m_prompt->lastText(), backup::automaticFolderMissingMessage());
}

QTEST_MAIN(SiteListWindowTest)
#include "tst_sitelistwindow.moc"
