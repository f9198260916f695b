#include "session/SiteInfoWindow.h"

#include "common/AmountEdit.h"
#include "common/EnterMovesFocus.h"
#include "common/Formats.h"
#include "common/Prompt.h"
#include "session/AppContext.h"
#include "session/LoginWindow.h"
#include "session/MainMenu.h"
#include "session/SiteDirectory.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

namespace dalvira {

namespace {

const QString kPhoneMask = QStringLiteral("(999) 999 99 99;_");

// A masked phone field keeps its brackets, blanks and "_" for a missing digit; a field with no
// digit at all is stored empty.
QString fieldValue(const QLineEdit *field)
{
    if (field->inputMask().isEmpty())
        return field->text();
    const QString shown = field->displayText();
    for (const QChar c : shown) {
        if (c.isDigit())
            return shown;
    }
    return QString();
}

void centre(QWidget *w)
{
    if (const QScreen *screen = w->screen()) {
        const QRect area = screen->availableGeometry();
        w->move(area.center() - w->rect().center());
    }
}

} // namespace

QString SiteInfoWindow::saveQuestion()
{
    return QStringLiteral("Değişiklikler kayıt edilecektir. Eminmisiniz?");
}

QString SiteInfoWindow::cancelQuestion()
{
    return QStringLiteral("Değişiklikler iptal edilecektir, eminmisiniz?");
}

QString SiteInfoWindow::closeQuestion()
{
    return QStringLiteral("Girişlerinizi kayıt etmeden çıkmak istiyormusunuz?");
}

SiteInfoWindow::SiteInfoWindow(AppContext &app, QWidget *parent) : QWidget(parent), m_app(app)
{
    setObjectName(AppContext::kSiteInfo);
    setWindowTitle(QStringLiteral("Tolvek Dalvira - Site / Apartman Bilgileri"));

    auto *heading = new QLabel(QStringLiteral("Site / Apartman Bilgileri Giriş Değişiklik"), this);
    QFont hf = heading->font();
    hf.setBold(true);
    hf.setPointSizeF(hf.pointSizeF() * 1.4);
    heading->setFont(hf);

    auto *box = new QGroupBox(QStringLiteral("Site / Apartman Bilgileri"), this);
    auto *grid = new QGridLayout(box);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    auto label = [box](const QString &text) {
        auto *l = new QLabel(text, box);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return l;
    };
    int row = 0;
    auto wide = [&](const QString &caption, const QString &column, int maxLength) {
        grid->addWidget(label(caption), row, 0);
        grid->addWidget(addField(column, maxLength), row, 1, 1, 3);
        ++row;
    };
    auto pair = [&](const QString &leftCaption, QWidget *left, const QString &rightCaption,
                    QWidget *right) {
        grid->addWidget(label(leftCaption), row, 0);
        grid->addWidget(left, row, 1);
        grid->addWidget(label(rightCaption), row, 2);
        grid->addWidget(right, row, 3);
        ++row;
    };

    QLineEdit *code = addField(QStringLiteral("firma_kodu"), 10);
    code->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Za-z]{0,10}")), code));
    code->setReadOnly(true);
    grid->addWidget(label(QStringLiteral("Site Kodu")), row, 0);
    grid->addWidget(code, row, 1);
    ++row;
    wide(QStringLiteral("Site Adı"), QStringLiteral("firma_unvani_1"), 100);
    wide(QStringLiteral("Adresi"), QStringLiteral("firma_adresi_1"), 100);
    pair(QStringLiteral("İlçe"), addField(QStringLiteral("adres_semt"), 100),
         QStringLiteral("Şehir"), addField(QStringLiteral("adres_sehir"), 100));
    QLineEdit *phone1 = addField(QStringLiteral("telefon1_no"), 15);
    QLineEdit *phone2 = addField(QStringLiteral("telefon2_no"), 15);
    QLineEdit *fax = addField(QStringLiteral("fax_no"), 15);
    for (QLineEdit *f : {phone1, phone2, fax})
        f->setInputMask(kPhoneMask);
    pair(QStringLiteral("Telefon"), phone1, QStringLiteral("Telefon"), phone2);
    m_interest = new AmountEdit(box);
    m_interest->setObjectName(QStringLiteral("faiz_aylik"));
    connect(m_interest, &QLineEdit::textEdited, this, &SiteInfoWindow::fieldEdited);
    pair(QStringLiteral("Faks"), fax, QStringLiteral("Aylık Faiz"), m_interest);
    wide(QStringLiteral("Vergi D."), QStringLiteral("vergi_dairesi"), 30);
    wide(QStringLiteral("Vergi No:"), QStringLiteral("vergi_no"), 16);
    wide(QStringLiteral("Yetkili Adı"), QStringLiteral("yetkili1"), 50);
    wide(QStringLiteral("Yetkili Ünv."), QStringLiteral("yetkili1unvan"), 50);
    wide(QStringLiteral("Bankası"), QStringLiteral("bos1"), 50);
    wide(QStringLiteral("Alacaklı"), QStringLiteral("bos2"), 50);
    wide(QStringLiteral("İBAN"), QStringLiteral("bos3"), 50);
    wide(QStringLiteral("Elden Ödeme Adresi"), QStringLiteral("bos4"), 50);
    wide(QStringLiteral("Üye Genel Adresi"), QStringLiteral("bos5"), 50);

    auto makeButton = [this](const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setAutoDefault(false);
        b->setMinimumHeight(30);
        return b;
    };
    m_new = makeButton(QStringLiteral("YENİ SİTE/APARTMAN KAYDI EKLE"));
    m_save = makeButton(QStringLiteral("SİTEYİ KAYDET"));
    m_cancel = makeButton(QStringLiteral("VAZGEÇ"));
    m_close = makeButton(QStringLiteral("KAPAT"));
    auto *commands = new QVBoxLayout;
    for (QPushButton *b : {m_new, m_save, m_cancel})
        commands->addWidget(b);
    commands->addStretch(1);
    commands->addWidget(m_close);

    auto *body = new QHBoxLayout;
    body->addWidget(box, 1);
    body->addLayout(commands);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addLayout(body);

    connect(m_new, &QPushButton::clicked, this, &SiteInfoWindow::newRecord);
    connect(m_save, &QPushButton::clicked, this, [this] { save(); });
    connect(m_cancel, &QPushButton::clicked, this, &SiteInfoWindow::cancel);
    connect(m_close, &QPushButton::clicked, this, [this] {
        if (requestClose())
            hide();
    });
    installEnterMovesFocus(this);
    resize(820, 600);
}

QLineEdit *SiteInfoWindow::addField(const QString &column, int maxLength)
{
    auto *f = new QLineEdit(this);
    f->setObjectName(column);
    f->setMaxLength(maxLength);
    m_fields.insert(column, f);
    connect(f, &QLineEdit::textEdited, this, &SiteInfoWindow::fieldEdited);
    return f;
}

void SiteInfoWindow::fieldEdited()
{
    if (!m_loading && m_state == State::Browse)
        setState(State::Edit);
}

void SiteInfoWindow::setState(State state)
{
    m_state = state;
    // The code names the site's files: it is typed once, for a new site.
    m_fields.value(QStringLiteral("firma_kodu"))->setReadOnly(state != State::Insert);
}

void SiteInfoWindow::load(const SiteRecord &record)
{
    m_loading = true;
    m_record = record;
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
        it.value()->setText(record.values.value(it.key()).toString());
    const QVariant interest = record.values.value(QStringLiteral("faiz_aylik"));
    m_interest->setText(formatAmount(interest.toDouble()));
    m_loading = false;
}

SiteRecord SiteInfoWindow::collect() const
{
    SiteRecord r = m_record;
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
        r.values.insert(it.key(), fieldValue(it.value()).trimmed());
    r.values.insert(QStringLiteral("faiz_aylik"), m_interest->value());
    return r;
}

void SiteInfoWindow::setCurrentCode(const QString &code)
{
    m_currentCode = code;
    if (m_state == State::Browse)
        reloadCurrent();
}

void SiteInfoWindow::reloadCurrent()
{
    std::optional<SiteRecord> row;
    try {
        SiteDirectory directory(m_app.storage());
        row = m_currentCode.isEmpty() ? std::nullopt : directory.findByCode(m_currentCode);
        if (!row) {
            const QList<SiteRecord> all = directory.list();
            if (!all.isEmpty())
                row = all.first();
        }
    } catch (const OperationError &e) {
        m_app.prompt().error(kCaption, e.message());
    }
    load(row.value_or(SiteRecord{}));
    setState(State::Browse);
}

void SiteInfoWindow::showCurrent()
{
    if (m_state == State::Browse)
        reloadCurrent();
    if (isMinimized())
        showNormal();
    show();
    centre(this);
    raise();
    activateWindow();
}

void SiteInfoWindow::startNewSite(const QString &code)
{
    showCurrent();
    newRecord();
    m_fields.value(QStringLiteral("firma_kodu"))->setText(code);
    m_fields.value(QStringLiteral("firma_unvani_1"))->setFocus();
}

void SiteInfoWindow::newRecord()
{
    load(SiteRecord{});
    setState(State::Insert);
    m_fields.value(QStringLiteral("firma_kodu"))->setFocus();
}

bool SiteInfoWindow::save()
{
    if (m_state == State::Browse)
        return false;
    if (m_app.prompt().question(kCaption, saveQuestion()) != Answer::Yes)
        return false;
    const SiteRecord record = collect();
    SiteDirectory directory(m_app.storage());
    const bool creating = m_state == State::Insert;
    const Result r = creating ? directory.createSite(record) : directory.saveSite(record);
    if (!r) {
        m_app.prompt().warning(kCaption, r.message());
        return false;
    }
    const QString code = record.code().trimmed();
    m_currentCode = code;
    setState(State::Browse);
    reloadCurrent();

    // The open site's new name shows at once; another site's save leaves the session alone.
    Session &session = m_app.session();
    if (!creating && !code.isEmpty() && code == session.siteCode) {
        session.siteInformationChanged(code, m_record.name());
        if (auto *menu = m_app.screens().screen<MainMenu>(AppContext::kMainMenu))
            menu->setSiteLabels(code, m_record.name());
    }
    if (auto *login = m_app.screens().screen<LoginWindow>(AppContext::kLogin)) {
        if (login->codeField()->text() == code)
            login->setSite(code, m_record.name());
    }
    return true;
}

void SiteInfoWindow::cancel()
{
    if (m_state == State::Browse)
        return;
    if (m_app.prompt().question(kCaption, cancelQuestion()) != Answer::Yes)
        return;
    setState(State::Browse);
    reloadCurrent();
}

bool SiteInfoWindow::requestClose()
{
    if (m_state == State::Browse)
        return true;
    if (m_app.prompt().question(kCaption, closeQuestion()) != Answer::Yes)
        return false;
    setState(State::Browse);
    reloadCurrent();
    return true;
}

void SiteInfoWindow::closeEvent(QCloseEvent *event)
{
    if (requestClose())
        event->accept();
    else
        event->ignore();
}

} // namespace dalvira
