#pragma once

#include "balances/BalanceCommands.h"
#include "balances/BalanceList.h"

#include <QDate>
#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;
class QAction;

namespace dalvira {

class AppContext;
class BalanceListModel;

// "Üye Borç Alacak ve Bakiye Listesi" (TcarihareketF): who owes how much on the report date,
// in six list kinds, with the row filters, grand totals, search, and the statement and payment
// entry of the selected row.
class BalanceListWindow : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kScreenName = QStringLiteral("carihareketF");

    explicit BalanceListWindow(AppContext &app, QWidget *parent = nullptr);

    // Opens the account statement for a row ("CARİ HESAP DETAYI", "TÜM DAİRE DETAYI",
    // "KİŞİNİN HAREKETLERİ", their popup entries, double click).
    std::function<void(const StatementRequest &)> openStatement;
    // Opens the single entry screen: flatNumber 0 opens it empty ("ÖDEME/TAHSİLAT EKLE"),
    // otherwise for that flat, with the type to select (empty: the first).
    std::function<void(const PaymentEntryRequest &)> openPaymentEntry;

    QDate reportDate() const { return m_reportDate; }
    void setReportDate(const QDate &date);

    // The settings as the controls hold them.
    BalanceListSettings settings() const;
    // Builds the list of the given settings' kind, shows it and its grand totals; false (after
    // the message) when the query failed.
    bool rebuild(const BalanceListSettings &settings);
    // Refresh: the selected kind with the current settings.
    bool refresh();
    // "BORÇ DURUMU": build the list and show the screen maximised.
    void openFromMenu();

    const BalanceList &list() const;
    BalanceListModel *model() const { return m_model; }
    QTableView *grid() const { return m_grid; }
    QPushButton *button(const QString &caption) const;
    QAction *popupAction(const QString &caption) const;
    QRadioButton *kindChoice(BalanceListKind kind) const;
    QLineEdit *totalField(const QString &caption) const;

private:
    void buildLayout();
    void buildPopup();
    void onlyDebtorsClicked();
    void search();
    void statement(StatementScope scope);
    void paymentForRow();
    BalanceListKind selectedKind() const;
    int currentRow() const;

    AppContext &m_app;
    BalanceListModel *m_model;
    QDate m_reportDate;
    QLabel *m_heading = nullptr;
    QLabel *m_kindHeading = nullptr;
    QLineEdit *m_dateField = nullptr;
    QRadioButton *m_kinds[6] = {};
    QCheckBox *m_onlyDebtors = nullptr;
    QLineEdit *m_block = nullptr;
    QCheckBox *m_blockCheck = nullptr;
    QLineEdit *m_flat = nullptr;
    QCheckBox *m_flatCheck = nullptr;
    QLineEdit *m_door = nullptr;
    QCheckBox *m_doorCheck = nullptr;
    QComboBox *m_currency = nullptr;
    QCheckBox *m_currencyCheck = nullptr;
    QComboBox *m_role = nullptr;
    QLineEdit *m_searchText = nullptr;
    QTableView *m_grid = nullptr;
    QLineEdit *m_debitTotal = nullptr;
    QLineEdit *m_creditTotal = nullptr;
    QLineEdit *m_balanceTotal = nullptr;
    bool m_building = false;
};

} // namespace dalvira
