#include "ledger/BulkAccrualWindow.h"

#include "book/TypeLists.h"
#include "cash/MethodLists.h"
#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "common/EnterMovesFocus.h"
#include "common/GridStyle.h"
#include "common/Prompt.h"
#include "common/TextHelpers.h"
#include "common/WaitWindow.h"
#include "flats/FlatListPickCaller.h"
#include "flats/FlatListScreens.h"
#include "ledger/BulkAccrualBatchList.h"
#include "session/AppContext.h"

#include <QAction>
#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace dalvira {

namespace {

const QDate kResetDate(2011, 1, 1);

QLabel *rightLabel(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QValidator *digitsOnly(QObject *parent, int maxDigits)
{
    return new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,%1}").arg(maxDigits)), parent);
}

// "Ödeme Sayısı" and "Kaç Ayda Bir Ödenecek": a list 1 to 12 that also takes typed digits,
// brought into 1 to 12 when left.
QComboBox *oneToTwelve(int initial, QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setEditable(true);
    for (int i = 1; i <= 12; ++i)
        box->addItem(QString::number(i));
    box->setCurrentText(QString::number(initial));
    box->lineEdit()->setValidator(digitsOnly(box, 2));
    QObject::connect(box->lineEdit(), &QLineEdit::editingFinished, box, [box] {
        const int value = std::clamp(int(parseDigits(box->currentText())), 1, 12);
        box->setCurrentText(QString::number(value));
    });
    return box;
}

int boxNumber(const QComboBox *box)
{
    return std::clamp(int(parseDigits(box->currentText())), 1, 12);
}

// Opens the flat picker on a double-click in a restriction field.
class DoubleClickFilter : public QObject
{
public:
    DoubleClickFilter(std::function<void()> action, QObject *parent)
        : QObject(parent), m_action(std::move(action))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_action();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_action;
};

} // namespace

BulkAccrualWindow::BulkAccrualWindow(AppContext &app, QWidget *parent) : QWidget(parent), m_app(app)
{
    setWindowTitle(QStringLiteral("Tolvek Dalvira Programı Aidat Aktarma İşlemleri"));

    auto *left = new QVBoxLayout;
    left->addWidget(buildRestrictions());
    left->addWidget(buildChoices());
    left->addStretch();
    auto *middle = new QVBoxLayout;
    middle->addWidget(buildPlanBuilder());
    middle->addWidget(buildPlanRows());
    middle->addStretch();
    auto *top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(middle, 1);
    top->addWidget(buildCommands());

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buildBatchList(), 1);

    registerTypeList(m_app, this, TypeListKind::Short,
                     [this](const QStringList &names) { fillTypes(names); });
    registerCurrencyList(m_app, m_currency, CurrencyListKind::HomeFirst, ListSelection::Keep);
    registerFlatPickCaller(m_app, kPickerTag,
                           {.choosesHolder = false,
                            .gridCaller = false,
                            .deliver = [this](const FlatPick &pick) { takeFlat(pick); }});
    installEnterMovesFocus(this);
    resize(1280, 720);
}

QWidget *BulkAccrualWindow::buildRestrictions()
{
    auto *box = new QGroupBox(QStringLiteral("AKTARMA KISITLAMALARI"), this);
    auto *grid = new QGridLayout(box);
    const QString captions[4] = {QStringLiteral("Üye Numarası"), QStringLiteral("Bloğu"),
                                 QStringLiteral("Dairesi"), QStringLiteral("Dış Kapı")};
    auto *filter = new DoubleClickFilter([this] { showPickerForRestrictions(); }, this);
    for (int i = 0; i < 4; ++i) {
        m_restrictEdits[i] = new QLineEdit(box);
        m_restrictEdits[i]->installEventFilter(filter);
        m_restrictBoxes[i] = new QCheckBox(QStringLiteral("Kısıtla"), box);
        grid->addWidget(rightLabel(captions[i], box), i, 0);
        grid->addWidget(m_restrictEdits[i], i, 1);
        grid->addWidget(m_restrictBoxes[i], i, 2);
    }
    m_restrictEdits[0]->setValidator(digitsOnly(m_restrictEdits[0], 9));
    auto *pick = new QPushButton(QStringLiteral("Seç"), box);
    connect(pick, &QPushButton::clicked, this, [this] { showPickerForRestrictions(); });
    grid->addWidget(pick, 0, 3);
    return box;
}

QWidget *BulkAccrualWindow::buildChoices()
{
    auto *panel = new QWidget(this);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *holderBox = new QGroupBox(QStringLiteral("Aidatın Aktarılacağı Kişi"), panel);
    auto *hl = new QHBoxLayout(holderBox);
    m_resident = new QRadioButton(QStringLiteral("Dairede Oturan"), holderBox);
    m_owner = new QRadioButton(QStringLiteral("Daire Sahibi"), holderBox);
    m_resident->setChecked(true);
    hl->addWidget(m_resident);
    hl->addWidget(m_owner);
    hl->addStretch();
    layout->addWidget(holderBox);

    auto *methodBox = new QGroupBox(QStringLiteral("Aidatın Dağıtım Şekli Seçimi"), panel);
    auto *ml = new QGridLayout(methodBox);
    const QString methods[4] = {
        QStringLiteral("Standart Herkese Sabit"), QStringLiteral("Dağıtım Kriterine Göre"),
        QStringLiteral("Üye Kayıtlı Aidatına Göre"), QStringLiteral("Dağıtım Kriterine Paylaştır")};
    for (int i = 0; i < 4; ++i) {
        m_methods[i] = new QRadioButton(methods[i], methodBox);
        ml->addWidget(m_methods[i], i / 2, i % 2);
    }
    m_methods[0]->setChecked(true);
    auto *hint = new QLabel(QStringLiteral("Dağıtım Kriterine Göre seçildiğinde tutar olarak "
                                           "kriterin bir birimine düşen tutar girilir "
                                           "(metrekare için 1M2'nin tutarı)."),
                            methodBox);
    hint->setWordWrap(true);
    ml->addWidget(hint, 2, 0, 1, 2);
    layout->addWidget(methodBox);

    auto *fields = new QGroupBox(panel);
    auto *fl = new QGridLayout(fields);
    m_rounding = new QLineEdit(QStringLiteral("0"), fields);
    m_rounding->setValidator(digitsOnly(m_rounding, 1));
    m_rounding->setMaximumWidth(60);
    m_description = new QLineEdit(fields);
    m_description->setMaxLength(50);
    m_type = new QComboBox(fields);
    m_sortTypes = new QCheckBox(QStringLiteral("Adına Göre Sırala"), fields);
    connect(m_sortTypes, &QCheckBox::toggled, this, [this] { fillTypes(m_typeNames); });
    fl->addWidget(rightLabel(QStringLiteral("Yuvarlaması"), fields), 0, 0);
    fl->addWidget(m_rounding, 0, 1, Qt::AlignLeft);
    fl->addWidget(rightLabel(QStringLiteral("Açıklama"), fields), 1, 0);
    fl->addWidget(m_description, 1, 1, 1, 2);
    fl->addWidget(rightLabel(QStringLiteral("Gelir Türü"), fields), 2, 0);
    fl->addWidget(m_type, 2, 1);
    fl->addWidget(m_sortTypes, 2, 2);
    fl->setColumnStretch(1, 1);
    layout->addWidget(fields);
    return panel;
}

QWidget *BulkAccrualWindow::buildPlanBuilder()
{
    auto *box = new QGroupBox(
        QStringLiteral("OTOMATİK ÖDEME PLANI (TAKSİT VE ÖDEME GÜNÜ) OLUŞTURMA"), this);
    auto *grid = new QGridLayout(box);
    m_total = new AmountEdit(box);
    m_firstDate = new DateEdit(box);
    m_firstDate->setResetToDefaultDate(true);
    m_firstDate->setPrompt(&m_app.prompt());
    m_count = oneToTwelve(12, box);
    m_step = oneToTwelve(1, box);
    m_monthEnd =
        new QCheckBox(QStringLiteral("Ödeme Planı Son Ödeme Günü Ayın Son Günü Olsun"), box);
    auto *build = new QPushButton(QStringLiteral("ÖDEME PLANI OLUŞTUR"), box);
    connect(build, &QPushButton::clicked, this, &BulkAccrualWindow::buildPlan);
    grid->addWidget(rightLabel(QStringLiteral("Toplam Tutarı"), box), 0, 0);
    grid->addWidget(m_total, 0, 1);
    grid->addWidget(rightLabel(QStringLiteral("İlk Ödeme Tarihi"), box), 0, 2);
    grid->addWidget(m_firstDate, 0, 3);
    grid->addWidget(rightLabel(QStringLiteral("Ödeme Sayısı"), box), 1, 0);
    grid->addWidget(m_count, 1, 1);
    grid->addWidget(rightLabel(QStringLiteral("Kaç Ayda Bir Ödenecek"), box), 1, 2);
    grid->addWidget(m_step, 1, 3);
    grid->addWidget(m_monthEnd, 2, 0, 1, 4);
    grid->addWidget(build, 3, 0, 1, 4);
    return box;
}

QWidget *BulkAccrualWindow::buildPlanRows()
{
    auto *box =
        new QGroupBox(QStringLiteral("ÜYELERE AKTARILACAK (BORÇ KAYDEDİLECEK) ÖDEME PLANI"), this);
    auto *grid = new QGridLayout(box);
    constexpr int kRowsPerColumn = kMaxInstalments / 2;
    for (int i = 0; i < kMaxInstalments; ++i) {
        m_dates[i] = new DateEdit(box);
        m_dates[i]->setResetToDefaultDate(true);
        m_dates[i]->setPrompt(&m_app.prompt());
        m_amounts[i] = new AmountEdit(box);
        const int row = i % kRowsPerColumn;
        const int column = (i / kRowsPerColumn) * 4;
        grid->addWidget(rightLabel(QStringLiteral("%1.Tarihi").arg(i + 1), box), row, column);
        grid->addWidget(m_dates[i], row, column + 1);
        grid->addWidget(rightLabel(QStringLiteral("Tutarı"), box), row, column + 2);
        grid->addWidget(m_amounts[i], row, column + 3);
    }
    m_currency = new QComboBox(box);
    grid->addWidget(rightLabel(QStringLiteral("Para Cinsi"), box), kRowsPerColumn, 0);
    grid->addWidget(m_currency, kRowsPerColumn, 1);
    auto *clear = new QPushButton(QStringLiteral("OLUŞTURULAN ÖDEME PLANINI TEMİZLE"), box);
    connect(clear, &QPushButton::clicked, this, &BulkAccrualWindow::clearPlan);
    grid->addWidget(clear, kRowsPerColumn, 2, 1, 6);
    return box;
}

QWidget *BulkAccrualWindow::buildCommands()
{
    auto *panel = new QWidget(this);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *transferButton = new QPushButton(
        QStringLiteral("ÖDEME PLANINI AİDAT BORCU  OLARAK\nDAİRELERE AKTAR"), panel);
    auto *undoButton = new QPushButton(
        QStringLiteral("ÖNCEDEN AKTARILMIŞ SEÇİLİ\nAİDAT AKTARIMLARINI SİL"), panel);
    auto *help = new QPushButton(QStringLiteral("Yardım"), panel);
    auto *close = new QPushButton(QStringLiteral("KAPAT"), panel);
    for (QPushButton *b : {transferButton, undoButton, help, close}) {
        b->setMinimumHeight(44);
        layout->addWidget(b);
    }
    layout->addStretch();
    connect(transferButton, &QPushButton::clicked, this, &BulkAccrualWindow::transfer);
    connect(undoButton, &QPushButton::clicked, this, &BulkAccrualWindow::undoSelectedBatch);
    connect(help, &QPushButton::clicked, this,
            [this] { m_app.showHelp(QStringLiteral("yaidataktar")); });
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    return panel;
}

QWidget *BulkAccrualWindow::buildBatchList()
{
    auto *box = new QGroupBox(QStringLiteral("ÖNCEDEN OLUŞTURULMUŞ AİDATLAR"), this);
    auto *layout = new QVBoxLayout(box);
    m_batches = new BulkAccrualBatchList(this);
    m_batchView = new QTableView(box);
    m_batchView->setModel(m_batches);
    m_batchView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_batchView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_batchView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_batchView->verticalHeader()->hide();
    m_batchView->horizontalHeader()->setSectionsClickable(true);
    m_batchView->horizontalHeader()->setStretchLastSection(false);
    m_batchView->horizontalHeader()->setSectionResizeMode(BulkAccrualBatchList::DescriptionColumn,
                                                          QHeaderView::Stretch);
    m_batchView->setColumnWidth(BulkAccrualBatchList::DateColumn, 100);
    m_batchView->setColumnWidth(BulkAccrualBatchList::TotalColumn, 120);
    m_batchView->setColumnWidth(BulkAccrualBatchList::CountColumn, 50);
    m_batchView->setColumnWidth(BulkAccrualBatchList::RecordedColumn, 150);
    applyGridStyle(m_batchView);
    connect(m_batchView->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &BulkAccrualWindow::sortBatches);
    auto *undo = new QAction(QStringLiteral("Aktarılmış Aidatı Sil"), m_batchView);
    connect(undo, &QAction::triggered, this, &BulkAccrualWindow::undoSelectedBatch);
    m_batchView->addAction(undo);
    m_batchView->setContextMenuPolicy(Qt::ActionsContextMenu);
    layout->addWidget(m_batchView);
    return box;
}

void BulkAccrualWindow::open()
{
    if (const Result r = IslemTuruAyarla(m_app); !r)
        return;
    reloadBatches();
    show();
    raise();
    activateWindow();
}

void BulkAccrualWindow::fillTypes(const QStringList &names)
{
    m_typeNames = names;
    QStringList shown = names;
    if (m_sortTypes->isChecked()) {
        QCollator collator{QLocale(QLocale::Turkish, QLocale::Turkey)};
        std::stable_sort(shown.begin(), shown.end(), [&](const QString &a, const QString &b) {
            return collator.compare(a, b) < 0;
        });
    }
    m_type->clear();
    m_type->addItems(shown);
    m_type->setCurrentIndex(shown.isEmpty() ? -1 : 0);
}

void BulkAccrualWindow::reloadBatches()
{
    if (const Result r = m_batches->reload(m_app.storage().ana()); !r)
        m_app.prompt().error(kCaption, r.message());
}

void BulkAccrualWindow::sortBatches(int column)
{
    // The first click on a column sorts ascending; each further click on it turns the order.
    if (column == m_sortColumn)
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else
        m_sortOrder = Qt::AscendingOrder;
    m_sortColumn = column;
    m_batchView->horizontalHeader()->setSortIndicatorShown(true);
    m_batchView->horizontalHeader()->setSortIndicator(column, m_sortOrder);
    if (const Result r = m_batches->sortBy(m_app.storage().ana(), column, m_sortOrder); !r)
        m_app.prompt().error(kCaption, r.message());
}

void BulkAccrualWindow::clearPlan()
{
    for (int i = 0; i < kMaxInstalments; ++i) {
        m_dates[i]->clear();
        m_amounts[i]->clear();
    }
    m_description->clear();
}

void BulkAccrualWindow::buildPlan()
{
    clearPlan();
    InstalmentPlanRequest planRequest;
    planRequest.total = m_total->value();
    planRequest.start = m_firstDate->date();
    planRequest.count = boxNumber(m_count);
    planRequest.stepMonths = boxNumber(m_step);
    planRequest.monthEnd = m_monthEnd->isChecked();
    QList<Instalment> plan;
    if (const Result r = buildInstalmentPlan(planRequest, plan); !r) {
        m_app.prompt().warning(kCaption, r.message());
        return;
    }
    for (int i = 0; i < plan.size() && i < kMaxInstalments; ++i) {
        m_dates[i]->setDate(plan[i].date);
        m_amounts[i]->setValue(plan[i].amount);
    }
}

BulkAccrualRequest BulkAccrualWindow::request() const
{
    BulkAccrualRequest r;
    for (int i = 0; i < kMaxInstalments; ++i)
        r.instalments.append({m_dates[i]->date(), m_amounts[i]->value()});
    r.firstDate = m_firstDate->date();
    r.restrictions.byNumber = m_restrictBoxes[0]->isChecked();
    r.restrictions.number = m_restrictEdits[0]->text().trimmed();
    r.restrictions.byBlock = m_restrictBoxes[1]->isChecked();
    r.restrictions.block = m_restrictEdits[1]->text();
    r.restrictions.byFlat = m_restrictBoxes[2]->isChecked();
    r.restrictions.flat = m_restrictEdits[2]->text();
    r.restrictions.byDoor = m_restrictBoxes[3]->isChecked();
    r.restrictions.door = m_restrictEdits[3]->text();
    r.holder = m_owner->isChecked() ? AccountHolder::Owner : AccountHolder::Resident;
    for (int i = 0; i < 4; ++i)
        if (m_methods[i]->isChecked())
            r.method = AccrualMethod(i);
    r.roundingDecimals = int(parseDigits(m_rounding->text()));
    r.type = m_type->currentText();
    r.currency = m_currency->currentText();
    r.description = m_description->text();
    return r;
}

void BulkAccrualWindow::transfer()
{
    const BulkAccrualRequest req = request();
    BulkAccrualSummary summary;
    if (const Result r = summarizeBulkAccrual(req, summary); !r) {
        m_app.prompt().warning(kCaption, r.message());
        return;
    }
    m_total->setValue(summary.total);
    m_count->setCurrentText(QString::number(summary.instalments));
    if (m_app.prompt().question(kProgramCaption, bulkAccrualQuestion(),
                                QuestionButtons::YesNoCancel, Answer::Yes) != Answer::Yes)
        return;

    BulkAccrualOutcome outcome;
    const Result r = transferBulkAccrual(m_app.storage().ana(), req, m_app.wait(), &outcome);
    if (r.wasCancelled()) {
        m_app.prompt().information(kProgramCaption,
                                   QStringLiteral("Aktarma iptal edildi. Hiçbir kayıt yapılmadı."));
        return;
    }
    if (!r) {
        m_app.prompt().error(kCaption, r.message());
        return;
    }
    clearPlan();
    reloadBatches();
    if (!outcome.skipped.isEmpty())
        m_app.prompt().warning(kProgramCaption, skippedFlatsMessage(outcome.skipped));
}

void BulkAccrualWindow::undoSelectedBatch()
{
    const AccrualBatchRow *batch = m_batches->batchAt(m_batchView->currentIndex().row());
    if (!batch)
        return;
    const qint64 aid = batch->aid;
    if (m_app.prompt().question(kProgramCaption, bulkAccrualUndoQuestion(),
                                QuestionButtons::YesNoCancel, Answer::Yes) != Answer::Yes)
        return;
    const Result r = undoAccrualBatch(m_app.storage().ana(), aid, m_app.wait());
    if (!r)
        m_app.prompt().error(kCaption, r.message());
    reloadBatches();
}

void BulkAccrualWindow::showPickerForRestrictions()
{
    showFlatPicker(m_app, kPickerTag);
}

void BulkAccrualWindow::takeFlat(const FlatPick &pick)
{
    m_restrictEdits[0]->setText(pick.flat.flatNumberText());
    m_restrictEdits[1]->setText(pick.flat.block);
    m_restrictEdits[2]->setText(pick.flat.flat);
    m_restrictEdits[3]->setText(pick.flat.door);
}

} // namespace dalvira
