#include "session/LoginWindow.h"

#include "common/EnterMovesFocus.h"
#include "common/Prompt.h"
#include "common/WindowPlacement.h"
#include "session/AppContext.h"
#include "session/MainMenu.h"
#include "session/PasswordWindow.h"
#include "session/SiteDirectory.h"
#include "session/SiteInfoWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dalvira {

namespace {
const QString kNoSite = QStringLiteral("..............................");
} // namespace

QString LoginWindow::unknownCodeQuestion()
{
    return QStringLiteral("Site Kodunu yalnış girdiniz!\n\rYeni site oluşturmak istermisiniz?");
}

QString LoginWindow::exitQuestion()
{
    return QStringLiteral("Programı kapatmak istediğinize eminmisiniz?");
}

LoginWindow::LoginWindow(AppContext &app, QWidget *parent) : QWidget(parent), m_app(app)
{
    setObjectName(AppContext::kLogin);
    setWindowTitle(QStringLiteral("Tolvek Dalvira ve İşletme Defteri Programı Giriş"));

    auto *heading = new QLabel(QStringLiteral("Dalvira"), this);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.8);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    auto *subHeading =
        new QLabel(QStringLiteral("Site / Apartman Yönetimi ve İşletme Defteri"), this);

    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("siteCode"));
    m_code->setMaxLength(20);
    m_code->installEventFilter(this);
    m_name = new QLabel(kNoSite, this);
    m_name->setObjectName(QStringLiteral("siteName"));
    QFont nameFont = m_name->font();
    nameFont.setBold(true);
    m_name->setFont(nameFont);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("password"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(16);

    auto *box = new QGroupBox(QStringLiteral("Site / Apartman Girişi"), this);
    auto *grid = new QGridLayout(box);
    auto addLabel = [&](const QString &text, int row) {
        auto *label = new QLabel(text, box);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, row, 0);
    };
    addLabel(QStringLiteral("Site Kodu"), 0);
    grid->addWidget(m_code, 0, 1);
    addLabel(QStringLiteral("Site Adı"), 1);
    grid->addWidget(m_name, 1, 1);
    addLabel(QStringLiteral("Şifre"), 2);
    grid->addWidget(m_password, 2, 1);
    grid->setColumnStretch(1, 1);

    auto makeButton = [this](const QString &text, const char *name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
        return b;
    };
    m_choose = makeButton(QStringLiteral("SİTE SEÇ"), "chooseSite");
    m_newSite = makeButton(QStringLiteral("YENİ SİTE EKLE"), "newSite");
    m_enter = makeButton(QStringLiteral("SİTE İŞLEMLERİNE GİR"), "enterSite");
    m_passwords = makeButton(QStringLiteral("ŞİFRE GİRİŞ"), "passwords");
    m_help = makeButton(QStringLiteral("YARDIM"), "help");
    m_choose->setEnabled(false); // until the site list is there

    auto *buttons = new QGridLayout;
    buttons->addWidget(m_choose, 0, 0);
    buttons->addWidget(m_newSite, 0, 1);
    buttons->addWidget(m_enter, 1, 0, 1, 2);
    buttons->addWidget(m_passwords, 2, 0);
    buttons->addWidget(m_help, 2, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(subHeading);
    layout->addSpacing(8);
    layout->addWidget(box);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(m_choose, &QPushButton::clicked, this, [this] {
        if (m_chooseSite)
            m_chooseSite();
    });
    connect(m_newSite, &QPushButton::clicked, this, &LoginWindow::newSite);
    connect(m_enter, &QPushButton::clicked, this, [this] { enterSite(); });
    connect(m_passwords, &QPushButton::clicked, this, &LoginWindow::openPasswords);
    connect(m_help, &QPushButton::clicked, this,
            [this] { m_app.showHelp(QStringLiteral("ygiris")); });

    installEnterMovesFocus(this);

    const Session::LastLogin last = Session::lastLogin();
    m_code->setText(last.code);
    m_name->setText(last.name.isEmpty() ? kNoSite : last.name);
    m_checkedCode = last.code;
}

void LoginWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    adjustSize();
    centreOnScreen(this);
}

void LoginWindow::setChooseSiteHandler(std::function<void()> handler)
{
    m_chooseSite = std::move(handler);
    m_choose->setEnabled(bool(m_chooseSite));
}

void LoginWindow::setSite(const QString &code, const QString &name)
{
    m_code->setText(code);
    m_name->setText(name.isEmpty() ? kNoSite : name);
    m_checkedCode = code;
}

bool LoginWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_code) {
        if (event->type() == QEvent::FocusOut)
            codeLeft();
        else if (event->type() == QEvent::MouseButtonDblClick && m_chooseSite)
            m_chooseSite();
    }
    return QWidget::eventFilter(watched, event);
}

void LoginWindow::codeLeft()
{
    // A closing window or a code already checked asks nothing again.
    if (m_closing || m_code->text() == m_checkedCode || m_code->text().isEmpty())
        return;
    checkSiteCode();
}

bool LoginWindow::checkSiteCode()
{
    const QString code = m_code->text();
    m_checkedCode = code;
    std::optional<SiteRecord> site;
    try {
        site = SiteDirectory(m_app.storage()).findByCode(code);
    } catch (const OperationError &e) {
        m_app.prompt().error(kCaption, e.message());
        return false;
    }
    if (site) {
        m_name->setText(site->name());
        if (auto *info = m_app.screens().screen<SiteInfoWindow>(AppContext::kSiteInfo))
            info->setCurrentCode(code);
        return true;
    }
    const Answer answer =
        m_app.prompt().question(kCaption, unknownCodeQuestion(), QuestionButtons::YesNoCancel);
    m_code->setFocus();
    if (answer == Answer::Yes) {
        if (auto *info = m_app.screens().screen<SiteInfoWindow>(AppContext::kSiteInfo))
            info->startNewSite(code);
    }
    return false;
}

void LoginWindow::wrongPassword(const QString &message, bool askExit)
{
    m_password->clear();
    if (askExit)
        close();
    m_app.prompt().error(kCaption, message);
}

bool LoginWindow::enterSite()
{
    Session &session = m_app.session();
    const Session::PasswordOutcome outcome = session.checkProgramPassword(m_password->text());
    if (outcome != Session::PasswordOutcome::Accepted) {
        wrongPassword(Session::wrongProgramPasswordMessage(),
                      outcome == Session::PasswordOutcome::WrongAskExit);
        return false;
    }
    const QString code = m_code->text();
    if (code.isEmpty()) {
        m_app.prompt().warning(kCaption, Session::emptyCodeMessage());
        return false;
    }
    if (!checkSiteCode())
        return false;

    // The working screens of the previous site go away first.
    auto *menu = m_app.screens().screen<MainMenu>(AppContext::kMainMenu);
    if (menu)
        menu->hideWorkingScreens();
    if (Result r = session.enterSite(code, m_name->text() == kNoSite ? QString() : m_name->text());
        !r) {
        m_app.prompt().error(kCaption, r.message());
        return false;
    }
    if (menu)
        menu->showForOpenSite();
    for (const auto &handler : m_app.siteEntered)
        handler();
    return true;
}

void LoginWindow::openPasswords()
{
    const Session::PasswordOutcome outcome =
        m_app.session().checkMasterPassword(m_password->text());
    if (outcome != Session::PasswordOutcome::Accepted) {
        wrongPassword(Session::wrongMasterPasswordMessage(),
                      outcome == Session::PasswordOutcome::WrongAskExit);
        return;
    }
    if (auto *passwords = m_app.screens().screen<PasswordWindow>(AppContext::kPasswords))
        passwords->open();
}

void LoginWindow::newSite()
{
    if (auto *info = m_app.screens().screen<SiteInfoWindow>(AppContext::kSiteInfo))
        info->showCurrent();
}

bool LoginWindow::requestClose()
{
    m_closing = true;
    const Answer answer =
        m_app.prompt().question(kProgramCaption, exitQuestion(), QuestionButtons::YesNoCancel);
    m_closing = false;
    if (answer != Answer::Yes)
        return false;
    m_app.storage().close();
    if (m_app.onProgramEnd)
        m_app.onProgramEnd();
    return true;
}

void LoginWindow::closeEvent(QCloseEvent *event)
{
    if (m_confirmedClose || requestClose()) {
        m_confirmedClose = true;
        event->accept();
        QApplication::closeAllWindows();
        QApplication::quit();
    } else {
        event->ignore();
    }
}

} // namespace dalvira
