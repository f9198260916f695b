#include "ScriptedPrompt.h"

#include <QtDebug>

namespace dalvira {

void ScriptedPrompt::enqueue(Answer answer, const QString &expectedText)
{
    m_queue.append({answer, expectedText});
}

QString ScriptedPrompt::lastText() const
{
    return m_shown.isEmpty() ? QString() : m_shown.last().text;
}

void ScriptedPrompt::clear()
{
    m_queue.clear();
    m_shown.clear();
    m_problems.clear();
}

Answer ScriptedPrompt::question(const QString &caption, const QString &text,
                                QuestionButtons buttons, Answer)
{
    const Answer refusal = buttons == QuestionButtons::YesNoCancel ? Answer::Cancel : Answer::No;
    Answer answer = refusal;
    const auto problemsBefore = m_problems.size();
    if (m_queue.isEmpty()) {
        m_problems.append(QStringLiteral("question without a scripted answer: ") + text);
    } else {
        const Scripted next = m_queue.takeFirst();
        if (!next.expectedText.isEmpty() && !text.contains(next.expectedText)) {
            m_problems.append(QStringLiteral("question \"%1\" asked where \"%2\" was expected")
                                  .arg(text, next.expectedText));
        } else if (next.answer == Answer::Cancel && buttons != QuestionButtons::YesNoCancel) {
            m_problems.append(QStringLiteral("Cancel scripted for a Yes/No question: ") + text);
        } else {
            answer = next.answer;
        }
    }
    if (m_problems.size() != problemsBefore)
        qWarning().noquote() << "ScriptedPrompt:" << m_problems.last();
    m_shown.append({MessageKind::Question, caption, text, answer});
    return answer;
}

void ScriptedPrompt::information(const QString &caption, const QString &text)
{
    m_shown.append({MessageKind::Information, caption, text});
}

void ScriptedPrompt::warning(const QString &caption, const QString &text)
{
    m_shown.append({MessageKind::Warning, caption, text});
}

void ScriptedPrompt::error(const QString &caption, const QString &text)
{
    m_shown.append({MessageKind::Error, caption, text});
}

} // namespace dalvira
