#pragma once

#include <QDate>
#include <QLineEdit>
#include <functional>

namespace dalvira {

class Prompt;

// Date entry field masked dd.mm.yyyy. Leaving it completes the typed parts ("5.3.24" becomes
// 05.03.2024); a date that cannot be completed is reported through the prompt, the field is
// emptied (or reset to 01.01.2011 where the screen wants that) and keeps the focus.
class DateEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit DateEdit(QWidget *parent = nullptr);

    // The date shown, invalid while the field is empty or not a calendar date.
    QDate date() const;
    // An invalid date empties the field.
    void setDate(const QDate &date);
    // No digit typed.
    bool isBlank() const;

    // The year an entry without a year gets: the current year, or what the source gives
    // (a document date's year); a source giving 0 or less falls back to the current year.
    void setDefaultYearSource(std::function<int()> source);
    void setDocumentYear(int year);
    int defaultYear() const;

    // After a refused entry the field holds 01.01.2011 instead of nothing.
    void setResetToDefaultDate(bool reset) { m_resetToDefault = reset; }
    bool resetToDefaultDate() const { return m_resetToDefault; }

    // Where the refusal is reported; without one, appPrompt().
    void setPrompt(Prompt *prompt) { m_prompt = prompt; }

    // Completes the text now, as leaving the field does. False when the entry was refused
    // (reported, reset, focus kept). Screens call it before saving from a shortcut key,
    // when the focus never left the field.
    bool complete();

signals:
    // The entry was refused and reported; the field has been reset.
    void entryRefused(const QString &message);

protected:
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    std::function<int()> m_yearSource;
    Prompt *m_prompt = nullptr;
    bool m_resetToDefault = false;
    bool m_reporting = false;
};

} // namespace dalvira
