#include "AmountEdit.h"

#include "AmountValidator.h"
#include "common/Formats.h"
#include "common/TextHelpers.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace dalvira {

namespace {

bool isMoveReason(Qt::FocusReason reason)
{
    // A context menu does not leave the field. A window coming and going does: the first
    // field of a screen is entered when the screen opens, and formatting the text when
    // another window takes over loses nothing.
    return reason != Qt::PopupFocusReason;
}

} // namespace

AmountEdit::AmountEdit(QWidget *parent) : QLineEdit(parent), m_validator(new AmountValidator(this))
{
    setValidator(m_validator);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

double AmountEdit::value() const
{
    return parseAmount(text(), QLatin1Char(','));
}

void AmountEdit::setValue(double value)
{
    setText(formatAmount(value, kAmountFormatNoZero));
}

bool AmountEdit::negativeAllowed() const
{
    return m_validator->negativeAllowed();
}

void AmountEdit::setNegativeAllowed(bool allowed)
{
    m_validator->setNegativeAllowed(allowed);
}

void AmountEdit::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool control = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if (!control && !typed.isEmpty() && typed.at(0).isPrint()) {
        QChar c = typed.at(0);
        // The keypad's decimal key gives "." on some layouts; it means the decimal separator.
        if (c == QLatin1Char('.') && (event->modifiers() & Qt::KeypadModifier))
            c = QLatin1Char(',');
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool allowed = typed.size() == 1 && (digit || c == QLatin1Char(',') ||
                                                   (c == QLatin1Char('-') && negativeAllowed()));
        if (!allowed) {
            event->accept();
            return;
        }
        if (c != typed.at(0)) {
            insert(QString(c));
            event->accept();
            return;
        }
    }
    // Deleting next to a grouping dot deletes the digit beyond it; the dot itself would only
    // come back with the regrouping.
    if (!hasSelectedText() &&
        (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete)) {
        const int pos = cursorPosition();
        const QString t = text();
        if (event->key() == Qt::Key_Backspace && pos > 0 && t.at(pos - 1) == QLatin1Char('.'))
            setCursorPosition(pos - 1);
        else if (event->key() == Qt::Key_Delete && pos < t.size() && t.at(pos) == QLatin1Char('.'))
            setCursorPosition(pos + 1);
    }
    QLineEdit::keyPressEvent(event);
}

void AmountEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (isMoveReason(event->reason()) && !isReadOnly() && value() == 0.0)
        clear();
}

void AmountEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (isMoveReason(event->reason()) && !isReadOnly())
        setValue(value());
}

} // namespace dalvira
