#include "book/TransactionTypesWindow.h"

#include "book/TransactionTypes.h"
#include "book/TypeLists.h"
#include "common/EnterMovesFocus.h"
#include "common/GridStyle.h"
#include "common/Prompt.h"
#include "common/WaitWindow.h"
#include "common/WindowPlacement.h"
#include "session/AppContext.h"
#include "storage/ProgramFolder.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace dalvira {

namespace {

const QString kBreak = QStringLiteral("\n\r");
const QString kQuote = QStringLiteral("\"");
const QString kHelpTopic = QStringLiteral("yturgirisleri");

QString quoted(const QString &text)
{
    return kQuote + text + kQuote;
}

} // namespace

QString TransactionTypesWindow::deleteQuestion(const TransactionType &type)
{
    return quoted(type.kodu) + QStringLiteral(" kodlu ") + quoted(type.adi) +
           QStringLiteral(" adlı gelir silinecektir. Eminmisiniz?");
}

QString TransactionTypesWindow::renameQuestion(const QString &oldName, int usage)
{
    return quoted(oldName) +
           QStringLiteral(" işlem türü %1 kayıtta kullanılıyor. Bu kayıtlar eski adı ile "
                          "kalacak, yeni ad yalnızca bundan sonraki girişlerde sunulacaktır.")
               .arg(usage) +
           kBreak + QStringLiteral("Devam edilsin mi?");
}

QString TransactionTypesWindow::fillQuestion(const QString &typeName)
{
    return QStringLiteral("Bu işlem ") + quoted(QStringLiteral("Gelir Türü")) +
           QStringLiteral(" olmayan işlemlere gelir türü olarak") + kBreak + typeName + kBreak +
           QStringLiteral("gelir türünü aktaracaktır. Aktarım yapıldıktan sonra ") + kBreak +
           QStringLiteral("geri dönülmesi mümkün OLMAYACAKTIR.Aktarma işlemi yapılsınmı?");
}

QString TransactionTypesWindow::retypeQuestion(const QString &tag, const QString &oldName,
                                               const QString &newName)
{
    const bool income = tag == QStringLiteral("GelirDetay");
    const QString two = kBreak + kBreak;
    return QStringLiteral("Yapacağınız işlem sonucu :") + two + quoted(oldName) + two +
           (income ? QStringLiteral("gelir işlem türüne ait kayıtlar;")
                   : QStringLiteral("gider işlem türüne ait kayıtlar;")) +
           two + quoted(newName) + two +
           (income ? QStringLiteral("gelir işlem türü olarak değiştirilecektir.")
                   : QStringLiteral("gider işlem türü olarak değiştirilecektir.")) +
           two + QStringLiteral("Yapılan değişiklik sonrası değiştirilen") + QLatin1Char(' ') +
           quoted(income ? QStringLiteral("Gelir İşlem Türüne")
                         : QStringLiteral("Gider İşlem Türüne")) +
           QStringLiteral(" geri dönülemeyecektir.") + two + QStringLiteral("Devam edilsin mi?");
}

TransactionTypesWindow::TransactionTypesWindow(AppContext &app, QWidget *parent)
    : QWidget(parent), m_app(app)
{
    setObjectName(kName);
    setWindowTitle(QStringLiteral("Tolvek Dalvira İşlem Türleri"));

    auto *heading = new QLabel(QStringLiteral("İŞLEM TÜRLERİ GİRİŞİ"), this);
    QFont hf = heading->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() * 1.4);
    heading->setFont(hf);

    m_code = new QLineEdit(this);
    m_code->setObjectName(QStringLiteral("kodu"));
    m_code->setMaxLength(TransactionTypes::kCodeLength);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("adi"));
    m_name->setMaxLength(TransactionTypes::kNameLength);
    for (QLineEdit *field : {m_code, m_name})
        connect(field, &QLineEdit::textEdited, this, [this] { m_edited = true; });

    auto *fields = new QGridLayout;
    auto label = [this](const QString &text) {
        auto *l = new QLabel(text, this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    fields->addWidget(label(QStringLiteral("İşlem Türü Kodu")), 0, 0);
    fields->addWidget(m_code, 0, 1);
    fields->addWidget(label(QStringLiteral("İşlem Türü Adı")), 1, 0);
    fields->addWidget(m_name, 1, 1, 1, 2);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(2, 3);

    m_table = new QTableWidget(0, 2, this);
    m_table->setObjectName(QStringLiteral("typeList"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("Kodu"), QStringLiteral("İşlem Türü Adı")});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(0, 90);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    applyGridStyle(m_table);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, [this] {
        if (!m_filling)
            rowChosen();
    });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] { pick(); });

    m_menu = new QMenu(this);
    QAction *fill = m_menu->addAction(QStringLiteral("Boş Gelir İşlem Türlerine Aktar"));
    connect(fill, &QAction::triggered, this, [this] { fillUntypedMovements(); });
    connect(m_table, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_menu->popup(m_table->viewport()->mapToGlobal(pos)); });

    auto *commands = new QVBoxLayout;
    auto command = [&](const QString &caption, auto handler) {
        auto *b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
        b->setMinimumWidth(160);
        connect(b, &QPushButton::clicked, this, handler);
        commands->addWidget(b);
        m_buttons.append(b);
        return b;
    };
    command(QStringLiteral("SAKLA"), [this] { store(); });
    command(QStringLiteral("YENİ İŞLEM TÜRÜ"), [this] { startNew(); });
    command(QStringLiteral("SİL"), [this] { removeCurrent(); });
    command(QStringLiteral("VAZGEÇ"), [this] { discard(); });
    command(QStringLiteral("SEÇ"), [this] { pick(); });
    command(QStringLiteral("YARDIM"), [this] {
        if (QFileInfo::exists(GetPathPath() + kHelpTopic))
            m_app.showHelp(kHelpTopic);
    });
    commands->addStretch();
    command(QStringLiteral("KAPAT"), [this] { closeScreen(); });

    auto *left = new QVBoxLayout;
    left->addWidget(heading);
    left->addLayout(fields);
    left->addWidget(m_table, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(commands);

    installEnterMovesFocus(this);
    resize(620, 480);
}

QPushButton *TransactionTypesWindow::button(const QString &caption) const
{
    for (QPushButton *b : m_buttons) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

void TransactionTypesWindow::setPickTarget(const QString &callerTag, TypePickTarget target)
{
    m_targets.insert(callerTag, std::move(target));
}

std::optional<TransactionType> TransactionTypesWindow::currentType() const
{
    if (m_inserting || m_current < 0 || m_current >= m_types.size())
        return std::nullopt;
    return m_types.at(m_current);
}

void TransactionTypesWindow::open()
{
    if (!hasPendingChange())
        reload(currentType() ? currentType()->gidi : 0);
    showCentred(this);
}

bool TransactionTypesWindow::reload(qint64 currentKey)
{
    QList<TransactionType> types;
    try {
        types = TransactionTypes(m_app.storage().ana()).list();
    } catch (const OperationError &e) {
        m_app.prompt().error(kCaption, e.message());
        return false;
    }
    m_types = types;
    m_inserting = false;
    m_edited = false;
    m_current = m_types.isEmpty() ? -1 : 0;
    for (int i = 0; i < m_types.size(); ++i) {
        if (m_types[i].gidi == currentKey)
            m_current = i;
    }
    m_filling = true;
    m_table->clearSelection();
    m_table->setRowCount(int(m_types.size()));
    for (int i = 0; i < m_types.size(); ++i) {
        m_table->setItem(i, 0, new QTableWidgetItem(m_types[i].kodu));
        m_table->setItem(i, 1, new QTableWidgetItem(m_types[i].adi));
    }
    if (m_current >= 0) {
        m_table->selectRow(m_current);
        m_table->scrollToItem(m_table->item(m_current, 0));
    }
    m_filling = false;
    showRecord();
    return true;
}

void TransactionTypesWindow::showRecord()
{
    const std::optional<TransactionType> type = currentType();
    m_code->setText(type ? type->kodu : QString());
    m_name->setText(type ? type->adi : QString());
    m_edited = false;
}

void TransactionTypesWindow::rowChosen()
{
    const QList<QTableWidgetItem *> selected = m_table->selectedItems();
    const int row = selected.isEmpty() ? -1 : selected.first()->row();
    if (row < 0 || (row == m_current && !m_inserting))
        return;
    // Moving to another type stores what was typed, as leaving a record always does here;
    // when that fails the user stays on the record with the typing intact.
    if (hasPendingChange()) {
        const qint64 wanted = m_types.value(row).gidi;
        if (!store()) {
            m_filling = true;
            m_table->clearSelection();
            if (!m_inserting && m_current >= 0)
                m_table->selectRow(m_current);
            m_filling = false;
            return;
        }
        for (int i = 0; i < m_types.size(); ++i) {
            if (m_types[i].gidi == wanted)
                m_current = i;
        }
        m_filling = true;
        m_table->selectRow(m_current);
        m_filling = false;
    } else {
        m_current = row;
    }
    showRecord();
}

bool TransactionTypesWindow::store()
{
    if (!hasPendingChange())
        return true;
    if (m_inserting && !m_edited) {
        // "YENİ İŞLEM TÜRÜ" and nothing typed: no blank type is added to every list.
        discard();
        return true;
    }
    TransactionType type;
    if (!m_inserting) {
        const std::optional<TransactionType> stored = currentType();
        if (!stored) { // nothing to change: the table is empty
            m_edited = false;
            return true;
        }
        type = *stored;
    }
    const QString oldName = type.adi;
    type.kodu = m_code->text();
    type.adi = m_name->text();
    TransactionTypes types(m_app.storage().ana());
    if (!m_inserting && type.adi != oldName) {
        int usage = 0;
        try {
            usage = types.usageCount(oldName);
        } catch (const OperationError &e) {
            m_app.prompt().error(kCaption, e.message());
            return false;
        }
        if (usage > 0 && m_app.prompt().question(kCaption, renameQuestion(oldName, usage),
                                                 QuestionButtons::YesNo, Answer::No) != Answer::Yes)
            return false;
    }
    if (const Result r = types.store(type); !r) {
        m_app.prompt().error(kCaption, r.message());
        return false;
    }
    reload(type.gidi);
    refreshTypeLists();
    return true;
}

bool TransactionTypesWindow::startNew()
{
    if (!store())
        return false;
    m_filling = true;
    m_table->clearSelection();
    m_filling = false;
    m_inserting = true;
    m_edited = false;
    m_code->clear();
    m_name->clear();
    m_code->setFocus();
    return true;
}

bool TransactionTypesWindow::removeCurrent()
{
    if (m_inserting) { // a type not stored yet is simply dropped
        discard();
        return false;
    }
    const std::optional<TransactionType> type = currentType();
    if (!type)
        return false;
    if (m_app.prompt().question(kCaption, deleteQuestion(*type), QuestionButtons::YesNoCancel) !=
        Answer::Yes)
        return false;
    if (const Result r = TransactionTypes(m_app.storage().ana()).remove(type->gidi); !r) {
        m_app.prompt().error(kCaption, r.message());
        return false;
    }
    const qint64 next = m_current + 1 < m_types.size() ? m_types[m_current + 1].gidi
                        : m_current > 0                ? m_types[m_current - 1].gidi
                                                       : 0;
    reload(next);
    refreshTypeLists();
    return true;
}

void TransactionTypesWindow::discard()
{
    m_inserting = false;
    m_filling = true;
    m_table->clearSelection();
    if (m_current >= 0 && m_current < m_types.size())
        m_table->selectRow(m_current);
    m_filling = false;
    showRecord();
}

bool TransactionTypesWindow::pick()
{
    if (!store())
        return false;
    const std::optional<TransactionType> type = currentType();
    Session &session = m_app.session();
    const QString tag = session.typePickerCaller;
    if (!type || tag.isEmpty() || tag == QStringLiteral("Yok") || !m_targets.contains(tag))
        return false;
    const TypePickTarget &target = m_targets[tag];
    if (tag == QStringLiteral("GelirDetay") || tag == QStringLiteral("GiderDetay")) {
        const QString oldName = target.replacedName ? target.replacedName() : QString();
        if (m_app.prompt().question(kProgramCaption, retypeQuestion(tag, oldName, type->adi)) !=
            Answer::Yes)
            return false;
    }
    if (!target.accept)
        return false;
    if (const Result r = target.accept(type->adi, session.typePickerRow); !r) {
        if (!r.wasCancelled())
            m_app.prompt().error(kCaption, r.message());
        return false;
    }
    session.typePickerCaller.clear();
    hide();
    return true;
}

bool TransactionTypesWindow::closeScreen()
{
    if (!store())
        return false;
    hide();
    return true;
}

bool TransactionTypesWindow::fillUntypedMovements()
{
    if (!store())
        return false;
    const std::optional<TransactionType> type = currentType();
    if (!type)
        return false;
    if (m_app.prompt().question(kCaption, fillQuestion(type->adi), QuestionButtons::YesNoCancel) !=
        Answer::Yes)
        return false;
    WaitWindow *wait = m_app.wait();
    const Result r = TransactionTypes(m_app.storage().ana()).fillUntypedMovements(type->adi, wait);
    if (!r) {
        m_app.prompt().error(kCaption, r.message());
        return false;
    }
    return true;
}

void TransactionTypesWindow::refreshTypeLists()
{
    IslemTuruAyarla(m_app);
}

void TransactionTypesWindow::closeEvent(QCloseEvent *event)
{
    // The title bar's close is "KAPAT": what was typed is stored, or the screen stays.
    if (store())
        event->accept();
    else
        event->ignore();
}

} // namespace dalvira
