#include "common/Money.h"
#include "spreadsheet/ExportSheet.h"
#include "spreadsheet/SheetReader.h"
#include "spreadsheet/SheetWriter.h"
#include "tst_sheetwriter_libreoffice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

using namespace dalvira;

namespace {

QList<QStringList> gridRows(const SheetGrid &grid)
{
    QList<QStringList> rows;
    for (int r = 1; r <= grid.rowCount(); ++r)
        rows.append(grid.row(r));
    return rows;
}

// A list as a screen hands it over: amounts as Money and as doubles (0.105 rounds to the even
// kuruş, 0.10), a text in an amount column, a missing date.
ExportSheet sampleExport()
{
    ExportSheet sheet;
    sheet.siteName = "Güneş Sitesi Yönetimi Apartmanları Kooperatifi";
    sheet.siteAddress = "Atatürk Cad. No: 5 Çankaya/Ankara";
    sheet.sitePhone = "0312 555 44 33";
    sheet.title = "Daire Borç Listesi";
    sheet.columns = {
        {"Daire", ExportKind::Text, 0, false},   {"Ad Soyad", ExportKind::Text, 0, false},
        {"Tarih", ExportKind::Date, 0, false},   {"Borç", ExportKind::Amount, 0, true},
        {"Alacak", ExportKind::Amount, 0, true}, {"Adet", ExportKind::Integer, 0, true},
    };
    sheet.rows = {
        {QString("A-1"), QString("Şükrü Öztürk"), QDate(2024, 3, 5), Money::fromKurus(123456), 0.1,
         qint64(3)},
        {QString("A-2"), QString("İsmail Çağlar"), QDate(2024, 2, 29), -1234.56,
         Money::fromKurus(0), qint64(1234567)},
        {QString("B-1"), QString("Ayşe Işık"), std::monostate{}, 0.105, QString("metin"),
         qint64(0)},
    };
    return sheet;
}

} // namespace

class SheetWriterTest : public QObject
{
    Q_OBJECT

private slots:
    void columnNames_data();
    void columnNames();
    void roundTrip();
    void exportFrameReadBack();
    void exportFrameLayoutOptions();
    void exportFrameRecalculatedByLibreOffice();
    void failures();
    void failedSaveKeepsExistingFile();
};

void SheetWriterTest::columnNames_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << 1 << "A";
    QTest::newRow("last single letter") << 26 << "Z";
    QTest::newRow("first double") << 27 << "AA";
    QTest::newRow("AZ") << 52 << "AZ";
    QTest::newRow("BA") << 53 << "BA";
    QTest::newRow("IV") << 256 << "IV";
    QTest::newRow("last") << 16384 << "XFD";
}

void SheetWriterTest::columnNames()
{
    QFETCH(int, column);
    QFETCH(QString, name);
    QCOMPARE(SheetWriter::columnName(column), name);
    QCOMPARE(SheetWriter::cellName(20, column), name + "20");
}

void SheetWriterTest::roundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Güneş Raporu.xlsx");
    SheetWriter writer(path, "Borç/Alacak [Mart]");
    writer.writeText(1, 1, "İĞÜŞÇÖ ığüşçö");
    writer.writeText(1, 2, "satır\nbölünmüş");
    writer.writeInteger(1, 3, -12);
    writer.writeInteger(1, 4, 12345678901);
    writer.writeNumber(2, 1, 1234.5);
    writer.writeNumber(2, 2, -1234.56, CellStyle::withFormat("#,##0.00"));
    writer.writeNumber(2, 3, 0.1);
    writer.writeNumber(2, 4, std::numeric_limits<double>::quiet_NaN());
    writer.writeDate(3, 1, QDate(2024, 2, 29));
    writer.writeDate(3, 2, QDate(1900, 3, 1));
    writer.writeDate(3, 3, QDate(1899, 12, 31)); // before spreadsheet dates: kept as text
    writer.writeDate(3, 4, QDate());
    writer.writeFormula(4, 1, "=A2+C2", 1234.6);
    writer.writeText(4, 2, "<&> \"tırnak\" 'kesme'");
    writer.writeText(4, 3, QString("x_x0041_y ") + QChar(1) + "\t");
    // Cells may come in any order; the last write to a cell counts.
    writer.writeText(5, 5, "önce");
    writer.writeText(5, 5, "son");
    writer.formatRows(1, 1, CellStyle::makeBold(14));
    const Result written = writer.close();
    QVERIFY2(written.ok(), qPrintable(written.message()));
    QVERIFY(writer.close().ok());

    SheetGrid grid;
    const Result read = SheetReader::read(path, grid);
    QVERIFY2(read.ok(), qPrintable(read.message()));
    const QList<QStringList> expected = {
        {"İĞÜŞÇÖ ığüşçö", "satır\nbölünmüş", "-12", "12345678901", "", ""},
        {"1234,5", "-1234,56", "0,1", "", "", ""},
        {"29.02.2024", "01.03.1900", "31.12.1899", "", "", ""},
        {"1234,6", "<&> \"tırnak\" 'kesme'", QString("x_x0041_y ") + QChar(1) + "\t", "", "", ""},
        {"", "", "", "", "son", ""},
        {"", "", "", "", "", ""},
    };
    QCOMPARE(gridRows(grid), expected);
    // Everyone may read the export, as any other document the user saves.
    QVERIFY(QFile::permissions(path) & QFile::ReadOther);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"Güneş Raporu.xlsx"});
}

void SheetWriterTest::exportFrameReadBack()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("liste.xlsx");
    const Result written = writeExportFile(path, sampleExport());
    QVERIFY2(written.ok(), qPrintable(written.message()));

    SheetGrid grid;
    QVERIFY(SheetReader::read(path, grid).ok());
    const QList<QStringList> expected = {
        {"Güneş Sitesi Yönetimi Apartmanları Kooperatifi", "", "", "", "", "", "", ""},
        {"Atatürk Cad. No: 5 Çankaya/Ankara", "", "", "", "", "", "", ""},
        {"Tel: 0312 555 44 33", "", "", "", "", "", "", ""},
        {"Daire Borç Listesi", "", "", "", "", "", "", ""},
        {"S.No", "Daire", "Ad Soyad", "Tarih", "Borç", "Alacak", "Adet", ""},
        {"1", "A-1", "Şükrü Öztürk", "05.03.2024", "1234,56", "0,1", "3", ""},
        {"2", "A-2", "İsmail Çağlar", "29.02.2024", "-1234,56", "0", "1234567", ""},
        {"3", "B-1", "Ayşe Işık", "", "0,1", "metin", "0", ""},
        {"", "", "", "", "", "", "", ""},
        // The stored results: what a viewer shows without recalculating.
        {"", "", "", "TOPLAM TUTARLAR", "0,1", "0,1", "1234570", ""},
        {"", "", "", "", "", "", "", ""},
    };
    QCOMPARE(gridRows(grid), expected);
}

void SheetWriterTest::exportFrameLayoutOptions()
{
    // Another screen's layout: headings two rows below the title, no numbering, the caption
    // in a column of its own choosing, and an empty list.
    ExportSheet sheet = sampleExport();
    sheet.rows.clear();
    sheet.layout.headingRow = 6;
    sheet.layout.numbered = false;
    sheet.layout.totalCaptionColumn = 1;
    QTemporaryDir dir;
    const QString path = dir.filePath("bos.xlsx");
    SheetWriter writer(path);
    const ExportPlacement placement = writeExportSheet(writer, sheet);
    QVERIFY(writer.close().ok());
    QCOMPARE(placement.firstDataRow, 7);
    QCOMPARE(placement.lastDataRow, 6);
    QCOMPARE(placement.totalRow, 8);
    QCOMPARE(placement.columnOf, (QList<int>{1, 2, 3, 4, 5, 6}));

    SheetGrid grid;
    QVERIFY(SheetReader::read(path, grid).ok());
    QCOMPARE(grid.rowCount(), 9);
    QCOMPARE(grid.row(6),
             (QStringList{"Daire", "Ad Soyad", "Tarih", "Borç", "Alacak", "Adet", ""}));
    QCOMPARE(grid.row(8), (QStringList{"TOPLAM TUTARLAR", "", "", "0", "0", "0", ""}));
}

void SheetWriterTest::exportFrameRecalculatedByLibreOffice()
{
    if (sheettest::sofficeProgram().isEmpty())
        QSKIP("LibreOffice (soffice) is not installed");
    QTemporaryDir dir;
    const QString path = dir.filePath("liste.xlsx");
    SheetWriter writer(path);
    const ExportPlacement placement = writeExportSheet(writer, sampleExport());
    // A formula stored with a wrong result shows whether LibreOffice really recalculated.
    writer.writeFormula(placement.totalRow + 2, 1, "=E6+G6", 0);
    QVERIFY(writer.close().ok());

    QString error;
    QVERIFY2(sheettest::convertWithLibreOffice(
                 path, "csv:Text - txt - csv (StarCalc):59,34,76,1,,1055,false,true,true",
                 dir.path(), &error),
             qPrintable(error));
    SheetGrid shown;
    const Result read = SheetReader::read(dir.filePath("liste.csv"), shown);
    QVERIFY2(read.ok(), qPrintable(read.message()));
    QCOMPARE(shown.cell(placement.totalRow + 2, 1), QStringLiteral("1237,56"));
    // The sums as LibreOffice works them out from the formulas, shown in the Turkish locale.
    QCOMPARE(placement.totalRow, 10);
    QCOMPARE(shown.row(10).mid(0, 7),
             (QStringList{"", "", "", "TOPLAM TUTARLAR", "0,10", "0,10", "1234570"}));
    QCOMPARE(shown.row(1).first(),
             QStringLiteral("Güneş Sitesi Yönetimi Apartmanları Kooperatifi"));
    QCOMPARE(shown.row(3).first(), QStringLiteral("Tel: 0312 555 44 33"));
    QCOMPARE(shown.row(4).first(), QStringLiteral("Daire Borç Listesi"));
    QCOMPARE(shown.row(5).mid(0, 7),
             (QStringList{"S.No", "Daire", "Ad Soyad", "Tarih", "Borç", "Alacak", "Adet"}));
    QCOMPARE(shown.row(6).mid(0, 7),
             (QStringList{"1", "A-1", "Şükrü Öztürk", "05.03.2024", "1.234,56", "0,10", "3"}));
    QCOMPARE(shown.row(7).mid(0, 7), (QStringList{"2", "A-2", "İsmail Çağlar", "29.02.2024",
                                                  "-1.234,56", "0,00", "1234567"}));

    QVERIFY2(sheettest::convertWithLibreOffice(path, "fods", dir.path(), &error),
             qPrintable(error));
    sheettest::FlatSheet flat;
    QVERIFY2(sheettest::readFlatSheet(dir.filePath("liste.fods"), flat, &error), qPrintable(error));
    const auto cell = [&](const char *address) { return flat.cells.value(address); };
    QVERIFY(cell("A1").bold);
    QCOMPARE(cell("A1").fontSize, 14.0);
    QVERIFY(cell("A2").bold);
    QCOMPARE(cell("A2").fontSize, 14.0);
    QVERIFY(!cell("A3").bold);
    QVERIFY(cell("A4").bold);
    QVERIFY(cell("B5").bold);
    QVERIFY(cell("G5").bold);
    QVERIFY(!cell("B6").bold);
    QVERIFY(cell("D10").bold);
    QVERIFY(cell("E10").bold);
    for (const char *amount : {"E6", "F7", "E10", "F10"}) {
        QCOMPARE(cell(amount).decimals, 2);
        QVERIFY(cell(amount).grouping);
    }
    // Fitted to the list, not to the site's name above it.
    QVERIFY(flat.columnWidthsCm.value(1) < flat.columnWidthsCm.value(3));
    QVERIFY(flat.columnWidthsCm.value(1) < 3.0);
    QVERIFY(flat.columnWidthsCm.value(4) > flat.columnWidthsCm.value(1));
}

void SheetWriterTest::failures()
{
    QTemporaryDir dir;
    {
        const QString path = dir.filePath("yok/liste.xlsx");
        SheetWriter writer(path);
        writer.writeText(1, 1, "a");
        const Result result = writer.close();
        QVERIFY(!result.ok());
        QVERIFY2(result.message().startsWith("\"" + path +
                                             "\" dosyası kaydedilemedi. Sistem "
                                             "Mesajı: Klasöre yazılamıyor: "),
                 qPrintable(result.message()));
        QCOMPARE(writer.close().message(), result.message());
    }
    {
        const QString path = dir.filePath("adres.xlsx");
        SheetWriter writer(path);
        writer.writeText(1, 1, "a");
        writer.writeNumber(0, 3, 1);
        const Result result = writer.close();
        QVERIFY(!result.ok());
        QVERIFY2(result.message().endsWith("Geçersiz hücre adresi: satır 0, sütun 3."),
                 qPrintable(result.message()));
        QVERIFY(!QFile::exists(path));
    }
}

void SheetWriterTest::failedSaveKeepsExistingFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Rapor.xlsx");
    {
        SheetWriter first(path);
        first.writeText(1, 1, "ilk");
        QVERIFY(first.close().ok());
    }
    {
        SheetWriter broken(path);
        broken.writeText(SheetWriter::kMaxRow + 1, 1, "taşan");
        QVERIFY(!broken.close().ok());
    }
    SheetGrid grid;
    QVERIFY(SheetReader::read(path, grid).ok());
    QCOMPARE(grid.cell(1, 1), QStringLiteral("ilk"));
    {
        SheetWriter second(path);
        second.writeText(1, 1, "ikinci");
        QVERIFY(second.close().ok());
    }
    QVERIFY(SheetReader::read(path, grid).ok());
    QCOMPARE(grid.cell(1, 1), QStringLiteral("ikinci"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Rapor.xlsx"});
}

QTEST_GUILESS_MAIN(SheetWriterTest)
#include "tst_sheetwriter.moc"
