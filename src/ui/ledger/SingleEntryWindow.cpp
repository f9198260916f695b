#include "ledger/SingleEntryWindow.h"

#include "book/TypeLists.h"
#include "cash/MethodLists.h"
#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "common/EnterMovesFocus.h"
#include "common/Formats.h"
#include "common/Prompt.h"
#include "common/WindowPlacement.h"
#include "flats/FlatListScreens.h"
#include "session/AppContext.h"

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

namespace dalvira {

namespace {

const QString kMethodCash = QStringLiteral("Kasa");

// The holder choices in the order the screen offers them.
const AccountHolder kHolderOrder[] = {AccountHolder::Resident, AccountHolder::Owner,
                                      AccountHolder::FormerResident, AccountHolder::FormerOwner};

QString holderCaption(AccountHolder holder)
{
    switch (holder) {
    case AccountHolder::Resident:
        return QStringLiteral("Dairede Oturan");
    case AccountHolder::Owner:
        return QStringLiteral("Daire Sahibi");
    case AccountHolder::FormerResident:
        return QStringLiteral("Eski Oturan");
    case AccountHolder::FormerOwner:
        return QStringLiteral("Eski Sahibi");
    }
    return {};
}

QLineEdit *readOnlyField(QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::NoFocus);
    return field;
}

QLabel *fieldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

SingleEntryWindow::SingleEntryWindow(AppContext &app, QWidget *parent) : QWidget(parent), m_app(app)
{
    setWindowTitle(QStringLiteral("Tolvek Dalvira - Üye Borç-Alacak Girişi"));
    buildLayout();
    installEnterMovesFocus(this);

    fillCurrencyList(m_app, m_currency, CurrencyListKind::HomeFirst);
    registerCurrencyList(m_app, m_currency, CurrencyListKind::HomeFirst, ListSelection::Keep);
    fillMethodList(m_app, m_method, MethodListKind::Methods);
    if (const int cash = m_method->findText(kMethodCash); cash >= 0)
        m_method->setCurrentIndex(cash);
    registerMethodList(m_app, m_method, MethodListKind::Methods, ListSelection::Keep);
    // The types come in table order; "Sırala" only changes how they are shown.
    registerTypeList(m_app, this, TypeListKind::Plain,
                     [this](const QStringList &entries) { setTypeEntries(entries); });
    refreshTypes();
}

void SingleEntryWindow::buildLayout()
{
    auto *heading = new QLabel(QStringLiteral("Üye Borç-Ödeme Girişi"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    heading->setFont(headingFont);

    // The flat and its people.
    auto *flatBox = new QGroupBox(this);
    auto *flatGrid = new QGridLayout(flatBox);
    m_flatNumber = new QLineEdit(flatBox);
    m_flatNumber->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,9}")), m_flatNumber));
    m_flatNumber->setToolTip(QStringLiteral("Daire listesinden seçmek için çift tıklayın."));
    m_flatNumber->installEventFilter(this);
    m_fetch = new QPushButton(QStringLiteral("Getir"), flatBox);
    m_fetch->setAutoDefault(false);
    connect(m_fetch, &QPushButton::clicked, this, [this] { fetchFlat(); });
    auto *numberRow = new QHBoxLayout;
    numberRow->addWidget(m_flatNumber, 1);
    numberRow->addWidget(m_fetch);
    int row = 0;
    flatGrid->addWidget(fieldLabel(QStringLiteral("Kayıt No"), flatBox), row, 0);
    flatGrid->addLayout(numberRow, row++, 1);
    const QPair<AccountHolder, QString> names[] = {
        {AccountHolder::Owner, QStringLiteral("Daire Sahibi")},
        {AccountHolder::Resident, QStringLiteral("Oturan")},
        {AccountHolder::FormerOwner, QStringLiteral("Eski Sahibi")},
        {AccountHolder::FormerResident, QStringLiteral("Eski Oturan")},
    };
    for (const auto &[holder, caption] : names) {
        QLineEdit *field = readOnlyField(flatBox);
        m_names.insert(int(holder), field);
        flatGrid->addWidget(fieldLabel(caption, flatBox), row, 0);
        flatGrid->addWidget(field, row++, 1);
    }
    m_block = readOnlyField(flatBox);
    m_flat = readOnlyField(flatBox);
    m_outerDoor = readOnlyField(flatBox);
    auto *placeRow = new QHBoxLayout;
    placeRow->addWidget(m_block, 2);
    placeRow->addWidget(fieldLabel(QStringLiteral("Dairesi"), flatBox));
    placeRow->addWidget(m_flat, 1);
    placeRow->addWidget(fieldLabel(QStringLiteral("Dış Kapı No"), flatBox));
    placeRow->addWidget(m_outerDoor, 1);
    flatGrid->addWidget(fieldLabel(QStringLiteral("Bloğu"), flatBox), row, 0);
    flatGrid->addLayout(placeRow, row++, 1);
    flatGrid->setColumnStretch(1, 1);
    // Both groups start their fields at the same place.
    const int labelWidth = fontMetrics().horizontalAdvance(QStringLiteral("Ödeme Tutarı")) + 4;
    flatGrid->setColumnMinimumWidth(0, labelWidth);

    // The movement.
    auto *moveBox = new QGroupBox(this);
    auto *moveGrid = new QGridLayout(moveBox);
    m_date = new DateEdit(moveBox);
    m_date->setPrompt(&m_app.prompt());
    m_debit = new AmountEdit(moveBox);
    m_credit = new AmountEdit(moveBox);
    m_description = new QLineEdit(moveBox);
    m_description->setMaxLength(50);
    m_currency = new QComboBox(moveBox);
    m_type = new QComboBox(moveBox);
    m_type->setMinimumContentsLength(24);
    m_sortTypes = new QCheckBox(QStringLiteral("Sırala"), moveBox);
    connect(m_sortTypes, &QCheckBox::toggled, this, [this] { showTypeEntries(); });
    m_method = new QComboBox(moveBox);
    auto *typeRow = new QHBoxLayout;
    typeRow->addWidget(m_type, 1);
    typeRow->addWidget(m_sortTypes);
    row = 0;
    moveGrid->addWidget(fieldLabel(QStringLiteral("Tarihi"), moveBox), row, 0);
    moveGrid->addWidget(m_date, row++, 1);
    moveGrid->addWidget(fieldLabel(QStringLiteral("Borç Tutarı"), moveBox), row, 0);
    moveGrid->addWidget(m_debit, row++, 1);
    moveGrid->addWidget(fieldLabel(QStringLiteral("Ödeme Tutarı"), moveBox), row, 0);
    moveGrid->addWidget(m_credit, row++, 1);
    moveGrid->addWidget(fieldLabel(QStringLiteral("Açıklama"), moveBox), row, 0);
    moveGrid->addWidget(m_description, row++, 1, 1, 3);
    moveGrid->addWidget(fieldLabel(QStringLiteral("Para Cinsi"), moveBox), row, 0);
    moveGrid->addWidget(m_currency, row++, 1);
    moveGrid->addWidget(fieldLabel(QStringLiteral("Gelir Türü"), moveBox), row, 0);
    moveGrid->addLayout(typeRow, row++, 1, 1, 3);
    moveGrid->addWidget(fieldLabel(QStringLiteral("Ödeme Şekli"), moveBox), row, 0);
    moveGrid->addWidget(m_method, row++, 1);
    moveGrid->setColumnStretch(2, 1);
    moveGrid->setColumnMinimumWidth(0, labelWidth);

    auto *holderBox = new QGroupBox(QStringLiteral("Hareketin Girileceği Kişi"), this);
    auto *holderGrid = new QGridLayout(holderBox);
    int index = 0;
    for (AccountHolder holder : kHolderOrder) {
        auto *choice = new QRadioButton(holderCaption(holder), holderBox);
        m_holders.insert(int(holder), choice);
        holderGrid->addWidget(choice, index / 2, index % 2);
        ++index;
    }
    m_holders.value(int(AccountHolder::Resident))->setChecked(true);

    m_interest = new QCheckBox(QStringLiteral("İşlem Faiz Tutarıdır"), this);
    m_income = new QCheckBox(QStringLiteral("İşletme Gelir'e de Ekle"), this);
    m_income->setChecked(true);
    auto *boxes = new QHBoxLayout;
    boxes->addWidget(m_interest);
    boxes->addSpacing(24);
    boxes->addWidget(m_income);
    boxes->addStretch(1);

    auto *fields = new QVBoxLayout;
    fields->addWidget(heading);
    fields->addWidget(flatBox);
    fields->addWidget(moveBox);
    fields->addWidget(holderBox);
    fields->addLayout(boxes);
    fields->addStretch(1);

    m_save = new QPushButton(QStringLiteral("Kaydet"), this);
    m_close = new QPushButton(QStringLiteral("KAPAT"), this);
    auto *commands = new QVBoxLayout;
    for (QPushButton *button : {m_save, m_close}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(110);
        commands->addWidget(button);
    }
    commands->addStretch(1);
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);

    auto *body = new QHBoxLayout;
    body->addLayout(fields, 1);
    body->addLayout(commands);

    m_status = new QLabel(this);
    m_status->setFrameShape(QFrame::StyledPanel);
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(body, 1);
    outer->addWidget(m_status);

    setTabOrder(m_flatNumber, m_fetch);
    setTabOrder(m_fetch, m_date);
    setTabOrder(m_date, m_debit);
    setTabOrder(m_debit, m_credit);
    setTabOrder(m_credit, m_description);
    setTabOrder(m_description, m_currency);
    setTabOrder(m_currency, m_type);
    setTabOrder(m_type, m_sortTypes);
    setTabOrder(m_sortTypes, m_method);
    resize(620, sizeHint().height());
}

QLineEdit *SingleEntryWindow::nameField(AccountHolder holder) const
{
    return m_names.value(int(holder));
}

AccountHolder SingleEntryWindow::holder() const
{
    for (AccountHolder h : kHolderOrder)
        if (m_holders.value(int(h))->isChecked())
            return h;
    return AccountHolder::Resident;
}

void SingleEntryWindow::setHolder(AccountHolder holder)
{
    m_holders.value(int(holder))->setChecked(true);
}

void SingleEntryWindow::showFlat(const SingleEntryFlat &flat)
{
    m_flatNumber->setText(QString::number(flat.number));
    for (AccountHolder h : kHolderOrder)
        nameField(h)->setText(flat.holderName(h));
    m_block->setText(flat.block);
    m_flat->setText(flat.flat);
    m_outerDoor->setText(flat.outerDoor);
}

bool SingleEntryWindow::fetchFlat()
{
    QString message;
    const std::optional<SingleEntryFlat> flat =
        SingleEntry(m_app.storage().ana()).loadFlat(m_flatNumber->text(), &message);
    if (!flat) {
        m_app.prompt().warning(kCaption, message);
        return false;
    }
    showFlat(*flat);
    return true;
}

void SingleEntryWindow::pickFlat()
{
    if (!m_pickRegistered) {
        FlatPickCaller caller;
        caller.choosesHolder = false;
        caller.deliver = [this](const FlatPick &pick) { takePick(pick); };
        registerFlatPickCaller(m_app, kPickTag, std::move(caller));
        m_pickRegistered = true;
    }
    showFlatPicker(m_app, kPickTag);
}

void SingleEntryWindow::takePick(const FlatPick &pick)
{
    m_flatNumber->setText(pick.flat.flatNumberText());
    nameField(AccountHolder::Owner)->setText(pick.flat.ownerName());
    nameField(AccountHolder::Resident)->setText(pick.flat.residentName());
    nameField(AccountHolder::FormerOwner)->setText(pick.flat.formerOwnerName());
    nameField(AccountHolder::FormerResident)->setText(pick.flat.formerResidentName());
    m_block->setText(pick.flat.block);
    m_flat->setText(pick.flat.flat);
    m_outerDoor->setText(pick.flat.door);
    show();
    raise();
    activateWindow();
    m_date->setFocus();
}

SingleEntryInput SingleEntryWindow::input() const
{
    SingleEntryInput in;
    in.flatNumberText = m_flatNumber->text();
    in.dateText = m_date->text();
    in.debit = m_debit->value();
    in.credit = m_credit->value();
    in.description = m_description->text();
    in.currency = m_currency->currentText();
    in.type = m_type->currentText();
    in.paymentMethod = m_method->currentText();
    in.holder = holder();
    in.interest = m_interest->isChecked();
    in.addIncome = m_income->isChecked();
    return in;
}

bool SingleEntryWindow::save()
{
    const SingleEntry entry(m_app.storage().ana());
    const SingleEntry::Checked checked = entry.check(input());
    // The names shown are the flat's current ones, whatever the outcome.
    if (checked.ok())
        showFlat(checked.plan->flat);
    else if (checked.refusal.flat)
        showFlat(*checked.refusal.flat);

    if (!checked.ok()) {
        if (checked.refusal.field == SingleEntryRefusal::Field::Date)
            m_date->clear();
        m_app.prompt().warning(kCaption, checked.refusal.message);
        return false;
    }
    const SingleEntryPlan &plan = *checked.plan;
    m_date->setText(plan.dateText);
    if (m_app.prompt().question(kCaption, plan.confirmationText(), QuestionButtons::YesNo,
                                Answer::Yes) != Answer::Yes)
        return false;

    const Result result = entry.save(plan);
    if (!result) {
        m_app.prompt().error(kCaption, result.message());
        return false;
    }
    clearAfterSave();
    return true;
}

void SingleEntryWindow::clearAfterSave()
{
    // Currency, type, method, holder choice and the income box stay for the next entry.
    m_flatNumber->clear();
    for (QLineEdit *name : std::as_const(m_names))
        name->clear();
    m_block->clear();
    m_flat->clear();
    m_outerDoor->clear();
    m_date->clear();
    m_description->clear();
    m_debit->clear();
    m_credit->clear();
    m_interest->setChecked(false);
    m_flatNumber->setFocus();
}

void SingleEntryWindow::refreshTypes()
{
    // The list is read through the type lists' own filler, never from the table here.
    QComboBox scratch;
    if (!fillTypeList(m_app, &scratch, TypeListKind::Plain))
        return;
    QStringList entries;
    for (int i = 0; i < scratch.count(); ++i)
        entries.append(scratch.itemText(i));
    setTypeEntries(entries);
}

void SingleEntryWindow::setTypeEntries(const QStringList &entries)
{
    m_typeEntries = entries;
    m_type->clear(); // a refill selects the first entry
    showTypeEntries();
}

void SingleEntryWindow::showTypeEntries()
{
    const QString current = m_type->currentText();
    QStringList shown = m_typeEntries;
    if (m_sortTypes->isChecked()) {
        QCollator collator{QLocale(QLocale::Turkish, QLocale::Turkey)};
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::stable_sort(
            shown.begin(), shown.end(),
            [&collator](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
    }
    m_type->clear();
    m_type->addItems(shown);
    const int keep = current.isEmpty() ? -1 : m_type->findText(current);
    m_type->setCurrentIndex(keep >= 0 ? keep : (shown.isEmpty() ? -1 : 0));
}

void SingleEntryWindow::open(const Prefill &prefill)
{
    if (prefill.flatNumber != 0) {
        m_flatNumber->setText(QString::number(prefill.flatNumber));
        fetchFlat();
    }
    if (prefill.holder) {
        setHolder(*prefill.holder);
    } else if (!prefill.holderName.isEmpty()) {
        for (AccountHolder h : kHolderOrder) {
            if (nameField(h)->text() == prefill.holderName) {
                setHolder(h);
                break;
            }
        }
    }
    if (prefill.debit)
        m_debit->setValue(*prefill.debit);
    if (prefill.credit)
        m_credit->setValue(*prefill.credit);
    if (prefill.date.isValid())
        m_date->setDate(prefill.date);
    if (prefill.description)
        m_description->setText(*prefill.description);
    if (prefill.interest)
        m_interest->setChecked(*prefill.interest);

    refreshTypes(); // the first type is selected
    if (!prefill.type.isEmpty()) {
        const int index = m_type->findText(prefill.type);
        if (index >= 0)
            m_type->setCurrentIndex(index);
    }

    showCentred(this);
    switch (prefill.focus) {
    case Focus::Type:
        m_type->setFocus();
        break;
    case Focus::Debit:
        m_debit->setFocus();
        break;
    case Focus::Credit:
        m_credit->setFocus();
        break;
    }
}

void SingleEntryWindow::openFor(int flatNumber, const QString &holderName, Focus focus)
{
    Prefill prefill;
    prefill.flatNumber = flatNumber;
    prefill.holderName = holderName;
    prefill.focus = focus;
    open(prefill);
}

void SingleEntryWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        m_app.showHelp(kHelpTopic);
        return;
    }
    // Escape must not lose what was typed.
    if (event->key() == Qt::Key_Escape)
        return;
    QWidget::keyPressEvent(event);
}

void SingleEntryWindow::showEvent(QShowEvent *event)
{
    m_status->setText(m_app.session().siteLabel);
    QWidget::showEvent(event);
}

bool SingleEntryWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_flatNumber && event->type() == QEvent::MouseButtonDblClick) {
        pickFlat();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dalvira
