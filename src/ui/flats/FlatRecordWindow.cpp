#include "flats/FlatRecordWindow.h"

#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "common/EnterMovesFocus.h"
#include "common/Formats.h"
#include "common/Prompt.h"
#include "common/WaitWindow.h"
#include "flats/FlatGridLayout.h"
#include "flats/FlatListWindow.h"
#include "flats/FlatPaymentPlanPage.h"
#include "flats/FlatPhoto.h"
#include "flats/FlatRecordGridModel.h"
#include "flats/IdentityNumber.h"
#include "flats/TurkishCapitals.h"
#include "session/AppContext.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

namespace dalvira {

namespace {

// A masked field with no digit typed is empty; otherwise it is stored as shown, with the
// mask's brackets and blanks.
QVariant maskedValue(const QLineEdit *field)
{
    const QString shown = field->displayText();
    for (const QChar c : shown) {
        if (c.isDigit())
            return shown;
    }
    return {};
}

QVariant textOrNull(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

const char *const kAmountColumns[] = {"aidat1indirim", "aidat2indirim", "bos_number1",
                                      "bos_number2",   "bos_number3",   "bos_number4"};
const char *const kDateColumns[] = {"giris_tarihi", "oturan_giris_tarihi", "oturan_dogumtarihi"};
const char *const kNumberColumns[] = {"sicil_kodu", "oturan_kisi_sayisi", "oturan_cocuk_sayisi"};

bool isOneOf(const QString &column, const char *const *list, int count)
{
    for (int i = 0; i < count; ++i) {
        if (column == QLatin1String(list[i]))
            return true;
    }
    return false;
}

template <size_t N> bool isOneOf(const QString &column, const char *const (&list)[N])
{
    return isOneOf(column, list, int(N));
}

} // namespace

QString FlatRecordWindow::discardQuestion()
{
    return QStringLiteral("Yapılan değişiklik kayıt yapılmadan çıkılsınmı?");
}

QString FlatRecordWindow::noFlatsMessage()
{
    return QStringLiteral("Kayıtlı daire mevcut değil! İsteğiniz iptal edildi!");
}

FlatRecordWindow::FlatRecordWindow(AppContext &app, QWidget *parent) : QWidget(parent), m_app(app)
{
    setObjectName(kScreenName);
    setWindowTitle(QStringLiteral("Tolvek Dalvira - Daire Kayıt Bilgileri"));
    buildLayout();
    applyColumnLayout(defaultColumnLayout());
    installEnterMovesFocus(this);
    resize(1340, 720);
}

FlatRecordWindow::~FlatRecordWindow() = default;

QLineEdit *FlatRecordWindow::lineField(const QString &column) const
{
    return qobject_cast<QLineEdit *>(m_fields.value(column));
}

// ---- showing and collecting a flat ----------------------------------------------------------

void FlatRecordWindow::display(const FlatRecord &flat)
{
    m_loading = true;
    m_flat = flat;
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        const QString &column = it.key();
        const QVariant v = flat.value(column);
        if (auto *memo = qobject_cast<QPlainTextEdit *>(it.value())) {
            memo->setPlainText(v.toString());
        } else if (auto *date = qobject_cast<DateEdit *>(it.value())) {
            date->setDate(v.isNull() ? QDate()
                                     : QDate::fromString(v.toString().left(10), Qt::ISODate));
        } else if (auto *amount = qobject_cast<AmountEdit *>(it.value())) {
            if (v.isNull() || v.toString().isEmpty())
                amount->clear();
            else
                amount->setValue(v.toDouble());
        } else if (auto *line = qobject_cast<QLineEdit *>(it.value())) {
            line->setText(v.isNull() ? QString() : v.toString());
        }
    }
    for (auto it = m_photos.cbegin(); it != m_photos.cend(); ++it)
        showPhoto(it.key());
    m_loading = false;
}

bool FlatRecordWindow::collect(FlatRecord &flat)
{
    flat = m_flat;
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        const QString &column = it.key();
        if (auto *memo = qobject_cast<QPlainTextEdit *>(it.value())) {
            flat.set(column, textOrNull(memo->toPlainText()));
        } else if (auto *date = qobject_cast<DateEdit *>(it.value())) {
            if (!date->complete())
                return false;
            // A birth date that is no calendar date is cleared; the others must be dates.
            const QDate d = date->date();
            if (!d.isValid() && !date->isBlank() && column != QLatin1String("oturan_dogumtarihi")) {
                m_app.prompt().warning(kCaption, QLatin1Char('"') + date->text() +
                                                     QStringLiteral("\" tarih girişiniz uygun "
                                                                    "değil!"));
                date->setFocus();
                return false;
            }
            flat.set(column, d.isValid() ? QVariant(d) : QVariant());
        } else if (auto *amount = qobject_cast<AmountEdit *>(it.value())) {
            flat.set(column,
                     amount->text().trimmed().isEmpty() ? QVariant() : QVariant(amount->value()));
        } else if (auto *line = qobject_cast<QLineEdit *>(it.value())) {
            if (!line->inputMask().isEmpty())
                flat.set(column, maskedValue(line));
            else if (isOneOf(column, kNumberColumns))
                flat.set(column,
                         line->text().isEmpty() ? QVariant() : QVariant(line->text().toInt()));
            else
                flat.set(column, textOrNull(line->text()));
        }
    }
    return true;
}

void FlatRecordWindow::showPhoto(const QString &column)
{
    FlatPhotoLabel *label = m_photos.value(column);
    const QByteArray bytes = m_flat.value(column).toByteArray();
    QPixmap picture;
    if (!bytes.isEmpty() && picture.loadFromData(bytes)) {
        label->setPixmap(picture.scaled(label->size() - QSize(4, 4), Qt::KeepAspectRatio,
                                        Qt::SmoothTransformation));
    } else {
        label->setPixmap(QPixmap());
        label->setText(bytes.isEmpty() ? QString() : QStringLiteral("Resim"));
    }
}

void FlatRecordWindow::setState(State state)
{
    m_state = state;
}

void FlatRecordWindow::fieldEdited()
{
    if (!m_loading && m_state == State::Browse)
        setState(State::Edit);
}

bool FlatRecordWindow::confirmDiscard()
{
    if (!isDirty())
        return true;
    return m_app.prompt().question(kCaption, discardQuestion()) == Answer::Yes;
}

void FlatRecordWindow::discard()
{
    if (!isDirty())
        return;
    setState(State::Browse);
    std::optional<FlatRecord> stored;
    if (m_flat.hid > 0)
        stored = FlatRegister(m_app.storage().ana()).load(m_flat.hid);
    if (!stored) {
        const qint64 first =
            FlatRegister(m_app.storage().ana()).neighbour(0, FlatRegister::Move::First);
        if (first > 0)
            stored = FlatRegister(m_app.storage().ana()).load(first);
    }
    display(stored.value_or(FlatRecord{}));
    selectGridRow(m_flat.hid);
}

bool FlatRecordWindow::showFlat(qint64 hid)
{
    const std::optional<FlatRecord> flat = FlatRegister(m_app.storage().ana()).load(hid);
    if (!flat)
        return false;
    setState(State::Browse);
    display(*flat);
    selectGridRow(hid);
    return true;
}

// ---- commands --------------------------------------------------------------------------

void FlatRecordWindow::openFromMenu()
{
    if (QFile::exists(flatGridLayoutPath()))
        applyColumnLayout(readFlatGridLayout(flatGridLayoutPath(), defaultColumnLayout()));
    m_pages->setCurrentIndex(0);
    reloadGrid();
    if (m_flat.hid == 0 && m_state == State::Browse) {
        const qint64 first =
            FlatRegister(m_app.storage().ana()).neighbour(0, FlatRegister::Move::First);
        if (first > 0)
            showFlat(first);
        else
            display(FlatRecord{});
    }
    showMaximized();
    raise();
    activateWindow();
}

void FlatRecordWindow::newFlat()
{
    if (!confirmDiscard())
        return;
    FlatRecord flat;
    flat.set(QStringLiteral("sicil_kodu"), FlatRegister(m_app.storage().ana()).nextFlatNumber());
    display(flat);
    setState(State::Insert);
    m_pages->setCurrentIndex(0);
    m_grid->clearSelection();
    if (QWidget *name = m_fields.value(QStringLiteral("adi")))
        name->setFocus();
}

bool FlatRecordWindow::save()
{
    if (m_identityCheck->isChecked()) {
        const QStringList warnings =
            TCNoKontrol(lineField(QStringLiteral("tc_kimlik"))->text(),
                        lineField(QStringLiteral("oturan_tc_kimlik"))->text());
        for (const QString &w : warnings)
            m_app.prompt().warning(kCaption, w);
    }
    FlatListWindow *list = nullptr;
    if (m_app.screens().isRegistered(FlatListWindow::kScreenName))
        list = m_app.screens().screen<FlatListWindow>(FlatListWindow::kScreenName);
    if (list)
        list->clearSearchFields();
    if (!isDirty())
        return false;

    FlatRecord flat;
    if (!collect(flat))
        return false;
    FlatRegister reg(m_app.storage().ana());
    const Result r = reg.save(flat);
    if (!r) {
        m_app.prompt().warning(kCaption, r.message());
        return false;
    }
    setState(State::Browse);
    display(flat);
    refreshList();
    return true;
}

void FlatRecordWindow::deleteFlat()
{
    if (m_flat.hid == 0 && m_state != State::Insert)
        return;
    if (m_app.prompt().question(kCaption, QStringLiteral("Kayıt silinsin mi?")) != Answer::Yes)
        return;
    if (m_app.prompt().question(kCaption, QStringLiteral("Kayıt silinirse bir daha bu kayda "
                                                         "ulaşamayacaksınız?Silme işlemini kesmek "
                                                         "istermisiniz?")) != Answer::No)
        return;
    FlatRegister reg(m_app.storage().ana());
    if (m_flat.hid == 0) {
        // A flat not stored yet: there is nothing to delete but the pending entry.
        discard();
        return;
    }
    qint64 next = reg.neighbour(m_flat.hid, FlatRegister::Move::Next);
    if (next == 0)
        next = reg.neighbour(m_flat.hid, FlatRegister::Move::Previous);
    if (const Result r = reg.remove(m_flat.hid); !r) {
        m_app.prompt().error(kCaption, r.message());
        return;
    }
    setState(State::Browse);
    reloadGrid();
    if (next == 0 || !showFlat(next))
        display(FlatRecord{});
}

void FlatRecordWindow::cancelChange()
{
    if (!isDirty())
        return;
    if (m_app.prompt().question(kCaption, discardQuestion()) != Answer::Yes)
        return;
    discard();
}

void FlatRecordWindow::navigate(FlatRegister::Move move)
{
    if (!confirmDiscard())
        return;
    discard();
    const qint64 hid = FlatRegister(m_app.storage().ana()).neighbour(m_flat.hid, move);
    if (hid > 0)
        showFlat(hid);
}

void FlatRecordWindow::findMember()
{
    const QModelIndex current = m_grid->currentIndex();
    const int row =
        m_model->findNextMember(current.isValid() ? current.row() : -1, m_search->text());
    if (row < 0)
        return;
    // The flat of that very row, by its key: a name search must not land on a namesake.
    showFlat(m_model->hidAt(row));
}

void FlatRecordWindow::refreshList()
{
    FlatRecordGridModel::Restrictions r;
    r.block = {m_blockFilterBox->isChecked(), m_blockFilter->text()};
    r.flat = {m_flatFilterBox->isChecked(), m_flatFilter->text()};
    r.outerDoor = {m_doorFilterBox->isChecked(), m_doorFilter->text()};
    m_model->setRestrictions(r);
    reloadGrid();
    if (m_app.screens().isRegistered(FlatListWindow::kScreenName)) {
        if (auto *list = m_app.screens().screen<FlatListWindow>(FlatListWindow::kScreenName)) {
            list->clearSearchFields();
            list->applyRestrictions({r.block.on, r.block.text}, {r.flat.on, r.flat.text},
                                    {r.outerDoor.on, r.outerDoor.text});
        }
    }
}

void FlatRecordWindow::reloadGrid()
{
    m_model->reload(m_app.storage().ana());
    selectGridRow(m_flat.hid);
}

void FlatRecordWindow::selectGridRow(qint64 hid)
{
    const int row = m_model->rowOfHid(hid);
    if (row < 0) {
        m_grid->clearSelection();
        return;
    }
    const int column = std::max(0, m_grid->currentIndex().column());
    m_grid->setCurrentIndex(m_model->index(row, column));
    m_grid->scrollTo(m_model->index(row, column));
}

QString FlatRecordWindow::nextSortDirection()
{
    // The direction is shared with the flat list, which has the program-wide toggle.
    if (m_app.screens().isRegistered(FlatListWindow::kScreenName)) {
        if (auto *list = m_app.screens().screen<FlatListWindow>(FlatListWindow::kScreenName))
            return list->sortToggle().next();
    }
    m_ownSortDirection =
        m_ownSortDirection == QLatin1String("ASC") ? QStringLiteral("DESC") : QStringLiteral("ASC");
    return m_ownSortDirection;
}

void FlatRecordWindow::openStatement(FlatStatementRequest::Kind kind)
{
    // The stored flat: a change not saved yet has no movements of its own.
    if (!m_statement || m_flat.number() == 0)
        return;
    m_statement(flatStatementRequest(m_flat, kind));
}

void FlatRecordWindow::setStatementHandler(
    std::function<void(const FlatStatementRequest &)> handler)
{
    m_statement = std::move(handler);
    for (const char16_t *caption :
         {u"Dairenin Tüm Borcuna Bak", u"Daire Sahibi Borcuna Bak", u"Dairede Oturan Borcuna Bak",
          u"Önceki Daire Sahibi Borcuna Bak", u"Dairede Önceki Oturan Borcuna Bak"})
        m_buttons.value(QString::fromUtf16(caption))->setEnabled(bool(m_statement));
}

void FlatRecordWindow::sortByColumn(int column)
{
    const auto &columns = FlatRecordGridModel::gridColumns();
    if (column < 0 || column >= columns.size())
        return;
    m_model->setOrder(columns.at(column).sortField, nextSortDirection());
    reloadGrid();
}

QList<GridColumnLayout> FlatRecordWindow::defaultColumnLayout() const
{
    static const int widths[] = {40, 45, 40, 45, 140, 140, 75, 65, 65, 90, 90, 115, 115};
    QList<GridColumnLayout> out;
    const auto &columns = FlatRecordGridModel::gridColumns();
    for (int i = 0; i < columns.size(); ++i)
        out.append({columns.at(i).field, i, widths[i], true});
    return out;
}

QList<GridColumnLayout> FlatRecordWindow::currentColumnLayout() const
{
    QHeaderView *header = m_grid->horizontalHeader();
    const auto &columns = FlatRecordGridModel::gridColumns();
    QList<GridColumnLayout> out;
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        out.append({columns.at(logical).field, visual, header->sectionSize(logical),
                    !header->isSectionHidden(logical)});
    }
    return out;
}

void FlatRecordWindow::applyColumnLayout(const QList<GridColumnLayout> &layout)
{
    QHeaderView *header = m_grid->horizontalHeader();
    const auto &columns = FlatRecordGridModel::gridColumns();
    for (const GridColumnLayout &c : layout) {
        int logical = -1;
        for (int i = 0; i < columns.size(); ++i) {
            if (columns.at(i).field == c.field)
                logical = i;
        }
        if (logical < 0)
            continue;
        header->moveSection(header->visualIndex(logical), c.position);
        if (c.width > 0)
            header->resizeSection(logical, c.width);
        header->setSectionHidden(logical, !c.visible);
    }
}

void FlatRecordWindow::saveColumnLayout()
{
    if (const Result r = writeFlatGridLayout(flatGridLayoutPath(), currentColumnLayout()); !r)
        m_app.prompt().error(kCaption, r.message());
}

void FlatRecordWindow::removeExtraBlanks()
{
    discard();
    const Result r = FlatRegister(m_app.storage().ana()).removeExtraBlanks(m_app.wait());
    if (!r && !r.wasCancelled())
        m_app.prompt().error(kCaption, r.message());
    reloadGrid();
    const qint64 first =
        FlatRegister(m_app.storage().ana()).neighbour(0, FlatRegister::Move::First);
    if (first > 0)
        showFlat(first);
}

void FlatRecordWindow::showFlatList()
{
    discard();
    if (FlatRegister(m_app.storage().ana()).count() == 0) {
        m_app.prompt().warning(kCaption, noFlatsMessage());
        return;
    }
    if (!m_app.screens().isRegistered(FlatListWindow::kScreenName))
        return;
    auto *list = m_app.screens().screen<FlatListWindow>(FlatListWindow::kScreenName);
    if (!list)
        return;
    list->setOpenFlatHandler([this](qint64 hid) {
        showFlat(hid);
        show();
        raise();
    });
    list->showForCaller(FlatListWindow::kFlatRecordCaller);
}

void FlatRecordWindow::closeScreen()
{
    discard();
    hide();
}

void FlatRecordWindow::choosePhoto(const QString &column)
{
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Resim Seç"), QString(),
        QStringLiteral("Resimler (*.jpg *.jpeg *.png *.bmp *.gif);;Tüm dosyalar (*)"));
    if (!path.isEmpty())
        loadPhoto(column, path);
}

bool FlatRecordWindow::loadPhoto(const QString &column, const QString &filePath)
{
    if (!m_photos.contains(column))
        return false;
    QByteArray bytes;
    if (const Result r = readPhotoFile(filePath, bytes); !r) {
        m_app.prompt().warning(kCaption, r.message());
        return false;
    }
    if (m_state == State::Browse)
        setState(State::Edit);
    m_flat.set(column, bytes);
    showPhoto(column);
    return true;
}

// ---- events ----------------------------------------------------------------------------

void FlatRecordWindow::hideEvent(QHideEvent *event)
{
    // Minimising is not leaving the screen.
    if (!event->spontaneous())
        discard();
    QWidget::hideEvent(event);
}

void FlatRecordWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow())
        // Which window took the focus is known only once the switch is complete.
        QTimer::singleShot(0, this, &FlatRecordWindow::deactivated);
    QWidget::changeEvent(event);
}

void FlatRecordWindow::deactivated()
{
    // Another screen of the program took the focus: the pending change is dropped. The
    // screen's own dialogs (questions, the photo file dialog, the wait and help windows)
    // must never cost what was typed, nor must another application.
    QWidget *active = QApplication::activeWindow();
    if (!active || active == this || isAncestorOf(active) || !isVisible())
        return;
    if (qobject_cast<QDialog *>(active) || qobject_cast<WaitWindow *>(active) ||
        active->objectName() == AppContext::kHelp)
        return;
    discard();
}

void FlatRecordWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        m_app.showHelp(kHelpTopic);
        return;
    }
    QWidget::keyPressEvent(event);
}

bool FlatRecordWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (watched == m_grid && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        const QModelIndex current = m_grid->currentIndex();
        if (current.isValid())
            showFlat(m_model->hidAt(current.row()));
        return true;
    }
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (edit && m_capitals->isChecked() && m_capitalFields.contains(edit) &&
        key->text().size() == 1 && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        const int cursor =
            edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        const QString capital = capitalizedInput(edit->text(), cursor, key->text());
        if (capital != key->text()) {
            // The capital goes through the field's own key handling (validator, max length,
            // the edit signal) as if it had been typed.
            QKeyEvent typed(QEvent::KeyPress, key->key(), key->modifiers(), capital);
            QCoreApplication::sendEvent(edit, &typed);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dalvira
