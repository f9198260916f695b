#include "common/AmountEdit.h"

#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest>

using namespace dalvira;

namespace {

// A window with the amount field and a second field to move the focus to.
struct Screen
{
    QWidget window;
    AmountEdit *amount = new AmountEdit(&window);
    QLineEdit *other = new QLineEdit(&window);

    Screen()
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(amount);
        layout->addWidget(other);
        window.show();
        window.activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(&window); }
    void enter() { amount->setFocus(Qt::TabFocusReason); }
    void leave() { other->setFocus(Qt::TabFocusReason); }
};

void typeText(QWidget *w, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

} // namespace

class TestAmountEdit : public QObject
{
    Q_OBJECT
private slots:
    void typing_data();
    void typing();
    void cursorStaysBehindTypedDigit();
    void deletingNextToGroupingDot_data();
    void deletingNextToGroupingDot();
    void leaving_data();
    void leaving();
    void zeroFieldEmptiesOnEntry();
    void firstFieldOfOpenedScreenEntered();
    void negativeAmounts();
    void pasteIsCheckedAndRegrouped_data();
    void pasteIsCheckedAndRegrouped();
    void keypadDecimalKeyGivesComma();
    void setValueAndValue();
    void rightAligned();
};

void TestAmountEdit::typing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("grouped while typed") << "1234567"
                                         << "1.234.567";
    QTest::newRow("decimals not grouped") << "1234,5"
                                          << "1.234,5";
    QTest::newRow("third decimal refused") << "12,345"
                                           << "12,34";
    QTest::newRow("second comma refused") << "1,2,3"
                                          << "1,23";
    QTest::newRow("letters refused") << "12a3b"
                                     << "123";
    QTest::newRow("dot refused") << "12.3"
                                 << "123";
    QTest::newRow("blank refused") << "1 2"
                                   << "12";
    QTest::newRow("minus refused by default") << "-5"
                                              << "5";
    QTest::newRow("Turkish letters refused") << "1ş2İ"
                                             << "12";
    QTest::newRow("leading zeros dropped") << "0012"
                                           << "12";
    QTest::newRow("zero before comma kept") << "0,5"
                                            << "0,5";
    QTest::newRow("comma first") << ",75"
                                 << ",75";
    QTest::newRow("at most 13 integer digits") << "12345678901234"
                                               << "1.234.567.890.123";
}

void TestAmountEdit::typing()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Screen s;
    QVERIFY(s.ready());
    s.enter();
    typeText(s.amount, typed);
    QCOMPARE(s.amount->text(), shown);
    QCOMPARE(s.amount->cursorPosition(), shown.size());
}

void TestAmountEdit::cursorStaysBehindTypedDigit()
{
    Screen s;
    QVERIFY(s.ready());
    s.enter();
    QTest::keyClicks(s.amount, "1234");
    QCOMPARE(s.amount->text(), QStringLiteral("1.234"));
    // Typing after the first digit: the new digit joins the group, the cursor stays behind it.
    s.amount->setCursorPosition(1);
    QTest::keyClicks(s.amount, "56");
    QCOMPARE(s.amount->text(), QStringLiteral("156.234"));
    QCOMPARE(s.amount->cursorPosition(), 3);
    QTest::keyClick(s.amount, Qt::Key_End);
    QTest::keyClicks(s.amount, ",9");
    QCOMPARE(s.amount->text(), QStringLiteral("156.234,9"));
}

void TestAmountEdit::deletingNextToGroupingDot_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("cursorAfter");
    // "1.234.567": the dot behind the cursor stands for nothing, the digit before it goes.
    QTest::newRow("backspace after dot") << int(Qt::Key_Backspace) << 2 << "234.567" << 0;
    QTest::newRow("delete before dot") << int(Qt::Key_Delete) << 5 << "123.467" << 5;
    QTest::newRow("backspace after digit") << int(Qt::Key_Backspace) << 4 << "124.567" << 2;
}

void TestAmountEdit::deletingNextToGroupingDot()
{
    QFETCH(int, key);
    QFETCH(int, cursor);
    QFETCH(QString, result);
    QFETCH(int, cursorAfter);
    Screen s;
    QVERIFY(s.ready());
    s.enter();
    QTest::keyClicks(s.amount, "1234567");
    s.amount->setCursorPosition(cursor);
    QTest::keyClick(s.amount, Qt::Key(key));
    QCOMPARE(s.amount->text(), result);
    QCOMPARE(s.amount->cursorPosition(), cursorAfter);
}

void TestAmountEdit::leaving_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<double>("value");
    QTest::newRow("decimal completed") << "1234,5"
                                       << "1.234,50" << 1234.5;
    QTest::newRow("whole number") << "1234567"
                                  << "1.234.567,00" << 1234567.0;
    QTest::newRow("empty reads zero") << ""
                                      << ",00" << 0.0;
    QTest::newRow("below one") << ",5"
                               << ",50" << 0.5;
    QTest::newRow("trailing comma") << "12,"
                                    << "12,00" << 12.0;
    QTest::newRow("two decimals") << "999,99"
                                  << "999,99" << 999.99;
}

void TestAmountEdit::leaving()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(double, value);
    Screen s;
    QVERIFY(s.ready());
    s.enter();
    QTest::keyClicks(s.amount, typed);
    s.leave();
    QCOMPARE(s.amount->text(), shown);
    QCOMPARE(s.amount->value(), value);
}

void TestAmountEdit::zeroFieldEmptiesOnEntry()
{
    Screen s;
    QVERIFY(s.ready());
    s.leave(); // the window gave the focus to the amount field
    s.amount->setValue(0);
    QCOMPARE(s.amount->text(), QStringLiteral(",00"));
    s.enter();
    QCOMPARE(s.amount->text(), QString());
    s.leave();
    QCOMPARE(s.amount->text(), QStringLiteral(",00"));

    // A field holding an amount keeps it when entered.
    s.amount->setValue(12.5);
    s.enter();
    QCOMPARE(s.amount->text(), QStringLiteral("12,50"));

    // A read-only field is left as it is.
    s.leave();
    QCOMPARE(s.amount->text(), QStringLiteral("12,50"));
    s.amount->setValue(0);
    s.amount->setReadOnly(true);
    s.enter();
    QCOMPARE(s.amount->text(), QStringLiteral(",00"));
}

void TestAmountEdit::firstFieldOfOpenedScreenEntered()
{
    // Opening a screen enters its first field, as Tab would.
    QWidget window;
    auto *amount = new AmountEdit(&window);
    amount->setValue(0);
    new QLineEdit(&window);
    window.setLayout(new QVBoxLayout);
    window.layout()->addWidget(amount);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(amount->hasFocus());
    QCOMPARE(amount->text(), QString());
}

void TestAmountEdit::negativeAmounts()
{
    Screen s;
    QVERIFY(s.ready());
    QVERIFY(!s.amount->negativeAllowed());
    s.amount->setNegativeAllowed(true);
    s.enter();
    QTest::keyClicks(s.amount, "-1234,5");
    QCOMPARE(s.amount->text(), QStringLiteral("-1.234,5"));
    // A minus anywhere but first is refused.
    QTest::keyClicks(s.amount, "-");
    QCOMPARE(s.amount->text(), QStringLiteral("-1.234,5"));
    s.leave();
    QCOMPARE(s.amount->text(), QStringLiteral("-1.234,50"));
    QCOMPARE(s.amount->value(), -1234.5);
}

void TestAmountEdit::pasteIsCheckedAndRegrouped_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain number regrouped") << "1234567,89"
                                            << "1.234.567,89";
    QTest::newRow("grouped number") << "1.234,56"
                                    << "1.234,56";
    QTest::newRow("currency text refused") << "1.234,56 TL"
                                           << "";
    QTest::newRow("three decimals refused") << "1,234"
                                            << "";
    QTest::newRow("dot after comma refused") << "1,2.3"
                                             << "";
}

void TestAmountEdit::pasteIsCheckedAndRegrouped()
{
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    Screen s;
    QVERIFY(s.ready());
    s.enter();
    s.amount->insert(pasted); // what a paste or a drop does
    QCOMPARE(s.amount->text(), shown);
}

void TestAmountEdit::keypadDecimalKeyGivesComma()
{
    Screen s;
    QVERIFY(s.ready());
    s.enter();
    QTest::keyClicks(s.amount, "12");
    QTest::keyClick(s.amount, Qt::Key_Period, Qt::KeypadModifier);
    QTest::keyClicks(s.amount, "5");
    QCOMPARE(s.amount->text(), QStringLiteral("12,5"));
}

void TestAmountEdit::setValueAndValue()
{
    AmountEdit edit;
    edit.setValue(1234567.5);
    QCOMPARE(edit.text(), QStringLiteral("1.234.567,50"));
    QCOMPARE(edit.value(), 1234567.5);
    edit.setValue(0.07);
    QCOMPARE(edit.text(), QStringLiteral(",07"));
    QCOMPARE(edit.value(), 0.07);
}

void TestAmountEdit::rightAligned()
{
    AmountEdit edit;
    QVERIFY(edit.alignment() & Qt::AlignRight);
}

QTEST_MAIN(TestAmountEdit)
#include "tst_amountedit.moc"
