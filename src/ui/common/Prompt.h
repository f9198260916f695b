#pragma once

#include <QString>

namespace dalvira {

// The two captions every message box of the program uses.
inline const QString kCaption = QStringLiteral("Tolvek Dalvira");
inline const QString kProgramCaption = QStringLiteral("Tolvek Dalvira Programı");

enum class Answer { Yes, No, Cancel };
enum class QuestionButtons { YesNo, YesNoCancel };
enum class MessageKind { Question, Information, Warning, Error };

// How a screen asks its questions and shows its messages. The program shows message boxes;
// tests replace it with scripted answers.
class Prompt
{
public:
    virtual ~Prompt() = default;
    virtual Answer question(const QString &caption, const QString &text,
                            QuestionButtons buttons = QuestionButtons::YesNo,
                            Answer defaultAnswer = Answer::Yes) = 0;
    virtual void information(const QString &caption, const QString &text) = 0;
    virtual void warning(const QString &caption, const QString &text) = 0;
    virtual void error(const QString &caption, const QString &text) = 0;
};

// Message texts mark line breaks with "\n\r" (line feed, carriage return); shown as one "\n".
QString messageDisplayText(const QString &text);

// The prompt that fields and screens use unless they are given their own: message boxes,
// or whatever was installed with setAppPrompt (nullptr restores the message boxes).
Prompt &appPrompt();
void setAppPrompt(Prompt *prompt);

} // namespace dalvira
