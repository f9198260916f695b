#include "ledger/StatementWindow.h"

#include "book/TypeLists.h"
#include "cash/MethodLists.h"
#include "common/DateEdit.h"
#include "common/Formats.h"
#include "common/GridStyle.h"
#include "common/Prompt.h"
#include "ledger/StatementExport.h"
#include "ledger/StatementMail.h"
#include "ledger/StatementModel.h"
#include "ledger/StatementPrintouts.h"
#include "report/ReportPreview.h"
#include "report/SiteLetterhead.h"
#include "session/AppContext.h"
#include "spreadsheet/ExportOpener.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

namespace dalvira {

namespace {

const QString kHelpTopic = QStringLiteral("yaidathareket");

const QStringList &reportEntries()
{
    static const QStringList entries = {
        QStringLiteral("Hesap Hareketleri"),        QStringLiteral("Excel'e Aktar"),
        QStringLiteral("Borç Bildirimi"),           QStringLiteral("Borç İhtarname"),
        QStringLiteral("Borç Bildirimi Faizli"),    QStringLiteral("Borç İhtarname Faizli"),
        QStringLiteral("Faizli Devirsiz Bildirim"), QStringLiteral("Faizli D.siz İhtarname"),
        QStringLiteral("Faiz Hesap Raporu"),        QStringLiteral("Faizli Hesap Hareket"),
        QStringLiteral("Faizli D.siz Hareket"),     QStringLiteral("Mail Olarak Gönder"),
        QStringLiteral("Faizli Hareket Excel"),     QStringLiteral("Faizli D.siz Excel")};
    return entries;
}

bool entryAvailable(int entry)
{
    return entry == StatementWindow::MovementPrintout ||
           entry == StatementWindow::SpreadsheetExport || entry == StatementWindow::MailEntry;
}

QLabel *rightLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLineEdit *figureField(const QString &objectName, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignRight);
    field->setFocusPolicy(Qt::NoFocus);
    field->setMinimumWidth(110);
    return field;
}

bool launchXdgEmail(const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    return !program.isEmpty() && QProcess::startDetached(program, arguments);
}

} // namespace

StatementWindow::StatementWindow(AppContext &app, QWidget *parent) : QWidget(parent), m_app(app)
{
    setObjectName(kScreenName);
    setWindowTitle(QStringLiteral("Tolvek Dalvira - Üye Aidat Borç-Alacak Hareket Raporu"));
    m_presenter = [this](const Report &report) { ReportPreview::show(report, this); };
    m_exportOpener = [](const QString &path) { return openExport(path); };
    m_mailLauncher = launchXdgEmail;
    m_exportFolder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    build();
    resize(1300, 700);
}

QWidget *StatementWindow::buildFigures(const QString &prefix, const QStringList &captions,
                                       QList<QLineEdit *> &fields, bool vertical)
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const QStringList names = {QStringLiteral("Borcu"), QStringLiteral("Odeme"),
                               QStringLiteral("Bakiye")};
    for (int i = 0; i < captions.size(); ++i) {
        QLineEdit *field = figureField(prefix + names.at(i), box);
        fields << field;
        if (vertical) {
            grid->addWidget(rightLabel(captions.at(i), box), i, 0);
            grid->addWidget(field, i, 1);
        } else {
            grid->addWidget(rightLabel(captions.at(i), box), 0, 2 * i);
            grid->addWidget(field, 0, 2 * i + 1);
        }
    }
    return box;
}

void StatementWindow::build()
{
    auto *heading = new QLabel(QStringLiteral("Üye Aidat Borç-Ödeme Hareket Raporu"), this);
    QFont big = heading->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    heading->setFont(big);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("titleLine"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    m_title->setFont(titleFont);

    // Period and filters.
    auto *filters = new QGroupBox(this);
    auto *fg = new QGridLayout(filters);
    m_firstDay = new DateEdit(filters);
    m_firstDay->setObjectName(QStringLiteral("ilkTarih"));
    m_reportDate = new DateEdit(filters);
    m_reportDate->setObjectName(QStringLiteral("raporTarihi"));
    m_currency = new QComboBox(filters);
    m_currency->setObjectName(QStringLiteral("paraCinsi"));
    m_type = new QComboBox(filters);
    m_type->setObjectName(QStringLiteral("gelirTuru"));
    m_type->setMinimumWidth(150);
    m_interestOnInterest = new QCheckBox(QStringLiteral("Faize Faiz Yürütme"), filters);
    m_interestOnInterest->setChecked(true);
    fg->addWidget(rightLabel(QStringLiteral("İlk Tarihi"), filters), 0, 0);
    fg->addWidget(m_firstDay, 0, 1);
    fg->addWidget(rightLabel(QStringLiteral("Rapor Tarihi"), filters), 1, 0);
    fg->addWidget(m_reportDate, 1, 1);
    fg->addWidget(rightLabel(QStringLiteral("Para Cinsi"), filters), 0, 2);
    fg->addWidget(m_currency, 0, 3);
    fg->addWidget(rightLabel(QStringLiteral("Gelir Türü"), filters), 1, 2);
    fg->addWidget(m_type, 1, 3);
    fg->addWidget(m_interestOnInterest, 2, 1, 1, 3);

    auto *devir = new QGroupBox(QStringLiteral("Devir"), this);
    auto *dl = new QVBoxLayout(devir);
    dl->addWidget(
        buildFigures(QStringLiteral("devir"),
                     {QStringLiteral("Borcu"), QStringLiteral("Ödemesi"), QStringLiteral("Bakiye")},
                     m_carryOver, false));

    auto *top = new QHBoxLayout;
    top->addWidget(filters);
    top->addWidget(devir);
    top->addStretch(1);

    m_model = new StatementModel(this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("hareketler"));
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    m_grid->horizontalHeader()->setStretchLastSection(false);
    applyGridStyle(m_grid);
    const int widths[] = {40, 60, 50, 50, 80, 150, 210, 90, 90, 40, 110, 60};
    for (int c = 0; c < StatementModel::ColumnCount; ++c)
        m_grid->setColumnWidth(c, widths[c]);
    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);

    m_gridMenu = new QMenu(this);
    QAction *deleteRow = m_gridMenu->addAction(QStringLiteral("Satır Sil"));
    deleteRow->setObjectName(QStringLiteral("satirSil"));
    connect(deleteRow, &QAction::triggered, this, [this] { deleteCurrentRow(); });
    // Correction and moving to another holder come with their own screens.
    m_gridMenu->addAction(QStringLiteral("Değiştir"))->setEnabled(false);
    m_gridMenu->addAction(QStringLiteral("Hareketleri Başkasına Aktar"))->setEnabled(false);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const QModelIndex index = m_grid->indexAt(at);
        if (index.isValid())
            m_grid->selectRow(index.row());
        m_gridMenu->popup(m_grid->viewport()->mapToGlobal(at));
    });

    // Figures below the grid: totals on the left, the period on the right.
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(buildFigures(
        QStringLiteral("t"),
        {QStringLiteral("T.Borcu"), QStringLiteral("T.Ödeme"), QStringLiteral("T.Bakiye")},
        m_totals, false));
    bottom->addStretch(1);
    bottom->addWidget(buildFigures(
        QStringLiteral("d"),
        {QStringLiteral("D.Borcu"), QStringLiteral("D.Ödeme"), QStringLiteral("D.Bakiye")},
        m_period, false));

    // Commands.
    auto *commands = new QVBoxLayout;
    auto button = [&](const QString &caption, const QString &name, auto slot) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setMinimumWidth(220);
        connect(b, &QPushButton::clicked, this, slot);
        commands->addWidget(b);
        return b;
    };
    button(QStringLiteral("YENİLE"), QStringLiteral("yenile"), [this] { refresh(); });
    button(QStringLiteral("TAHSİLAT"), QStringLiteral("tahsilat"), [this] { printReceipt(); });
    button(QStringLiteral("ANTETLİ EKSTRE"), QStringLiteral("antetliEkstre"),
           [this] { printHeadedStatement(); });
    button(QStringLiteral("Hareketleri Başka Kişiye Aktar"), QStringLiteral("baskaKisiyeAktar"),
           [] {})
        ->setEnabled(false);
    auto *reports = new QGroupBox(QStringLiteral("Raporlama Seçenekleri"), this);
    auto *rl = new QVBoxLayout(reports);
    m_reportList = new QComboBox(reports);
    m_reportList->setObjectName(QStringLiteral("raporlamaSecenekleri"));
    m_reportList->addItems(reportEntries());
    // The notices and interest printouts come with their own part of the program.
    if (auto *items = qobject_cast<QStandardItemModel *>(m_reportList->model())) {
        for (int i = 0; i < items->rowCount(); ++i)
            if (!entryAvailable(i))
                items->item(i)->setEnabled(false);
    }
    rl->addWidget(m_reportList);
    auto *run = new QPushButton(QStringLiteral("RAPORLA"), reports);
    run->setObjectName(QStringLiteral("raporla"));
    connect(run, &QPushButton::clicked, this, [this] { runReport(m_reportList->currentIndex()); });
    rl->addWidget(run);
    commands->addWidget(reports);
    commands->addStretch(1);
    auto *help = button(QStringLiteral("YARDIM"), QStringLiteral("yardim"),
                        [this] { m_app.showHelp(kHelpTopic); });
    help->setShortcut(QKeySequence(Qt::Key_F1));
    button(QStringLiteral("KAPAT"), QStringLiteral("kapat"), [this] { hide(); });

    auto *left = new QVBoxLayout;
    left->addWidget(heading);
    left->addWidget(m_title);
    left->addLayout(top);
    left->addWidget(m_grid, 1);
    left->addLayout(bottom);
    auto *main = new QHBoxLayout(this);
    main->addLayout(left, 1);
    main->addLayout(commands);

    const QDate today = QDate::currentDate();
    m_firstDay->setDate(QDate(today.year(), 1, 1));
    m_reportDate->setDate(today);

    registerCurrencyList(m_app, m_currency, CurrencyListKind::HomeFirstWithAll,
                         ListSelection::Keep);
    registerTypeList(m_app, m_type, TypeListKind::ShortWithAll, ListSelection::Keep);
    connect(m_currency, &QComboBox::currentTextChanged, this, [this] { filterChanged(); });
    connect(m_type, &QComboBox::currentTextChanged, this, [this] { filterChanged(); });
}

void StatementWindow::filterChanged()
{
    if (m_hasSelection && !m_refreshing && isVisible())
        refresh();
}

void StatementWindow::setSelection(const StatementSelection &selection)
{
    m_selection = selection;
    m_hasSelection = true;
    m_title->setText(selection.title());
}

void StatementWindow::open(const StatementOpening &opening)
{
    m_refreshing = true;
    if (m_currency->count() == 0)
        fillCurrencyList(m_app, m_currency, CurrencyListKind::HomeFirstWithAll);
    if (m_type->count() == 0)
        fillTypeList(m_app, m_type, TypeListKind::ShortWithAll);
    if (opening.reportDate.isValid())
        m_reportDate->setDate(opening.reportDate);
    if (!opening.currency.isEmpty()) {
        if (m_currency->findText(opening.currency) < 0)
            m_currency->addItem(opening.currency);
        m_currency->setCurrentText(opening.currency);
    }
    if (!opening.type.isEmpty()) {
        const QString type = opening.type.left(kShortTypeChoiceLength);
        if (m_type->findText(type) < 0)
            m_type->addItem(type);
        m_type->setCurrentText(type);
    }
    m_refreshing = false;
    setSelection(opening.selection);
    refresh();
    show();
    raise();
    activateWindow();
}

QString StatementWindow::titleLine() const
{
    return m_title->text();
}

QString StatementWindow::figureText(const QString &objectName) const
{
    const auto *field = findChild<QLineEdit *>(objectName);
    return field ? field->text() : QString();
}

StatementFilter StatementWindow::currentFilter() const
{
    StatementFilter filter;
    filter.firstDay = m_firstDay->date();
    filter.reportDate = m_reportDate->date();
    if (!m_currency->currentText().isEmpty())
        filter.currency = m_currency->currentText();
    if (!m_type->currentText().isEmpty())
        filter.type = m_type->currentText();
    return filter;
}

bool StatementWindow::refresh()
{
    if (!m_hasSelection)
        return false;
    const StatementFilter filter = currentFilter();
    if (!filter.firstDay.isValid() || !filter.reportDate.isValid()) {
        m_app.prompt().warning(kCaption, QStringLiteral("Tarih hatalı!"));
        return false;
    }
    m_refreshing = true;
    Statement loaded;
    const Result r = loadStatement(m_app.storage().ana(), m_selection, filter, loaded);
    m_refreshing = false;
    if (!r) {
        m_app.prompt().error(kCaption, r.message());
        return false;
    }
    m_statement = std::move(loaded);
    m_model->setLines(m_statement.lines);
    showFigures();
    return true;
}

void StatementWindow::showFigures()
{
    const auto put = [](const QList<QLineEdit *> &fields, const LedgerSums &sums,
                        const char *format) {
        fields.at(0)->setText(formatAmount(sums.debit.toDouble(), format));
        fields.at(1)->setText(formatAmount(sums.credit.toDouble(), format));
        fields.at(2)->setText(formatAmount(sums.balance().toDouble(), format));
    };
    put(m_carryOver, m_statement.carryOver, kAmountFormat);
    put(m_totals, m_statement.totals, kAmountFormat);
    put(m_period, m_statement.period(), kAmountFormatNoZero);
}

void StatementWindow::deleteCurrentRow()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid())
        return;
    const qint64 cid = current.data(StatementModel::CidRole).toLongLong();
    if (m_app.prompt().question(kCaption, deleteMovementQuestion(), QuestionButtons::YesNoCancel,
                                Answer::No) != Answer::Yes)
        return;
    if (m_app.prompt().question(kCaption, deleteMovementSecondQuestion(),
                                QuestionButtons::YesNoCancel, Answer::Yes) != Answer::No)
        return;
    MovementDeletion outcome;
    if (const Result r = deleteStatementMovement(m_app.storage().ana(), cid, &outcome); !r) {
        m_app.prompt().error(kCaption, r.message());
        return;
    }
    const int row = current.row();
    refresh();
    if (m_model->rowCount() > 0)
        m_grid->selectRow(std::min(row, m_model->rowCount() - 1));
}

bool StatementWindow::siteLetterhead(SiteLetterhead &site)
{
    site = readSiteLetterhead(m_app.storage().genel(), m_app.session().siteCode);
    if (!site.error.isEmpty()) {
        m_app.prompt().error(kCaption, site.error);
        return false;
    }
    return true;
}

void StatementWindow::runReport(int entry)
{
    if (!entryAvailable(entry))
        return;
    if (!refresh())
        return;
    SiteLetterhead site;
    if (!siteLetterhead(site))
        return;
    switch (entry) {
    case MovementPrintout:
        m_presenter(statementMovementReport(m_statement, site, QDateTime::currentDateTime()));
        break;
    case SpreadsheetExport:
        exportToSpreadsheet();
        break;
    case MailEntry:
        sendMail();
        break;
    default:
        break;
    }
}

void StatementWindow::printReceipt()
{
    if (!refresh())
        return;
    SiteLetterhead site;
    if (!siteLetterhead(site))
        return;
    QList<StatementLine> charges;
    if (const Result r =
            loadStatementCharges(m_app.storage().ana(), m_selection, m_statement.filter, charges);
        !r) {
        m_app.prompt().error(kCaption, r.message());
        return;
    }
    m_presenter(statementReceiptReport(m_statement, charges, site));
}

void StatementWindow::printHeadedStatement()
{
    if (!refresh())
        return;
    SiteLetterhead site;
    if (!siteLetterhead(site))
        return;
    m_presenter(headedStatementReport(m_statement, site));
}

bool StatementWindow::writeExport(const QString &path)
{
    SiteLetterhead site;
    if (!siteLetterhead(site))
        return false;
    if (const Result r = writeStatementExport(path, m_statement, site); !r) {
        m_app.prompt().error(kCaption, r.message());
        return false;
    }
    m_lastExportPath = path;
    return true;
}

void StatementWindow::exportToSpreadsheet()
{
    QDir().mkpath(m_exportFolder);
    const QString path = QDir(m_exportFolder)
                             .filePath(QStringLiteral("HesapHareketleri-%1.xlsx")
                                           .arg(QDateTime::currentDateTime().toString(
                                               QStringLiteral("yyyyMMdd-HHmmss-zzz"))));
    if (!writeExport(path))
        return;
    if (m_exportOpener) {
        if (const Result opened = m_exportOpener(path); !opened)
            m_app.prompt().error(kCaption, opened.message());
    }
}

void StatementWindow::sendMail()
{
    QString recipients;
    if (const Result r = statementMailRecipients(m_app.storage().ana(), m_statement, recipients);
        !r) {
        m_app.prompt().error(kCaption, r.message());
        return;
    }
    const QString path = statementMailAttachmentPath();
    QFile::remove(path);
    if (!writeExport(path))
        return;
    SiteLetterhead site;
    if (!siteLetterhead(site))
        return;
    const StatementMail mail = buildStatementMail(m_statement, site, recipients, path);
    // The attachment stays for the mail client; the next start of the program removes it.
    if (!m_mailLauncher || !m_mailLauncher(mail.xdgEmailArguments()))
        m_app.prompt().warning(kCaption, mailClientMissingMessage());
}

} // namespace dalvira
