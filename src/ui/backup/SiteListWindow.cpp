#include "backup/SiteListWindow.h"

#include "backup/Backup.h"
#include "backup/BackupSettings.h"
#include "backup/Restore.h"
#include "common/Formats.h"
#include "common/GridStyle.h"
#include "common/Prompt.h"
#include "common/WaitWindow.h"
#include "common/WindowPlacement.h"
#include "session/AppContext.h"
#include "session/LoginWindow.h"
#include "session/MainMenu.h"
#include "session/SiteDirectory.h"

#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace dalvira {

namespace {

const QString kTitle = QStringLiteral("Tolvek Yedek");

QFileDialog::Options dialogOptions()
{
    // The same dialog on every desktop, with Qt's Turkish texts.
    return QFileDialog::DontUseNativeDialog;
}

QString nativeFolder(const QString &path)
{
    QString folder = QDir::toNativeSeparators(path);
    if (!folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

} // namespace

QString SiteListWindow::deleteQuestion()
{
    return QStringLiteral("Site bilgileri silinecektir. Eminmisiniz?");
}

QString SiteListWindow::cashFileQuestion(const QString &code)
{
    return QStringLiteral("Sitenin kasa dosyası (") + code +
           QStringLiteral("TUMK.mdb) da silinsin mi?\n\rSilinmezse aynı kodla açılacak yeni bir "
                          "site bu kasa kayıtlarını kullanır.");
}

SiteListWindow::SiteListWindow(AppContext &app, QWidget *parent) : QWidget(parent), m_app(app)
{
    setObjectName(QStringLiteral("girisRF"));
    setWindowTitle(QStringLiteral("Tolvek Dalvira ve İşletme Defteri Programı  - Kayıtlı "
                                  "Site/Apartman Listesi ve Yedekleme Ayarları"));
    m_dialogs.save = [this](const QString &title, const QString &folder, const QString &filter,
                            const QString &proposed) {
        return QFileDialog::getSaveFileName(this, title, QDir(folder).filePath(proposed), filter,
                                            nullptr, dialogOptions());
    };
    m_dialogs.open = [this](const QString &title, const QString &folder, const QString &filter) {
        return QFileDialog::getOpenFileName(this, title, folder, filter, nullptr, dialogOptions());
    };
    m_dialogs.folder = [this](const QString &folder) {
        return QFileDialog::getExistingDirectory(this, QStringLiteral("Otomatik Yedek Adresi"),
                                                 folder,
                                                 QFileDialog::ShowDirsOnly | dialogOptions());
    };

    const auto makeButton = [this](const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        b->setMinimumHeight(28);
        m_buttons.append(b);
        return b;
    };

    buildGrid();

    // Right panel: search and the commands on the list.
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("search"));
    m_search->setPlaceholderText(QStringLiteral("Site adında ara"));
    auto *right = new QVBoxLayout;
    right->addWidget(m_search);
    QPushButton *find = makeButton(QStringLiteral("Ara"));
    right->addWidget(find);
    right->addSpacing(12);
    QPushButton *choose = makeButton(QStringLiteral("Siteyi Seç"));
    QPushButton *remove = makeButton(QStringLiteral("Seçili Siteyi Sil"));
    QPushButton *single = makeButton(QStringLiteral("Site Yedek Al"));
    QPushButton *close = makeButton(QStringLiteral("KAPAT"));
    right->addWidget(choose);
    right->addWidget(remove);
    right->addWidget(single);
    right->addStretch(1);
    right->addWidget(close);
    for (QPushButton *b : {find, choose, remove, single, close})
        b->setMinimumWidth(170);

    // Bottom panel: the automatic backups and the restores.
    auto *autoBox = new QGroupBox(QStringLiteral("OTOMATİK YEDEK AYARLARI"), this);
    m_autoBackup = new QCheckBox(QStringLiteral("Otomatik Olarak Yedek Al"), autoBox);
    m_autoFolder = new QLineEdit(autoBox);
    m_autoFolder->setObjectName(QStringLiteral("autoFolder"));
    m_autoDays = new QLineEdit(QStringLiteral("1"), autoBox);
    m_autoDays->setObjectName(QStringLiteral("autoDays"));
    m_autoDays->setMaxLength(3);
    m_autoDays->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,3}")), m_autoDays));
    m_autoDays->setMaximumWidth(50);
    m_autoDays->setAlignment(Qt::AlignRight);
    m_lastBackup = new QLineEdit(formatDate(QDate(2012, 1, 1)), autoBox);
    m_lastBackup->setObjectName(QStringLiteral("lastBackup"));
    m_lastBackup->setReadOnly(true);
    m_lastBackup->setMaximumWidth(110);
    m_daily = new QCheckBox(QStringLiteral("Otomatik Günlük Yedek  Al"), autoBox);
    m_daily->installEventFilter(this);

    QPushButton *findFolder = makeButton(QStringLiteral("Otomatik Yedek Adresini Bul"));
    QPushButton *saveSettings = makeButton(QStringLiteral("Oto.Yed.Ayarlarını Sakla"));
    QPushButton *all = makeButton(QStringLiteral("Tüm Sitelerin Yedeğini Al"));
    QPushButton *fromAuto = makeButton(QStringLiteral("Otomatik Yedeklemeden Geri Yükle"));
    QPushButton *restoreOne = makeButton(QStringLiteral("Tek Site Geri Yükle"));
    QPushButton *restoreAll = makeButton(QStringLiteral("Tüm Siteleri Geri Yükle"));
    for (QPushButton *b : {findFolder, saveSettings, all, fromAuto, restoreOne, restoreAll})
        b->setParent(autoBox);

    auto *grid = new QGridLayout(autoBox);
    grid->addWidget(m_autoBackup, 0, 0, 1, 2);
    auto *folderLabel = new QLabel(QStringLiteral("Otomatik Yedeklenecek Yer"), autoBox);
    folderLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(folderLabel, 1, 0);
    grid->addWidget(m_autoFolder, 1, 1, 1, 3);
    grid->addWidget(findFolder, 1, 4);
    auto *daysRow = new QHBoxLayout;
    daysRow->addWidget(new QLabel(QStringLiteral("Yedek"), autoBox));
    daysRow->addWidget(m_autoDays);
    daysRow->addWidget(new QLabel(QStringLiteral("Günde Bir Alınsın"), autoBox));
    daysRow->addStretch(1);
    grid->addLayout(daysRow, 2, 1);
    auto *lastLabel = new QLabel(QStringLiteral("Son Yedek Alınma Tarihi"), autoBox);
    lastLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(lastLabel, 2, 2);
    grid->addWidget(m_lastBackup, 2, 3);
    grid->addWidget(saveSettings, 2, 4);
    grid->addWidget(m_daily, 3, 0, 1, 2);
    grid->addWidget(all, 3, 4);
    grid->addWidget(fromAuto, 4, 2, 1, 1);
    grid->addWidget(restoreOne, 4, 3, 1, 1);
    grid->addWidget(restoreAll, 4, 4);
    grid->setColumnStretch(1, 1);

    auto *top = new QHBoxLayout;
    top->addWidget(m_grid, 1);
    top->addLayout(right);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(autoBox);
    resize(900, 600);

    connect(find, &QPushButton::clicked, this, &SiteListWindow::search);
    connect(m_search, &QLineEdit::returnPressed, this, &SiteListWindow::search);
    connect(choose, &QPushButton::clicked, this, &SiteListWindow::chooseCurrent);
    connect(remove, &QPushButton::clicked, this, &SiteListWindow::deleteCurrent);
    connect(single, &QPushButton::clicked, this, &SiteListWindow::backupCurrentSite);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(findFolder, &QPushButton::clicked, this, &SiteListWindow::chooseAutoFolder);
    connect(saveSettings, &QPushButton::clicked, this, &SiteListWindow::saveAutoSettings);
    connect(all, &QPushButton::clicked, this, &SiteListWindow::backupAllSites);
    connect(fromAuto, &QPushButton::clicked, this, &SiteListWindow::restoreFromAutomatic);
    connect(restoreOne, &QPushButton::clicked, this, &SiteListWindow::restoreSingleSite);
    connect(restoreAll, &QPushButton::clicked, this, &SiteListWindow::restoreAllSites);

    loadSettings();
}

void SiteListWindow::buildGrid()
{
    m_model = new QStandardItemModel(0, 2, this);
    m_model->setHorizontalHeaderLabels(
        {QStringLiteral("Site Kodu"), QStringLiteral("Site/Apartman Adı")});
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("siteGrid"));
    m_grid->setModel(m_model);
    applyGridStyle(m_grid);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->setColumnWidth(0, 120);
    connect(m_grid, &QTableView::doubleClicked, this, [this] { chooseCurrent(); });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &SiteListWindow::sortBy);

    // Context menu with its shortcuts, which work anywhere on the screen.
    m_grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    const auto action = [this](const QString &text, const QKeySequence &key, auto slot) {
        auto *a = new QAction(text, this);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, slot);
        m_grid->addAction(a);
        addAction(a);
    };
    action(QStringLiteral("Seç"), QKeySequence(Qt::Key_F2), [this] { chooseCurrent(); });
    action(QStringLiteral("Kapat"), QKeySequence(Qt::Key_F10), [this] { hide(); });
    action(QStringLiteral("Siteyi Sil"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
           [this] { deleteCurrent(); });
    action(QStringLiteral("Sitenin Yedeğini Al"), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Y),
           [this] { backupCurrentSite(); });
    action(QStringLiteral("Tüm Sitelerin Yedeğini Al"),
           QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_T), [this] { backupAllSites(); });
}

QPushButton *SiteListWindow::button(const QString &caption) const
{
    for (QPushButton *b : m_buttons) {
        if (b->text() == caption)
            return b;
    }
    return nullptr;
}

void SiteListWindow::loadSettings()
{
    const BackupSettings s = BackupSettings::load();
    // Without a stored folder the program's own backup folder is offered.
    m_autoFolder->setText(s.autoFolder.isEmpty() ? nativeFolder(backup::backupFolder())
                                                 : s.autoFolder);
    if (!s.autoDays.isEmpty())
        m_autoDays->setText(s.autoDays);
    m_autoBackup->setChecked(s.autoEnabled);
    m_daily->setChecked(s.dailyEnabled);
    if (s.lastAutoBackup.isValid())
        m_lastBackup->setText(formatDate(s.lastAutoBackup));
}

int SiteListWindow::currentRow() const
{
    const QModelIndex index = m_grid->currentIndex();
    return index.isValid() && index.row() < m_rows.size() ? index.row() : -1;
}

void SiteListWindow::fillModel(qint64 keepKey)
{
    m_model->removeRows(0, m_model->rowCount());
    int current = m_rows.isEmpty() ? -1 : 0;
    for (int i = 0; i < m_rows.size(); ++i) {
        const SiteRecord &r = m_rows[i];
        auto *code = new QStandardItem(r.code());
        code->setData(r.key, Qt::UserRole);
        m_model->appendRow({code, new QStandardItem(r.name())});
        if (r.key == keepKey)
            current = i;
    }
    if (current >= 0)
        m_grid->setCurrentIndex(m_model->index(current, 0));
}

void SiteListWindow::reload()
{
    const int row = currentRow();
    const qint64 keep = row >= 0 ? m_rows[row].key : 0;
    try {
        m_rows =
            sitelist::load(m_app.storage(), m_sortColumn,
                           m_direction == QLatin1String("DESC") ? sitelist::Direction::Descending
                                                                : sitelist::Direction::Ascending);
    } catch (const OperationError &e) {
        m_rows.clear();
        m_app.prompt().error(kCaption, e.message());
    }
    fillModel(keep);
}

void SiteListWindow::showCentred()
{
    if (isMinimized())
        showNormal();
    if (!isVisible())
        centreOnScreen(this);
    show();
    raise();
    activateWindow();
}

void SiteListWindow::openForChoosing()
{
    m_mode = Mode::ChooseSite;
    m_flatCopyChosen = nullptr;
    m_sortColumn = sitelist::Column::Name;
    reload();
    showCentred();
}

void SiteListWindow::openForFlatCopy(std::function<void(const QString &)> chosen)
{
    m_mode = Mode::FlatCopy;
    m_flatCopyChosen = std::move(chosen);
    reload();
    showCentred();
}

void SiteListWindow::sortBy(int column)
{
    m_direction =
        m_direction == QLatin1String("ASC") ? QStringLiteral("DESC") : QStringLiteral("ASC");
    m_sortColumn = column == 0 ? sitelist::Column::Code : sitelist::Column::Name;
    reload();
}

void SiteListWindow::search()
{
    const int found = sitelist::findNext(m_rows, currentRow(), m_search->text());
    if (found >= 0) {
        m_grid->setCurrentIndex(m_model->index(found, 0));
        m_grid->scrollTo(m_model->index(found, 0));
    }
}

void SiteListWindow::chooseCurrent()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const SiteRecord site = m_rows[row];
    if (m_mode == Mode::FlatCopy) {
        // Hiding leaves the flat-copy mode; the copy goes on with the chosen code.
        auto chosen = std::move(m_flatCopyChosen);
        m_flatCopyChosen = nullptr;
        hide();
        m_mode = Mode::ChooseSite;
        if (chosen)
            chosen(site.code());
        return;
    }
    if (auto *login = m_app.screens().screen<LoginWindow>(AppContext::kLogin))
        login->setSite(site.code(), site.name());
    hide();
}

void SiteListWindow::deleteCurrent()
{
    const int row = currentRow();
    if (row < 0)
        return;
    Prompt &prompt = m_app.prompt();
    if (prompt.question(kCaption, deleteQuestion()) != Answer::Yes)
        return;
    SiteDirectory directory(m_app.storage());
    const SiteDirectory::DeletionPlan plan = directory.planDeletion(m_rows[row].key);
    if (!plan.found) {
        reload();
        return;
    }
    bool alsoCash = false;
    if (!plan.listRowOnly && plan.dataFileExists) {
        if (prompt.question(
                kCaption, QStringLiteral("Bu siteyi silmeniz halinde girmiş olduğunuz\n\rbilgiler "
                                         "de silinecektir. İşlemi kesmek istermisiniz?")) !=
            Answer::No)
            return;
        if (prompt.question(kCaption,
                            QStringLiteral("Bu işlem sonunda bu site dosyalarına\n\rbir daha "
                                           "ulaşmanız mümkün olmayacaktır. İşleme devam etmek "
                                           "istiyormusunuz?")) != Answer::Yes)
            return;
        if (plan.cashFileExists)
            alsoCash = prompt.question(kCaption, cashFileQuestion(plan.code)) == Answer::Yes;
    }
    if (plan.isOpenSite) {
        // The open site goes away: nothing of it may stay on the screen.
        if (auto *menu =
                qobject_cast<MainMenu *>(m_app.screens().existing(AppContext::kMainMenu))) {
            menu->hideWorkingScreens();
            menu->showLoginOnHide = QStringLiteral("H");
            menu->hide();
            menu->showLoginOnHide = QStringLiteral("E");
        }
    }
    if (Result r = directory.deleteSite(m_rows[row].key, alsoCash); !r)
        prompt.error(kCaption, r.message());
    reload();
    const int current = currentRow();
    if (current >= 0) {
        if (auto *login = m_app.screens().screen<LoginWindow>(AppContext::kLogin))
            login->setSite(m_rows[current].code(), m_rows[current].name());
    }
}

QString SiteListWindow::offeredFolder(const QString &remembered) const
{
    return remembered.size() >= 2 ? remembered : backup::backupFolder();
}

void SiteListWindow::showResult(const Result &result, const QString &success)
{
    if (result)
        m_app.prompt().information(kProgramCaption, success);
    else if (!result.wasCancelled())
        m_app.prompt().error(kProgramCaption, result.message());
}

void SiteListWindow::backupCurrentSite()
{
    const int row = currentRow();
    if (row < 0)
        return;
    const QString code = m_rows[row].code();
    const QString path = m_dialogs.save(
        kTitle, offeredFolder(BackupSettings::load().lastSingleFolder),
        QStringLiteral("Yedek (*.ydk)"), backup::singleSiteArchiveName(code, QDate::currentDate()));
    if (path.isEmpty())
        return;
    const Result r = backup::backupSite(&m_app.storage(), code, path, m_app.wait());
    if (r)
        BackupSettings::saveLastSingleFolder(nativeFolder(QFileInfo(path).absolutePath()));
    showResult(r, backup::singleSiteSuccessMessage(code));
    reload();
}

void SiteListWindow::backupAllSites()
{
    const QString path = m_dialogs.save(kTitle, offeredFolder(BackupSettings::load().lastAllFolder),
                                        QStringLiteral("Yedek (*.zip)"),
                                        backup::allSitesArchiveName(QDate::currentDate()));
    if (path.isEmpty())
        return;
    const Result r = backup::backupAllSites(&m_app.storage(), path, m_app.wait());
    if (r)
        BackupSettings::saveLastAllFolder(nativeFolder(QFileInfo(path).absolutePath()));
    showResult(r, backup::allSitesSuccessMessage());
    reload();
}

void SiteListWindow::chooseAutoFolder()
{
    const QString start = offeredFolder(BackupSettings::load().autoFolder);
    const QString folder = m_dialogs.folder(start);
    if (!folder.isEmpty())
        m_autoFolder->setText(nativeFolder(folder));
    saveAutoSettings();
}

void SiteListWindow::saveAutoSettings()
{
    if (Result r =
            BackupSettings::saveAutoSettings(m_autoFolder->text(), m_autoDays->text(),
                                             m_autoBackup->isChecked(), m_daily->isChecked());
        !r)
        m_app.prompt().error(kCaption, r.message());
}

void SiteListWindow::restoreAllSites()
{
    if (m_app.prompt().question(kCaption, backup::restoreQuestion()) != Answer::Yes)
        return;
    const BackupSettings s = BackupSettings::load();
    const QString folder =
        s.lastAllFolder.size() >= 2 ? s.lastAllFolder : offeredFolder(s.autoFolder);
    const QString path = m_dialogs.open(kTitle, folder, QStringLiteral("Yedek (*.zip)"));
    if (path.isEmpty())
        return;
    showResult(backup::restoreAllSites(&m_app.storage(), path),
               QStringLiteral("Yedekten yükleme işlemi tamamlandı."));
    reload();
}

void SiteListWindow::restoreFromAutomatic()
{
    if (m_app.prompt().question(kCaption, backup::restoreQuestion()) != Answer::Yes)
        return;
    const QString path =
        m_dialogs.open(kTitle, backup::backupFolder(), QStringLiteral("Yedek (*.zip)"));
    if (path.isEmpty())
        return;
    showResult(backup::restoreFromAutomatic(&m_app.storage(), path),
               QStringLiteral("Yedekten yükleme işlemi tamamlandı."));
    reload();
}

void SiteListWindow::restoreSingleSite()
{
    const QString path = m_dialogs.open(QStringLiteral("Tolvek Dalvira Yedek"),
                                        backup::backupFolder(), QStringLiteral("Yedek (*.ydk)"));
    if (path.isEmpty())
        return;
    showResult(backup::restoreSingleSite(&m_app.storage(), path),
               QStringLiteral("Yedekten yükleme işlemi tamamlandı."));
    reload();
}

bool SiteListWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Leaving "Otomatik Günlük Yedek  Al" stores it at once.
    if (watched == m_daily && event->type() == QEvent::FocusOut) {
        if (Result r = BackupSettings::saveDaily(m_daily->isChecked()); !r)
            m_app.prompt().error(kCaption, r.message());
    }
    return QWidget::eventFilter(watched, event);
}

void SiteListWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    const bool flatCopy = m_mode == Mode::FlatCopy;
    // Closed without a choice: the flat copy ends here.
    m_mode = Mode::ChooseSite;
    m_flatCopyChosen = nullptr;
    if (flatCopy)
        return; // the main menu is still there
    if (QWidget *login = m_app.screens().existing(AppContext::kLogin)) {
        if (login->isMinimized())
            login->showNormal();
        login->show();
        login->raise();
        login->activateWindow();
    }
}

} // namespace dalvira
