#pragma once

#include <QHash>
#include <QMainWindow>

#include <functional>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace dalvira {

class AppContext;

// The main menu "anaformF": the open site's code and name, every command of the program in
// five collapsible groups, and optionally the large buttons. A command whose screen is not
// there yet is shown disabled; subsystems enable theirs with setCommand.
class MainMenu : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainMenu(AppContext &app, QWidget *parent = nullptr);

    struct Item
    {
        const char *group;
        const char *caption;
        const char *bigButton; // nullptr when the command has no large button
    };
    static const QList<Item> &items();
    static const QStringList &groups();

    // Enables a command (its menu item and large button) with what it runs.
    void setCommand(const QString &caption, std::function<void()> handler);
    bool isCommandEnabled(const QString &caption) const;
    // Runs a command as a click on its item would.
    bool runCommand(const QString &caption);

    // Shows the menu for the site just entered (labels from the session), maximised.
    void showForOpenSite();
    // New code and name in "Site Kodu", "Site Adı" and the status bar.
    void setSiteLabels(const QString &code, const QString &name);
    // Hides the screens opened from the menu (entering another site).
    void hideWorkingScreens();
    // Screens opened through the menu, so a change of site can hide them.
    void addWorkingScreen(const QString &name);

    // "TUŞLARI GÖSTER" / "TUŞLARI GİZLE"; the state is stored in "SiteAyar.ini" [Anamenu] Tuslar.
    void toggleButtonPanel();
    int buttonPanelState() const { return m_buttonPanelState; }
    QString showLoginOnHide = QStringLiteral("E");

    QTreeWidget *menuTree() const { return m_tree; }
    QPushButton *toggleButton() const { return m_toggle; }
    QWidget *buttonPanel() const { return m_buttonPanel; }
    QLabel *codeLabel() const { return m_codeValue; }
    QLabel *nameLabel() const { return m_nameValue; }
    QLabel *siteStatus() const { return m_siteStatus; }
    QPushButton *bigButton(const QString &caption) const { return m_bigButtons.value(caption); }
    QTreeWidgetItem *groupItem(const QString &group) const;

    void updateProgram(); // "PROGRAMI GÜNCELLE"
    static QString updateQuestion();
    static QString noInternetMessage();
    static QString versionText();

protected:
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    void applyButtonPanelState();
    void groupExpanded(QTreeWidgetItem *item, bool expanded);

    AppContext &m_app;
    QTreeWidget *m_tree;
    QWidget *m_buttonPanel;
    QPushButton *m_toggle;
    QLabel *m_codeValue;
    QLabel *m_nameValue;
    QLabel *m_siteStatus;
    QHash<QString, QTreeWidgetItem *> m_items;
    QHash<QString, QPushButton *> m_bigButtons;
    QHash<QString, std::function<void()>> m_commands;
    QStringList m_workingScreens;
    int m_buttonPanelState = 2;
    bool m_adjustingGroups = false;
};

} // namespace dalvira
