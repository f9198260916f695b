#pragma once

#include "flats/FlatListRow.h"
#include "flats/FlatRecord.h"
#include "flats/FlatRegister.h"

#include <QHash>
#include <QLabel>
#include <QWidget>
#include <functional>

class QAction;
class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;
class QTabWidget;

namespace dalvira {

class AppContext;
class FlatPaymentPlanPage;
class FlatRecordGridModel;
struct GridColumnLayout;

// A photo of the flat record: shows the picture, a double click offers a file.
class FlatPhotoLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

// The flat record screen "ozluk": one flat at a time for entry and change on the pages
// "Güncel Daire Bilgileri" and "Eski Sahibi Oturan", a payment plan for one of its people on
// "Aidat Aktarma", and the list of all flats beside them.
class FlatRecordWindow : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kScreenName = QStringLiteral("ozluk");
    static inline const QString kHelpTopic = QStringLiteral("ydairegiris");

    explicit FlatRecordWindow(AppContext &app, QWidget *parent = nullptr);
    ~FlatRecordWindow() override;

    enum class State { Browse, Edit, Insert };
    State state() const { return m_state; }
    const FlatRecord &currentFlat() const { return m_flat; }

    // Opened from the main menu: the column layout of "OzlukAyar.ini", the first page, the
    // first flat when none is shown yet.
    void openFromMenu();
    // Shows the flat with this key (a pending change is dropped); false when there is none.
    bool showFlat(qint64 hid);

    // Commands.
    void newFlat();                         // "Yeni Daire"
    bool save();                            // "Kaydet"; true when stored
    void deleteFlat();                      // "Daireyi Sil"
    void cancelChange();                    // "İşlemden Vazgeç"
    void navigate(FlatRegister::Move move); // "İlk Kayıt", "Önceki", "Sonraki", "Son Kayıt"
    void findMember();                      // "ÜYE ARA"
    void refreshList();                     // "Yenile"
    void saveColumnLayout();                // "Tablo Görünüm Ayarları Sakla"
    void removeExtraBlanks();               // "Fazla Boşluk Sil"
    void showFlatList();                    // "Daire Listesi"
    void closeScreen();                     // "Kapat"
    void sortByColumn(int column);          // a click on a column title of the list
    // "Dairenin Tüm Borcuna Bak" and the four "... Borcuna Bak" of the flat's people.
    void openStatement(FlatStatementRequest::Kind kind);
    // Opens the account statement; without it the five statement buttons are disabled.
    void setStatementHandler(std::function<void(const FlatStatementRequest &)> handler);
    // Loads a picture file into a photo column (a double click on a photo, after the file
    // dialog); false when refused.
    bool loadPhoto(const QString &column, const QString &filePath);

    // Fields and controls by column name or caption, for tests and neighbouring screens.
    QWidget *field(const QString &column) const { return m_fields.value(column); }
    QLineEdit *lineField(const QString &column) const;
    QPushButton *button(const QString &caption) const { return m_buttons.value(caption); }
    QCheckBox *capitalsBox() const { return m_capitals; }
    QCheckBox *identityCheckBox() const { return m_identityCheck; }
    QLineEdit *searchEdit() const { return m_search; }
    QLineEdit *blockFilter() const { return m_blockFilter; }
    QCheckBox *blockFilterBox() const { return m_blockFilterBox; }
    QLineEdit *flatFilter() const { return m_flatFilter; }
    QCheckBox *flatFilterBox() const { return m_flatFilterBox; }
    QLineEdit *doorFilter() const { return m_doorFilter; }
    QCheckBox *doorFilterBox() const { return m_doorFilterBox; }
    QTableView *grid() const { return m_grid; }
    const FlatRecordGridModel *gridModel() const { return m_model; }
    QTabWidget *pages() const { return m_pages; }
    FlatPaymentPlanPage *paymentPlanPage() const { return m_planPage; }
    QAction *removeBlanksAction() const { return m_removeBlanks; }

    static QString discardQuestion();
    static QString noFlatsMessage();

protected:
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Layout (FlatRecordLayout.cpp).
    void buildLayout();
    QWidget *buildCurrentPage();
    QWidget *buildFormerPage();
    QWidget *buildFilterBar();
    QWidget *buildCommands();
    QLineEdit *addLine(const QString &column, int maxLength, bool capitals = false);
    QLineEdit *addMirror(const QString &column);
    QWidget *addAmount(const QString &column);
    QWidget *addDate(const QString &column);
    QLineEdit *addPhone(const QString &column);
    QLineEdit *addDigits(const QString &column, int maxDigits, bool capitals = false);
    QPlainTextEdit *addMemo(const QString &column);
    FlatPhotoLabel *addPhoto(const QString &column);
    QWidget *navigationBar();

    // Record handling.
    void display(const FlatRecord &flat);
    bool collect(FlatRecord &flat);
    void showPhoto(const QString &column);
    void setState(State state);
    void fieldEdited();
    bool isDirty() const { return m_state != State::Browse; }
    // Asks before a pending change is dropped; false when the user keeps it.
    bool confirmDiscard();
    void discard();
    void reloadGrid();
    void selectGridRow(qint64 hid);
    void applyColumnLayout(const QList<GridColumnLayout> &layout);
    QList<GridColumnLayout> defaultColumnLayout() const;
    QList<GridColumnLayout> currentColumnLayout() const;
    void choosePhoto(const QString &column);
    void deactivated();
    QString nextSortDirection();

    AppContext &m_app;
    FlatRecord m_flat;
    std::function<void(const FlatStatementRequest &)> m_statement;
    State m_state = State::Browse;
    bool m_loading = false;

    QHash<QString, QWidget *> m_fields;
    QHash<QString, QList<QLineEdit *>> m_mirrors;
    QHash<QString, FlatPhotoLabel *> m_photos;
    QList<QLineEdit *> m_capitalFields;
    QHash<QString, QPushButton *> m_buttons;
    QCheckBox *m_capitals = nullptr;
    QCheckBox *m_identityCheck = nullptr;
    QLineEdit *m_search = nullptr;
    QLineEdit *m_blockFilter = nullptr;
    QCheckBox *m_blockFilterBox = nullptr;
    QLineEdit *m_flatFilter = nullptr;
    QCheckBox *m_flatFilterBox = nullptr;
    QLineEdit *m_doorFilter = nullptr;
    QCheckBox *m_doorFilterBox = nullptr;
    QTableView *m_grid = nullptr;
    FlatRecordGridModel *m_model = nullptr;
    QTabWidget *m_pages = nullptr;
    FlatPaymentPlanPage *m_planPage = nullptr;
    QAction *m_removeBlanks = nullptr;
    QString m_ownSortDirection;
};

} // namespace dalvira
