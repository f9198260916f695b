#include "flats/FlatPaymentPlanPage.h"

#include "book/TypeLists.h"
#include "cash/MethodLists.h"
#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "common/Formats.h"
#include "common/Prompt.h"
#include "common/TextHelpers.h"
#include "ledger/InstalmentPlan.h"
#include "ledger/PaymentPlan.h"
#include "session/AppContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace dalvira {

namespace {

// The start field counts as filled in when its digits, read as one number, reach this.
constexpr double kFilledDateDigits = 110;

QLabel *rightLabel(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

} // namespace

FlatPaymentPlanPage::FlatPaymentPlanPage(AppContext &app, std::function<qint64()> currentFlat,
                                         QWidget *parent)
    : QWidget(parent), m_app(app), m_currentFlat(std::move(currentFlat))
{
    auto *heading = new QLabel(QStringLiteral("ÖDEME PLANI OLUŞTURMA"), this);
    QFont hf = heading->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() * 1.2);
    heading->setFont(hf);

    auto *setup = new QGroupBox(this);
    auto *sg = new QGridLayout(setup);
    m_total = new AmountEdit(setup);
    m_start = new DateEdit(setup);
    m_start->setResetToDefaultDate(true);
    m_start->setPrompt(&app.prompt());
    m_count = new QSpinBox(setup);
    m_count->setRange(1, kMaxInstalments);
    m_count->setValue(kMaxInstalments);
    m_step = new QSpinBox(setup);
    m_step->setRange(1, 12);
    m_step->setValue(1);
    m_monthEnd = new QCheckBox(QStringLiteral("Günü Ay Sonu Olsun"), setup);
    sg->addWidget(rightLabel(QStringLiteral("Toplam Tutar"), setup), 0, 0);
    sg->addWidget(m_total, 0, 1);
    sg->addWidget(rightLabel(QStringLiteral("Başlangıç Tarihi"), setup), 0, 2);
    sg->addWidget(m_start, 0, 3);
    sg->addWidget(rightLabel(QStringLiteral("Taksit Sayısı"), setup), 1, 0);
    sg->addWidget(m_count, 1, 1);
    sg->addWidget(rightLabel(QStringLiteral("Taksit Ay Sayısı"), setup), 1, 2);
    sg->addWidget(m_step, 1, 3);
    sg->addWidget(m_monthEnd, 2, 1, 1, 3);

    auto *rows = new QGroupBox(this);
    auto *rg = new QGridLayout(rows);
    for (int i = 0; i < kMaxInstalments; ++i) {
        auto *date = new DateEdit(rows);
        date->setResetToDefaultDate(true);
        date->setPrompt(&app.prompt());
        auto *amount = new AmountEdit(rows);
        m_dates.append(date);
        m_amounts.append(amount);
        // Two columns of six rows.
        const int r = i % 6;
        const int c = (i / 6) * 4;
        rg->addWidget(rightLabel(QStringLiteral("%1.Tarihi").arg(i + 1), rows), r, c);
        rg->addWidget(date, r, c + 1);
        rg->addWidget(rightLabel(QStringLiteral("Tutarı"), rows), r, c + 2);
        rg->addWidget(amount, r, c + 3);
    }

    auto *details = new QGroupBox(this);
    auto *dg = new QGridLayout(details);
    m_type = new QComboBox(details);
    m_currency = new QComboBox(details);
    m_description = new QLineEdit(details);
    m_description->setMaxLength(50);
    dg->addWidget(rightLabel(QStringLiteral("İşlem Türü"), details), 0, 0);
    dg->addWidget(m_type, 0, 1);
    dg->addWidget(rightLabel(QStringLiteral("Para Cinsi"), details), 0, 2);
    dg->addWidget(m_currency, 0, 3);
    dg->addWidget(rightLabel(QStringLiteral("Açıklama"), details), 1, 0);
    dg->addWidget(m_description, 1, 1, 1, 3);
    dg->setColumnStretch(1, 2);
    dg->setColumnStretch(3, 1);
    auto *holderRow = new QHBoxLayout;
    for (const QString &caption :
         {QStringLiteral("Daire Sahibine Aktar"), QStringLiteral("Oturana Aktar"),
          QStringLiteral("Eski Daire Sahibine Aktar"), QStringLiteral("Eski Oturana Aktar")}) {
        auto *b = new QRadioButton(caption, details);
        m_holders.append(b);
        holderRow->addWidget(b);
    }
    m_holders.first()->setChecked(true);
    dg->addLayout(holderRow, 2, 0, 1, 4);

    auto makeButton = [this](const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
        return b;
    };
    m_build = makeButton(QStringLiteral("TAKSİTLERİ OLUŞTUR"));
    m_clear = makeButton(QStringLiteral("TEMİZLE"));
    m_post = makeButton(QStringLiteral("ÖDEME PLANINI KAYDET"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_build);
    buttons->addWidget(m_clear);
    buttons->addStretch(1);
    buttons->addWidget(m_post);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(setup);
    layout->addWidget(rows);
    layout->addWidget(details);
    layout->addLayout(buttons);
    layout->addStretch(1);

    connect(m_build, &QPushButton::clicked, this, &FlatPaymentPlanPage::buildPlan);
    connect(m_clear, &QPushButton::clicked, this, &FlatPaymentPlanPage::clearPlan);
    connect(m_post, &QPushButton::clicked, this, [this] { postPlan(); });

    registerTypeList(app, m_type, TypeListKind::Plain, ListSelection::Keep);
    registerCurrencyList(app, m_currency, CurrencyListKind::HomeFirst, ListSelection::Keep);
}

QRadioButton *FlatPaymentPlanPage::holderButton(AccountHolder holder) const
{
    return m_holders.value(int(holder));
}

AccountHolder FlatPaymentPlanPage::chosenHolder() const
{
    for (int i = 0; i < m_holders.size(); ++i) {
        if (m_holders.at(i)->isChecked())
            return AccountHolder(i);
    }
    return AccountHolder::Owner;
}

void FlatPaymentPlanPage::clearPlan()
{
    for (int i = 0; i < kMaxInstalments; ++i) {
        m_dates.at(i)->clear();
        m_amounts.at(i)->clear();
    }
    m_description->clear();
}

void FlatPaymentPlanPage::buildPlan()
{
    clearPlan();
    InstalmentPlanRequest request;
    if (parseDigits(m_start->text()) >= kFilledDateDigits)
        request.start = m_start->date();
    request.total = m_total->text().trimmed().isEmpty() ? 0 : m_total->value();
    request.count = m_count->value();
    request.stepMonths = m_step->value();
    request.monthEnd = m_monthEnd->isChecked();
    QList<Instalment> plan;
    if (const Result r = buildInstalmentPlan(request, plan); !r) {
        m_app.prompt().warning(kCaption, r.message());
        return;
    }
    for (int i = 0; i < plan.size(); ++i) {
        m_amounts.at(i)->setText(formatAmount(plan.at(i).amount, kAmountFormatNoZero));
        m_dates.at(i)->setDate(plan.at(i).date);
    }
}

bool FlatPaymentPlanPage::postPlan()
{
    PaymentPlan plan;
    for (int i = 0; i < kMaxInstalments; ++i) {
        DateEdit *date = m_dates.at(i);
        PaymentPlan::Row row;
        row.amount = m_amounts.at(i)->value();
        if (!date->isBlank()) {
            row.date = date->date();
            // A date the completion let through (31.02) is not a day a debt can fall on.
            if (!row.date.isValid()) {
                m_app.prompt().warning(kCaption, QLatin1Char('"') + date->text() +
                                                     QStringLiteral("\" tarih girişiniz uygun "
                                                                    "değil!"));
                date->setFocus();
                return false;
            }
        }
        plan.rows.append(row);
    }
    PaymentPlanSummary summary;
    if (const Result r = summarizePaymentPlan(plan, summary); !r) {
        m_app.prompt().warning(kCaption, r.message());
        return false;
    }
    m_total->setText(formatAmount(summary.total, kAmountFormatNoZero));
    m_count->setValue(std::clamp(summary.instalments, 1, kMaxInstalments));
    if (m_app.prompt().question(kProgramCaption, paymentPlanQuestion(),
                                QuestionButtons::YesNoCancel) != Answer::Yes)
        return false;

    plan.start = m_start->date();
    plan.holder = chosenHolder();
    plan.type = m_type->currentText();
    plan.currency = m_currency->currentText();
    plan.description = m_description->text();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const Result r = postPaymentPlan(m_app.storage().ana(), m_currentFlat(), plan);
    QApplication::restoreOverrideCursor();
    if (!r) {
        m_app.prompt().error(kCaption, r.message());
        return false;
    }
    m_app.prompt().information(kCaption, paymentPlanDoneMessage());
    return true;
}

} // namespace dalvira
