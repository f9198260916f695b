#include "DateEdit.h"

#include "Prompt.h"
#include "common/Formats.h"
#include "common/TextHelpers.h"

#include <QFocusEvent>

namespace dalvira {

DateEdit::DateEdit(QWidget *parent) : QLineEdit(parent)
{
    // "9" takes a digit or a blank, so a half-typed date can be left and completed.
    setInputMask(QStringLiteral("99.99.9999"));
}

QDate DateEdit::date() const
{
    return parseDisplayDate(text());
}

void DateEdit::setDate(const QDate &date)
{
    if (date.isValid())
        setText(formatDate(date));
    else
        clear();
}

bool DateEdit::isBlank() const
{
    // text() drops the mask's blanks and keeps the separators.
    return text() == QLatin1String("..");
}

void DateEdit::setDefaultYearSource(std::function<int()> source)
{
    m_yearSource = std::move(source);
}

void DateEdit::setDocumentYear(int year)
{
    m_yearSource = [year] { return year; };
}

int DateEdit::defaultYear() const
{
    const int year = m_yearSource ? m_yearSource() : 0;
    return year > 0 ? year : QDate::currentDate().year();
}

bool DateEdit::complete()
{
    if (m_reporting)
        return false;
    // displayText keeps the blanks in place, so day, month and year stay at their columns.
    const DateCompletion done = completeDateText(displayText(), defaultYear());
    switch (done.outcome) {
    case DateCompletion::Outcome::Unchanged:
        return true;
    case DateCompletion::Outcome::Completed:
        if (done.text != text())
            setText(done.text);
        return true;
    case DateCompletion::Outcome::Refused:
        break;
    }
    m_reporting = true;
    Prompt &prompt = m_prompt ? *m_prompt : appPrompt();
    prompt.warning(kCaption, done.message);
    if (m_resetToDefault)
        setDate(QDate(2011, 1, 1));
    else
        clear();
    setFocus(Qt::OtherFocusReason);
    setCursorPosition(0);
    m_reporting = false;
    emit entryRefused(done.message);
    return false;
}

void DateEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Another window or a context menu taking the focus does not leave the field.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (!isReadOnly())
        complete();
}

void DateEdit::mousePressEvent(QMouseEvent *event)
{
    QLineEdit::mousePressEvent(event);
    // A click into an empty field starts the typing at the day, wherever it landed.
    if (isBlank() && !hasSelectedText())
        setCursorPosition(0);
}

} // namespace dalvira
