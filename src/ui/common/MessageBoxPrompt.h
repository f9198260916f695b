#pragma once

#include "Prompt.h"

#include <QPointer>
#include <QWidget>

class QApplication;

namespace dalvira {

// Standard message boxes with Turkish button texts. Without a parent the boxes are centred
// over the active window.
class MessageBoxPrompt : public Prompt
{
public:
    explicit MessageBoxPrompt(QWidget *parent = nullptr);

    Answer question(const QString &caption, const QString &text,
                    QuestionButtons buttons = QuestionButtons::YesNo,
                    Answer defaultAnswer = Answer::Yes) override;
    void information(const QString &caption, const QString &text) override;
    void warning(const QString &caption, const QString &text) override;
    void error(const QString &caption, const QString &text) override;

private:
    QWidget *boxParent() const;
    QPointer<QWidget> m_parent;
};

// Loads Qt's own Turkish texts (qtbase_tr) for the standard dialogs; false when the
// translation is not installed (the message boxes set their button texts themselves).
bool installTurkishTranslation(QApplication &app);

} // namespace dalvira
