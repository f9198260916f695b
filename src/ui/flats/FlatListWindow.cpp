#include "flats/FlatListWindow.h"

#include "common/EnterMovesFocus.h"
#include "common/GridStyle.h"
#include "common/Prompt.h"
#include "flats/FlatListExport.h"
#include "flats/FlatListModel.h"
#include "flats/FlatListNameEdit.h"
#include "report/ReportPreview.h"
#include "report/SiteLetterhead.h"
#include "session/AppContext.h"
#include "spreadsheet/ExportOpener.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

namespace dalvira {

namespace {

const QString kPhoneMask = QStringLiteral("(999) 999 99 99;_");

QLineEdit *digitsOnly(QLineEdit *edit)
{
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return edit;
}

QLabel *rightLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

FlatListWindow::FlatListWindow(AppContext &app, QWidget *parent)
    : QWidget(parent), m_app(app), m_model(new FlatListModel(this))
{
    setObjectName(kScreenName);
    setWindowTitle(QStringLiteral("Tolvek Dalvira - Daire Kayıt Bilgileri"));
    m_preview = [this](const Report &report) { ReportPreview::show(report, this); };
    m_exportOpener = [](const QString &path) { return openExport(path); };
    m_exportFolder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);

    buildLayout();
    buildActions();
    installEnterMovesFocus(this);
    resize(1280, 720);
}

FlatListWindow::~FlatListWindow() = default;

void FlatListWindow::buildLayout()
{
    auto *filters = new QGroupBox(this);
    auto *grid = new QGridLayout(filters);
    m_flatNumber = digitsOnly(new QLineEdit(filters));
    m_flatNumber->setObjectName(QStringLiteral("kayitNo"));
    m_identity = digitsOnly(new QLineEdit(filters));
    m_identity->setObjectName(QStringLiteral("tc"));
    m_identity->setMaxLength(15);
    m_name = new FlatListNameEdit(filters);
    m_name->setObjectName(QStringLiteral("adiSoyadi"));
    m_phone = new QLineEdit(filters);
    m_phone->setObjectName(QStringLiteral("telefon"));
    m_phone->setInputMask(kPhoneMask);
    m_block = new QLineEdit(filters);
    m_block->setObjectName(QStringLiteral("blok"));
    m_flat = new QLineEdit(filters);
    m_flat->setObjectName(QStringLiteral("dairesi"));
    m_door = new QLineEdit(filters);
    m_door->setObjectName(QStringLiteral("disKapi"));
    m_blockCheck = new QCheckBox(QStringLiteral("Kısıtla"), filters);
    m_flatCheck = new QCheckBox(QStringLiteral("Kısıtla"), filters);
    m_doorCheck = new QCheckBox(QStringLiteral("Kısıtla"), filters);
    m_printChoice = new QComboBox(filters);
    m_printChoice->addItems(flatPrintoutChoices());
    m_printChoice->setCurrentIndex(0);

    grid->addWidget(rightLabel(QStringLiteral("Kayıt No"), filters), 0, 0);
    grid->addWidget(m_flatNumber, 0, 1);
    grid->addWidget(rightLabel(QStringLiteral("TC"), filters), 0, 2);
    grid->addWidget(m_identity, 0, 3);
    grid->addWidget(rightLabel(QStringLiteral("Adı/Soyadı"), filters), 0, 4);
    grid->addWidget(m_name, 0, 5);
    grid->addWidget(rightLabel(QStringLiteral("Telefon"), filters), 0, 6);
    grid->addWidget(m_phone, 0, 7);
    grid->addWidget(rightLabel(QStringLiteral("Bloğu"), filters), 1, 0);
    auto restriction = [&](QLineEdit *edit, QCheckBox *check, int column) {
        auto *box = new QHBoxLayout;
        box->addWidget(edit, 1);
        box->addWidget(check);
        grid->addLayout(box, 1, column);
    };
    restriction(m_block, m_blockCheck, 1);
    grid->addWidget(rightLabel(QStringLiteral("Dairesi"), filters), 1, 2);
    restriction(m_flat, m_flatCheck, 3);
    grid->addWidget(rightLabel(QStringLiteral("Dış Kapı"), filters), 1, 4);
    restriction(m_door, m_doorCheck, 5);
    grid->addWidget(rightLabel(QStringLiteral("Yazdırma Seçenekleri"), filters), 1, 6);
    grid->addWidget(m_printChoice, 1, 7);
    for (int c : {1, 3, 5, 7})
        grid->setColumnStretch(c, c == 5 ? 3 : 2);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("daireListesi"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    applyGridStyle(m_grid);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_grid->installEventFilter(this);
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &FlatListWindow::sortByColumn);
    connect(m_grid, &QTableView::doubleClicked, this,
            [this] { pick(FlatPickMode::CurrentHolders); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &FlatListWindow::currentRowChanged);

    auto photoBox = [this](const QString &title, QLabel *&label) {
        auto *box = new QGroupBox(title, this);
        auto *layout = new QVBoxLayout(box);
        label = new QLabel(box);
        label->setAlignment(Qt::AlignCenter);
        label->setFixedSize(150, 170);
        label->setFrameShape(QFrame::StyledPanel);
        layout->addWidget(label);
        return box;
    };
    auto *photos = new QVBoxLayout;
    photos->addWidget(photoBox(QStringLiteral("Daire Sahibi Foto"), m_ownerPhoto));
    photos->addWidget(photoBox(QStringLiteral("Dairede Oturan Foto"), m_residentPhoto));
    photos->addStretch(1);

    auto *middle = new QHBoxLayout;
    middle->addWidget(m_grid, 1);
    middle->addLayout(photos);

    auto *commands = new QHBoxLayout;
    auto addButton = [&](const QString &caption, auto slot) {
        auto *b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
        connect(b, &QPushButton::clicked, this, slot);
        commands->addWidget(b, 1);
        m_buttons.insert(caption, b);
    };
    addButton(QStringLiteral("TÜMÜNÜ BUL"), [this] { findAll(); });
    addButton(QStringLiteral("SIRAYLA BUL"), [this] { findNext(); });
    addButton(QStringLiteral("YENİ ARAMA"), [this] { newSearch(); });
    addButton(QStringLiteral("YENİLE"), [this] { refresh(); });
    addButton(QStringLiteral("SEÇ"), [this] { pick(FlatPickMode::CurrentHolders); });
    addButton(QStringLiteral("Eski Malik Seç"), [this] { pick(FlatPickMode::FormerHolders); });
    addButton(QStringLiteral("YAZDIR"), [this] { print(); });
    addButton(QStringLiteral("EXCEL'E AKT."), [this] { exportToSheet(); });
    addButton(QStringLiteral("KAPAT"), [this] { closeWindow(); });

    m_status = new QLabel(this);
    m_status->setFrameShape(QFrame::StyledPanel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(filters);
    layout->addLayout(middle, 1);
    layout->addLayout(commands);
    layout->addWidget(m_status);
}

void FlatListWindow::buildActions()
{
    auto addAction = [this](const QString &caption, const QKeySequence &key, auto slot,
                            bool inMenu = true) {
        auto *action = new QAction(caption, this);
        if (!key.isEmpty())
            action->setShortcut(key);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, slot);
        // Shortcuts work everywhere on the screen; the grid's menu lists the entries.
        QWidget::addAction(action);
        if (inMenu)
            m_grid->addAction(action);
        m_actions.insert(caption, action);
        return action;
    };
    addAction(QStringLiteral("Yeni Arama"), QKeySequence(Qt::Key_F5), [this] { newSearch(); });
    addAction(QStringLiteral("Seç"), QKeySequence(Qt::Key_F8),
              [this] { pick(FlatPickMode::CurrentHolders); });
    addAction(QStringLiteral("Eski Malik/Oturan Seç"), QKeySequence(Qt::Key_F9),
              [this] { pick(FlatPickMode::FormerHolders); });
    addAction(
        QStringLiteral("Yazdır (Önizleme)"), QKeySequence(Qt::Key_F4), [this] { print(); }, false);
    addAction(QStringLiteral("Kapat"), QKeySequence(Qt::Key_F10), [this] { closeWindow(); });
    addAction(
        QStringLiteral("Yardım"), QKeySequence(Qt::Key_F1), [this] { m_app.showHelp(kHelpTopic); },
        false);

    using Kind = FlatStatementRequest::Kind;
    const std::pair<const char16_t *, Kind> statements[] = {
        {u"Hesap Hareketleri (Sahibi)", Kind::Owner},
        {u"Hesap Hareketleri (Oturan)", Kind::Resident},
        {u"Hesap Hareketleri (Tüm Daire)", Kind::WholeFlat},
        {u"Hesap Hareketleri (Eski Sahibi)", Kind::FormerOwner},
        {u"Hesap Hareketleri (Eski Oturan)", Kind::FormerResident},
    };
    auto *separator = new QAction(this);
    separator->setSeparator(true);
    m_grid->addAction(separator);
    for (const auto &[caption, kind] : statements) {
        QAction *action = addAction(QString::fromUtf16(caption), QKeySequence(),
                                    [this, kind = kind] { openStatement(kind); });
        action->setEnabled(false);
        m_statementActions.append(action);
    }
}

void FlatListWindow::registerPickCaller(const QString &tag, FlatPickCaller caller)
{
    m_callers.insert(tag, std::move(caller));
}

void FlatListWindow::unregisterPickCaller(const QString &tag)
{
    m_callers.remove(tag);
}

void FlatListWindow::showForCaller(const QString &tag, int row)
{
    m_app.session().flatPickerCaller = tag;
    m_app.session().flatPickerRow = row;
    if (const Result r = reopen(); !r)
        m_app.prompt().error(kCaption, r.message());
    showMaximized();
    raise();
    activateWindow();
    m_grid->setFocus();
}

FlatListFilter FlatListWindow::currentFilter() const
{
    FlatListFilter f;
    f.flatNumber = m_flatNumber->text();
    f.identity = m_identity->text();
    f.name = m_name->text();
    f.phone = m_phone->displayText();
    f.block = {m_blockCheck->isChecked(), m_block->text()};
    f.flat = {m_flatCheck->isChecked(), m_flat->text()};
    f.door = {m_doorCheck->isChecked(), m_door->text()};
    return f;
}

Result FlatListWindow::reopen()
{
    QList<FlatListRow> rows;
    const Result r =
        loadFlatList(m_app.storage().ana(), currentFilter(), m_filterOn, m_order, rows);
    const qint64 keep = currentFlat() ? currentFlat()->hid : -1;
    m_model->setRows(std::move(rows));
    m_open = r.ok();
    if (!m_columnsFitted && m_model->rowCount() > 0) {
        m_grid->resizeColumnsToContents();
        m_columnsFitted = true;
    }
    const int again = keep >= 0 ? m_model->rowOfHid(keep) : -1;
    setCurrentRow(again >= 0 ? again : (m_model->rowCount() > 0 ? 0 : -1));
    if (m_model->rowCount() == 0)
        currentRowChanged();
    return r;
}

void FlatListWindow::load()
{
    if (const Result r = reopen(); !r)
        m_app.prompt().error(kCaption, r.message());
}

void FlatListWindow::clearSearchFields()
{
    m_name->clear();
    m_flatNumber->clear();
    m_identity->clear();
    m_phone->clear();
}

void FlatListWindow::findAll()
{
    m_filterOn = true;
    load();
}

void FlatListWindow::findNext()
{
    const FlatFindText text{m_name->text(), m_identity->text(), m_phone->displayText()};
    const int found = findNextFlat(m_model->rows(), currentRow(), text);
    if (found >= 0)
        setCurrentRow(found);
}

void FlatListWindow::newSearch()
{
    clearSearchFields();
    m_filterOn = false;
    load();
}

void FlatListWindow::refresh()
{
    clearSearchFields();
    m_order = FlatListOrder::byFlatNumber();
    m_filterOn = true;
    load();
}

void FlatListWindow::applyRestrictions(const FlatListRestriction &block,
                                       const FlatListRestriction &flat,
                                       const FlatListRestriction &door)
{
    m_block->setText(block.text);
    m_blockCheck->setChecked(block.checked);
    m_flat->setText(flat.text);
    m_flatCheck->setChecked(flat.checked);
    m_door->setText(door.text);
    m_doorCheck->setChecked(door.checked);
    refresh();
}

void FlatListWindow::sortByColumn(int column)
{
    const QString field = FlatListModel::sortField(column);
    if (field.isEmpty())
        return;
    m_order = {field, m_sortToggle.next()};
    load();
}

int FlatListWindow::currentRow() const
{
    const QModelIndex index = m_grid->currentIndex();
    return index.isValid() ? index.row() : -1;
}

void FlatListWindow::setCurrentRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        m_grid->setCurrentIndex(QModelIndex());
        return;
    }
    const int column = qMax(0, m_grid->currentIndex().column());
    const QModelIndex index = m_model->index(row, column);
    m_grid->setCurrentIndex(index);
    m_grid->scrollTo(index);
}

const FlatListRow *FlatListWindow::currentFlat() const
{
    const int row = currentRow();
    return row >= 0 && row < m_model->rowCount() ? &m_model->row(row) : nullptr;
}

void FlatListWindow::pick(FlatPickMode mode)
{
    Session &session = m_app.session();
    session.flatPickMode = QString::number(int(mode));
    const QString tag = session.flatPickerCaller;
    const FlatListRow *flat = currentFlat();
    if (!flat || tag.isEmpty() || tag == kMainMenuCaller)
        return;

    if (tag == kFlatRecordCaller) {
        // Closing shows the current row's flat on the record screen.
        closeWindow();
        session.flatPickerCaller.clear();
        return;
    }

    const auto caller = m_callers.constFind(tag);
    if (caller == m_callers.constEnd() || !caller->deliver)
        return;
    FlatPick picked;
    picked.flat = *flat;
    picked.mode = mode;
    picked.row = session.flatPickerRow;
    picked.names = flatPickNames(*flat, mode);
    if (caller->choosesHolder) {
        picked.holderName = picked.names.owner;
        if (picked.names.needsQuestion() &&
            m_app.prompt().question(kProgramCaption, flatPickQuestion(picked.names),
                                    QuestionButtons::YesNo, Answer::Yes) != Answer::Yes)
            picked.holderName = picked.names.resident;
    }
    const bool gridCaller = caller->gridCaller;
    caller->deliver(picked);
    closeWindow();
    session.flatPickerCaller.clear();
    if (gridCaller)
        session.flatPickerRow = 0;
}

void FlatListWindow::print()
{
    const SiteLetterhead site =
        readSiteLetterhead(m_app.storage().genel(), m_app.session().siteCode);
    if (!site.error.isEmpty()) {
        m_app.prompt().error(kCaption, site.error);
        return;
    }
    const auto kind = FlatPrintout(qBound(0, m_printChoice->currentIndex(), 2));
    const Report report =
        buildFlatListReport(kind, m_model->rows(), site, QDateTime::currentDateTime());
    if (m_preview)
        m_preview(report);
}

void FlatListWindow::exportToSheet()
{
    refresh();
    if (!m_open)
        return;
    const SiteLetterhead site =
        readSiteLetterhead(m_app.storage().genel(), m_app.session().siteCode);
    if (!site.error.isEmpty()) {
        m_app.prompt().error(kCaption, site.error);
        return;
    }
    QDir().mkpath(m_exportFolder);
    const QString path = QDir(m_exportFolder)
                             .filePath(QStringLiteral("KayitliDaireRaporu-%1.xlsx")
                                           .arg(QDateTime::currentDateTime().toString(
                                               QStringLiteral("yyyyMMdd-HHmmss-zzz"))));
    if (const Result written =
            writeFlatListExport(path, m_model->rows(), site.name + QLatin1Char(' ') + site.name2);
        !written) {
        m_app.prompt().error(kCaption, written.message());
        return;
    }
    m_lastExportPath = path;
    if (m_exportOpener) {
        if (const Result opened = m_exportOpener(path); !opened)
            m_app.prompt().error(kCaption, opened.message());
    }
}

void FlatListWindow::openStatement(FlatStatementRequest::Kind kind)
{
    const FlatListRow *flat = currentFlat();
    if (!flat || !m_statement)
        return;
    m_statement(flatStatementRequest(*flat, kind));
}

void FlatListWindow::setOpenFlatHandler(std::function<void(qint64)> handler)
{
    m_openFlat = std::move(handler);
}

void FlatListWindow::setStatementHandler(std::function<void(const FlatStatementRequest &)> handler)
{
    m_statement = std::move(handler);
    for (QAction *action : std::as_const(m_statementActions))
        action->setEnabled(bool(m_statement));
}

void FlatListWindow::setPreviewHandler(std::function<void(const Report &)> handler)
{
    m_preview = std::move(handler);
}

void FlatListWindow::setExportOpener(std::function<Result(const QString &)> opener)
{
    m_exportOpener = std::move(opener);
}

void FlatListWindow::closeList()
{
    Session &session = m_app.session();
    const qint64 hid = currentFlat() ? currentFlat()->hid : -1;
    clearSearchFields();
    if (session.flatPickerCaller == kFlatRecordCaller) {
        if (hid >= 0 && m_openFlat)
            m_openFlat(hid);
    } else {
        m_model->clear();
        m_open = false;
    }
    m_filterOn = false;
}

void FlatListWindow::closeWindow()
{
    if (isVisible())
        hide(); // the hide event closes the list
    else
        closeList();
}

void FlatListWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    // A minimised window is still open.
    if (event->spontaneous() || m_closing)
        return;
    m_closing = true;
    closeList();
    m_closing = false;
}

void FlatListWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    m_status->setText(m_app.session().siteLabel);
    if (!m_open)
        load();
}

void FlatListWindow::currentRowChanged()
{
    FlatPhotos photos;
    if (const FlatListRow *flat = currentFlat())
        loadFlatPhotos(m_app.storage().ana(), flat->hid, photos);
    showPhoto(m_ownerPhoto, photos.owner);
    showPhoto(m_residentPhoto, photos.resident);
}

void FlatListWindow::showPhoto(QLabel *label, const QByteArray &bytes)
{
    const QImage image = QImage::fromData(bytes);
    if (image.isNull()) {
        label->clear();
        return;
    }
    label->setPixmap(QPixmap::fromImage(
        image.scaled(label->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void FlatListWindow::moveAlongRow(bool backwards)
{
    const int rows = m_model->rowCount();
    const int columns = m_model->columnCount();
    if (rows == 0)
        return;
    QModelIndex index = m_grid->currentIndex();
    int row = index.isValid() ? index.row() : 0;
    int column = index.isValid() ? index.column() : 0;
    if (backwards) {
        if (--column < 0) {
            if (row == 0)
                return;
            --row;
            column = columns - 1;
        }
    } else if (++column >= columns) {
        if (row == rows - 1)
            return;
        ++row;
        column = 0;
    }
    index = m_model->index(row, column);
    m_grid->setCurrentIndex(index);
    m_grid->scrollTo(index);
}

bool FlatListWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            moveAlongRow(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dalvira
