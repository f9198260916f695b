#include "session/MainMenu.h"

#include "common/Prompt.h"
#include "session/AppContext.h"
#include "session/Connectivity.h"
#include "storage/IniFile.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dalvira {

namespace {

const QString kGeneral = QStringLiteral("Genel İşlemler");
const QString kExtra = QStringLiteral("Ek İşlemler");
const QString kTransfer = QStringLiteral("Veri Aktarım İşlemleri");
const QString kOther = QStringLiteral("Diğer İşlemler");
const QString kHelpGroup = QStringLiteral("Yardım");
const QString kNoSite = QStringLiteral("..............................");
constexpr int kCaptionRole = Qt::UserRole + 1;

} // namespace

const QStringList &MainMenu::groups()
{
    static const QStringList names{kGeneral, kExtra, kTransfer, kOther, kHelpGroup};
    return names;
}

const QList<MainMenu::Item> &MainMenu::items()
{
    static const QList<Item> list{
        {"Genel İşlemler", "Daire Girişi", "DAİRE GİRİŞİ"},
        {"Genel İşlemler", "Gelir Girişleri", "GELİR GİRİŞLERİ"},
        {"Genel İşlemler", "Gider Girişleri", "GİDER GİRİŞLERİ"},
        {"Genel İşlemler", "Gelir ve Gider Raporu", "GELİR/GİDER DURUMU"},
        {"Genel İşlemler", "Toplu Aidat Aktarma", "TOPLU BORÇ GİRİŞİ"},
        {"Genel İşlemler", "Borç Alacak Girişi", "BORÇ/ALACAK GİRİŞ"},
        {"Genel İşlemler", "Aidat Borç Alacak Raporu", "BORÇ DURUMU"},
        {"Genel İşlemler", "Kasa İşlemleri", nullptr},
        {"Genel İşlemler", "Faiz Tahakkuku", nullptr},
        {"Genel İşlemler", "Aylık Aidat Ödeme Raporu", "AYLIK BORÇ DURUMU"},
        {"Genel İşlemler", "Firma Cari Hareket Raporu", nullptr},
        {"Genel İşlemler", "Virman (Ödemeler Arası)", nullptr},
        {"Ek İşlemler", "İşlem Türleri Girişi", nullptr},
        {"Ek İşlemler", "Ödeme Şekilleri Girişi", nullptr},
        {"Ek İşlemler", "Para Birimi Girişi", nullptr},
        {"Ek İşlemler", "Stok Türleri Girişi", nullptr},
        {"Ek İşlemler", "Satıcı Firmalar Girişi", nullptr},
        {"Ek İşlemler", "Hızlı Daire Girişi", nullptr},
        {"Ek İşlemler", "Kayıtlı Daire Listeleri", nullptr},
        {"Veri Aktarım İşlemleri", "Excel/Banka Listesi Aktar", nullptr},
        {"Veri Aktarım İşlemleri", "Excel/Banka Aktarılmış Listeler", "VERİ AKTARMA(Excel'den)"},
        {"Veri Aktarım İşlemleri", "Excel'den Daire Aktarma", nullptr},
        {"Veri Aktarım İşlemleri", "Başka Siteye Üyeleri Aktar", nullptr},
        {"Diğer İşlemler", "Site Bilgileri Girişi", nullptr},
        {"Diğer İşlemler", "Kat Mülkiyeti Kanunu", nullptr},
        {"Diğer İşlemler", "Site/Kasa Değiştir-Yedek Al", nullptr},
        {"Diğer İşlemler", "Veritabanı'na Bakım Yap", nullptr},
        {"Diğer İşlemler", "Tüm Kayıtları Sil", nullptr},
        {"Diğer İşlemler", "Üyeler Dışındaki Har. Sil", nullptr},
        {"Yardım", "Programı Kapat", nullptr},
        {"Yardım", "Genel Yardım", nullptr},
        {"Yardım", "Kullanım Kılavuzu", nullptr},
    };
    return list;
}

QString MainMenu::updateQuestion()
{
    return QStringLiteral("Bu işlem programınızı güncelleyecektir!\n\rDevam etmek istiyormusunuz?");
}

QString MainMenu::noInternetMessage()
{
    return QStringLiteral("Internet bağlantınız yok! Bağlantı Yaptıktan sonra tekrar deneyiniz.");
}

QString MainMenu::versionText()
{
    return QStringLiteral("Vers. 4.0 Güncelleme: 4");
}

MainMenu::MainMenu(AppContext &app, QWidget *parent) : QMainWindow(parent), m_app(app)
{
    setObjectName(AppContext::kMainMenu);
    setWindowTitle(QStringLiteral("Tolvek Dalvira ve İşletme Defteri Programı Ana Menü"));

    auto *central = new QWidget(this);
    auto *outer = new QVBoxLayout(central);

    // Top area: the open site and the closing command.
    auto *top = new QHBoxLayout;
    auto boldLabel = [central](const QString &text, double scale) {
        auto *label = new QLabel(text, central);
        QFont f = label->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * scale);
        label->setFont(f);
        return label;
    };
    top->addWidget(boldLabel(QStringLiteral("Site Kodu"), 1.1));
    m_codeValue = boldLabel(kNoSite, 1.1);
    m_codeValue->setObjectName(QStringLiteral("siteCodeValue"));
    top->addWidget(m_codeValue);
    top->addSpacing(24);
    top->addWidget(boldLabel(QStringLiteral("Site Adı"), 1.1));
    m_nameValue = boldLabel(kNoSite, 1.1);
    m_nameValue->setObjectName(QStringLiteral("siteNameValue"));
    top->addWidget(m_nameValue, 1);
    auto *closeButton = new QPushButton(QStringLiteral("KAPAT"), central);
    closeButton->setMinimumHeight(30);
    top->addWidget(closeButton);
    outer->addLayout(top);

    // Left: the command groups; right: the large buttons.
    auto *middle = new QHBoxLayout;
    m_tree = new QTreeWidget(central);
    m_tree->setObjectName(QStringLiteral("menuTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setMinimumWidth(280);
    m_tree->setMaximumWidth(340);
    m_tree->setRootIsDecorated(true);
    m_tree->setIndentation(14);
    middle->addWidget(m_tree);

    m_buttonPanel = new QWidget(central);
    m_buttonPanel->setObjectName(QStringLiteral("buttonPanel"));
    auto *panelLayout = new QGridLayout(m_buttonPanel);
    panelLayout->setSpacing(12);
    middle->addWidget(m_buttonPanel, 1);
    middle->addStretch(0);
    outer->addLayout(middle, 1);

    // Bottom: help, manual, the panel toggle and the update.
    auto *bottom = new QHBoxLayout;
    auto *helpButton = new QPushButton(QStringLiteral("YARDIM"), central);
    auto *manualButton = new QPushButton(QStringLiteral("KULLANIM KILAVUZU"), central);
    m_toggle = new QPushButton(QStringLiteral("TUŞLARI GÖSTER"), central);
    m_toggle->setObjectName(QStringLiteral("toggleButtons"));
    auto *updateButton = new QPushButton(QStringLiteral("PROGRAMI GÜNCELLE"), central);
    for (QPushButton *b : {helpButton, manualButton, m_toggle, updateButton}) {
        b->setMinimumHeight(30);
        b->setMinimumWidth(170);
        bottom->addWidget(b);
    }
    bottom->addStretch(1);
    outer->addLayout(bottom);
    setCentralWidget(central);

    // Status bar: a narrow empty panel, a fixed text, the version, the open site.
    auto *narrow = new QLabel(this);
    narrow->setMinimumWidth(16);
    statusBar()->addWidget(narrow);
    statusBar()->addWidget(new QLabel(QStringLiteral("Tolvek Dalvira ve İşletme Defteri"), this));
    statusBar()->addWidget(new QLabel(QStringLiteral(" ") + versionText(), this));
    m_siteStatus = new QLabel(this);
    m_siteStatus->setObjectName(QStringLiteral("siteStatus"));
    statusBar()->addWidget(m_siteStatus, 1);

    buildMenu();

    connect(closeButton, &QPushButton::clicked, this, [this] { runCommand(QStringLiteral("Programı Kapat")); });
    connect(helpButton, &QPushButton::clicked, this, [this] { runCommand(QStringLiteral("Genel Yardım")); });
    connect(manualButton, &QPushButton::clicked, this,
            [this] { runCommand(QStringLiteral("Kullanım Kılavuzu")); });
    connect(m_toggle, &QPushButton::clicked, this, &MainMenu::toggleButtonPanel);
    connect(updateButton, &QPushButton::clicked, this, &MainMenu::updateProgram);

    IniFile ini(Session::settingsPath());
    ini.load();
    m_buttonPanelState =
        ini.value(QStringLiteral("Anamenu"), QStringLiteral("Tuslar")) == QLatin1String("1") ? 1 : 2;
    applyButtonPanelState();
    resize(1200, 720);
}

void MainMenu::buildMenu()
{
    QFont groupFont = m_tree->font();
    groupFont.setBold(true);
    QHash<QString, QTreeWidgetItem *> groupItems;
    for (const QString &group : groups()) {
        auto *item = new QTreeWidgetItem(m_tree, QStringList{group});
        item->setFont(0, groupFont);
        item->setData(0, kCaptionRole, QString());
        groupItems.insert(group, item);
    }
    auto *panelLayout = static_cast<QGridLayout *>(m_buttonPanel->layout());
    int bigIndex = 0;
    for (const Item &entry : items()) {
        const QString caption = QString::fromUtf8(entry.caption);
        auto *item = new QTreeWidgetItem(groupItems.value(QString::fromUtf8(entry.group)),
                                         QStringList{caption});
        item->setData(0, kCaptionRole, caption);
        item->setDisabled(true);
        m_items.insert(caption, item);
        if (entry.bigButton) {
            auto *button = new QPushButton(QString::fromUtf8(entry.bigButton), m_buttonPanel);
            button->setMinimumSize(190, 64);
            QFont f = button->font();
            f.setBold(true);
            button->setFont(f);
            button->setEnabled(false);
            panelLayout->addWidget(button, bigIndex / 3, bigIndex % 3);
            ++bigIndex;
            m_bigButtons.insert(caption, button);
            connect(button, &QPushButton::clicked, this, [this, caption] { runCommand(caption); });
        }
    }
    panelLayout->setRowStretch(bigIndex / 3 + 1, 1);
    for (const QString &group : groups()) {
        const bool open = group == kGeneral || group == kExtra;
        groupItems.value(group)->setExpanded(open);
    }
    connect(m_tree, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem *item) { groupExpanded(item, true); });
    connect(m_tree, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem *item) { groupExpanded(item, false); });
    const auto activate = [this](QTreeWidgetItem *item) {
        const QString caption = item->data(0, kCaptionRole).toString();
        if (caption.isEmpty())
            item->setExpanded(!item->isExpanded());
        else
            runCommand(caption);
    };
    connect(m_tree, &QTreeWidget::itemClicked, this, activate);
    connect(m_tree, &QTreeWidget::itemActivated, this, activate);
}

QTreeWidgetItem *MainMenu::groupItem(const QString &group) const
{
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        if (m_tree->topLevelItem(i)->text(0) == group)
            return m_tree->topLevelItem(i);
    }
    return nullptr;
}

void MainMenu::groupExpanded(QTreeWidgetItem *item, bool expanded)
{
    // "Diğer İşlemler" takes the room of "Ek İşlemler" and "Veri Aktarım İşlemleri".
    if (m_adjustingGroups || item->text(0) != kOther)
        return;
    m_adjustingGroups = true;
    groupItem(kExtra)->setExpanded(!expanded);
    groupItem(kTransfer)->setExpanded(!expanded);
    m_adjustingGroups = false;
}

void MainMenu::setCommand(const QString &caption, std::function<void()> handler)
{
    QTreeWidgetItem *item = m_items.value(caption);
    if (!item)
        return;
    const bool enabled = bool(handler);
    m_commands.insert(caption, std::move(handler));
    item->setDisabled(!enabled);
    if (QPushButton *b = m_bigButtons.value(caption))
        b->setEnabled(enabled);
}

bool MainMenu::isCommandEnabled(const QString &caption) const
{
    return bool(m_commands.value(caption));
}

bool MainMenu::runCommand(const QString &caption)
{
    const auto handler = m_commands.value(caption);
    if (!handler)
        return false;
    handler();
    return true;
}

void MainMenu::setSiteLabels(const QString &code, const QString &name)
{
    m_codeValue->setText(code);
    m_nameValue->setText(name);
    m_siteStatus->setText(m_app.session().siteLabel);
}

void MainMenu::showForOpenSite()
{
    const Session &session = m_app.session();
    setSiteLabels(session.siteCode, session.siteName);
    showLoginOnHide = QStringLiteral("E");
    if (isMinimized() || !isVisible())
        showMaximized();
    raise();
    activateWindow();
}

void MainMenu::addWorkingScreen(const QString &name)
{
    if (!m_workingScreens.contains(name))
        m_workingScreens.append(name);
}

void MainMenu::hideWorkingScreens()
{
    for (const QString &name : m_workingScreens) {
        if (QWidget *w = m_app.screens().existing(name))
            w->hide();
    }
}

void MainMenu::applyButtonPanelState()
{
    const bool shown = m_buttonPanelState == 1;
    m_buttonPanel->setVisible(shown);
    m_toggle->setText(shown ? QStringLiteral("TUŞLARI GİZLE") : QStringLiteral("TUŞLARI GÖSTER"));
}

void MainMenu::toggleButtonPanel()
{
    m_buttonPanelState = m_buttonPanelState == 1 ? 2 : 1;
    applyButtonPanelState();
    IniFile ini(Session::settingsPath());
    ini.load();
    ini.setValue(QStringLiteral("Anamenu"), QStringLiteral("Tuslar"),
                 QString::number(m_buttonPanelState));
    if (Result r = ini.save(); !r)
        m_app.prompt().error(kCaption, r.message());
}

void MainMenu::updateProgram()
{
    if (m_app.prompt().question(kCaption, updateQuestion()) != Answer::Yes)
        return;
    if (!hasInternetConnection())
        m_app.prompt().information(kCaption, noInternetMessage());
}

void MainMenu::hideEvent(QHideEvent *event)
{
    QMainWindow::hideEvent(event);
    if (event->spontaneous())
        return;
    if (showLoginOnHide != QLatin1String("H")) {
        if (QWidget *login = m_app.screens().existing(AppContext::kLogin)) {
            if (login->isMinimized())
                login->showNormal();
            login->show();
            login->raise();
            login->activateWindow();
        }
    }
}

void MainMenu::closeEvent(QCloseEvent *event)
{
    // The close box hides the menu; the program ends from the login screen.
    event->accept();
}

} // namespace dalvira
