#include "common/ScreenRegistry.h"

#include <QLineEdit>
#include <QPointer>
#include <QtTest>

using namespace dalvira;

namespace {

class SampleScreen : public QWidget
{
public:
    QLineEdit *filter = new QLineEdit(this);
};

} // namespace

class TestScreenRegistry : public QObject
{
    Q_OBJECT
private slots:
    void madeOnceAndKept();
    void unknownAndTyped();
    void createAllInRegistrationOrder();
    void screensDeletedWithRegistry();
};

void TestScreenRegistry::madeOnceAndKept()
{
    ScreenRegistry registry;
    int made = 0;
    registry.registerScreen(QStringLiteral("kasaF"), [&made] {
        ++made;
        return new SampleScreen;
    });
    QVERIFY(!registry.existing(QStringLiteral("kasaF")));
    auto *first = registry.screen<SampleScreen>(QStringLiteral("kasaF"));
    QVERIFY(first);
    QCOMPARE(first->objectName(), QStringLiteral("kasaF"));
    first->filter->setText(QStringLiteral("Ahmet"));
    first->hide();

    // Opening again shows the same instance with what was typed in it.
    QWidget *again = registry.show(QStringLiteral("kasaF"));
    QCOMPARE(again, first);
    QVERIFY(again->isVisible());
    QCOMPARE(first->filter->text(), QStringLiteral("Ahmet"));
    QCOMPARE(made, 1);
}

void TestScreenRegistry::unknownAndTyped()
{
    ScreenRegistry registry;
    registry.registerScreen(QStringLiteral("plain"), [] { return new QWidget; });
    QVERIFY(!registry.screen(QStringLiteral("yok")));
    QVERIFY(!registry.show(QStringLiteral("yok")));
    QVERIFY(!registry.screen<SampleScreen>(QStringLiteral("plain")));
    QVERIFY(registry.screen<QWidget>(QStringLiteral("plain")));
}

void TestScreenRegistry::createAllInRegistrationOrder()
{
    ScreenRegistry registry;
    QStringList order;
    for (const QString &name :
         {QStringLiteral("girisF"), QStringLiteral("anaformF"), QStringLiteral("bekleyinF")}) {
        registry.registerScreen(name, [&order, name] {
            order << name;
            return new QWidget;
        });
    }
    registry.createAll();
    QCOMPARE(order, (QStringList{"girisF", "anaformF", "bekleyinF"}));
    registry.createAll();
    QCOMPARE(order.size(), 3);
    QVERIFY(registry.existing(QStringLiteral("anaformF")));
}

void TestScreenRegistry::screensDeletedWithRegistry()
{
    QPointer<QWidget> owned;
    QWidget parent;
    QPointer<QWidget> child;
    {
        ScreenRegistry registry;
        registry.registerScreen(QStringLiteral("a"), [] { return new QWidget; });
        registry.registerScreen(QStringLiteral("b"), [&parent] { return new QWidget(&parent); });
        owned = registry.screen(QStringLiteral("a"));
        child = registry.screen(QStringLiteral("b"));
        // A screen deleted elsewhere is made anew.
        delete child.data();
        QVERIFY(!registry.existing(QStringLiteral("b")));
        child = registry.screen(QStringLiteral("b"));
        QVERIFY(child);
    }
    QVERIFY(!owned);
    // A screen with a parent belongs to the parent.
    QVERIFY(child);
}

QTEST_MAIN(TestScreenRegistry)
#include "tst_screenregistry.moc"
