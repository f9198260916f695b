#include "MessageBoxPrompt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

namespace dalvira {

namespace {

void setTurkishButtonTexts(QMessageBox &box)
{
    const struct
    {
        QMessageBox::StandardButton button;
        const char *text;
    } texts[] = {{QMessageBox::Yes, "Evet"},
                 {QMessageBox::No, "Hayır"},
                 {QMessageBox::Cancel, "İptal"},
                 {QMessageBox::Ok, "Tamam"}};
    for (const auto &t : texts) {
        if (QAbstractButton *b = box.button(t.button))
            b->setText(QString::fromUtf8(t.text));
    }
}

QMessageBox::StandardButton toButton(Answer answer)
{
    switch (answer) {
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::No;
}

} // namespace

MessageBoxPrompt::MessageBoxPrompt(QWidget *parent) : m_parent(parent) {}

QWidget *MessageBoxPrompt::boxParent() const
{
    return m_parent ? m_parent.data() : QApplication::activeWindow();
}

Answer MessageBoxPrompt::question(const QString &caption, const QString &text,
                                  QuestionButtons buttons, Answer defaultAnswer)
{
    const bool withCancel = buttons == QuestionButtons::YesNoCancel;
    QMessageBox box(QMessageBox::Question, caption, messageDisplayText(text),
                    withCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                               : QMessageBox::Yes | QMessageBox::No,
                    boxParent());
    setTurkishButtonTexts(box);
    if (defaultAnswer != Answer::Cancel || withCancel)
        box.setDefaultButton(toButton(defaultAnswer));
    // Escape and the window's close button answer No (or Cancel when offered).
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::No);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    if (clicked == QMessageBox::Yes)
        return Answer::Yes;
    if (clicked == QMessageBox::Cancel)
        return Answer::Cancel;
    return withCancel && clicked != QMessageBox::No ? Answer::Cancel : Answer::No;
}

static void showMessage(QWidget *parent, QMessageBox::Icon icon, const QString &caption,
                        const QString &text)
{
    QMessageBox box(icon, caption, messageDisplayText(text), QMessageBox::Ok, parent);
    setTurkishButtonTexts(box);
    box.exec();
}

void MessageBoxPrompt::information(const QString &caption, const QString &text)
{
    showMessage(boxParent(), QMessageBox::Information, caption, text);
}

void MessageBoxPrompt::warning(const QString &caption, const QString &text)
{
    showMessage(boxParent(), QMessageBox::Warning, caption, text);
}

void MessageBoxPrompt::error(const QString &caption, const QString &text)
{
    showMessage(boxParent(), QMessageBox::Critical, caption, text);
}

bool installTurkishTranslation(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_tr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QApplication::installTranslator(translator);
}

} // namespace dalvira
