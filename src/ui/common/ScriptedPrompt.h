#pragma once

#include "Prompt.h"

#include <QList>
#include <QString>

namespace dalvira {

// A prompt for tests: questions take their answers from a queue, and every message shown is
// recorded so a test can compare the exact texts. A question with no queued answer (or one
// that does not contain the text the answer was queued for) is recorded as unexpected and
// answered No (Cancel when offered), so a test that forgot a question fails on unexpected().
class ScriptedPrompt : public Prompt
{
public:
    struct Shown
    {
        MessageKind kind;
        QString caption;
        QString text;               // as the caller gave it, "\n\r" included
        Answer answer = Answer::No; // questions only
    };

    // Queues the answer to the next question; with expectedText the question must contain it.
    void enqueue(Answer answer, const QString &expectedText = QString());
    int pendingAnswers() const { return int(m_queue.size()); }

    const QList<Shown> &shown() const { return m_shown; }
    // The text of the last message, or empty.
    QString lastText() const;
    bool unexpected() const { return !m_problems.isEmpty(); }
    // What went wrong, one line per problem, for QVERIFY2.
    QString problems() const { return m_problems.join(QLatin1Char('\n')); }
    void clear();

    Answer question(const QString &caption, const QString &text,
                    QuestionButtons buttons = QuestionButtons::YesNo,
                    Answer defaultAnswer = Answer::Yes) override;
    void information(const QString &caption, const QString &text) override;
    void warning(const QString &caption, const QString &text) override;
    void error(const QString &caption, const QString &text) override;

private:
    struct Scripted
    {
        Answer answer;
        QString expectedText;
    };
    QList<Scripted> m_queue;
    QList<Shown> m_shown;
    QStringList m_problems;
};

} // namespace dalvira
