#include "common/Money.h"
#include "common/Rounding.h"

#include <QTest>
#include <cmath>
#include <limits>

using namespace dalvira;

class MoneyTest : public QObject
{
    Q_OBJECT

private slots:
    void roundHalfEven_data();
    void roundHalfEven();
    void roundHalfEvenNonFinite();
    void roundedDecimalText_data();
    void roundedDecimalText();
    void fromDouble_data();
    void fromDouble();
    void sumsAddUpToTheKurus();
    void toText();
};

void MoneyTest::roundHalfEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("expected");

    QTest::newRow("2.5 down to even") << 2.5 << 0 << 2.0;
    QTest::newRow("3.5 up to even") << 3.5 << 0 << 4.0;
    QTest::newRow("4.5") << 4.5 << 0 << 4.0;
    QTest::newRow("0.5 to zero") << 0.5 << 0 << 0.0;
    QTest::newRow("0.125") << 0.125 << 2 << 0.12;
    QTest::newRow("1.015 is a half as typed") << 1.015 << 2 << 1.02;
    QTest::newRow("1.025") << 1.025 << 2 << 1.02;
    QTest::newRow("1.005") << 1.005 << 2 << 1.0;
    QTest::newRow("2.675") << 2.675 << 2 << 2.68;
    QTest::newRow("1234.565") << 1234.565 << 2 << 1234.56;
    QTest::newRow("just above a half") << 0.0050000001 << 2 << 0.01;
    QTest::newRow("half of the first place") << 0.005 << 2 << 0.0;
    QTest::newRow("0.015") << 0.015 << 2 << 0.02;
    QTest::newRow("carry through nines") << 9.995 << 2 << 10.0;
    QTest::newRow("binary noise") << 0.1 + 0.2 << 2 << 0.3;
    QTest::newRow("already exact") << 12.3 << 2 << 12.3;
    QTest::newRow("whole lira") << 1234.56 << 0 << 1235.0;
    QTest::newRow("four decimals") << 1.23455 << 4 << 1.2346;
    QTest::newRow("four decimals, half to even") << 0.00005 << 4 << 0.0;
    QTest::newRow("three decimals") << 123.456789 << 3 << 123.457;
    QTest::newRow("one decimal") << 0.25 << 1 << 0.2;

    QTest::newRow("tens") << 125.0 << -1 << 120.0;
    QTest::newRow("tens, up") << 135.0 << -1 << 140.0;
    QTest::newRow("tens, below half") << 4.9 << -1 << 0.0;
    QTest::newRow("tens, half to zero") << 5.0 << -1 << 0.0;
    QTest::newRow("tens, above half") << 5.01 << -1 << 10.0;
    QTest::newRow("hundreds") << 1250.0 << -2 << 1200.0;
    QTest::newRow("hundreds, up") << 1350.0 << -2 << 1400.0;
    QTest::newRow("thousands, half up to even") << 15500.0 << -3 << 16000.0;
    QTest::newRow("thousands, even") << 2500.0 << -3 << 2000.0;

    QTest::newRow("negative 2.5") << -2.5 << 0 << -2.0;
    QTest::newRow("negative 3.5") << -3.5 << 0 << -4.0;
    QTest::newRow("negative 0.125") << -0.125 << 2 << -0.12;
    QTest::newRow("negative 1.015") << -1.015 << 2 << -1.02;
    QTest::newRow("negative 1234.565") << -1234.565 << 2 << -1234.56;
    QTest::newRow("negative tens") << -125.0 << -1 << -120.0;
    QTest::newRow("negative above half") << -0.0050000001 << 2 << -0.01;

    QTest::newRow("tiny") << 1e-300 << 2 << 0.0;
    QTest::newRow("smallest double") << 5e-324 << 2 << 0.0;
    QTest::newRow("huge stays") << 1e20 << 2 << 1e20;
    QTest::newRow("largest double stays")
        << std::numeric_limits<double>::max() << 2 << std::numeric_limits<double>::max();
}

void MoneyTest::roundHalfEven()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, expected);
    const double actual = dalvira::roundHalfEven(value, decimals);
    QVERIFY2(actual == expected, qPrintable(QStringLiteral("actual %1, expected %2")
                                                .arg(actual, 0, 'g', 17)
                                                .arg(expected, 0, 'g', 17)));
    // A rounded-away negative amount is zero, never -0 (which would show as "-0,00").
    if (expected == 0.0)
        QVERIFY(!std::signbit(actual));
}

void MoneyTest::roundHalfEvenNonFinite()
{
    QVERIFY(std::isnan(dalvira::roundHalfEven(std::numeric_limits<double>::quiet_NaN(), 2)));
    QCOMPARE(dalvira::roundHalfEven(HUGE_VAL, 2), HUGE_VAL);
    QCOMPARE(dalvira::roundHalfEven(-HUGE_VAL, 0), -HUGE_VAL);
    QVERIFY(!std::signbit(dalvira::roundHalfEven(-0.001, 2)));
}

void MoneyTest::roundedDecimalText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");

    QTest::newRow("pads decimals") << 1234.5 << 2 << "1234.50";
    QTest::newRow("below one") << 0.05 << 2 << "0.05";
    QTest::newRow("tiny negative") << -0.001 << 2 << "0.00";
    QTest::newRow("negative half up") << -0.15 << 1 << "-0.2";
    QTest::newRow("whole") << 1.5 << 0 << "2";
    QTest::newRow("tens") << 125.0 << -1 << "120";
    QTest::newRow("hundreds to zero") << 3.0 << -2 << "0";
    QTest::newRow("beyond 64 bits") << 1e22 << 2 << "10000000000000000000000.00";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 2 << "";
}

void MoneyTest::roundedDecimalText()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QCOMPARE(dalvira::roundedDecimalText(value, decimals), expected);
}

void MoneyTest::fromDouble_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<qint64>("kurus");

    QTest::newRow("typed half, odd neighbour") << 1.015 << qint64(102);
    QTest::newRow("half, even neighbour") << 0.125 << qint64(12);
    QTest::newRow("negative half") << -0.125 << qint64(-12);
    QTest::newRow("12.345") << 12.345 << qint64(1234);
    QTest::newRow("12.355") << 12.355 << qint64(1236);
    QTest::newRow("0.1") << 0.1 << qint64(10);
    QTest::newRow("stored 0.29") << 0.29 << qint64(29);
    QTest::newRow("balance noise") << 1e-12 << qint64(0);
    QTest::newRow("negative balance noise") << -1e-12 << qint64(0);
    QTest::newRow("large") << 123456789012.34 << qint64(12345678901234);
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << qint64(0);
    QTest::newRow("too large") << 1e300 << Money::kMaxKurus;
    QTest::newRow("too small") << -1e300 << -Money::kMaxKurus;
    QTest::newRow("infinite") << HUGE_VAL << Money::kMaxKurus;
}

void MoneyTest::fromDouble()
{
    QFETCH(double, amount);
    QFETCH(qint64, kurus);
    QCOMPARE(Money::fromDouble(amount).kurus(), kurus);
}

void MoneyTest::sumsAddUpToTheKurus()
{
    Money sum;
    for (int i = 0; i < 10; ++i)
        sum += Money::fromDouble(0.1);
    QCOMPARE(sum, Money::fromKurus(100));
    QCOMPARE(sum.toDouble(), 1.0);

    // A balance that is zero in kuruş is zero, whatever noise the doubles carried.
    const Money balance =
        Money::fromDouble(100.1) - Money::fromDouble(100.0) - Money::fromDouble(0.1);
    QVERIFY(balance.isZero());
    QVERIFY(Money::fromDouble(-0.01) < Money());
    QCOMPARE(-Money::fromKurus(250), Money::fromDouble(-2.5));
}

void MoneyTest::toText()
{
    QCOMPARE(Money::fromKurus(123456).toText(), QStringLiteral("1.234,56"));
    QCOMPARE(Money().toText(), QStringLiteral("0,00"));
    QCOMPARE(Money::fromKurus(-1250).toText(), QStringLiteral("-12,50"));
    QCOMPARE(Money::fromKurus(-1).toText(), QStringLiteral("-0,01"));
}

QTEST_APPLESS_MAIN(MoneyTest)
#include "tst_money.moc"
