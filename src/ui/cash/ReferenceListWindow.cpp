#include "cash/ReferenceListWindow.h"

#include "cash/ReferenceChoices.h"
#include "common/EnterMovesFocus.h"
#include "common/Prompt.h"
#include "common/WindowPlacement.h"
#include "session/AppContext.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace dalvira {

namespace {

const QString kBreak = QStringLiteral("\n\r");

bool isMethods(ReferenceList::Kind kind)
{
    return kind == ReferenceList::Kind::PaymentMethods;
}

} // namespace

QString ReferenceListWindow::removeQuestion()
{
    return QStringLiteral("Kaydı silmek istediğinize eminmisiniz?");
}

QString ReferenceListWindow::reassignQuestion(const QString &oldMethod, const QString &newMethod)
{
    const QString two = kBreak + kBreak;
    const QString q = QStringLiteral("\"");
    return QStringLiteral("Yapacağınız işlem sonucu :") + two + q + oldMethod + q + two +
           QStringLiteral("ödeme şekline ait kayıtlar;") + two + q + newMethod + q + two +
           QStringLiteral("ödeme şekli olarak değiştirilecektir.") + two +
           QStringLiteral("Yapılan değişiklik sonrası değiştirilen") + QLatin1Char(' ') + q +
           QStringLiteral("Ödeme Şekline") + q + QStringLiteral(" geri dönülemeyecektir.") + two +
           QStringLiteral("Devam edilsin mi?");
}

ReferenceListWindow::ReferenceListWindow(AppContext &app, ReferenceList::Kind kind, QWidget *parent)
    : QWidget(parent), m_app(app), m_list(kind)
{
    const bool methods = isMethods(kind);
    setObjectName(methods ? kMethodsName : kCurrenciesName);
    setWindowTitle(methods ? QStringLiteral("Ödeme Şekilleri") : QStringLiteral("Para Birimleri"));

    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("entryText"));
    m_add = new QPushButton(QStringLiteral("EKLE"), this);
    m_add->setAutoDefault(false);
    m_add->setMinimumHeight(30);
    m_view = new QListWidget(this);
    m_view->setObjectName(QStringLiteral("entryList"));
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);

    auto *label =
        new QLabel(methods ? QStringLiteral("Ödeme Şekli") : QStringLiteral("Para Birimi"), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *top = new QGridLayout;
    top->addWidget(label, 0, 0);
    top->addWidget(m_text, 0, 1);
    top->addWidget(m_add, 0, 2);
    top->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_view, 1);

    m_menu = new QMenu(this);
    QAction *remove = m_menu->addAction(QStringLiteral("Kaydı Sil"));
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_view->addAction(remove);
    connect(remove, &QAction::triggered, this, [this] { removeSelected(); });
    if (methods) {
        QAction *reassign = m_menu->addAction(QStringLiteral("Bu Ödeme Şekline Aktar"));
        connect(reassign, &QAction::triggered, this, [this] { reassignToSelected(); });
    }
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_menu->popup(m_view->viewport()->mapToGlobal(pos)); });
    connect(m_add, &QPushButton::clicked, this, [this] { add(); });
    // Enter in the field adds what was typed, the one thing this screen is for.
    setEnterKeepsFocus(m_text);
    connect(m_text, &QLineEdit::returnPressed, this, [this] { add(); });
    installEnterMovesFocus(this);

    reload();
    resize(340, 400);
}

void ReferenceListWindow::reload()
{
    if (const Result r = m_list.load(); !r)
        m_app.prompt().error(kCaption, r.message());
    showEntries();
}

void ReferenceListWindow::showEntries()
{
    const int row = m_view->currentRow();
    m_view->clear();
    m_view->addItems(m_list.entries());
    // Only a row the user had chosen is chosen again: "Kaydı Sil" never acts on a row that
    // was selected for him.
    if (row >= 0 && m_view->count() > 0)
        m_view->setCurrentRow(std::min(row, m_view->count() - 1));
}

void ReferenceListWindow::open()
{
    showCentred(this);
    m_text->setFocus();
}

bool ReferenceListWindow::add()
{
    const QString text = m_text->text();
    if (text.isEmpty())
        return false;
    const Result r = m_list.add(text);
    if (r) {
        m_text->clear();
        showEntries();
        m_view->setCurrentRow(m_view->count() - 1);
    } else {
        m_app.prompt().warning(kCaption, r.message());
    }
    refillLists();
    return r.ok();
}

bool ReferenceListWindow::removeSelected()
{
    const int row = m_view->currentRow();
    if (row < 0 || !m_view->currentItem() || !m_view->currentItem()->isSelected())
        return false;
    if (m_app.prompt().question(kCaption, removeQuestion()) != Answer::Yes)
        return false;
    const Result r = m_list.removeAt(row);
    if (!r)
        m_app.prompt().error(kCaption, r.message());
    showEntries();
    refillLists();
    return r.ok();
}

bool ReferenceListWindow::reassignToSelected()
{
    if (!isMethods(kind()))
        return false;
    Session &session = m_app.session();
    const QString tag = session.methodPickerCaller;
    QListWidgetItem *item = m_view->currentItem();
    if (!item || tag.isEmpty() || !m_targets.contains(tag))
        return false;
    const MethodPickTarget &target = m_targets[tag];
    const QString newMethod = item->text();
    const QString oldMethod = target.replacedMethod ? target.replacedMethod() : QString();
    if (m_app.prompt().question(kProgramCaption, reassignQuestion(oldMethod, newMethod)) !=
        Answer::Yes)
        return false;
    if (!target.accept)
        return false;
    if (const Result r = target.accept(newMethod); !r) {
        if (!r.wasCancelled())
            m_app.prompt().error(kCaption, r.message());
        return false;
    }
    session.methodPickerCaller.clear();
    hide();
    return true;
}

void ReferenceListWindow::setPickTarget(const QString &callerTag, MethodPickTarget target)
{
    m_targets.insert(callerTag, std::move(target));
}

QStringList ReferenceListWindow::choices(int kind) const
{
    if (isMethods(m_list.kind()))
        return methodChoices(m_list.entries(), static_cast<MethodListKind>(kind));
    return currencyChoices(m_list.entries(), static_cast<CurrencyListKind>(kind));
}

void ReferenceListWindow::refillLists()
{
    m_lists.refill([this](int kind) { return choices(kind); });
}

} // namespace dalvira
