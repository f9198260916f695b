#pragma once

#include "common/Result.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace dalvira {

class AppContext;

// The password screen "sifreF": the program password and the master password.
class PasswordWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PasswordWindow(AppContext &app, QWidget *parent = nullptr);

    // Shows the stored passwords, centred.
    void open();
    // "SAKLA": stores whichever of the two was changed.
    bool store();
    // Throws away what was typed and not stored: the stored passwords again.
    Result discard();

    QLineEdit *programField() const { return m_program; }
    QLineEdit *masterField() const { return m_master; }
    QPushButton *storeButton() const { return m_store; }

protected:
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    AppContext &m_app;
    QLineEdit *m_program;
    QLineEdit *m_master;
    QPushButton *m_store;
    bool m_programChanged = false;
    bool m_masterChanged = false;
};

} // namespace dalvira
