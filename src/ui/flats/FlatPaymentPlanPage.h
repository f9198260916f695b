#pragma once

#include "flats/FlatRecord.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace dalvira {

class AmountEdit;
class AppContext;
class DateEdit;

// Page "Aidat Aktarma" of the flat record: a payment plan of up to twelve instalments for one
// person of the flat, posted to the ledger as one accrual batch.
class FlatPaymentPlanPage : public QWidget
{
    Q_OBJECT
public:
    // currentFlat gives the hid of the stored flat the record shows (0 for a new one).
    FlatPaymentPlanPage(AppContext &app, std::function<qint64()> currentFlat,
                        QWidget *parent = nullptr);

    void buildPlan(); // "TAKSİTLERİ OLUŞTUR"
    void clearPlan(); // "TEMİZLE"
    bool postPlan();  // "ÖDEME PLANINI KAYDET"; true when posted

    AmountEdit *totalEdit() const { return m_total; }
    DateEdit *startEdit() const { return m_start; }
    QSpinBox *countBox() const { return m_count; }
    QSpinBox *stepBox() const { return m_step; }
    QCheckBox *monthEndBox() const { return m_monthEnd; }
    DateEdit *dateEdit(int row) const { return m_dates.value(row); }
    AmountEdit *amountEdit(int row) const { return m_amounts.value(row); }
    QComboBox *typeList() const { return m_type; }
    QComboBox *currencyList() const { return m_currency; }
    QLineEdit *descriptionEdit() const { return m_description; }
    QRadioButton *holderButton(AccountHolder holder) const;
    QPushButton *buildButton() const { return m_build; }
    QPushButton *clearButton() const { return m_clear; }
    QPushButton *postButton() const { return m_post; }

private:
    AccountHolder chosenHolder() const;

    AppContext &m_app;
    std::function<qint64()> m_currentFlat;
    AmountEdit *m_total;
    DateEdit *m_start;
    QSpinBox *m_count;
    QSpinBox *m_step;
    QCheckBox *m_monthEnd;
    QList<DateEdit *> m_dates;
    QList<AmountEdit *> m_amounts;
    QComboBox *m_type;
    QComboBox *m_currency;
    QLineEdit *m_description;
    QList<QRadioButton *> m_holders; // in AccountHolder order
    QPushButton *m_build;
    QPushButton *m_clear;
    QPushButton *m_post;
};

} // namespace dalvira
