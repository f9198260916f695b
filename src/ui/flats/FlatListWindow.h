#pragma once

#include "common/Result.h"
#include "flats/FlatListPickCaller.h"
#include "flats/FlatListPrintout.h"
#include "flats/FlatListQuery.h"
#include "flats/FlatListRow.h"

#include <QHash>
#include <QWidget>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace dalvira {

class AppContext;
class FlatListModel;
class Report;

// The flat list "sicrapor": every flat of the open site in one read-only grid with search and
// "Kısıtla" filters, three printed lists, the spreadsheet export and the account statement
// shortcuts. It is also the flat picker of the program: the caller named by the session's
// flatPickerCaller gets the chosen flat through the FlatPickCaller registered under that tag.
//
// Modes by caller tag: "anaform" (main menu: a pick does nothing), "sicil" (the flat record
// screen: a pick, and closing the list, show the current row's flat there), any registered
// caller (the pick is written into it), none (a pick does nothing).
class FlatListWindow : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kScreenName = QStringLiteral("sicrapor");
    static inline const QString kMainMenuCaller = QStringLiteral("anaform");
    static inline const QString kFlatRecordCaller = QStringLiteral("sicil");
    static inline const QString kHelpTopic = QStringLiteral("ysicilrapor");

    explicit FlatListWindow(AppContext &app, QWidget *parent = nullptr);
    ~FlatListWindow() override;

    // Callers of the picker, by their tag. Registering a tag again replaces its caller.
    void registerPickCaller(const QString &tag, FlatPickCaller caller);
    void unregisterPickCaller(const QString &tag);
    bool hasPickCaller(const QString &tag) const { return m_callers.contains(tag); }

    // Sets flatPickerCaller (and flatPickerRow), reopens the list and shows it maximised.
    void showForCaller(const QString &tag, int row = 0);

    // Reopens the list with the search fields as they stand (filtered when the filter is on).
    Result reopen();
    bool isOpen() const { return m_open; }
    bool isFilterOn() const { return m_filterOn; }
    FlatListFilter currentFilter() const;
    FlatListOrder currentOrder() const { return m_order; }

    // Commands.
    void findAll();   // "TÜMÜNÜ BUL": the filter anew with the current fields
    void findNext();  // "SIRAYLA BUL"
    void newSearch(); // "YENİ ARAMA": search fields emptied, filter off
    void refresh();   // "YENİLE": search fields emptied, by flat number, filter on
    void pick(FlatPickMode mode);
    void print();         // "YAZDIR": the printout chosen in "Yazdırma Seçenekleri"
    void exportToSheet(); // "EXCEL'E AKT."
    void sortByColumn(int column);
    void openStatement(FlatStatementRequest::Kind kind);
    // "KAPAT": empties the search fields, closes the list (or, for the flat record screen,
    // shows the current row's flat there), switches the filter off and hides the screen.
    void closeWindow();

    // For the flat record screen: its "Yenile" copies its block, flat and door restrictions
    // here and refreshes the list; its "Kaydet" empties the search fields.
    void applyRestrictions(const FlatListRestriction &block, const FlatListRestriction &flat,
                           const FlatListRestriction &door);
    void clearSearchFields();
    // The sort direction of a click on a column title, shared with the flat record's list.
    FlatListSortToggle &sortToggle() { return m_sortToggle; }

    // The list's current row, or -1.
    int currentRow() const;
    void setCurrentRow(int row);
    const FlatListModel *model() const { return m_model; }

    // Shows the flat with this key on the flat record screen ("sicil" picks and closing).
    void setOpenFlatHandler(std::function<void(qint64 hid)> handler);
    // Opens the account statement; without it the shortcuts are disabled.
    void setStatementHandler(std::function<void(const FlatStatementRequest &)> handler);
    // How a printout is shown (the preview window unless replaced, e.g. by tests).
    void setPreviewHandler(std::function<void(const Report &)> handler);
    // How a written export is opened (the desktop's application unless replaced).
    void setExportOpener(std::function<Result(const QString &path)> opener);
    // The folder exports are written to (the temporary folder unless set).
    void setExportFolder(const QString &folder) { m_exportFolder = folder; }
    QString lastExportPath() const { return m_lastExportPath; }

    // The fields and controls, for the flat record screen and for tests.
    QLineEdit *flatNumberEdit() const { return m_flatNumber; }
    QLineEdit *identityEdit() const { return m_identity; }
    QLineEdit *nameEdit() const { return m_name; }
    QLineEdit *phoneEdit() const { return m_phone; }
    QLineEdit *blockEdit() const { return m_block; }
    QLineEdit *flatEdit() const { return m_flat; }
    QLineEdit *doorEdit() const { return m_door; }
    QCheckBox *blockCheck() const { return m_blockCheck; }
    QCheckBox *flatCheck() const { return m_flatCheck; }
    QCheckBox *doorCheck() const { return m_doorCheck; }
    QComboBox *printChoice() const { return m_printChoice; }
    QTableView *grid() const { return m_grid; }
    QLabel *ownerPhoto() const { return m_ownerPhoto; }
    QLabel *residentPhoto() const { return m_residentPhoto; }
    QPushButton *button(const QString &caption) const { return m_buttons.value(caption); }
    QAction *action(const QString &caption) const { return m_actions.value(caption); }

protected:
    void hideEvent(QHideEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void buildActions();
    void load();
    void closeList();
    void currentRowChanged();
    void showPhoto(QLabel *label, const QByteArray &bytes);
    void moveAlongRow(bool backwards);
    const FlatListRow *currentFlat() const;

    AppContext &m_app;
    FlatListModel *m_model;
    QHash<QString, FlatPickCaller> m_callers;
    FlatListOrder m_order = FlatListOrder::byName();
    FlatListSortToggle m_sortToggle;
    bool m_open = false;
    bool m_filterOn = true;
    bool m_columnsFitted = false;
    bool m_closing = false;

    std::function<void(qint64)> m_openFlat;
    std::function<void(const FlatStatementRequest &)> m_statement;
    std::function<void(const Report &)> m_preview;
    std::function<Result(const QString &)> m_exportOpener;
    QString m_exportFolder;
    QString m_lastExportPath;

    QLineEdit *m_flatNumber = nullptr;
    QLineEdit *m_identity = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_phone = nullptr;
    QLineEdit *m_block = nullptr;
    QLineEdit *m_flat = nullptr;
    QLineEdit *m_door = nullptr;
    QCheckBox *m_blockCheck = nullptr;
    QCheckBox *m_flatCheck = nullptr;
    QCheckBox *m_doorCheck = nullptr;
    QComboBox *m_printChoice = nullptr;
    QTableView *m_grid = nullptr;
    QLabel *m_ownerPhoto = nullptr;
    QLabel *m_residentPhoto = nullptr;
    QLabel *m_status = nullptr;
    QHash<QString, QPushButton *> m_buttons;
    QHash<QString, QAction *> m_actions;
    QList<QAction *> m_statementActions;
};

} // namespace dalvira
