#include "balances/BalanceListWindow.h"

#include "balances/BalanceListModel.h"
#include "common/EnterMovesFocus.h"
#include "common/Formats.h"
#include "common/GridStyle.h"
#include "common/Prompt.h"
#include "common/WaitWindow.h"
#include "session/AppContext.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

namespace dalvira {

namespace {

const QString kHelpTopic = QStringLiteral("yaidattakip");

// Commands of later screens: present so the screen looks whole, off until those screens exist.
const char *const kLaterButtons[] = {
    "CARİ HESAPLARI YAZDIR", "EXCEL'E AKTAR",        "SMS RAPORU",
    "FAİZ/ORT.VADE RAPORU",  "AYLIK HAREKET RAPORU", "GENEL DETAY FAİZ RAPORU"};

QLabel *rightLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit *totalEdit(const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setAlignment(Qt::AlignRight);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

} // namespace

BalanceListWindow::BalanceListWindow(AppContext &app, QWidget *parent)
    : QWidget(parent), m_app(app), m_model(new BalanceListModel(this))
{
    setObjectName(kScreenName);
    setWindowTitle(QStringLiteral("Tolvek Dalvira - Üye Borç Alacak ve Bakiye Listesi"));
    // Left open by the screen's design: the date is today until a report sets it.
    m_reportDate = QDate::currentDate();
    buildLayout();
    buildPopup();
    installEnterMovesFocus(this);
    setEnterKeepsFocus(m_searchText);
    resize(1300, 720);
}

void BalanceListWindow::buildLayout()
{
    auto *main = new QVBoxLayout(this);

    m_heading = new QLabel(QStringLiteral("Üye Borç Alacak ve Bakiye Listesi"), this);
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    m_heading->setFont(headingFont);
    m_kindHeading = new QLabel(this);
    m_kindHeading->setObjectName(QStringLiteral("baslik"));
    QFont kindFont = m_kindHeading->font();
    kindFont.setBold(true);
    m_kindHeading->setFont(kindFont);
    auto *headings = new QHBoxLayout;
    headings->addWidget(m_heading);
    headings->addStretch(1);
    headings->addWidget(m_kindHeading);
    main->addLayout(headings);

    auto *top = new QHBoxLayout;
    // The list kinds.
    auto *kinds = new QGroupBox(QStringLiteral("Rapor Türü"), this);
    auto *kindGrid = new QGridLayout(kinds);
    auto *kindGroup = new QButtonGroup(this);
    for (BalanceListKind kind : kAllBalanceListKinds) {
        const int i = int(kind) - 1;
        m_kinds[i] = new QRadioButton(balanceKindChoiceCaption(kind), kinds);
        kindGroup->addButton(m_kinds[i], int(kind));
        kindGrid->addWidget(m_kinds[i], i % 3, i / 3);
    }
    m_kinds[int(BalanceListKind::GeneralFlat) - 1]->setChecked(true);
    connect(kindGroup, &QButtonGroup::idClicked, this, [this] { refresh(); });
    top->addWidget(kinds);

    // The filters.
    auto *filters = new QGroupBox(this);
    auto *grid = new QGridLayout(filters);
    m_dateField = new QLineEdit(filters);
    m_dateField->setObjectName(QStringLiteral("RaporTarihi"));
    m_dateField->setReadOnly(true);
    m_dateField->setFocusPolicy(Qt::NoFocus);
    m_dateField->setText(formatDate(m_reportDate));
    m_onlyDebtors = new QCheckBox(QStringLiteral("Sadece Borçlular"), filters);
    connect(m_onlyDebtors, &QCheckBox::clicked, this, &BalanceListWindow::onlyDebtorsClicked);

    const auto restriction = [&](QLineEdit *&edit, QCheckBox *&check, const QString &name) {
        edit = new QLineEdit(filters);
        edit->setObjectName(name);
        check = new QCheckBox(QStringLiteral("Kısıtla"), filters);
        check->setObjectName(name + QStringLiteral("Kisitla"));
        auto *box = new QHBoxLayout;
        box->addWidget(edit, 1);
        box->addWidget(check);
        return box;
    };
    m_currency = new QComboBox(filters);
    m_currency->setObjectName(QStringLiteral("PB"));
    m_currency->setEditable(true);
    m_currency->addItems({QStringLiteral("TL"), QStringLiteral("USD"), QStringLiteral("EURO")});
    m_currencyCheck = new QCheckBox(QStringLiteral("Kısıtla"), filters);
    m_currencyCheck->setObjectName(QStringLiteral("PBKisitla"));
    auto *currencyBox = new QHBoxLayout;
    currencyBox->addWidget(m_currency, 1);
    currencyBox->addWidget(m_currencyCheck);
    m_role = new QComboBox(filters);
    m_role->setObjectName(QStringLiteral("rol"));
    m_role->addItems(holderRoleCaptions());
    connect(m_role, &QComboBox::activated, this, [this] { refresh(); });

    auto *refreshButton = new QPushButton(QStringLiteral("Yenile"), filters);
    refreshButton->setObjectName(QStringLiteral("yenile"));
    refreshButton->setToolTip(QStringLiteral("Yenile"));
    connect(refreshButton, &QPushButton::clicked, this, [this] { refresh(); });

    m_searchText = new QLineEdit(filters);
    m_searchText->setObjectName(QStringLiteral("uyeAdindan"));
    auto *searchButton = new QPushButton(QStringLiteral("Ara"), filters);
    searchButton->setObjectName(QStringLiteral("Ara"));
    connect(searchButton, &QPushButton::clicked, this, &BalanceListWindow::search);
    connect(m_searchText, &QLineEdit::returnPressed, this, &BalanceListWindow::search);

    grid->addWidget(rightLabel(QStringLiteral("RaporTarihi"), filters), 0, 0);
    grid->addWidget(m_dateField, 0, 1);
    grid->addWidget(m_onlyDebtors, 0, 2);
    grid->addWidget(rightLabel(QStringLiteral("Evsahibi/Oturan/Eskiler"), filters), 0, 3);
    grid->addWidget(m_role, 0, 4);
    grid->addWidget(refreshButton, 0, 5);
    grid->addWidget(rightLabel(QStringLiteral("Blok"), filters), 1, 0);
    grid->addLayout(restriction(m_block, m_blockCheck, QStringLiteral("Blok")), 1, 1);
    grid->addWidget(rightLabel(QStringLiteral("Daire"), filters), 1, 2);
    grid->addLayout(restriction(m_flat, m_flatCheck, QStringLiteral("Daire")), 1, 3);
    grid->addWidget(rightLabel(QStringLiteral("Dış Kapı"), filters), 2, 0);
    grid->addLayout(restriction(m_door, m_doorCheck, QStringLiteral("DisKapi")), 2, 1);
    grid->addWidget(rightLabel(QStringLiteral("PB"), filters), 2, 2);
    grid->addLayout(currencyBox, 2, 3);
    grid->addWidget(rightLabel(QStringLiteral("Üye Adından"), filters), 1, 4);
    grid->addWidget(m_searchText, 1, 5);
    grid->addWidget(searchButton, 2, 5);
    for (int c : {1, 3, 5})
        grid->setColumnStretch(c, 1);
    top->addWidget(filters, 1);
    main->addLayout(top);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("bakiyeListesi"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    applyGridStyle(m_grid,
                   [this](const QModelIndex &index) { return m_model->isTotalRow(index.row()); });
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_grid, &QTableView::doubleClicked, this,
            [this] { statement(StatementScope::WholeFlat); });

    auto *middle = new QHBoxLayout;
    middle->addWidget(m_grid, 1);

    auto *commands = new QVBoxLayout;
    const auto command = [&](const QString &caption, auto slot) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(caption);
        connect(b, &QPushButton::clicked, this, slot);
        commands->addWidget(b);
        return b;
    };
    command(QStringLiteral("ÖDEME/TAHSİLAT EKLE"), [this] {
        if (openPaymentEntry)
            openPaymentEntry(PaymentEntryRequest{});
    });
    command(QStringLiteral("CARİ HESAP DETAYI"),
            [this] { statement(StatementScope::HolderInFlat); });
    command(QStringLiteral("TÜM DAİRE DETAYI"), [this] { statement(StatementScope::WholeFlat); });
    command(QStringLiteral("KİŞİNİN HAREKETLERİ"),
            [this] { statement(StatementScope::HolderEverywhere); });
    for (const char *caption : kLaterButtons) {
        auto *b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromUtf8(caption));
        b->setEnabled(false);
        commands->addWidget(b);
    }
    commands->addStretch(1);
    command(QStringLiteral("Yardım"), [this] { m_app.showHelp(kHelpTopic); });
    command(QStringLiteral("KAPAT"), [this] { close(); });
    middle->addLayout(commands);
    main->addLayout(middle, 1);

    auto *totals = new QGroupBox(QStringLiteral("Toplam"), this);
    auto *totalsRow = new QHBoxLayout(totals);
    m_debitTotal = totalEdit(QStringLiteral("Borç"), totals);
    m_creditTotal = totalEdit(QStringLiteral("Alacak"), totals);
    m_balanceTotal = totalEdit(QStringLiteral("Bakiye"), totals);
    for (QLineEdit *e : {m_debitTotal, m_creditTotal, m_balanceTotal}) {
        totalsRow->addWidget(rightLabel(e->objectName(), totals));
        totalsRow->addWidget(e);
    }
    totalsRow->addStretch(1);
    main->addWidget(totals);
}

void BalanceListWindow::buildPopup()
{
    const auto add = [this](const QString &text, const QKeySequence &keys, auto slot) {
        auto *a = new QAction(text, m_grid);
        a->setObjectName(text);
        if (!keys.isEmpty()) {
            a->setShortcut(keys);
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        }
        connect(a, &QAction::triggered, this, slot);
        m_grid->addAction(a);
        return a;
    };
    add(QStringLiteral("Ödeme/Tahsilat Ekle "), QKeySequence(Qt::SHIFT | Qt::Key_Insert),
        [this] { paymentForRow(); });
    add(QStringLiteral("Detay Göster"), {}, [this] { statement(StatementScope::HolderInFlat); });
    add(QStringLiteral("Tüm Dairenin Hareketleri"), {},
        [this] { statement(StatementScope::WholeFlat); });
    add(QStringLiteral("Kişinin Tüm Hareketleri"), {},
        [this] { statement(StatementScope::HolderEverywhere); });
    for (const char *caption :
         {"Eksik Para Birimi Aktar", "Fazla Boşluk Sil", "Faiz Olmayanları Ayarla",
          "Hareketlerin Para Birimini TL Olarak Aktar", "Aylık Hareket Listesi"}) {
        auto *a = new QAction(QString::fromUtf8(caption), m_grid);
        a->setObjectName(QString::fromUtf8(caption));
        a->setEnabled(false);
        m_grid->addAction(a);
    }
}

void BalanceListWindow::setReportDate(const QDate &date)
{
    m_reportDate = date;
    m_dateField->setText(formatDate(date));
}

BalanceListKind BalanceListWindow::selectedKind() const
{
    for (BalanceListKind kind : kAllBalanceListKinds)
        if (m_kinds[int(kind) - 1]->isChecked())
            return kind;
    return BalanceListKind::GeneralFlat;
}

BalanceListSettings BalanceListWindow::settings() const
{
    BalanceListSettings s;
    s.reportDate = m_reportDate;
    s.kind = selectedKind();
    s.role = holderRoleFromCaption(m_role->currentText()).value_or(HolderRole::All);
    s.onlyDebtors = m_onlyDebtors->isChecked();
    s.block = {m_blockCheck->isChecked(), m_block->text()};
    s.flat = {m_flatCheck->isChecked(), m_flat->text()};
    s.outerDoor = {m_doorCheck->isChecked(), m_door->text()};
    s.currency = {m_currencyCheck->isChecked(), m_currency->currentText()};
    return s;
}

bool BalanceListWindow::rebuild(const BalanceListSettings &settings)
{
    if (m_building)
        return false;
    m_building = true;
    BalanceList list;
    const Result r = buildBalanceList(m_app.storage().ana(), settings, list,
                                      isTypePivotKind(settings.kind) ? nullptr : m_app.wait());
    m_building = false;
    if (!r) {
        m_app.prompt().error(kCaption, r.message());
        return false;
    }
    m_kindHeading->setText(balanceKindHeading(list.kind));
    m_debitTotal->setText(formatAmount(list.debitTotal.toDouble(), kAmountFormatNoZero));
    m_creditTotal->setText(formatAmount(list.creditTotal.toDouble(), kAmountFormatNoZero));
    m_balanceTotal->setText(formatAmount(list.balanceTotal().toDouble(), kAmountFormatNoZero));
    m_model->setList(std::move(list));
    m_grid->resizeColumnsToContents();
    if (m_model->rowCount() > 0)
        m_grid->setCurrentIndex(m_model->index(0, 0));
    return true;
}

bool BalanceListWindow::refresh()
{
    return rebuild(settings());
}

void BalanceListWindow::openFromMenu()
{
    refresh();
    showMaximized();
    raise();
    activateWindow();
}

void BalanceListWindow::onlyDebtorsClicked()
{
    // The debtor filter works on the lists with a balance column; the pivots have none, so
    // from them the filter shows the general detail list, and the choice says so.
    BalanceListKind kind = selectedKind();
    if (isTypePivotKind(kind)) {
        kind = BalanceListKind::GeneralDetail;
        m_kinds[int(kind) - 1]->setChecked(true);
    }
    BalanceListSettings s = settings();
    s.kind = kind;
    rebuild(s);
}

const BalanceList &BalanceListWindow::list() const
{
    return m_model->list();
}

int BalanceListWindow::currentRow() const
{
    const QModelIndex index = m_grid->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void BalanceListWindow::search()
{
    const int row = findBalanceRow(list(), m_searchText->text(), currentRow());
    if (row < 0)
        return;
    const int column = m_grid->currentIndex().isValid() ? m_grid->currentIndex().column() : 0;
    m_grid->setCurrentIndex(m_model->index(row, column));
    m_grid->scrollTo(m_model->index(row, column));
}

void BalanceListWindow::statement(StatementScope scope)
{
    const auto request = statementRequest(list(), currentRow(), scope);
    if (request && openStatement)
        openStatement(*request);
}

void BalanceListWindow::paymentForRow()
{
    const auto request = paymentEntryRequest(list(), currentRow());
    if (request && openPaymentEntry)
        openPaymentEntry(*request);
}

QPushButton *BalanceListWindow::button(const QString &caption) const
{
    return findChild<QPushButton *>(caption);
}

QAction *BalanceListWindow::popupAction(const QString &caption) const
{
    for (QAction *a : m_grid->actions())
        if (a->text() == caption)
            return a;
    return nullptr;
}

QRadioButton *BalanceListWindow::kindChoice(BalanceListKind kind) const
{
    return m_kinds[int(kind) - 1];
}

QLineEdit *BalanceListWindow::totalField(const QString &caption) const
{
    return findChild<QLineEdit *>(caption);
}

} // namespace dalvira
