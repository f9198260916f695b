#pragma once

#include "session/SiteRecord.h"

#include <QHash>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dalvira {

class AmountEdit;
class AppContext;

// The site information screen "firmaF": one row of the site list, edited in fields; saving
// copies it into the site's own file, a new row creates the site from the template.
class SiteInfoWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SiteInfoWindow(AppContext &app, QWidget *parent = nullptr);

    enum class State { Browse, Edit, Insert };
    State state() const { return m_state; }

    // The row the screen shows: the one the login looked up last.
    void setCurrentCode(const QString &code);
    // Shows the screen on the current row, centred.
    void showCurrent();
    // Shows the screen with a new row whose code is already typed (unknown code at login).
    void startNewSite(const QString &code);

    void newRecord(); // "YENİ SİTE/APARTMAN KAYDI EKLE"
    bool save();      // "SİTEYİ KAYDET"; true when stored
    void cancel();    // "VAZGEÇ"
    // "KAPAT": asks before a pending edit is lost; false when the screen stays.
    bool requestClose();

    QLineEdit *field(const QString &column) const { return m_fields.value(column); }
    AmountEdit *interestField() const { return m_interest; }
    QPushButton *newButton() const { return m_new; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *closeButton() const { return m_close; }

    static QString saveQuestion();
    static QString cancelQuestion();
    static QString closeQuestion();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLineEdit *addField(const QString &column, int maxLength);
    void load(const SiteRecord &record);
    void reloadCurrent();
    SiteRecord collect() const;
    void setState(State state);
    void fieldEdited();

    AppContext &m_app;
    QHash<QString, QLineEdit *> m_fields;
    AmountEdit *m_interest;
    QPushButton *m_new;
    QPushButton *m_save;
    QPushButton *m_cancel;
    QPushButton *m_close;
    SiteRecord m_record;
    QString m_currentCode;
    State m_state = State::Browse;
    bool m_loading = false;
};

} // namespace dalvira
