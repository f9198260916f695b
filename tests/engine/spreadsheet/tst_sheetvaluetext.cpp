#include "spreadsheet/SheetValueText.h"

#include <QTest>

using namespace dalvira;

class SheetValueTextTest : public QObject
{
    Q_OBJECT

private slots:
    void numberText_data();
    void numberText();
    void serialDate_data();
    void serialDate();
    void isoDate_data();
    void isoDate();
    void dateFormatCode_data();
    void dateFormatCode();
    void builtinDateFormats();
};

void SheetValueTextTest::numberText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("decimal") << 1234.5 << "1234,5";
    QTest::newRow("negative whole") << -12.0 << "-12";
    QTest::newRow("tenth") << 0.1 << "0,1";
    QTest::newRow("no grouping") << 1234567.0 << "1234567";
    QTest::newRow("negative amount") << -1234.56 << "-1234,56";
    QTest::newRow("cached sum noise") << 0.0400000000000773 << "0,04";
    QTest::newRow("addition noise") << 0.1 + 0.2 << "0,3";
    QTest::newRow("noise above") << 1234.5600000000002 << "1234,56";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("noise near zero is zero") << 1e-17 << "0";
    QTest::newRow("ten decimals kept") << 0.0001232877 << "0,0001232877";
    QTest::newRow("identity number") << 12345678901.0 << "12345678901";
    QTest::newRow("large, no exponent") << 1e20 << "100000000000000000000";
    QTest::newRow("small, no exponent") << 0.000015 << "0,000015";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << "";
}

void SheetValueTextTest::numberText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(numberCellText(value), expected);
}

void SheetValueTextTest::serialDate_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first day") << 1.0 << false << "01.01.1900";
    QTest::newRow("last real day before the fictitious one") << 59.0 << false << "28.02.1900";
    QTest::newRow("fictitious leap day") << 60.0 << false << "29.02.1900";
    QTest::newRow("day after it") << 61.0 << false << "01.03.1900";
    QTest::newRow("leap day 2024") << 45351.0 << false << "29.02.2024";
    QTest::newRow("millennium eve") << 36525.0 << false << "31.12.1999";
    QTest::newRow("with time") << 45356.5 << false << "05.03.2024 12:00:00";
    QTest::newRow("time rounding to the second")
        << 45356.0 + 1.0 / 86400.0 - 1e-9 << false << "05.03.2024 00:00:01";
    QTest::newRow("time alone") << 0.75 << false << "18:00:00";
    QTest::newRow("zero") << 0.0 << false << "00.01.1900";
    QTest::newRow("1904 system origin") << 0.0 << true << "01.01.1904";
    QTest::newRow("1904 system") << 43894.0 << true << "05.03.2024";
    QTest::newRow("negative stays a number") << -3.5 << false << "-3,5";
    QTest::newRow("beyond the calendar") << 3e6 << false << "3000000";
}

void SheetValueTextTest::serialDate()
{
    QFETCH(double, serial);
    QFETCH(bool, date1904);
    QFETCH(QString, expected);
    QCOMPARE(serialDateText(serial, date1904), expected);
}

void SheetValueTextTest::isoDate_data()
{
    QTest::addColumn<QString>("iso");
    QTest::addColumn<QString>("expected");

    QTest::newRow("date") << "2024-03-05"
                          << "05.03.2024";
    QTest::newRow("midnight dropped") << "2024-03-05T00:00:00"
                                      << "05.03.2024";
    QTest::newRow("time kept") << "2024-03-05T14:30:05"
                               << "05.03.2024 14:30:05";
    QTest::newRow("time with fraction") << "2024-03-05T14:30:05.250"
                                        << "05.03.2024 14:30:05";
    QTest::newRow("blank separator") << "1999-12-31 08:15:00"
                                     << "31.12.1999 08:15:00";
    QTest::newRow("not a date") << "2024-02-30"
                                << "2024-02-30";
}

void SheetValueTextTest::isoDate()
{
    QFETCH(QString, iso);
    QFETCH(QString, expected);
    QCOMPARE(isoDateCellText(iso), expected);
}

void SheetValueTextTest::dateFormatCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("isDate");

    QTest::newRow("turkish date") << "dd.mm.yyyy" << true;
    QTest::newRow("upper case") << "DD/MM/YYYY" << true;
    QTest::newRow("with locale tag") << "[$-41F]d mmmm yyyy" << true;
    QTest::newRow("date and time") << "dd.mm.yyyy hh:mm" << true;
    QTest::newRow("time") << "h:mm:ss" << true;
    QTest::newRow("amount") << "#,##0.00" << false;
    QTest::newRow("general") << "General" << false;
    QTest::newRow("currency text in quotes") << "#,##0.00 \"TL\"" << false;
    QTest::newRow("days in quotes") << "0 \"gün\"" << false;
    QTest::newRow("escaped letter") << "0\\d" << false;
    QTest::newRow("colour and locale") << "[Red]-#,##0.00;[$TL-41F] #,##0.00" << false;
    QTest::newRow("scientific") << "0.00E+00" << false;
    QTest::newRow("padding character") << "#,##0_m;-#,##0" << false;
    QTest::newRow("text") << "@" << false;
}

void SheetValueTextTest::dateFormatCode()
{
    QFETCH(QString, code);
    QFETCH(bool, isDate);
    QCOMPARE(isDateFormatCode(code), isDate);
}

void SheetValueTextTest::builtinDateFormats()
{
    // 14-22 dates and times, 45-47 minutes and seconds; the number formats around them are not.
    for (int id : {14, 15, 16, 17, 18, 19, 20, 21, 22, 45, 46, 47})
        QVERIFY2(isBuiltinDateFormat(id), qPrintable(QString::number(id)));
    for (int id : {0, 1, 2, 3, 4, 9, 10, 11, 12, 13, 23, 37, 44, 48, 49, 164})
        QVERIFY2(!isBuiltinDateFormat(id), qPrintable(QString::number(id)));
}

QTEST_APPLESS_MAIN(SheetValueTextTest)
#include "tst_sheetvaluetext.moc"
