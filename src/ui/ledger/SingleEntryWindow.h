#pragma once

#include "flats/FlatRecord.h"
#include "ledger/SingleEntry.h"

#include <QDate>
#include <QHash>
#include <QStringList>
#include <QWidget>
#include <optional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace dalvira {

class AppContext;
class AmountEdit;
class DateEdit;
struct FlatPick;

// "Üye Borç-Ödeme Girişi" (borcalacakgirisF): one charge or one payment for one holder of one
// flat, the payment optionally booked as income too.
class SingleEntryWindow : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kScreenName = QStringLiteral("borcalacakgirisF");
    static inline const QString kHelpTopic = QStringLiteral("yborcalacakgiris");
    // The flat picker's caller tag of this screen.
    static inline const QString kPickTag = QStringLiteral("cari");

    explicit SingleEntryWindow(AppContext &app, QWidget *parent = nullptr);

    // Where the cursor waits when another screen opens this one prepared.
    enum class Focus { Type, Debit, Credit };

    // What a caller may fill before showing the screen. The flat is fetched as "Getir" does.
    struct Prefill
    {
        int flatNumber = 0; // 0 leaves the flat fields as they are
        QString holderName; // selects the holder of that name, when the flat has one
        std::optional<AccountHolder> holder; // or this holder
        std::optional<double> debit;
        std::optional<double> credit;
        QDate date;
        std::optional<QString> description;
        std::optional<bool> interest;
        QString type; // selected in the type list when offered, else the first type
        Focus focus = Focus::Type;
    };
    // Fills the screen as the caller asks, refreshes the type list and shows the screen
    // centred and raised.
    void open(const Prefill &prefill);
    // The usual call: the balance list's "ÖDEME/TAHSİLAT EKLE" on a row, the flat record's
    // buttons: the flat, the holder by name, and the amount field the cursor goes to.
    void openFor(int flatNumber, const QString &holderName, Focus focus = Focus::Type);

    // Commands.
    bool fetchFlat(); // "Getir"; false when the flat is not found (after the message)
    bool save();      // "Kaydet"; true when the entry was written
    void pickFlat();  // double click on "Kayıt No": the flat list as picker

    // Fields by caption, for tests and callers.
    QLineEdit *flatNumberField() const { return m_flatNumber; }
    QLineEdit *nameField(AccountHolder holder) const;
    QLineEdit *blockField() const { return m_block; }
    QLineEdit *flatField() const { return m_flat; }
    QLineEdit *outerDoorField() const { return m_outerDoor; }
    DateEdit *dateField() const { return m_date; }
    AmountEdit *debitField() const { return m_debit; }
    AmountEdit *creditField() const { return m_credit; }
    QLineEdit *descriptionField() const { return m_description; }
    QComboBox *currencyList() const { return m_currency; }
    QComboBox *typeList() const { return m_type; }
    QCheckBox *sortTypes() const { return m_sortTypes; }
    QComboBox *methodList() const { return m_method; }
    QCheckBox *interestBox() const { return m_interest; }
    QCheckBox *incomeBox() const { return m_income; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *fetchButton() const { return m_fetch; }
    AccountHolder holder() const;
    void setHolder(AccountHolder holder);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void showFlat(const SingleEntryFlat &flat);
    void takePick(const FlatPick &pick);
    void clearAfterSave();
    void refreshTypes();
    void setTypeEntries(const QStringList &entries);
    void showTypeEntries();
    SingleEntryInput input() const;

    AppContext &m_app;
    QLineEdit *m_flatNumber = nullptr;
    QPushButton *m_fetch = nullptr;
    QHash<int, QLineEdit *> m_names; // by AccountHolder
    QLineEdit *m_block = nullptr;
    QLineEdit *m_flat = nullptr;
    QLineEdit *m_outerDoor = nullptr;
    DateEdit *m_date = nullptr;
    AmountEdit *m_debit = nullptr;
    AmountEdit *m_credit = nullptr;
    QLineEdit *m_description = nullptr;
    QComboBox *m_currency = nullptr;
    QComboBox *m_type = nullptr;
    QCheckBox *m_sortTypes = nullptr;
    QComboBox *m_method = nullptr;
    QHash<int, QRadioButton *> m_holders; // by AccountHolder
    QCheckBox *m_interest = nullptr;
    QCheckBox *m_income = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_close = nullptr;
    QLabel *m_status = nullptr;
    QStringList m_typeEntries; // the types in table order
    bool m_pickRegistered = false;
};

} // namespace dalvira
