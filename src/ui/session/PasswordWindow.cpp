#include "session/PasswordWindow.h"

#include "common/EnterMovesFocus.h"
#include "common/Prompt.h"
#include "common/WindowPlacement.h"
#include "session/AppContext.h"
#include "session/Passwords.h"

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dalvira {

PasswordWindow::PasswordWindow(AppContext &app, QWidget *parent) : QWidget(parent), m_app(app)
{
    setObjectName(AppContext::kPasswords);
    setWindowTitle(QStringLiteral("Tolvek Site/Apartman Şifre Girişi"));
    m_program = new QLineEdit(this);
    m_program->setObjectName(QStringLiteral("programPassword"));
    m_master = new QLineEdit(this);
    m_master->setObjectName(QStringLiteral("masterPassword"));
    for (QLineEdit *f : {m_program, m_master}) {
        f->setMaxLength(16);
        f->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    }
    auto *grid = new QGridLayout;
    auto label = [this](const QString &text) {
        auto *l = new QLabel(text, this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    grid->addWidget(label(QStringLiteral("Program Giriş Şifresi")), 0, 0);
    grid->addWidget(m_program, 0, 1);
    grid->addWidget(label(QStringLiteral("Program Master Şifresi")), 1, 0);
    grid->addWidget(m_master, 1, 1);
    auto *note = new QLabel(QStringLiteral("Master şifreyi değiştirdiyseniz unutmayınız! Aksi "
                                           "Halde bilgileriniz bloke olacaktır."),
                            this);
    note->setWordWrap(true);
    m_store = new QPushButton(QStringLiteral("SAKLA"), this);
    m_store->setAutoDefault(false);
    m_store->setMinimumHeight(30);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addWidget(m_store, 0, Qt::AlignRight);
    connect(m_program, &QLineEdit::textEdited, this, [this] { m_programChanged = true; });
    connect(m_master, &QLineEdit::textEdited, this, [this] { m_masterChanged = true; });
    connect(m_store, &QPushButton::clicked, this, [this] { store(); });
    installEnterMovesFocus(this);
    setMinimumWidth(420);
}

Result PasswordWindow::discard()
{
    m_programChanged = m_masterChanged = false;
    if (!m_app.storage().genel().isOpen())
        return Result::success();
    try {
        m_program->setText(storedProgramPassword(m_app.storage().genel()).value_or(QString()));
        m_master->setText(storedMasterPassword(m_app.storage().genel()).value_or(QString()));
    } catch (const OperationError &e) {
        return Result::failure(e.message());
    }
    return Result::success();
}

void PasswordWindow::open()
{
    if (Result r = discard(); !r) {
        m_app.prompt().error(kCaption, r.message());
        return;
    }
    show();
    centreOnScreen(this);
    raise();
    activateWindow();
}

bool PasswordWindow::store()
{
    if (!m_programChanged && !m_masterChanged)
        return true;
    const Result r =
        savePasswords(m_app.storage().genel(),
                      m_programChanged ? std::optional<QString>(m_program->text()) : std::nullopt,
                      m_masterChanged ? std::optional<QString>(m_master->text()) : std::nullopt);
    if (!r) {
        m_app.prompt().error(kCaption, r.message());
        return false;
    }
    m_programChanged = m_masterChanged = false;
    return true;
}

void PasswordWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    discard();
}

void PasswordWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Typing is thrown away when the user turns to another window, not to our own message.
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow() &&
        !QApplication::activeModalWidget())
        discard();
}

} // namespace dalvira
