#include "common/AmountEdit.h"
#include "common/EnterMovesFocus.h"

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QtTest>

using namespace dalvira;

class TestEnterMovesFocus : public QObject
{
    Q_OBJECT
private slots:
    void enterActsLikeTab_data();
    void enterActsLikeTab();
    void multiLineFieldKeepsEnter();
    void gridAndItsEditorKeepEnter();
    void widgetsAddedLaterAreCovered();
    void fieldMayKeepItsOwnEnter();
    void dialogDefaultButtonNotPressed();
};

namespace {

struct Screen
{
    QWidget window;
    QLineEdit *first = new QLineEdit(&window);
    AmountEdit *amount = new AmountEdit(&window);
    QPushButton *button = new QPushButton(QStringLiteral("KAYDET"), &window);
    QPlainTextEdit *memo = new QPlainTextEdit(&window);
    QLineEdit *last = new QLineEdit(&window);
    QVBoxLayout *layout = new QVBoxLayout(&window);

    Screen()
    {
        for (QWidget *w : {static_cast<QWidget *>(first), static_cast<QWidget *>(amount),
                           static_cast<QWidget *>(button), static_cast<QWidget *>(memo),
                           static_cast<QWidget *>(last)})
            layout->addWidget(w);
        button->setAutoDefault(true);
        button->setDefault(true);
        installEnterMovesFocus(&window);
        window.show();
        window.activateWindow();
    }
    bool ready() { return QTest::qWaitForWindowActive(&window); }
};

} // namespace

void TestEnterMovesFocus::enterActsLikeTab_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
}

void TestEnterMovesFocus::enterActsLikeTab()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    Screen s;
    QVERIFY(s.ready());
    QSignalSpy clicked(s.button, &QPushButton::clicked);
    s.first->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(s.first, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(s.amount->hasFocus());

    // The amount field is left the way Tab leaves it: formatted.
    QTest::keyClicks(s.amount, "1234,5");
    QTest::keyClick(s.amount, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(s.amount->text(), QStringLiteral("1.234,50"));
    QVERIFY(s.button->hasFocus());

    // A button is passed over by Enter, not pressed.
    QTest::keyClick(s.button, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(s.memo->hasFocus());
    QCOMPARE(clicked.size(), 0);
}

void TestEnterMovesFocus::multiLineFieldKeepsEnter()
{
    Screen s;
    QVERIFY(s.ready());
    s.memo->setFocus(Qt::OtherFocusReason);
    QTest::keyClicks(s.memo, "a");
    QTest::keyClick(s.memo, Qt::Key_Return);
    QTest::keyClicks(s.memo, "b");
    QVERIFY(s.memo->hasFocus());
    QCOMPARE(s.memo->toPlainText(), QStringLiteral("a\nb"));
}

void TestEnterMovesFocus::gridAndItsEditorKeepEnter()
{
    QStandardItemModel model(2, 1);
    Screen s;
    model.setData(model.index(0, 0), QStringLiteral("x"));
    auto *grid = new QTableView(&s.window);
    grid->setModel(&model);
    s.layout->addWidget(grid);
    QVERIFY(s.ready());
    grid->setFocus(Qt::OtherFocusReason);
    grid->setCurrentIndex(model.index(0, 0));
    grid->edit(model.index(0, 0));
    auto *editor = grid->findChild<QLineEdit *>();
    QVERIFY(editor);
    QTRY_VERIFY(editor->hasFocus());
    editor->selectAll();
    QTest::keyClicks(editor, "yeni");
    QTest::keyClick(editor, Qt::Key_Return);
    // The grid's own Enter committed the edit (the delegate does it queued); the focus stayed
    // in the grid.
    QTRY_COMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("yeni"));
    QVERIFY(grid->hasFocus());
    // Enter on the grid itself is the grid's too.
    QSignalSpy activated(grid, &QAbstractItemView::activated);
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(grid->hasFocus());
    QCOMPARE(activated.size(), 1);
}

void TestEnterMovesFocus::widgetsAddedLaterAreCovered()
{
    Screen s;
    auto *box = new QWidget(&s.window);
    s.layout->insertWidget(1, box);
    auto *boxLayout = new QVBoxLayout(box);
    auto *inner = new QLineEdit(box);
    boxLayout->addWidget(inner);
    QWidget::setTabOrder(s.first, inner);
    QWidget::setTabOrder(inner, s.amount);
    QVERIFY(s.ready());
    inner->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(inner, Qt::Key_Return);
    QVERIFY(s.amount->hasFocus());
}

void TestEnterMovesFocus::fieldMayKeepItsOwnEnter()
{
    Screen s;
    QVERIFY(s.ready());
    setEnterKeepsFocus(s.first);
    QSignalSpy returned(s.first, &QLineEdit::returnPressed);
    s.first->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(s.first, Qt::Key_Return);
    QVERIFY(s.first->hasFocus());
    QCOMPARE(returned.size(), 1);
}

void TestEnterMovesFocus::dialogDefaultButtonNotPressed()
{
    QDialog dialog;
    auto *field = new QLineEdit(&dialog);
    auto *next = new QLineEdit(&dialog);
    auto *ok = new QPushButton(QStringLiteral("TAMAM"), &dialog);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(field);
    layout->addWidget(next);
    layout->addWidget(ok);
    ok->setDefault(true);
    QSignalSpy clicked(ok, &QPushButton::clicked);
    installEnterMovesFocus(&dialog);
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    field->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(next->hasFocus());
    QCOMPARE(clicked.size(), 0);
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(TestEnterMovesFocus)
#include "tst_entermovesfocus.moc"
