#include "common/TextHelpers.h"

#include <QTest>
#include <cmath>

using namespace dalvira;

Q_DECLARE_METATYPE(DateCompletion::Outcome)

class TextHelpersTest : public QObject
{
    Q_OBJECT

private slots:
    void parseAmount_data();
    void parseAmount();
    void parseAmountOtherSeparator();
    void parseDigits_data();
    void parseDigits();
    void isDateText_data();
    void isDateText();
    void turkishLower_data();
    void turkishLower();
    void turkishLowerSearch();
    void completeDateText_data();
    void completeDateText();
};

// Exact comparison: the helpers convert the kept digits exactly, so no tolerance is needed,
// and a negative zero must be told apart from zero.
static void compareExact(double actual, double expected)
{
    QVERIFY2(actual == expected && std::signbit(actual) == std::signbit(expected),
             qPrintable(QStringLiteral("actual %1, expected %2")
                            .arg(actual, 0, 'g', 17)
                            .arg(expected, 0, 'g', 17)));
}

void TextHelpersTest::parseAmount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("thousands and currency") << "1.234,56 TL" << 1234.56;
    QTest::newRow("negative") << "-12,5" << -12.5;
    QTest::newRow("plus sign") << "+7,25" << 7.25;
    QTest::newRow("minus inside is dropped") << "12-5" << 125.0;
    QTest::newRow("sign after a blank is dropped") << " -5" << 5.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("lone minus") << "-" << 0.0;
    QTest::newRow("lone plus") << "+" << 0.0;
    QTest::newRow("lone separator") << "," << 0.0;
    QTest::newRow("sign and separator") << "-," << 0.0;
    QTest::newRow("letters only") << "TL" << 0.0;
    QTest::newRow("negative zero reads zero") << "-0,00" << 0.0;
    QTest::newRow("leading separator") << ",5" << 0.5;
    QTest::newRow("trailing separator") << "12," << 12.0;
    QTest::newRow("later separators dropped") << "1,2,3" << 1.23;
    QTest::newRow("later separators dropped, negative") << "-1.000,25,7" << -1000.257;
    QTest::newRow("more than two decimals kept") << "12,345" << 12.345;
    QTest::newRow("blanks as groups") << "1 234 567,89" << 1234567.89;
    QTest::newRow("dot is no decimal point") << "1.5" << 15.0;
    QTest::newRow("large") << "123.456.789.012,34" << 123456789012.34;
}

void TextHelpersTest::parseAmount()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    compareExact(dalvira::parseAmount(text), expected);
}

void TextHelpersTest::parseAmountOtherSeparator()
{
    compareExact(dalvira::parseAmount(QStringLiteral("1,234.56"), QLatin1Char('.')), 1234.56);
    compareExact(dalvira::parseAmount(QStringLiteral("."), QLatin1Char('.')), 0.0);
    compareExact(dalvira::parseAmount(QStringLiteral("-3.5.1"), QLatin1Char('.')), -3.51);
}

void TextHelpersTest::parseDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("date text") << "05.03.2024" << 5032024.0;
    QTest::newRow("separator dropped too") << "12,50" << 1250.0;
    QTest::newRow("negative") << "-12" << -12.0;
    QTest::newRow("minus inside dropped") << "1-2" << 12.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("lone minus") << "-" << 0.0;
    QTest::newRow("minus zero") << "-0" << 0.0;
    QTest::newRow("beyond int") << "9999999999" << 9999999999.0;
    QTest::newRow("fifteen digits exact") << "123456789012345" << 123456789012345.0;
    QTest::newRow("fifteen nines exact") << "999.999.999.999.999" << 999999999999999.0;
}

void TextHelpersTest::parseDigits()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    compareExact(dalvira::parseDigits(text), expected);
}

void TextHelpersTest::isDateText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");

    QTest::newRow("plain") << "05.03.2024" << true;
    QTest::newRow("leap day") << "29.02.2024" << true;
    QTest::newRow("no leap day") << "29.02.2023" << false;
    QTest::newRow("31st of April") << "31.04.2024" << false;
    QTest::newRow("31st of February") << "31.02.2024" << false;
    QTest::newRow("day zero") << "00.01.2024" << false;
    QTest::newRow("month thirteen") << "01.13.2024" << false;
    QTest::newRow("year zero") << "01.01.0000" << false;
    QTest::newRow("time after the date") << "05.03.2024 10:00" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("short") << "05.03.202" << false;
    QTest::newRow("letters") << "ab.cd.efgh" << false;
    QTest::newRow("blank in the day") << " 5.03.2024" << false;
    QTest::newRow("mask blanks") << "__.__.____" << false;
    QTest::newRow("sign in the year") << "05.03.+024" << false;
}

void TextHelpersTest::isDateText()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(dalvira::isDateText(text), expected);
}

void TextHelpersTest::turkishLower_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("dotless and dotted I, trimmed") << "  IŞIK İNCE  "
                                                   << "ışık ince";
    QTest::newRow("Turkish capitals") << "ÇĞÖŞÜ"
                                      << "çğöşü";
    QTest::newRow("ASCII capitals") << "ABC xyz 12"
                                    << "abc xyz 12";
    QTest::newRow("other letters unchanged") << "ÄÉÑ"
                                             << "ÄÉÑ";
    QTest::newRow("small letters unchanged") << "ı i ç"
                                             << "ı i ç";
    QTest::newRow("tabs and line breaks trimmed") << "\tAli\n"
                                                  << "ali";
    QTest::newRow("empty") << ""
                           << "";
}

void TextHelpersTest::turkishLower()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(dalvira::turkishLower(text), expected);
}

// A name search compares the folded forms: "ışık" finds "IŞIK" but "isik" does not, because
// the capital I is dotless in Turkish.
void TextHelpersTest::turkishLowerSearch()
{
    const QString name = dalvira::turkishLower(QStringLiteral("Ahmet IŞIKLI"));
    QVERIFY(name.contains(dalvira::turkishLower(QStringLiteral("ışık"))));
    QVERIFY(name.contains(dalvira::turkishLower(QStringLiteral(" IŞIK "))));
    QVERIFY(!name.contains(dalvira::turkishLower(QStringLiteral("isik"))));
    QVERIFY(dalvira::turkishLower(QStringLiteral("İNCE")).contains(QStringLiteral("ince")));
}

void TextHelpersTest::completeDateText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("defaultYear");
    QTest::addColumn<DateCompletion::Outcome>("outcome");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");

    using O = DateCompletion::Outcome;
    const QString bad = QStringLiteral(" tarih girişiniz uygun değil!");

    QTest::newRow("space blanks") << "5 .3 .24  " << 2023 << O::Completed << "05.03.2024"
                                  << "";
    QTest::newRow("underscore blanks") << "5_.3_.24__" << 2023 << O::Completed << "05.03.2024"
                                       << "";
    QTest::newRow("blanks left out") << "5.3.24" << 2023 << O::Completed << "05.03.2024"
                                     << "";
    QTest::newRow("complete already") << "05.03.2024" << 2023 << O::Completed << "05.03.2024"
                                      << "";
    QTest::newRow("blank before the digit") << " 5. 3.2024" << 2023 << O::Completed << "05.03.2024"
                                            << "";
    QTest::newRow("no year takes the default")
        << "05.03.    " << 2023 << O::Completed << "05.03.2023"
        << "";
    QTest::newRow("no year, blanks left out") << "5.3." << 2031 << O::Completed << "05.03.2031"
                                              << "";
    QTest::newRow("one-digit year") << "05.03.7   " << 2023 << O::Completed << "05.03.2007"
                                    << "";
    QTest::newRow("three-digit year") << "05.03.999 " << 2023 << O::Completed << "05.03.1999"
                                      << "";
    QTest::newRow("first accepted year") << "01.01.1905" << 2023 << O::Completed << "01.01.1905"
                                         << "";
    QTest::newRow("last accepted year") << "31.12.2999" << 2023 << O::Completed << "31.12.2999"
                                        << "";
    // Day and month are checked apart; the calendar check is isDateText's business.
    QTest::newRow("31st of February passes") << "31.02.2024" << 2023 << O::Completed << "31.02.2024"
                                             << "";

    QTest::newRow("empty mask") << "  .  .    " << 2023 << O::Unchanged << "  .  .    "
                                << "";
    QTest::newRow("empty underscore mask") << "__.__.____" << 2023 << O::Unchanged << "__.__.____"
                                           << "";
    QTest::newRow("empty text") << "" << 2023 << O::Unchanged << ""
                                << "";
    QTest::newRow("only the dots") << ".." << 2023 << O::Unchanged << ".."
                                   << "";

    QTest::newRow("month thirteen") << "31.13.2024" << 2023 << O::Refused << "31.13.2024"
                                    << "\"31.13.2024\"" + bad;
    QTest::newRow("day thirty-two") << "32.01.2024" << 2023 << O::Refused << "32.01.2024"
                                    << "\"32.01.2024\"" + bad;
    QTest::newRow("day zero") << "00.01.2024" << 2023 << O::Refused << "00.01.2024"
                              << "\"00.01.2024\"" + bad;
    QTest::newRow("year before 1905") << "01.01.1904" << 2023 << O::Refused << "01.01.1904"
                                      << "\"01.01.1904\"" + bad;
    QTest::newRow("year 3000") << "01.01.3000" << 2023 << O::Refused << "01.01.3000"
                               << "\"01.01.3000\"" + bad;
    QTest::newRow("completed parts in the message")
        << "5 .13.24  " << 2023 << O::Refused << "5 .13.24  "
        << "\"05.13.2024\"" + bad;
    QTest::newRow("day only") << "05.  .    " << 2023 << O::Refused << "05.  .    "
                              << "\"05..\"" + bad;
    QTest::newRow("no day") << "  .03.2024" << 2023 << O::Refused << "  .03.2024"
                            << "\".03.2024\"" + bad;
    QTest::newRow("letters") << "ab.03.2024" << 2023 << O::Refused << "ab.03.2024"
                             << "\"ab.03.2024\"" + bad;
    QTest::newRow("three-digit day") << "005.3.2024" << 2023 << O::Refused << "005.3.2024"
                                     << "\"005.03.2024\"" + bad;
    QTest::newRow("bad default year") << "05.03." << 1800 << O::Refused << "05.03."
                                      << "\"05.03.1800\"" + bad;
}

void TextHelpersTest::completeDateText()
{
    QFETCH(QString, field);
    QFETCH(int, defaultYear);
    QFETCH(DateCompletion::Outcome, outcome);
    QFETCH(QString, text);
    QFETCH(QString, message);

    const DateCompletion c = dalvira::completeDateText(field, defaultYear);
    QCOMPARE(c.outcome, outcome);
    QCOMPARE(c.text, text);
    QCOMPARE(c.message, message);
}

QTEST_APPLESS_MAIN(TextHelpersTest)
#include "tst_texthelpers.moc"
