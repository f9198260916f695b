// The login, the main menu, the site information and the password screens, driven like a user
// would, with scripted answers to the questions.
#include "TestSupport.h"

#include "common/AmountEdit.h"
#include "common/ScriptedPrompt.h"
#include "session/AppContext.h"
#include "session/LoginWindow.h"
#include "session/MainMenu.h"
#include "session/Passwords.h"
#include "session/PasswordWindow.h"
#include "session/SiteDirectory.h"
#include "session/SiteInfoWindow.h"
#include "storage/IniFile.h"
#include "storage/ProgramFolder.h"
#include "storage/Storage.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

using namespace dalvira;

namespace {

// QTest::keyClicks cannot type Turkish letters.
void typeText(QWidget *w, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QString iniValue(const QString &section, const QString &key)
{
    IniFile ini(GetPathPath() + QStringLiteral("SiteAyar.ini"));
    ini.load();
    return ini.value(section, key);
}

} // namespace

class LoginTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::TempProgramFolder> m_folder;
    ScriptedPrompt m_prompt;

    std::unique_ptr<AppContext> start()
    {
        auto app = std::make_unique<AppContext>(&m_prompt);
        if (!app->storage().open())
            return nullptr;
        app->registerSessionScreens();
        app->screens().createAll();
        return app;
    }
    static LoginWindow *login(AppContext &app)
    {
        return app.screens().screen<LoginWindow>(AppContext::kLogin);
    }
    static MainMenu *menu(AppContext &app)
    {
        return app.screens().screen<MainMenu>(AppContext::kMainMenu);
    }
    static SiteInfoWindow *siteInfo(AppContext &app)
    {
        return app.screens().screen<SiteInfoWindow>(AppContext::kSiteInfo);
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<test::TempProgramFolder>();
        QVERIFY(m_folder->isValid());
        setProgramFolder(m_folder->path());
        m_prompt.clear();
    }
    void cleanup()
    {
        QVERIFY2(!m_prompt.unexpected(), qPrintable(m_prompt.problems()));
        m_folder.reset();
    }

    void firstStartToMainMenuAndBack()
    {
        {
            auto app = start();
            QVERIFY(app);
            QVERIFY(savePasswords(app->storage().genel(), QStringLiteral("Gizli1"), std::nullopt));
            LoginWindow *w = login(*app);
            w->show();
            QVERIFY(!w->chooseButton()->isEnabled());

            // Three wrong passwords: each clears the field, counts, and says so.
            typeText(w->codeField(), QStringLiteral("YENI1"));
            for (int i = 1; i <= 3; ++i) {
                typeText(w->passwordField(), QStringLiteral("yanlış"));
                QVERIFY(!w->enterSite());
                QVERIFY(w->passwordField()->text().isEmpty());
                QCOMPARE(app->session().wrongPasswordCount, i);
                QCOMPARE(m_prompt.shown().last().text,
                         QStringLiteral("Şifreyi yalnış girdiniz!\n\rŞifre belirlemediyseniz boş geçin!"));
                QCOMPARE(m_prompt.shown().last().caption, QStringLiteral("Tolvek Dalvira"));
            }

            // The right password with an unknown code: make a new site.
            typeText(w->passwordField(), QStringLiteral("Gizli1"));
            m_prompt.enqueue(Answer::Yes, QStringLiteral("Site Kodunu yalnış girdiniz!"));
            QVERIFY(!w->enterSite());
            SiteInfoWindow *info = siteInfo(*app);
            QVERIFY(info->isVisible());
            QCOMPARE(info->state(), SiteInfoWindow::State::Insert);
            QCOMPARE(info->field(QStringLiteral("firma_kodu"))->text(), QStringLiteral("YENI1"));
            QVERIFY(!info->field(QStringLiteral("firma_kodu"))->isReadOnly());
            typeText(info->field(QStringLiteral("firma_unvani_1")), QStringLiteral("Güneşli Bahçe Sitesi"));
            typeText(info->field(QStringLiteral("adres_sehir")), QStringLiteral("İstanbul"));
            m_prompt.enqueue(Answer::Yes, SiteInfoWindow::saveQuestion());
            QVERIFY(info->save());
            QCOMPARE(info->state(), SiteInfoWindow::State::Browse);
            QVERIFY(info->field(QStringLiteral("firma_kodu"))->isReadOnly());
            QVERIFY(QFile::exists(Storage::siteDataPath(QStringLiteral("YENI1"))));
            QCOMPARE(w->nameLabel()->text(), QStringLiteral("Güneşli Bahçe Sitesi"));
            info->hide();

            // Now the site is entered and the main menu shows it (the password is still typed).
            QCOMPARE(w->passwordField()->text(), QStringLiteral("Gizli1"));
            QVERIFY(w->enterSite());
            MainMenu *m = menu(*app);
            QVERIFY(m->isVisible());
            QCOMPARE(m->codeLabel()->text(), QStringLiteral("YENI1"));
            QCOMPARE(m->nameLabel()->text(), QStringLiteral("Güneşli Bahçe Sitesi"));
            QCOMPARE(m->siteStatus()->text(), QStringLiteral("  YENI1 - Güneşli Bahçe Sitesi"));
            QCOMPARE(app->session().siteCode, QStringLiteral("YENI1"));
            QVERIFY(QFile::exists(Storage::siteCashPath(QStringLiteral("YENI1"))));
            QCOMPARE(iniValue(QStringLiteral("Giris"), QStringLiteral("Kodu")), QStringLiteral("YENI1"));
            QCOMPARE(iniValue(QStringLiteral("Giris"), QStringLiteral("Adi")),
                     QStringLiteral("Güneşli Bahçe Sitesi"));

            // Hiding the menu brings the login back.
            w->hide();
            m->hide();
            QVERIFY(w->isVisible());
        }
        // The next start shows the last site.
        auto again = start();
        QVERIFY(again);
        QCOMPARE(login(*again)->codeField()->text(), QStringLiteral("YENI1"));
        QCOMPARE(login(*again)->nameLabel()->text(), QStringLiteral("Güneşli Bahçe Sitesi"));
    }

    void masterPasswordGuardsThePasswordScreen()
    {
        auto app = start();
        QVERIFY(app);
        LoginWindow *w = login(*app);
        auto *passwords = app->screens().screen<PasswordWindow>(AppContext::kPasswords);

        // No master password yet: the screen opens; the first SAKLA makes the rows.
        w->openPasswords();
        QVERIFY(passwords->isVisible());
        typeText(passwords->programField(), QStringLiteral("Giriş"));
        typeText(passwords->masterField(), QStringLiteral("Usta"));
        QVERIFY(passwords->store());
        passwords->hide();
        QCOMPARE(storedProgramPassword(app->storage().genel()), QStringLiteral("Giriş"));
        QCOMPARE(storedMasterPassword(app->storage().genel()), QStringLiteral("Usta"));

        // Typing without SAKLA is thrown away when the screen goes.
        w->passwordField()->setText(QStringLiteral("Usta"));
        w->openPasswords();
        passwords->programField()->clear();
        typeText(passwords->programField(), QStringLiteral("unutulacak"));
        passwords->hide();
        QCOMPARE(storedProgramPassword(app->storage().genel()), QStringLiteral("Giriş"));
        QCOMPARE(passwords->programField()->text(), QStringLiteral("Giriş"));

        // Wrong master passwords: three messages, the fourth asks to close the program.
        for (int i = 0; i < 3; ++i) {
            w->passwordField()->setText(QStringLiteral("usta"));
            w->openPasswords();
            QCOMPARE(m_prompt.shown().last().text,
                     QStringLiteral("Master şifreyi yalnış girdiniz!\n\rMaster şifre belirlemediyseniz boş geçin!"));
        }
        w->show();
        m_prompt.enqueue(Answer::No, LoginWindow::exitQuestion());
        w->passwordField()->setText(QStringLiteral("usta"));
        w->openPasswords();
        QCOMPARE(m_prompt.pendingAnswers(), 0);
        QVERIFY(w->isVisible()); // No keeps the program running
        QCOMPARE(app->session().wrongPasswordCount, 4);

        // The stored program password now lets the user in.
        SiteRecord site;
        site.set("firma_kodu", QStringLiteral("S1"));
        site.set("firma_unvani_1", QStringLiteral("Deneme"));
        QVERIFY(SiteDirectory(app->storage()).createSite(site));
        w->setSite(QStringLiteral("S1"), QStringLiteral("Deneme"));
        w->passwordField()->setText(QStringLiteral("Giriş"));
        QVERIFY(w->enterSite());
    }

    void largeButtonsToggleIsStored()
    {
        auto app = start();
        QVERIFY(app);
        MainMenu *m = menu(*app);
        QCOMPARE(m->buttonPanelState(), 2);
        QCOMPARE(m->toggleButton()->text(), QStringLiteral("TUŞLARI GÖSTER"));
        QVERIFY(m->buttonPanel()->isHidden());
        m->toggleButtonPanel();
        QCOMPARE(iniValue(QStringLiteral("Anamenu"), QStringLiteral("Tuslar")), QStringLiteral("1"));
        QCOMPARE(m->toggleButton()->text(), QStringLiteral("TUŞLARI GİZLE"));
        QVERIFY(!m->buttonPanel()->isHidden());
        m->toggleButtonPanel();
        QCOMPARE(iniValue(QStringLiteral("Anamenu"), QStringLiteral("Tuslar")), QStringLiteral("2"));
        m->toggleButtonPanel();
        app.reset();
        auto again = start();
        QCOMPARE(menu(*again)->buttonPanelState(), 1);
        QCOMPARE(menu(*again)->toggleButton()->text(), QStringLiteral("TUŞLARI GİZLE"));
    }

    void menuGroupsAndCommands()
    {
        auto app = start();
        QVERIFY(app);
        MainMenu *m = menu(*app);
        QCOMPARE(m->menuTree()->topLevelItemCount(), 5);
        QVERIFY(m->groupItem(QStringLiteral("Genel İşlemler"))->isExpanded());
        QVERIFY(m->groupItem(QStringLiteral("Ek İşlemler"))->isExpanded());
        QVERIFY(!m->groupItem(QStringLiteral("Veri Aktarım İşlemleri"))->isExpanded());
        QVERIFY(!m->groupItem(QStringLiteral("Diğer İşlemler"))->isExpanded());
        m->groupItem(QStringLiteral("Diğer İşlemler"))->setExpanded(true);
        QVERIFY(!m->groupItem(QStringLiteral("Ek İşlemler"))->isExpanded());
        QVERIFY(!m->groupItem(QStringLiteral("Veri Aktarım İşlemleri"))->isExpanded());
        m->groupItem(QStringLiteral("Diğer İşlemler"))->setExpanded(false);
        QVERIFY(m->groupItem(QStringLiteral("Ek İşlemler"))->isExpanded());
        QVERIFY(m->groupItem(QStringLiteral("Veri Aktarım İşlemleri"))->isExpanded());

        // Commands without their screen are disabled; registering one enables it.
        QVERIFY(!m->isCommandEnabled(QStringLiteral("Gelir Girişleri")));
        QVERIFY(!m->bigButton(QStringLiteral("Gelir Girişleri"))->isEnabled());
        QVERIFY(m->isCommandEnabled(QStringLiteral("Site Bilgileri Girişi")));
        int runs = 0;
        app->setMenuCommand(QStringLiteral("Gelir Girişleri"), [&runs] { ++runs; });
        QVERIFY(m->bigButton(QStringLiteral("Gelir Girişleri"))->isEnabled());
        m->bigButton(QStringLiteral("Gelir Girişleri"))->click();
        QCOMPARE(runs, 1);

        m_prompt.enqueue(Answer::No, MainMenu::updateQuestion());
        m->updateProgram();
        QCOMPARE(m_prompt.shown().size(), 1);
    }

    // Pictures of the screens as a user sees them, written where DALVIRA_SCREENSHOTS points.
    void screensRenderCompletely()
    {
        auto app = start();
        QVERIFY(app);
        SiteRecord site;
        site.set("firma_kodu", QStringLiteral("GOR"));
        site.set("firma_unvani_1", QStringLiteral("Işıklar Sitesi Yönetimi"));
        site.set("telefon1_no", QStringLiteral("(232) 444 55 66"));
        QVERIFY(SiteDirectory(app->storage()).createSite(site));
        LoginWindow *w = login(*app);
        w->setSite(QStringLiteral("GOR"), QStringLiteral("Işıklar Sitesi Yönetimi"));
        w->show();
        QVERIFY(w->enterSite());
        MainMenu *m = menu(*app);
        m->toggleButtonPanel();
        m->resize(1366, 740);
        SiteInfoWindow *info = siteInfo(*app);
        info->showCurrent();
        const QString folder = qEnvironmentVariable("DALVIRA_SCREENSHOTS");
        for (QWidget *screen : {static_cast<QWidget *>(w), static_cast<QWidget *>(m),
                                static_cast<QWidget *>(info)}) {
            const QImage shot = screen->grab().toImage();
            QVERIFY(!shot.isNull());
            // Every field fits: no widget reaches past the window's edge.
            for (QWidget *child : screen->findChildren<QWidget *>()) {
                if (child->isVisible() && child->isWindow() == false)
                    QVERIFY2(screen->rect().contains(child->mapTo(screen, child->rect().bottomRight())),
                             qPrintable(child->objectName()));
            }
            if (!folder.isEmpty())
                shot.save(folder + QLatin1Char('/') + screen->objectName() + QStringLiteral(".png"));
        }
        m->toggleButtonPanel();
    }

    void editingTheOpenSiteUpdatesTheSession()
    {
        auto app = start();
        QVERIFY(app);
        SiteDirectory directory(app->storage());
        SiteRecord site;
        site.set("firma_kodu", QStringLiteral("A1"));
        site.set("firma_unvani_1", QStringLiteral("Eski Ad"));
        QVERIFY(directory.createSite(site));
        LoginWindow *w = login(*app);
        w->setSite(QStringLiteral("A1"), QStringLiteral("Eski Ad"));
        QVERIFY(w->enterSite());

        SiteInfoWindow *info = siteInfo(*app);
        QVERIFY(menu(*app)->runCommand(QStringLiteral("Site Bilgileri Girişi")));
        QVERIFY(info->isVisible());
        QCOMPARE(info->field(QStringLiteral("firma_kodu"))->text(), QStringLiteral("A1"));
        QLineEdit *name = info->field(QStringLiteral("firma_unvani_1"));
        name->selectAll();
        typeText(name, QStringLiteral("Yeni Çamlık"));
        QCOMPARE(info->state(), SiteInfoWindow::State::Edit);

        // VAZGEÇ with No keeps the edit; closing with No keeps the screen.
        m_prompt.enqueue(Answer::No, SiteInfoWindow::cancelQuestion());
        info->cancel();
        QCOMPARE(name->text(), QStringLiteral("Yeni Çamlık"));
        m_prompt.enqueue(Answer::No, SiteInfoWindow::closeQuestion());
        QVERIFY(!info->requestClose());

        m_prompt.enqueue(Answer::Yes, SiteInfoWindow::saveQuestion());
        QVERIFY(info->save());
        QCOMPARE(menu(*app)->nameLabel()->text(), QStringLiteral("Yeni Çamlık"));
        QCOMPARE(menu(*app)->siteStatus()->text(), QStringLiteral("  A1 - Yeni Çamlık"));
        QCOMPARE(app->session().siteLabel, QStringLiteral("  A1 - Yeni Çamlık"));
        QCOMPARE(SiteDirectory::ownRecord(app->storage().ana())->name(), QStringLiteral("Yeni Çamlık"));

        // A new site whose data file exists already is refused, and the row stays pending.
        QVERIFY(QFile::copy(Storage::siteTemplatePath(), Storage::siteDataPath(QStringLiteral("B2"))));
        info->newRecord();
        typeText(info->field(QStringLiteral("firma_kodu")), QStringLiteral("B2-x"));
        QCOMPARE(info->field(QStringLiteral("firma_kodu"))->text(), QStringLiteral("B2x"));
        info->field(QStringLiteral("firma_kodu"))->setText(QStringLiteral("B2"));
        typeText(info->field(QStringLiteral("firma_unvani_1")), QStringLiteral("İkinci"));
        m_prompt.enqueue(Answer::Yes, SiteInfoWindow::saveQuestion());
        QVERIFY(!info->save());
        QVERIFY(m_prompt.lastText().startsWith(QStringLiteral("Bu isimde kayıtlı site mevcut!")));
        QCOMPARE(info->state(), SiteInfoWindow::State::Insert);
        m_prompt.enqueue(Answer::Yes, SiteInfoWindow::cancelQuestion());
        info->cancel();
        QCOMPARE(info->field(QStringLiteral("firma_kodu"))->text(), QStringLiteral("A1"));
    }
};

QTEST_MAIN(LoginTest)
#include "tst_login.moc"
