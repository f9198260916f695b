#include "TestSupport.h"
#include "spreadsheet/SheetReader.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace dalvira;
using dalvira::test::fixturePath;

namespace {

// The list every fixture holds, written by a spreadsheet program in each format: dates as
// real date cells, amounts as numbers (in .ods/.xlsx/.xls shown 1.234,56), a formula whose
// cached result carries binary noise (0.0400000000000773), an empty cell in the middle.
const QList<QStringList> kListRows = {
    {"Ad Soyad", "Tarih", "Tutar", "Adet", "Açıklama"},
    {"Şükrü Öztürk", "05.03.2024", "-1234,56", "3", "İĞÜŞÇÖ ığüşçö"},
    {"Ayşe Çağlar", "29.02.2024", "0,1", "", "Aidat Ödemesi"},
    {"Ümit Işık", "31.12.1999", "1234,5", "1234567", "Gecikme faizi"},
    {"Toplam", "", "0,04", "1234570", ""},
};

QList<QStringList> gridRows(const SheetGrid &grid)
{
    QList<QStringList> rows;
    for (int r = 1; r <= grid.rowCount(); ++r)
        rows.append(grid.row(r));
    return rows;
}

// The expected table plus the empty row and column the reader adds beyond the last used cell.
QList<QStringList> withEmptyBorder(QList<QStringList> rows)
{
    qsizetype width = 0;
    for (const QStringList &row : rows)
        width = qMax(width, row.size());
    for (QStringList &row : rows)
        row.resize(width + 1);
    QStringList empty;
    empty.resize(width + 1);
    rows.append(empty);
    return rows;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        return {};
    return path;
}

QByteArray fixtureBytes(const QString &name)
{
    QFile file(fixturePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class SheetReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void readsListInEveryFormat_data();
    void readsListInEveryFormat();
    void odsRepeatedCellsAndRows();
    void csvParsing_data();
    void csvParsing();
    void rowCap_data();
    void rowCap();
    void failures_data();
    void failures();
    void damagedPackagesNeverCrash_data();
    void damagedPackagesNeverCrash();
};

void SheetReaderTest::readsListInEveryFormat_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("formulaResults");
    QTest::newRow("xlsx") << "sheet_list.xlsx" << true;
    QTest::newRow("ods") << "sheet_list.ods" << true;
    // FreeXL leaves formula cells of .xls files empty: it does not read their results.
    QTest::newRow("xls") << "sheet_list.xls" << false;
    QTest::newRow("csv ; windows-1254") << "sheet_list_semicolon_cp1254.csv" << true;
    QTest::newRow("csv , utf-8") << "sheet_list_comma_utf8.csv" << true;
}

void SheetReaderTest::readsListInEveryFormat()
{
    QFETCH(QString, fixture);
    QFETCH(bool, formulaResults);
    SheetGrid grid;
    const Result result = SheetReader::read(fixturePath(fixture), grid);
    QVERIFY2(result.ok(), qPrintable(result.message()));
    QList<QStringList> expected = kListRows;
    if (!formulaResults)
        expected[4] = {"Toplam", "", "", "", ""};
    // The workbooks have a second sheet with content further out; only the first is read.
    QCOMPARE(gridRows(grid), withEmptyBorder(expected));
    QCOMPARE(grid.rowCount(), 6);
    QCOMPARE(grid.columnCount(), 6);
    QVERIFY(!grid.truncated());
    QCOMPARE(grid.cell(2, 1), QStringLiteral("Şükrü Öztürk"));
    QCOMPARE(grid.cell(0, 1), QString());
    QCOMPARE(grid.cell(7, 7), QString());
}

void SheetReaderTest::odsRepeatedCellsAndRows()
{
    // Written with three equal neighbours in one repeated cell, five repeated empty rows and
    // four repeated empty cells before the last value.
    SheetGrid grid;
    const Result result = SheetReader::read(fixturePath("sheet_repeats.ods"), grid);
    QVERIFY2(result.ok(), qPrintable(result.message()));
    QList<QStringList> expected = {{"x", "x", "x"}, {"y", "7"}, {"y", "7"}, {"y", "7"}};
    for (int i = 0; i < 5; ++i)
        expected.append(QStringList());
    expected.append({"", "", "", "", "son"});
    QCOMPARE(gridRows(grid), withEmptyBorder(expected));
}

void SheetReaderTest::csvParsing_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QList<QStringList>>("expected");

    QTest::newRow("quoted separator, quote and line break")
        << QByteArray("a;\"b;c\";\"say \"\"hi\"\"\"\r\n\"two\nlines\";x;\r\n")
        << QList<QStringList>{{"a", "b;c", "say \"hi\""}, {"two\nlines", "x"}};
    QTest::newRow("comma wins over semicolons inside quotes")
        << QByteArray("\"a;b;c\",d\n1,2\n") << QList<QStringList>{{"a;b;c", "d"}, {"1", "2"}};
    QTest::newRow("semicolon when the first line has neither")
        << QByteArray("baslik\n1,5;2\n") << QList<QStringList>{{"baslik"}, {"1,5", "2"}};
    QTest::newRow("tab separated")
        << QByteArray("a\tb\n1\t2,5\n") << QList<QStringList>{{"a", "b"}, {"1", "2,5"}};
    QTest::newRow("utf-8 with byte order mark")
        << QByteArray("\xEF\xBB\xBFŞ;ı\n") << QList<QStringList>{{"Ş", "ı"}};
    QTest::newRow("windows-1254 letters")
        << QByteArray("\xDE\xFC\xF0\xFD;\xDD\xD0\xDE\xC7\xD6\xDC\xFD\xF0\xFC\xFE\xE7\xF6;\x80\n")
        << QList<QStringList>{{"Şüğı", "İĞŞÇÖÜığüşçö", "€"}};
    QTest::newRow("utf-16 with byte order mark") << QByteArray("\xFF\xFE"
                                                               "a\0\t\0\x5E\x01\n\0",
                                                               10)
                                                 << QList<QStringList>{{"a", "Ş"}};
    QTest::newRow("last line without break and blank lines between")
        << QByteArray("a;b\n\n\nc;d") << QList<QStringList>{{"a", "b"}, {}, {}, {"c", "d"}};
    QTest::newRow("texts kept as they are") << QByteArray(" 1.234,56 ;0012;=1+2\n")
                                            << QList<QStringList>{{" 1.234,56 ", "0012", "=1+2"}};
}

void SheetReaderTest::csvParsing()
{
    QFETCH(QByteArray, content);
    QFETCH(QList<QStringList>, expected);
    QTemporaryDir dir;
    const QString path = writeFile(dir, "liste.csv", content);
    QVERIFY(!path.isEmpty());
    SheetGrid grid;
    const Result result = SheetReader::read(path, grid);
    QVERIFY2(result.ok(), qPrintable(result.message()));
    QCOMPARE(gridRows(grid), withEmptyBorder(expected));
}

void SheetReaderTest::rowCap_data()
{
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("expectedRows");
    QTest::addColumn<bool>("truncated");
    QTest::addColumn<QString>("lastRowFirstCell");

    QTest::newRow("room for the empty row") << 6499 << 6500 << false << "";
    QTest::newRow("exactly the cap") << 6500 << 6500 << false << "6500";
    QTest::newRow("beyond the cap") << 7000 << 6500 << true << "6500";
}

void SheetReaderTest::rowCap()
{
    QFETCH(int, lines);
    QFETCH(int, expectedRows);
    QFETCH(bool, truncated);
    QFETCH(QString, lastRowFirstCell);

    QByteArray content;
    for (int i = 1; i <= lines; ++i)
        content += QByteArray::number(i) + ";Daire " + QByteArray::number(i) + "\n";
    QTemporaryDir dir;
    const QString path = writeFile(dir, "buyuk.csv", content);
    SheetGrid grid;
    QVERIFY(SheetReader::read(path, grid).ok());
    QCOMPARE(grid.rowCount(), expectedRows);
    QCOMPARE(grid.columnCount(), 3);
    QCOMPARE(grid.truncated(), truncated);
    QCOMPARE(grid.cell(expectedRows, 1), lastRowFirstCell);
    QCOMPARE(grid.cell(6499, 2), QStringLiteral("Daire 6499"));
}

void SheetReaderTest::failures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // written to a temporary file unless null
    QTest::addColumn<QString>("fixture");    // or a fixture read as it is
    QTest::addColumn<QString>("messageEnd");

    const QString notSheet = "Calc (ods) ya da CSV dosyası seçin.";
    const QString damaged = "dosyası bozuk, okunamadı.";
    const QString encrypted = "dosyası parola ile korunuyor. Dosyayı parolasız kaydedip "
                              "yeniden deneyin.";
    const QByteArray xlsx = fixtureBytes("sheet_list.xlsx");
    const QByteArray ods = fixtureBytes("sheet_list.ods");

    QTest::newRow("missing file") << "yok.xlsx" << QByteArray() << ""
                                  << "dosyası bulunamadı.";
    QTest::newRow("text named xlsx") << "liste.xlsx" << QByteArray("a;b\n") << "" << notSheet;
    QTest::newRow("pdf") << "liste.pdf" << QByteArray("%PDF-1.4\n%\xE2\xE3\n") << "" << notSheet;
    QTest::newRow("binary named csv") << "liste.csv" << QByteArray("a\0b\0c", 5) << "" << notSheet;
    QTest::newRow("empty file named xlsx") << "bos.xlsx" << QByteArray("") << "" << notSheet;
    QTest::newRow("zip cut in half") << "yarim.xlsx" << xlsx.left(xlsx.size() / 2) << "" << damaged;
    QTest::newRow("ods cut in half") << "yarim.ods" << ods.left(ods.size() / 2) << "" << damaged;
    QTest::newRow("compound file cut short")
        << "yarim.xls" << fixtureBytes("sheet_list.xls").left(1024) << "" << damaged;
    QTest::newRow("encrypted ods") << "" << QByteArray() << "sheet_encrypted.ods" << encrypted;
    QTest::newRow("encrypted xls") << "" << QByteArray() << "sheet_encrypted.xls" << encrypted;
    QTest::newRow("encrypted xlsx package")
        << "sifreli.xlsx"
        << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(504, '\0') +
               QByteArray("E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32) +
               QByteArray(512, '\0')
        << "" << encrypted;
}

void SheetReaderTest::failures()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, fixture);
    QFETCH(QString, messageEnd);

    QTemporaryDir dir;
    QString path = fixture.isEmpty() ? dir.filePath(name) : fixturePath(fixture);
    if (!content.isNull())
        QVERIFY(!writeFile(dir, name, content).isEmpty());

    SheetGrid grid(3, 3);
    const Result result = SheetReader::read(path, grid);
    QVERIFY(!result.ok());
    QVERIFY2(result.message().startsWith(QLatin1Char('"') + path + QLatin1Char('"')),
             qPrintable(result.message()));
    QVERIFY2(result.message().endsWith(messageEnd), qPrintable(result.message()));
    QCOMPARE(grid.rowCount(), 0);
}

void SheetReaderTest::damagedPackagesNeverCrash_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::newRow("xlsx") << "sheet_list.xlsx";
    QTest::newRow("ods") << "sheet_list.ods";
    QTest::newRow("xls") << "sheet_list.xls";
}

void SheetReaderTest::damagedPackagesNeverCrash()
{
    // Bytes overwritten all over the file: the reader may still read it or refuse it, but it
    // must answer, and a refusal names the fault.
    QFETCH(QString, fixture);
    const QByteArray original = fixtureBytes(fixture);
    QVERIFY(!original.isEmpty());
    QTemporaryDir dir;
    QRandomGenerator random(20240305);
    int refused = 0;
    for (int round = 0; round < 150; ++round) {
        QByteArray damaged = original;
        const int hits = 1 + round % 8;
        for (int i = 0; i < hits; ++i) {
            const qsizetype at = random.bounded(qsizetype(8), damaged.size());
            damaged[at] = char(random.bounded(256));
        }
        const QString path = writeFile(
            dir, QStringLiteral("bozuk%1.%2").arg(round).arg(fixture.section('.', -1)), damaged);
        SheetGrid grid;
        const Result result = SheetReader::read(path, grid);
        if (!result.ok()) {
            ++refused;
            QVERIFY2(!result.message().isEmpty(), "refused without a message");
            QCOMPARE(grid.rowCount(), 0);
        } else {
            QVERIFY(grid.rowCount() >= 2 && grid.rowCount() <= SheetReader::kMaxRows);
        }
    }
    QVERIFY2(refused > 0, "no damage was ever noticed");
}

QTEST_APPLESS_MAIN(SheetReaderTest)
#include "tst_sheetreader.moc"
