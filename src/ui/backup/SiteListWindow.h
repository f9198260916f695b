#pragma once

#include "backup/SiteList.h"
#include "session/SiteRecord.h"

#include <QList>
#include <QWidget>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTableView;

namespace dalvira {

class AppContext;
class Result;

// The site list "girisRF": every site of the installation, to choose one for the login or as
// the target of the flat copy, to delete one, and the backups and restores with the settings
// of the automatic backups.
class SiteListWindow : public QWidget
{
    Q_OBJECT
public:
    enum class Mode { ChooseSite, FlatCopy };

    // The file dialogs, replaceable for tests: each returns the chosen path, empty on Cancel.
    struct FileDialogs
    {
        std::function<QString(const QString &title, const QString &folder, const QString &filter,
                              const QString &proposedName)>
            save;
        std::function<QString(const QString &title, const QString &folder, const QString &filter)>
            open;
        std::function<QString(const QString &folder)> folder;
    };

    explicit SiteListWindow(AppContext &app, QWidget *parent = nullptr);

    // Site-choosing mode: the list by name, ascending, shown centred.
    void openForChoosing();
    // Flat-copy mode: choosing a site calls chosen with its code; closing without a choice
    // ends the copy.
    void openForFlatCopy(std::function<void(const QString &code)> chosen);
    Mode mode() const { return m_mode; }

    void reload();
    void chooseCurrent();        // "Siteyi Seç", "Seç", double click
    void deleteCurrent();        // "Seçili Siteyi Sil", "Siteyi Sil"
    void search();               // "Ara"
    void sortBy(int column);     // a click on a column title
    void backupCurrentSite();    // "Site Yedek Al", "Sitenin Yedeğini Al"
    void backupAllSites();       // "Tüm Sitelerin Yedeğini Al"
    void chooseAutoFolder();     // "Otomatik Yedek Adresini Bul"
    void saveAutoSettings();     // "Oto.Yed.Ayarlarını Sakla"
    void restoreAllSites();      // "Tüm Siteleri Geri Yükle"
    void restoreFromAutomatic(); // "Otomatik Yedeklemeden Geri Yükle"
    void restoreSingleSite();    // "Tek Site Geri Yükle"

    void setFileDialogs(FileDialogs dialogs) { m_dialogs = std::move(dialogs); }

    QTableView *grid() const { return m_grid; }
    QStandardItemModel *model() const { return m_model; }
    QLineEdit *searchField() const { return m_search; }
    QCheckBox *autoBackupBox() const { return m_autoBackup; }
    QLineEdit *autoFolderField() const { return m_autoFolder; }
    QLineEdit *autoDaysField() const { return m_autoDays; }
    QLineEdit *lastBackupField() const { return m_lastBackup; }
    QCheckBox *dailyBackupBox() const { return m_daily; }
    QPushButton *button(const QString &caption) const;
    // The row of the grid's current index, or -1.
    int currentRow() const;
    const QList<SiteRecord> &rows() const { return m_rows; }
    QString sortDirection() const { return m_direction; } // "", "ASC", "DESC"

    static QString deleteQuestion();
    static QString cashFileQuestion(const QString &code);

protected:
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildGrid();
    void loadSettings();
    void showCentred();
    void fillModel(qint64 keepKey);
    QString offeredFolder(const QString &remembered) const;
    void showResult(const Result &result, const QString &success);

    AppContext &m_app;
    Mode m_mode = Mode::ChooseSite;
    std::function<void(const QString &)> m_flatCopyChosen;
    QList<SiteRecord> m_rows;
    sitelist::Column m_sortColumn = sitelist::Column::Name;
    QString m_direction;
    FileDialogs m_dialogs;

    QTableView *m_grid;
    QStandardItemModel *m_model;
    QLineEdit *m_search;
    QCheckBox *m_autoBackup;
    QLineEdit *m_autoFolder;
    QLineEdit *m_autoDays;
    QLineEdit *m_lastBackup;
    QCheckBox *m_daily;
    QList<QPushButton *> m_buttons;
};

} // namespace dalvira
