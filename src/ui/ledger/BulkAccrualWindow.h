#pragma once

#include "ledger/BulkAccrual.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace dalvira {

class AmountEdit;
class AppContext;
class BulkAccrualBatchList;
class DateEdit;
struct FlatPick;

// "aidataktar": charges dues to many flats at once over a plan of up to twelve instalments,
// and lists and undoes the earlier transfers.
class BulkAccrualWindow : public QWidget
{
    Q_OBJECT
public:
    static inline const QString kScreenName = QStringLiteral("aidataktar");
    // The flat picker's caller tag of this screen.
    static inline const QString kPickerTag = QStringLiteral("AidatAktar");

    explicit BulkAccrualWindow(AppContext &app, QWidget *parent = nullptr);

    // Opened from the main menu: the type list filled afresh and the batches reread.
    void open();

    // "ÖDEME PLANI OLUŞTUR".
    void buildPlan();
    // "OLUŞTURULAN ÖDEME PLANINI TEMİZLE": the twelve pairs and the description.
    void clearPlan();
    // "ÖDEME PLANINI AİDAT BORCU  OLARAK DAİRELERE AKTAR".
    void transfer();
    // "ÖNCEDEN AKTARILMIŞ SEÇİLİ AİDAT AKTARIMLARINI SİL" and "Aktarılmış Aidatı Sil".
    void undoSelectedBatch();
    // The flat picker's choice fills the four restriction fields.
    void takeFlat(const FlatPick &pick);
    // What the screen's fields ask for.
    BulkAccrualRequest request() const;

    // Fields, for the screen tests.
    AmountEdit *totalEdit() const { return m_total; }
    DateEdit *firstDateEdit() const { return m_firstDate; }
    QComboBox *countBox() const { return m_count; }
    QComboBox *stepBox() const { return m_step; }
    QCheckBox *monthEndBox() const { return m_monthEnd; }
    DateEdit *instalmentDateEdit(int i) const { return m_dates[i]; }
    AmountEdit *instalmentAmountEdit(int i) const { return m_amounts[i]; }
    QLineEdit *roundingEdit() const { return m_rounding; }
    QLineEdit *descriptionEdit() const { return m_description; }
    QComboBox *typeBox() const { return m_type; }
    QComboBox *currencyBox() const { return m_currency; }
    QCheckBox *sortTypesBox() const { return m_sortTypes; }
    QRadioButton *methodButton(AccrualMethod method) const { return m_methods[int(method)]; }
    QRadioButton *ownerButton() const { return m_owner; }
    QLineEdit *restrictionEdit(int i) const { return m_restrictEdits[i]; }
    QCheckBox *restrictionBox(int i) const { return m_restrictBoxes[i]; }
    QTableView *batchView() const { return m_batchView; }
    BulkAccrualBatchList *batchList() const { return m_batches; }

private:
    QWidget *buildRestrictions();
    QWidget *buildChoices();
    QWidget *buildPlanBuilder();
    QWidget *buildPlanRows();
    QWidget *buildCommands();
    QWidget *buildBatchList();
    void reloadBatches();
    void sortBatches(int column);
    void fillTypes(const QStringList &names);
    void showPickerForRestrictions();

    AppContext &m_app;

    QLineEdit *m_restrictEdits[4] = {};
    QCheckBox *m_restrictBoxes[4] = {};
    QRadioButton *m_resident = nullptr;
    QRadioButton *m_owner = nullptr;
    QRadioButton *m_methods[4] = {};
    QLineEdit *m_rounding = nullptr;
    QLineEdit *m_description = nullptr;
    QComboBox *m_type = nullptr;
    QCheckBox *m_sortTypes = nullptr;
    QStringList m_typeNames;

    AmountEdit *m_total = nullptr;
    DateEdit *m_firstDate = nullptr;
    QComboBox *m_count = nullptr;
    QComboBox *m_step = nullptr;
    QCheckBox *m_monthEnd = nullptr;
    DateEdit *m_dates[kMaxInstalments] = {};
    AmountEdit *m_amounts[kMaxInstalments] = {};
    QComboBox *m_currency = nullptr;

    QTableView *m_batchView = nullptr;
    BulkAccrualBatchList *m_batches = nullptr;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};

} // namespace dalvira
