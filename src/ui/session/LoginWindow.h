#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dalvira {

class AppContext;

// The login screen "girisF": the main window of the whole run. It checks the program
// password, finds or creates the site whose code is typed, and enters it.
class LoginWindow : public QWidget
{
    Q_OBJECT
public:
    explicit LoginWindow(AppContext &app, QWidget *parent = nullptr);

    // "SİTE İŞLEMLERİNE GİR"; also used by the site list and the site information screen.
    bool enterSite();
    // Looks the typed code up in the site list; an unknown code asks whether to make a new
    // site. True when the code is listed.
    bool checkSiteCode();
    void openPasswords(); // "ŞİFRE GİRİŞ"
    void newSite();       // "YENİ SİTE EKLE"
    // Puts a site into the code field and the name label (site list choice, deletion).
    void setSite(const QString &code, const QString &name);
    // Ends the program after the exit question; false when the user stays.
    bool requestClose();

    QLineEdit *codeField() const { return m_code; }
    QLineEdit *passwordField() const { return m_password; }
    QLabel *nameLabel() const { return m_name; }
    QPushButton *chooseButton() const { return m_choose; }
    QPushButton *newSiteButton() const { return m_newSite; }
    QPushButton *enterButton() const { return m_enter; }
    QPushButton *passwordButton() const { return m_passwords; }
    QPushButton *helpButton() const { return m_help; }

    // "SİTE SEÇ" opens the site list once it exists.
    void setChooseSiteHandler(std::function<void()> handler);

    static QString unknownCodeQuestion();
    static QString exitQuestion();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void codeLeft();
    void wrongPassword(const QString &message, bool askExit);

    AppContext &m_app;
    QLineEdit *m_code;
    QLabel *m_name;
    QLineEdit *m_password;
    QPushButton *m_choose;
    QPushButton *m_newSite;
    QPushButton *m_enter;
    QPushButton *m_passwords;
    QPushButton *m_help;
    QString m_checkedCode;
    std::function<void()> m_chooseSite;
    bool m_closing = false;
    bool m_centred = false;
    bool m_confirmedClose = false;
};

} // namespace dalvira
