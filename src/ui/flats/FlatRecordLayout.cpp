// The widgets of the flat record screen; the behaviour is in FlatRecordWindow.cpp.
#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "common/EnterMovesFocus.h"
#include "common/GridStyle.h"
#include "flats/FlatPaymentPlanPage.h"
#include "flats/FlatRecordGridModel.h"
#include "flats/FlatRecordWindow.h"
#include "session/AppContext.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace dalvira {

namespace {

const QString kPhoneMask = QStringLiteral("(999) 999 99 99;_");

QLabel *rightLabel(const QString &text, QWidget *parent = nullptr)
{
    auto *l = new QLabel(text, parent);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLabel *headingLabel(const QString &text)
{
    auto *l = new QLabel(text);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

void FlatPhotoLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

QLineEdit *FlatRecordWindow::addLine(const QString &column, int maxLength, bool capitals)
{
    auto *f = new QLineEdit;
    f->setObjectName(column);
    f->setMaxLength(maxLength);
    m_fields.insert(column, f);
    connect(f, &QLineEdit::textEdited, this, &FlatRecordWindow::fieldEdited);
    if (capitals) {
        m_capitalFields.append(f);
        f->installEventFilter(this);
    }
    return f;
}

QLineEdit *FlatRecordWindow::addMirror(const QString &column)
{
    // The second page shows the flat's number, block, flat and door again; both fields edit
    // the same column.
    auto *primary = qobject_cast<QLineEdit *>(m_fields.value(column));
    auto *f = new QLineEdit;
    f->setObjectName(column + QStringLiteral("_2"));
    f->setMaxLength(primary->maxLength());
    if (primary->validator())
        f->setValidator(primary->validator());
    m_mirrors[column].append(f);
    m_capitalFields.append(f);
    f->installEventFilter(this);
    connect(f, &QLineEdit::textEdited, this, [this, primary](const QString &text) {
        primary->setText(text);
        fieldEdited();
    });
    connect(primary, &QLineEdit::textChanged, f, [f](const QString &text) {
        if (f->text() != text)
            f->setText(text);
    });
    return f;
}

QWidget *FlatRecordWindow::addAmount(const QString &column)
{
    auto *f = new AmountEdit;
    f->setObjectName(column);
    m_fields.insert(column, f);
    connect(f, &QLineEdit::textEdited, this, &FlatRecordWindow::fieldEdited);
    return f;
}

QWidget *FlatRecordWindow::addDate(const QString &column)
{
    auto *f = new DateEdit;
    f->setObjectName(column);
    f->setPrompt(&m_app.prompt());
    m_fields.insert(column, f);
    connect(f, &QLineEdit::textEdited, this, &FlatRecordWindow::fieldEdited);
    return f;
}

QLineEdit *FlatRecordWindow::addPhone(const QString &column)
{
    QLineEdit *f = addLine(column, 20);
    f->setInputMask(kPhoneMask);
    return f;
}

QLineEdit *FlatRecordWindow::addDigits(const QString &column, int maxDigits, bool capitals)
{
    QLineEdit *f = addLine(column, maxDigits, capitals);
    f->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(maxDigits)), f));
    return f;
}

QPlainTextEdit *FlatRecordWindow::addMemo(const QString &column)
{
    auto *f = new QPlainTextEdit;
    f->setObjectName(column);
    f->setTabChangesFocus(true);
    m_fields.insert(column, f);
    connect(f, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_loading)
            fieldEdited();
    });
    return f;
}

FlatPhotoLabel *FlatRecordWindow::addPhoto(const QString &column)
{
    auto *f = new FlatPhotoLabel;
    f->setObjectName(column);
    f->setFrameShape(QFrame::StyledPanel);
    f->setAlignment(Qt::AlignCenter);
    f->setFixedSize(120, 130);
    f->setToolTip(QStringLiteral("Resim yüklemek için çift tıklayın"));
    m_photos.insert(column, f);
    connect(f, &FlatPhotoLabel::doubleClicked, this, [this, column] { choosePhoto(column); });
    return f;
}

QWidget *FlatRecordWindow::navigationBar()
{
    auto *bar = new QWidget;
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    const QPair<QString, FlatRegister::Move> moves[] = {
        {QStringLiteral("İlk Kayıt"), FlatRegister::Move::First},
        {QStringLiteral("Önceki"), FlatRegister::Move::Previous},
        {QStringLiteral("Sonraki"), FlatRegister::Move::Next},
        {QStringLiteral("Son Kayıt"), FlatRegister::Move::Last},
    };
    for (const auto &[caption, move] : moves) {
        auto *b = new QPushButton(caption, bar);
        b->setAutoDefault(false);
        row->addWidget(b);
        // Each page has its own bar; the first one made is the one tests find by caption.
        if (!m_buttons.contains(caption))
            m_buttons.insert(caption, b);
        const FlatRegister::Move m = move;
        connect(b, &QPushButton::clicked, this, [this, m] { navigate(m); });
    }
    row->addStretch(1);
    return bar;
}

QWidget *FlatRecordWindow::buildCurrentPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    int row = 0;

    auto *top = new QHBoxLayout;
    top->addWidget(rightLabel(QStringLiteral("Kayıt No")));
    top->addWidget(addDigits(QStringLiteral("sicil_kodu"), 9, true));
    top->addWidget(rightLabel(QStringLiteral("Blok")));
    top->addWidget(addLine(QStringLiteral("blok"), 30, true));
    top->addWidget(rightLabel(QStringLiteral("Daire")));
    top->addWidget(addLine(QStringLiteral("dairesi"), 15, true));
    top->addWidget(rightLabel(QStringLiteral("Dış Kapı No")));
    top->addWidget(addLine(QStringLiteral("dis_kapi_numarasi"), 20, true));
    grid->addLayout(top, row++, 0, 1, 5);

    grid->addWidget(headingLabel(QStringLiteral("DAİRE SAHİBİ")), row, 1);
    grid->addWidget(headingLabel(QStringLiteral("OTURAN")), row, 2);
    ++row;
    const int firstPersonRow = row;
    auto pair = [&](const QString &caption, QWidget *owner, QWidget *resident) {
        grid->addWidget(rightLabel(caption), row, 0);
        grid->addWidget(owner, row, 1);
        grid->addWidget(resident, row, 2);
        ++row;
    };
    pair(QStringLiteral("Adı"), addLine(QStringLiteral("adi"), 40, true),
         addLine(QStringLiteral("oturan_adi"), 40, true));
    pair(QStringLiteral("Soyadı"), addLine(QStringLiteral("soyadi"), 60, true),
         addLine(QStringLiteral("oturan_soyadi"), 60, true));
    pair(QStringLiteral("TC Kimlik No"), addDigits(QStringLiteral("tc_kimlik"), 11),
         addDigits(QStringLiteral("oturan_tc_kimlik"), 11));
    pair(QStringLiteral("Telefonu"), addPhone(QStringLiteral("tel1")),
         addPhone(QStringLiteral("oturan_tel1")));
    pair(QStringLiteral("Cep Tel 1"), addPhone(QStringLiteral("ceptel")),
         addPhone(QStringLiteral("oturan_cep1")));
    pair(QStringLiteral("Cep Tel 2"), addPhone(QStringLiteral("ceptel2")),
         addPhone(QStringLiteral("oturan_cep2")));
    pair(QStringLiteral("Giriş Tarihi"), addDate(QStringLiteral("giris_tarihi")),
         addDate(QStringLiteral("oturan_giris_tarihi")));
    pair(QStringLiteral("Faks"), addPhone(QStringLiteral("fax")),
         addPhone(QStringLiteral("oturan_fax")));
    pair(QStringLiteral("eMail"), addLine(QStringLiteral("email"), 50),
         addLine(QStringLiteral("oturan_email"), 50));
    pair(QStringLiteral("İndirim Oranı (%)"), addAmount(QStringLiteral("aidat1indirim")),
         addAmount(QStringLiteral("aidat2indirim")));
    pair(QStringLiteral("Aidat Dağıtım Kriteri"), addAmount(QStringLiteral("bos_number1")),
         addAmount(QStringLiteral("bos_number2")));
    pair(QStringLiteral("Sabit Aidat Tutarı"), addAmount(QStringLiteral("bos_number3")),
         addAmount(QStringLiteral("bos_number4")));
    QLineEdit *ownerBirth = addLine(QStringLiteral("bos_text2"), 50);
    ownerBirth->setInputMask(QStringLiteral("99/99/9999;_"));
    pair(QStringLiteral("Doğum Tar."), ownerBirth, addDate(QStringLiteral("oturan_dogumtarihi")));
    pair(QStringLiteral("Eşinin Adı"), addLine(QStringLiteral("bos_text3"), 50),
         addLine(QStringLiteral("bos_text4"), 50));
    for (const char *amount : {"aidat1indirim", "aidat2indirim", "bos_number1", "bos_number2",
                               "bos_number3", "bos_number4"}) {
        QWidget *f = m_fields.value(QLatin1String(amount));
        m_capitalFields.append(static_cast<QLineEdit *>(f));
        f->installEventFilter(this);
    }

    // Beside the two columns: the counts, the plate and the two photos.
    auto *side = new QGridLayout;
    side->addWidget(rightLabel(QStringLiteral("Oturan Sayısı")), 0, 0);
    side->addWidget(addDigits(QStringLiteral("oturan_kisi_sayisi"), 2), 0, 1);
    side->addWidget(rightLabel(QStringLiteral("Oturan Çocuk")), 1, 0);
    side->addWidget(addDigits(QStringLiteral("oturan_cocuk_sayisi"), 2), 1, 1);
    side->addWidget(rightLabel(QStringLiteral("Araç Plaka")), 2, 0);
    side->addWidget(addLine(QStringLiteral("bos_text1"), 15, true), 2, 1);
    side->addWidget(headingLabel(QStringLiteral("Evsahibi Foto")), 3, 0, 1, 2);
    side->addWidget(addPhoto(QStringLiteral("sahibi_foto")), 4, 0, 1, 2, Qt::AlignHCenter);
    side->addWidget(headingLabel(QStringLiteral("Oturan Foto")), 5, 0, 1, 2);
    side->addWidget(addPhoto(QStringLiteral("oturan_foto")), 6, 0, 1, 2, Qt::AlignHCenter);
    side->setRowStretch(7, 1);
    grid->addLayout(side, firstPersonRow - 1, 3, row - firstPersonRow + 1, 2);

    auto *below = new QGridLayout;
    below->addWidget(rightLabel(QStringLiteral("Anne Adı")), 0, 0);
    below->addWidget(addLine(QStringLiteral("anne_adi"), 40), 0, 1);
    below->addWidget(rightLabel(QStringLiteral("Baba Adı")), 0, 2);
    below->addWidget(addLine(QStringLiteral("baba_adi"), 40), 0, 3);
    below->addWidget(rightLabel(QStringLiteral("Evsahibi Adresi")), 1, 0);
    QPlainTextEdit *home = addMemo(QStringLiteral("ev_adresi"));
    home->setMaximumHeight(52);
    below->addWidget(home, 1, 1);
    below->addWidget(rightLabel(QStringLiteral("Oturan İş Adresi Adres")), 1, 2);
    QPlainTextEdit *work = addMemo(QStringLiteral("isadresi"));
    work->setMaximumHeight(52);
    below->addWidget(work, 1, 3);
    m_capitals = new QCheckBox(QStringLiteral("İlk Harf Büyük"));
    m_capitals->setChecked(true);
    m_identityCheck = new QCheckBox(QStringLiteral("TC  Kontrol"));
    auto *boxes = new QHBoxLayout;
    boxes->addWidget(m_capitals);
    boxes->addWidget(m_identityCheck);
    boxes->addStretch(1);
    below->addLayout(boxes, 2, 1, 1, 3);
    below->setColumnStretch(1, 1);
    below->setColumnStretch(3, 1);
    grid->addLayout(below, row++, 0, 1, 5);
    grid->addWidget(navigationBar(), row++, 0, 1, 5);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget *FlatRecordWindow::buildFormerPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    int row = 0;
    auto *top = new QHBoxLayout;
    top->addWidget(rightLabel(QStringLiteral("Kayıt No")));
    top->addWidget(addMirror(QStringLiteral("sicil_kodu")));
    top->addWidget(rightLabel(QStringLiteral("Blok")));
    top->addWidget(addMirror(QStringLiteral("blok")));
    top->addWidget(rightLabel(QStringLiteral("Daire")));
    top->addWidget(addMirror(QStringLiteral("dairesi")));
    top->addWidget(rightLabel(QStringLiteral("Dış Kapı No")));
    top->addWidget(addMirror(QStringLiteral("dis_kapi_numarasi")));
    grid->addLayout(top, row++, 0, 1, 3);

    grid->addWidget(headingLabel(QStringLiteral("ÖNCEKİ DAİRE SAHİBİ")), row, 1);
    grid->addWidget(headingLabel(QStringLiteral("ÖNCEKİ OTURAN")), row, 2);
    ++row;
    auto pair = [&](const QString &caption, QWidget *owner, QWidget *resident) {
        grid->addWidget(rightLabel(caption), row, 0);
        grid->addWidget(owner, row, 1);
        grid->addWidget(resident, row, 2);
        ++row;
    };
    pair(QStringLiteral("Adı"), addLine(QStringLiteral("onceki_ev_sahibi_adi"), 40, true),
         addLine(QStringLiteral("onceki_oturan_adi"), 40, true));
    pair(QStringLiteral("Soyadı"), addLine(QStringLiteral("onceki_ev_sahibi_soyadi"), 50, true),
         addLine(QStringLiteral("onceki_oturan_soyadi"), 60, true));
    pair(QStringLiteral("Telefonu"), addPhone(QStringLiteral("onceki_ev_sahibi_tel")),
         addPhone(QStringLiteral("onceki_oturan_tel")));
    QPlainTextEdit *ownerRemarks = addMemo(QStringLiteral("eski_sahibi_aciklama"));
    QPlainTextEdit *residentRemarks = addMemo(QStringLiteral("eski_oturan_aciklama"));
    ownerRemarks->setMaximumHeight(90);
    residentRemarks->setMaximumHeight(90);
    pair(QStringLiteral("Açıklama"), ownerRemarks, residentRemarks);
    auto *ownerPhoto = new QVBoxLayout;
    ownerPhoto->addWidget(addPhoto(QStringLiteral("eski_sahibi_foto")), 0, Qt::AlignHCenter);
    auto *residentPhoto = new QVBoxLayout;
    residentPhoto->addWidget(addPhoto(QStringLiteral("eski_oturan_foto")), 0, Qt::AlignHCenter);
    grid->addLayout(ownerPhoto, row, 1);
    grid->addLayout(residentPhoto, row, 2);
    ++row;
    for (const QString &caption : {QStringLiteral("Önceki Daire Sahibi Borcuna Bak"),
                                   QStringLiteral("Dairede Önceki Oturan Borcuna Bak")}) {
        auto *b = new QPushButton(caption);
        b->setAutoDefault(false);
        b->setEnabled(false); // until a statement handler is set
        const auto kind = caption.startsWith(QStringLiteral("Önceki"))
                              ? FlatStatementRequest::Kind::FormerOwner
                              : FlatStatementRequest::Kind::FormerResident;
        connect(b, &QPushButton::clicked, this, [this, kind] { openStatement(kind); });
        m_buttons.insert(caption, b);
        grid->addWidget(b, row, caption.startsWith(QStringLiteral("Önceki")) ? 1 : 2);
    }
    ++row;
    grid->addWidget(navigationBar(), row++, 0, 1, 3);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget *FlatRecordWindow::buildFilterBar()
{
    auto *bar = new QWidget;
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    auto restriction = [&](const QString &caption, QLineEdit *&edit, QCheckBox *&box) {
        row->addWidget(rightLabel(caption));
        edit = new QLineEdit;
        edit->setMaximumWidth(90);
        row->addWidget(edit);
        box = new QCheckBox(QStringLiteral("Kısıtla"));
        row->addWidget(box);
    };
    restriction(QStringLiteral("Bloğu"), m_blockFilter, m_blockFilterBox);
    restriction(QStringLiteral("Dairesi"), m_flatFilter, m_flatFilterBox);
    restriction(QStringLiteral("Dış Kapı No"), m_doorFilter, m_doorFilterBox);
    row->addSpacing(12);
    m_search = new QLineEdit;
    m_search->setObjectName(QStringLiteral("uyeAra"));
    m_search->setMinimumWidth(140);
    setEnterKeepsFocus(m_search);
    connect(m_search, &QLineEdit::returnPressed, this, &FlatRecordWindow::findMember);
    row->addWidget(m_search);
    auto add = [&](const QString &caption, void (FlatRecordWindow::*slot)()) {
        auto *b = new QPushButton(caption);
        b->setAutoDefault(false);
        m_buttons.insert(caption, b);
        connect(b, &QPushButton::clicked, this, slot);
        row->addWidget(b);
    };
    add(QStringLiteral("ÜYE ARA"), &FlatRecordWindow::findMember);
    add(QStringLiteral("Yenile"), &FlatRecordWindow::refreshList);
    add(QStringLiteral("Tablo Görünüm Ayarları Sakla"), &FlatRecordWindow::saveColumnLayout);
    row->addStretch(1);
    return bar;
}

QWidget *FlatRecordWindow::buildCommands()
{
    auto *panel = new QWidget;
    auto *column = new QVBoxLayout(panel);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel(QStringLiteral("Açıklama")));
    QPlainTextEdit *remarks = addMemo(QStringLiteral("aciklama1"));
    remarks->setMaximumHeight(110);
    column->addWidget(remarks);
    auto add = [&](const QString &caption, std::function<void()> handler) {
        auto *b = new QPushButton(caption);
        b->setAutoDefault(false);
        b->setMinimumHeight(28);
        m_buttons.insert(caption, b);
        if (handler)
            connect(b, &QPushButton::clicked, this, handler);
        else
            b->setEnabled(false); // its screen comes with a later part of the program
        column->addWidget(b);
    };
    add(QStringLiteral("Yeni Daire"), [this] { newFlat(); });
    add(QStringLiteral("Daireyi Sil"), [this] { deleteFlat(); });
    add(QStringLiteral("Kaydet"), [this] { save(); });
    add(QStringLiteral("İşlemden Vazgeç"), [this] { cancelChange(); });
    column->addSpacing(8);
    using Kind = FlatStatementRequest::Kind;
    const std::pair<const char16_t *, Kind> statements[] = {
        {u"Dairenin Tüm Borcuna Bak", Kind::WholeFlat},
        {u"Daire Sahibi Borcuna Bak", Kind::Owner},
        {u"Dairede Oturan Borcuna Bak", Kind::Resident},
    };
    for (const auto &[caption, kind] : statements) {
        add(QString::fromUtf16(caption), [this, kind = kind] { openStatement(kind); });
        m_buttons.value(QString::fromUtf16(caption))->setEnabled(false); // until a handler is set
    }
    column->addSpacing(8);
    add(QStringLiteral("Daire Listesi"), [this] { showFlatList(); });
    add(QStringLiteral("Hızlı Giriş"), {});
    add(QStringLiteral("Excelden Veri Al"), {});
    column->addStretch(1);
    add(QStringLiteral("Kapat"), [this] { closeScreen(); });
    panel->setFixedWidth(220);
    return panel;
}

void FlatRecordWindow::buildLayout()
{
    m_model = new FlatRecordGridModel(this);
    m_grid = new QTableView;
    m_grid->setModel(m_model);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setDefaultSectionSize(22);
    m_grid->horizontalHeader()->setSectionsMovable(true);
    m_grid->horizontalHeader()->setSectionsClickable(true);
    m_grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_grid->installEventFilter(this);
    applyGridStyle(m_grid);
    connect(m_grid, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { showFlat(m_model->hidAt(index.row())); });
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &FlatRecordWindow::sortByColumn);
    auto *details = new QAction(QStringLiteral("Detayına Bak"), m_grid);
    connect(details, &QAction::triggered, this, [this] {
        const QModelIndex current = m_grid->currentIndex();
        if (current.isValid())
            showFlat(m_model->hidAt(current.row()));
    });
    auto *refresh = new QAction(QStringLiteral("Yenile"), m_grid);
    connect(refresh, &QAction::triggered, this, &FlatRecordWindow::refreshList);
    m_removeBlanks = new QAction(QStringLiteral("Fazla Boşluk Sil"), m_grid);
    connect(m_removeBlanks, &QAction::triggered, this, &FlatRecordWindow::removeExtraBlanks);
    m_grid->addActions({details, refresh, m_removeBlanks});

    auto *listBox = new QWidget;
    auto *listLayout = new QVBoxLayout(listBox);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(
        new QLabel(QStringLiteral("    DAİRE LİSTESİ    (Üyeyi seçmek için fare ile çift "
                                  "tıklayın)")));
    listLayout->addWidget(m_grid);

    m_pages = new QTabWidget;
    m_pages->addTab(buildCurrentPage(), QStringLiteral("Güncel Daire Bilgileri"));
    m_pages->addTab(buildFormerPage(), QStringLiteral("Eski Sahibi Oturan"));
    m_planPage = new FlatPaymentPlanPage(m_app, [this] { return m_flat.hid; });
    m_pages->addTab(m_planPage, QStringLiteral("Aidat Aktarma"));

    auto *splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(listBox);
    splitter->addWidget(m_pages);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    splitter->setChildrenCollapsible(false);
    splitter->setSizes({480, 740});

    auto *body = new QHBoxLayout;
    body->addWidget(splitter, 1);
    body->addWidget(buildCommands());
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(buildFilterBar());
    layout->addLayout(body, 1);
}

} // namespace dalvira
