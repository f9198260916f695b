#include "common/DateEdit.h"
#include "common/ScriptedPrompt.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using namespace dalvira;

namespace {

struct Screen
{
    QWidget window;
    DateEdit *date = new DateEdit(&window);
    QLineEdit *other = new QLineEdit(&window);
    ScriptedPrompt prompt;

    Screen()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(date);
        layout->addWidget(other);
        date->setPrompt(&prompt);
        window.show();
        window.activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(&window); }
    void type(const QString &keys)
    {
        date->setFocus(Qt::TabFocusReason);
        date->setCursorPosition(0);
        QTest::keyClicks(date, keys);
    }
    void leave() { other->setFocus(Qt::TabFocusReason); }
};

} // namespace

class TestDateEdit : public QObject
{
    Q_OBJECT
private slots:
    void completedWhenLeft_data();
    void completedWhenLeft();
    void missingYearTakesDefaultYear();
    void refusedEntry_data();
    void refusedEntry();
    void completeBeforeSavingFromShortcut();
    void dayAndMonthCheckedSeparately();
    void refusalGoesToAppPromptByDefault();
    void dateRoundTrip();
};

void TestDateEdit::completedWhenLeft_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("short parts") << "5.3.24"
                                 << "05.03.2024";
    QTest::newRow("digits only") << "05032024"
                                 << "05.03.2024";
    QTest::newRow("one-digit year") << "1.1.7"
                                    << "01.01.2007";
    QTest::newRow("three-digit year") << "31.12.999"
                                      << "31.12.1999";
    QTest::newRow("complete date kept") << "28.02.2025"
                                        << "28.02.2025";
}

void TestDateEdit::completedWhenLeft()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    Screen s;
    QVERIFY(s.ready());
    s.type(keys);
    s.leave();
    QCOMPARE(s.date->text(), text);
    QVERIFY(s.prompt.shown().isEmpty());
    QVERIFY(s.other->hasFocus());
}

void TestDateEdit::missingYearTakesDefaultYear()
{
    Screen s;
    QVERIFY(s.ready());
    s.type(QStringLiteral("15.6"));
    s.leave();
    QCOMPARE(s.date->date(), QDate(QDate::currentDate().year(), 6, 15));

    // A screen with a document date gives that date's year.
    int documentYear = 2019;
    s.date->setDefaultYearSource([&documentYear] { return documentYear; });
    s.date->clear();
    s.type(QStringLiteral("7.8"));
    s.leave();
    QCOMPARE(s.date->text(), QStringLiteral("07.08.2019"));
    // The source is asked each time, and no year at all falls back to the current one.
    documentYear = 0;
    s.date->clear();
    s.type(QStringLiteral("7.8"));
    s.leave();
    QCOMPARE(s.date->date(), QDate(QDate::currentDate().year(), 8, 7));

    // Leaving a blank field neither completes nor complains.
    s.date->clear();
    s.date->setFocus(Qt::TabFocusReason);
    s.leave();
    QVERIFY(s.date->isBlank());
    QVERIFY(s.prompt.shown().isEmpty());
}

void TestDateEdit::refusedEntry_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("resetToDefault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("after");
    QTest::newRow("month 13, emptied")
        << "31.13.2024" << false << "\"31.13.2024\" tarih girişiniz uygun değil!"
        << "..";
    QTest::newRow("month 13, reset")
        << "31.13.2024" << true << "\"31.13.2024\" tarih girişiniz uygun değil!"
        << "01.01.2011";
    QTest::newRow("day 32 with completed parts")
        << "32.1.24" << false << "\"32.01.2024\" tarih girişiniz uygun değil!"
        << "..";
    QTest::newRow("year before 1905")
        << "1.1.1900" << true << "\"01.01.1900\" tarih girişiniz uygun değil!"
        << "01.01.2011";
}

void TestDateEdit::refusedEntry()
{
    QFETCH(QString, keys);
    QFETCH(bool, resetToDefault);
    QFETCH(QString, message);
    QFETCH(QString, after);
    Screen s;
    QVERIFY(s.ready());
    s.date->setResetToDefaultDate(resetToDefault);
    QSignalSpy refused(s.date, &DateEdit::entryRefused);
    s.type(keys);
    s.leave();

    QCOMPARE(s.prompt.shown().size(), 1);
    const ScriptedPrompt::Shown &shown = s.prompt.shown().first();
    QCOMPARE(shown.kind, MessageKind::Warning);
    QCOMPARE(shown.caption, QStringLiteral("Tolvek Dalvira"));
    QCOMPARE(shown.text, message);
    QCOMPARE(s.date->text(), after);
    QVERIFY(s.date->hasFocus());
    QCOMPARE(refused.size(), 1);

    // Leaving again with what the field now holds is accepted.
    s.leave();
    QCOMPARE(s.prompt.shown().size(), 1);
    QVERIFY(s.other->hasFocus());
}

void TestDateEdit::completeBeforeSavingFromShortcut()
{
    Screen s;
    QVERIFY(s.ready());
    s.type(QStringLiteral("1.2.3"));
    QVERIFY(s.date->complete());
    QCOMPARE(s.date->text(), QStringLiteral("01.02.2003"));

    s.date->clear();
    s.type(QStringLiteral("1.20"));
    QVERIFY(!s.date->complete());
    QCOMPARE(s.prompt.shown().size(), 1);
    QVERIFY(s.date->isBlank());
    QVERIFY(s.date->hasFocus());
}

void TestDateEdit::dayAndMonthCheckedSeparately()
{
    // 31 February passes the completion; screens needing a calendar date check date().
    Screen s;
    QVERIFY(s.ready());
    s.type(QStringLiteral("31.2.2024"));
    s.leave();
    QCOMPARE(s.date->text(), QStringLiteral("31.02.2024"));
    QVERIFY(s.prompt.shown().isEmpty());
    QVERIFY(!s.date->date().isValid());
}

void TestDateEdit::refusalGoesToAppPromptByDefault()
{
    ScriptedPrompt installed;
    setAppPrompt(&installed);
    DateEdit edit;
    edit.setText(QStringLiteral("00.00.2024"));
    QVERIFY(!edit.complete());
    setAppPrompt(nullptr);
    QCOMPARE(installed.lastText(), QStringLiteral("\"00.00.2024\" tarih girişiniz uygun değil!"));
}

void TestDateEdit::dateRoundTrip()
{
    DateEdit edit;
    QVERIFY(edit.isBlank());
    QVERIFY(!edit.date().isValid());
    edit.setDate(QDate(2024, 3, 5));
    QCOMPARE(edit.text(), QStringLiteral("05.03.2024"));
    QCOMPARE(edit.date(), QDate(2024, 3, 5));
    edit.setDate(QDate());
    QVERIFY(edit.isBlank());
}

QTEST_MAIN(TestDateEdit)
#include "tst_dateedit.moc"
