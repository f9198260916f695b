#include "common/Formats.h"
#include "common/TextHelpers.h"

#include <QLocale>
#include <QTest>
#include <limits>

using namespace dalvira;

class FormatsTest : public QObject
{
    Q_OBJECT

private slots:
    void formatAmount_data();
    void formatAmount();
    void formatAmountIgnoresDefaultLocale();
    void amountRoundTrip_data();
    void amountRoundTrip();
    void formatDate();
    void parseDisplayDate_data();
    void parseDisplayDate();
    void dateRoundTrip();
};

void FormatsTest::formatAmount_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");

    const QString z = QString::fromLatin1(kAmountFormat);
    const QString n = QString::fromLatin1(kAmountFormatNoZero);

    QTest::newRow("grouped") << 1234.56 << z << "1.234,56";
    QTest::newRow("zero") << 0.0 << z << "0,00";
    QTest::newRow("negative") << -1234.5 << z << "-1.234,50";
    QTest::newRow("below one") << 0.5 << z << "0,50";
    QTest::newRow("no group below a thousand") << 999.99 << z << "999,99";
    QTest::newRow("millions") << 1234567.891 << z << "1.234.567,89";
    QTest::newRow("large") << 1e15 << z << "1.000.000.000.000.000,00";
    QTest::newRow("binary noise") << 0.1 + 0.2 << z << "0,30";
    QTest::newRow("half to even, down") << 1.005 << z << "1,00";
    QTest::newRow("half to even, up") << 1.015 << z << "1,02";
    QTest::newRow("half carries into groups") << 999.995 << z << "1.000,00";
    QTest::newRow("tiny negative is no minus zero") << -0.001 << z << "0,00";
    QTest::newRow("negative half rounds to zero") << -0.005 << z << "0,00";
    QTest::newRow("negative zero") << -0.0 << z << "0,00";

    QTest::newRow("no-zero pattern, zero") << 0.0 << n << ",00";
    QTest::newRow("no-zero pattern, below one") << 0.5 << n << ",50";
    QTest::newRow("no-zero pattern, grouped") << 1234.5 << n << "1.234,50";
    QTest::newRow("no-zero pattern, negative below one") << -0.5 << n << "-,50";
    QTest::newRow("no-zero pattern, tiny negative") << -0.001 << n << ",00";
    QTest::newRow("no-zero pattern, ten") << 10.0 << n << "10,00";

    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << z << "";
}

void FormatsTest::formatAmount()
{
    QFETCH(double, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    const QByteArray p = pattern.toLatin1();
    QCOMPARE(dalvira::formatAmount(value, p.constData()), expected);
}

void FormatsTest::formatAmountIgnoresDefaultLocale()
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QString text = dalvira::formatAmount(1234567.5);
    const QString date = dalvira::formatDate(QDate(2024, 3, 5));
    QLocale::setDefault(before);
    QCOMPARE(text, QStringLiteral("1.234.567,50"));
    QCOMPARE(date, QStringLiteral("05.03.2024"));
}

void FormatsTest::amountRoundTrip_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::newRow("#,##0.00") << QString::fromLatin1(kAmountFormat);
    QTest::newRow("#,###.00") << QString::fromLatin1(kAmountFormatNoZero);
}

// What is shown must read back as the same amount, for every kuruş value.
void FormatsTest::amountRoundTrip()
{
    QFETCH(QString, pattern);
    const QByteArray p = pattern.toLatin1();
    auto check = [&](qint64 kurus) {
        const double value = double(kurus) / 100.0;
        const QString text = dalvira::formatAmount(value, p.constData());
        const double back = dalvira::parseAmount(text);
        QVERIFY2(back == value, qPrintable(QStringLiteral("%1 -> %2 -> %3")
                                               .arg(value, 0, 'g', 17)
                                               .arg(text)
                                               .arg(back, 0, 'g', 17)));
    };
    for (qint64 kurus = -300000; kurus <= 300000; ++kurus)
        check(kurus);
    for (qint64 kurus : {999999999LL, 123456789012LL, -98765432109876LL, 900719925474099LL})
        check(kurus);
}

void FormatsTest::formatDate()
{
    QCOMPARE(dalvira::formatDate(QDate(2024, 3, 5)), QStringLiteral("05.03.2024"));
    QCOMPARE(dalvira::formatDate(QDate(2011, 12, 31)), QStringLiteral("31.12.2011"));
    QCOMPARE(dalvira::formatDate(QDate()), QString());
    QCOMPARE(dalvira::isoDate(QDate(2024, 3, 5)), QStringLiteral("2024-03-05"));
    QCOMPARE(dalvira::isoDate(QDate()), QString());
}

void FormatsTest::parseDisplayDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("plain") << "05.03.2024" << QDate(2024, 3, 5);
    QTest::newRow("leap day") << "29.02.2024" << QDate(2024, 2, 29);
    QTest::newRow("blanks around") << " 05.03.2024 " << QDate(2024, 3, 5);
    QTest::newRow("no leap day") << "29.02.2023" << QDate();
    QTest::newRow("31st of April") << "31.04.2024" << QDate();
    QTest::newRow("month thirteen") << "01.13.2024" << QDate();
    QTest::newRow("one-digit parts") << "5.3.2024" << QDate();
    QTest::newRow("other separator") << "05/03/2024" << QDate();
    QTest::newRow("letter in the year") << "05.03.20a4" << QDate();
    QTest::newRow("mask blanks") << "__.__.____" << QDate();
    QTest::newRow("empty") << "" << QDate();
    QTest::newRow("storage form") << "2024-03-05" << QDate();
}

void FormatsTest::parseDisplayDate()
{
    QFETCH(QString, text);
    QFETCH(QDate, expected);
    const QDate date = dalvira::parseDisplayDate(text);
    QCOMPARE(date.isValid(), expected.isValid());
    if (expected.isValid())
        QCOMPARE(date, expected);
}

void FormatsTest::dateRoundTrip()
{
    for (QDate d(2023, 1, 1); d <= QDate(2025, 1, 1); d = d.addDays(1)) {
        QCOMPARE(dalvira::parseDisplayDate(dalvira::formatDate(d)), d);
        QVERIFY(dalvira::isDateText(dalvira::formatDate(d)));
    }
}

QTEST_APPLESS_MAIN(FormatsTest)
#include "tst_formats.moc"
