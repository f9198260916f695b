#include "common/MessageBoxPrompt.h"
#include "common/ScriptedPrompt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

using namespace dalvira;

class TestPrompt : public QObject
{
    Q_OBJECT
private slots:
    void displayText_data();
    void displayText();
    void scriptedAnswersInOrder();
    void scriptedUnexpectedQuestion_data();
    void scriptedUnexpectedQuestion();
    void messageBoxQuestion_data();
    void messageBoxQuestion();
    void messageBoxWarning();
    void turkishTranslation();

private:
    // Answers the message box that is about to open by clicking the button with this text,
    // and reports what the box showed.
    struct Seen
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList buttons;
        QString defaultButton;
    };
    void answerNextBox(const QString &buttonText, Seen *seen);
};

void TestPrompt::displayText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("line feed, carriage return") << "Kayıt silinecek.\n\rEmin misiniz?"
                                                << "Kayıt silinecek.\nEmin misiniz?";
    QTest::newRow("two breaks") << "a\n\r\n\rb"
                                << "a\n\nb";
    QTest::newRow("Windows break") << "a\r\nb"
                                   << "a\nb";
    QTest::newRow("plain") << "Tamam"
                           << "Tamam";
}

void TestPrompt::displayText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(messageDisplayText(text), shown);
}

void TestPrompt::scriptedAnswersInOrder()
{
    ScriptedPrompt prompt;
    prompt.enqueue(Answer::Yes);
    prompt.enqueue(Answer::No, QStringLiteral("vazgeçmek istiyor"));
    prompt.enqueue(Answer::Cancel);
    QCOMPARE(prompt.question(kCaption, QStringLiteral("Silinsin mi?")), Answer::Yes);
    prompt.information(kProgramCaption, QStringLiteral("Silindi."));
    QCOMPARE(prompt.question(kCaption, QStringLiteral("Silmekten vazgeçmek istiyor musunuz?")),
             Answer::No);
    QCOMPARE(prompt.shown().last().answer, Answer::No);
    QCOMPARE(
        prompt.question(kCaption, QStringLiteral("Kaydedilsin mi?"), QuestionButtons::YesNoCancel),
        Answer::Cancel);
    prompt.error(kCaption, QStringLiteral("Hata"));
    QVERIFY2(!prompt.unexpected(), qPrintable(prompt.problems()));
    QCOMPARE(prompt.pendingAnswers(), 0);

    const QList<MessageKind> kinds = {MessageKind::Question, MessageKind::Information,
                                      MessageKind::Question, MessageKind::Question,
                                      MessageKind::Error};
    QCOMPARE(prompt.shown().size(), kinds.size());
    for (int i = 0; i < kinds.size(); ++i)
        QCOMPARE(prompt.shown().at(i).kind, kinds.at(i));
    QCOMPARE(prompt.shown().at(1).caption, QStringLiteral("Tolvek Dalvira Programı"));
    QCOMPARE(prompt.lastText(), QStringLiteral("Hata"));
}

void TestPrompt::scriptedUnexpectedQuestion_data()
{
    QTest::addColumn<bool>("queueAnswer");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<Answer>("answer");
    QTest::newRow("nothing queued, Yes/No")
        << false << QString() << int(QuestionButtons::YesNo) << Answer::No;
    QTest::newRow("nothing queued, Yes/No/Cancel")
        << false << QString() << int(QuestionButtons::YesNoCancel) << Answer::Cancel;
    QTest::newRow("another question expected")
        << true << QStringLiteral("Aktarılsın mı") << int(QuestionButtons::YesNo) << Answer::No;
}

void TestPrompt::scriptedUnexpectedQuestion()
{
    QFETCH(bool, queueAnswer);
    QFETCH(QString, expectedText);
    QFETCH(int, buttons);
    QFETCH(Answer, answer);
    ScriptedPrompt prompt;
    if (queueAnswer)
        prompt.enqueue(Answer::Yes, expectedText);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^ScriptedPrompt:")));
    QCOMPARE(prompt.question(kCaption, QStringLiteral("Silinsin mi?"), QuestionButtons(buttons)),
             answer);
    QVERIFY(prompt.unexpected());
    QVERIFY(prompt.problems().contains(QStringLiteral("Silinsin mi?")));
    QCOMPARE(prompt.shown().size(), 1);
}

void TestPrompt::answerNextBox(const QString &buttonText, Seen *seen)
{
    QTimer::singleShot(0, this, [buttonText, seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        for (QAbstractButton *b : box->buttons())
            seen->buttons << b->text();
        if (box->defaultButton())
            seen->defaultButton = box->defaultButton()->text();
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == buttonText) {
                b->click();
                return;
            }
        }
        box->reject();
    });
}

void TestPrompt::messageBoxQuestion_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<Answer>("defaultAnswer");
    QTest::addColumn<QString>("click");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QStringList>("shownButtons");
    QTest::addColumn<QString>("defaultButton");
    const QStringList yesNo = {QStringLiteral("Evet"), QStringLiteral("Hayır")};
    const QStringList yesNoCancel = yesNo + QStringList{QStringLiteral("İptal")};
    QTest::newRow("Evet") << int(QuestionButtons::YesNo) << Answer::Yes << "Evet" << Answer::Yes
                          << yesNo << "Evet";
    QTest::newRow("Hayır") << int(QuestionButtons::YesNo) << Answer::No << "Hayır" << Answer::No
                           << yesNo << "Hayır";
    QTest::newRow("İptal") << int(QuestionButtons::YesNoCancel) << Answer::Yes << "İptal"
                           << Answer::Cancel << yesNoCancel << "Evet";
    QTest::newRow("closed without a button, Yes/No")
        << int(QuestionButtons::YesNo) << Answer::Yes << "" << Answer::No << yesNo << "Evet";
}

void TestPrompt::messageBoxQuestion()
{
    QFETCH(int, buttons);
    QFETCH(Answer, defaultAnswer);
    QFETCH(QString, click);
    QFETCH(Answer, answer);
    QFETCH(QStringList, shownButtons);
    QFETCH(QString, defaultButton);
    MessageBoxPrompt prompt;
    Seen seen;
    answerNextBox(click, &seen);
    QCOMPARE(prompt.question(kCaption, QStringLiteral("Kayıt silinecek.\n\rEmin misiniz?"),
                             QuestionButtons(buttons), defaultAnswer),
             answer);
    QCOMPARE(seen.title, QStringLiteral("Tolvek Dalvira"));
    QCOMPARE(seen.text, QStringLiteral("Kayıt silinecek.\nEmin misiniz?"));
    QCOMPARE(seen.icon, QMessageBox::Question);
    QStringList sortedShown = seen.buttons;
    sortedShown.sort();
    shownButtons.sort();
    QCOMPARE(sortedShown, shownButtons);
    QCOMPARE(seen.defaultButton, defaultButton);
}

void TestPrompt::messageBoxWarning()
{
    MessageBoxPrompt prompt;
    Seen seen;
    answerNextBox(QStringLiteral("Tamam"), &seen);
    prompt.warning(kProgramCaption, QStringLiteral("Uyarı"));
    QCOMPARE(seen.title, QStringLiteral("Tolvek Dalvira Programı"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
    QCOMPARE(seen.buttons, QStringList{QStringLiteral("Tamam")});
}

void TestPrompt::turkishTranslation()
{
    QTranslator probe;
    if (!probe.load(QStringLiteral("qtbase_tr"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QSKIP("Qt's Turkish translation is not installed");
    QVERIFY(installTurkishTranslation(*static_cast<QApplication *>(QCoreApplication::instance())));
    // Qt's own dialogs now speak Turkish.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes").remove(QLatin1Char('&')),
             QStringLiteral("Evet"));
}

QTEST_MAIN(TestPrompt)
#include "tst_prompt.moc"
