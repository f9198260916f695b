// The flat list's printouts and its spreadsheet: what is printed on which page, and the sheet's
// rows and columns read back from the file (and through LibreOffice when it is installed).
#include "TestSupport.h"
#include "flats/FlatListExport.h"
#include "flats/FlatListPrintout.h"
#include "flats/FlatListQuery.h"
#include "report/ReportRenderer.h"
#include "spreadsheet/SheetReader.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using namespace dalvira;

namespace {

FlatListRow flat(qint64 number, const QString &owner, const QString &ownerLast,
                 const QString &resident = {}, const QString &residentLast = {})
{
    FlatListRow r;
    r.hid = number;
    r.flatNumber = number;
    r.ownerFirst = owner;
    r.ownerLast = ownerLast;
    r.residentFirst = resident;
    r.residentLast = residentLast;
    return r;
}

QList<FlatListRow> sampleRows()
{
    FlatListRow a = flat(1, QStringLiteral("Ali'nin"), QStringLiteral("Kaya"),
                         QStringLiteral("Şahin"), QStringLiteral("Öztürk"));
    a.block = QStringLiteral("B");
    a.flat = QStringLiteral("12");
    a.section = QStringLiteral("K1");
    a.door = QStringLiteral("7/A");
    a.plate = QStringLiteral("34 ABC 12");
    a.residents = 3;
    a.children = 1;
    a.ownerPhone = QStringLiteral("(532) 111 22 33");
    a.ownerMobile = QStringLiteral("(555) 444 33 22");
    a.residentPhone = QStringLiteral("(212) 444 55 66");
    a.residentMobile = QStringLiteral("(533) 999 88 77");
    a.formerOwnerFirst = QStringLiteral("Zeynep");
    a.formerOwnerLast = QStringLiteral("Ak");
    a.formerOwnerPhone = QStringLiteral("(216) 123 45 67");
    FlatListRow b = flat(2, QStringLiteral("IŞIK"), QStringLiteral("ÇELİK"));
    b.block = QStringLiteral("C");
    return {a, b};
}

SiteLetterhead site()
{
    SiteLetterhead s;
    s.found = true;
    s.name = QStringLiteral("Çamlık Evleri Sitesi");
    s.name2 = QStringLiteral("Yönetimi");
    s.address = QStringLiteral("Gül Sokak No: 3");
    s.district = QStringLiteral("Kadıköy");
    s.city = QStringLiteral("İstanbul");
    s.phone = QStringLiteral("(216) 555 00 11");
    s.fax = QStringLiteral("(216) 555 00 12");
    return s;
}

QString pdfText(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class FlatListOutputTest : public QObject
{
    Q_OBJECT

private slots:
    void printouts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("previewTitle");
        QTest::addColumn<QStringList>("printed");
        QTest::addColumn<QStringList>("notPrinted");
        QTest::newRow("Genel Liste")
            << int(FlatPrintout::GeneralList) << "Tolvek Rapor Önizleme - Daire Kayıtları Raporu"
            << QStringList{"DAİRE KAYITLARI RAPORU",
                           "SAHİBİ ADI VE SOYADI",
                           "OTURAN ADI VE SOYADI",
                           "Ali'nin Kaya",
                           "Şahin Öztürk",
                           "(212) 444 55 66",
                           "IŞIK ÇELİK"}
            << QStringList{"İMZA", "(555) 444 33 22"};
        QTest::newRow("Kat Malikleri Hazirun")
            << int(FlatPrintout::OwnersAttendance)
            << "Tolvek Rapor Önizleme - Kat Malikleri Hazirun Raporu"
            << QStringList{"KAT MALİKLERİ HAZİRUN CETVELİ",
                           "SAHİBİ ADI VE SOYADI",
                           "CEP TELEFONU",
                           "İMZA",
                           "Ali'nin Kaya",
                           "(532) 111 22 33",
                           "(555) 444 33 22"}
            << QStringList{"Şahin Öztürk", "OTURAN ADI"};
        QTest::newRow("Oturanlar Hazirun")
            << int(FlatPrintout::ResidentsAttendance)
            << "Tolvek Rapor Önizleme - Dairede Oturanlar Hazirun Raporu"
            << QStringList{"DAİREDE OTURANLAR HAZİRUN CETVELİ",
                           "OTURAN ADI VE SOYADI",
                           "İMZA",
                           "Şahin Öztürk",
                           "(212) 444 55 66",
                           "(533) 999 88 77"}
            << QStringList{"Ali'nin Kaya", "SAHİBİ ADI"};
    }

    void printouts()
    {
        QFETCH(int, kind);
        QFETCH(QString, previewTitle);
        QFETCH(QStringList, printed);
        QFETCH(QStringList, notPrinted);

        const QDateTime at(QDate(2024, 3, 5), QTime(14, 7));
        const Report report = buildFlatListReport(FlatPrintout(kind), sampleRows(), site(), at);
        QCOMPARE(report.previewTitle, previewTitle);
        QVERIFY(report.alternateShading);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("liste.pdf"));
        QVERIFY(renderToPdf(report, pdf));
        const QString text = pdfText(pdf);
        QVERIFY2(!text.isEmpty(), "pdftotext gave no text");
        const QStringList always = {
            QStringLiteral("Çamlık Evleri Sitesi"),
            QStringLiteral("Gül Sokak No: 3"),
            QStringLiteral("Kadıköy İstanbul Tel/Fax (216) 555 00 11 - (216) 555 00 12"),
            QStringLiteral("05.03.2024"),
            QStringLiteral("14:07"),
            QStringLiteral("KAYIT"),
            QStringLiteral("B/D/K"),
            QStringLiteral("B 12 K1"),
            QStringLiteral("Sayfa 1 / 1"),
        };
        for (const QString &s : always + printed)
            QVERIFY2(text.contains(s), qPrintable(s + QStringLiteral(" missing in:\n") + text));
        for (const QString &s : notPrinted)
            QVERIFY2(!text.contains(s), qPrintable(s + QStringLiteral(" printed")));
    }

    void longListRunsOverPagesNumberedOnce()
    {
        QList<FlatListRow> rows;
        for (int i = 1; i <= 150; ++i)
            rows << flat(i, QStringLiteral("Üye%1").arg(i), QStringLiteral("Soyadı"));
        const ReportRenderer renderer(buildFlatListReport(FlatPrintout::OwnersAttendance, rows,
                                                          site(), QDateTime::currentDateTime()));
        QVERIFY(renderer.pageCount() > 2);
        const QString last = renderer.pageText(renderer.pageCount() - 1);
        QVERIFY(last.contains(QStringLiteral("Üye150 Soyadı")));
        QVERIFY(last.contains(QStringLiteral("150")));
        QVERIFY(last.contains(QStringLiteral("Sayfa %1 / %1").arg(renderer.pageCount())));
        // Each flat is printed exactly once across the pages.
        int count = 0;
        for (int p = 0; p < renderer.pageCount(); ++p)
            count += int(renderer.pageText(p).count(QStringLiteral("Soyadı")));
        QCOMPARE(count, 150);
    }

    void exportLayout()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("daireler.xlsx"));
        QVERIFY(writeFlatListExport(path, sampleRows(), site().name + " " + site().name2));

        SheetGrid sheet;
        QVERIFY(SheetReader::read(path, sheet));
        QCOMPARE(sheet.cell(1, 1), QStringLiteral("Çamlık Evleri Sitesi Yönetimi"));
        QCOMPARE(sheet.cell(2, 1), QStringLiteral("Kayıtlı Daire Raporu"));
        const QStringList headings = FlatListExport::headings();
        QCOMPARE(headings.size(), 18);
        QCOMPARE(headings.at(10), QStringLiteral("Ev Sahibi  Cep Tel"));
        for (int c = 0; c < 18; ++c)
            QCOMPARE(sheet.cell(3, c + 1), headings.at(c));
        QCOMPARE(sheet.cell(3, 19), QString());

        const QStringList first = {"1",
                                   "B",
                                   "12",
                                   "K1",
                                   "7/A",
                                   "34 ABC 12",
                                   "3",
                                   "1",
                                   "Ali'nin Kaya",
                                   "(532) 111 22 33",
                                   "(555) 444 33 22",
                                   "Şahin Öztürk",
                                   "(212) 444 55 66",
                                   "(533) 999 88 77",
                                   "Zeynep Ak",
                                   "(216) 123 45 67",
                                   "",
                                   ""};
        for (int c = 0; c < 18; ++c)
            QCOMPARE(sheet.cell(4, c + 1), first.at(c));
        // Empty counts and holders stay empty, not 0 or a lone blank.
        QCOMPARE(sheet.cell(5, 1), QStringLiteral("2"));
        QCOMPARE(sheet.cell(5, 7), QString());
        QCOMPARE(sheet.cell(5, 9), QStringLiteral("IŞIK ÇELİK"));
        QCOMPARE(sheet.cell(5, 12), QString());
        QCOMPARE(sheet.rowCount(), 6); // the rows read end one beyond the last used row
    }

    void exportOpensInLibreOffice()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("LibreOffice is not installed");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("daireler.xlsx"));
        QVERIFY(writeFlatListExport(path, sampleRows(), site().name + " " + site().name2));
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(soffice,
                {QStringLiteral("-env:UserInstallation=file://") + dir.filePath("profile"),
                 QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                 QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false"),
                 QStringLiteral("--outdir"), dir.path(), path});
        QVERIFY(p.waitForFinished(180000));
        QFile csv(dir.filePath(QStringLiteral("daireler.csv")));
        QVERIFY2(csv.open(QIODevice::ReadOnly),
                 qPrintable(QString::fromUtf8(p.readAllStandardError())));
        const QStringList lines = QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'));
        QVERIFY(lines.size() >= 5);
        QCOMPARE(lines.at(1).section(QLatin1Char(','), 0, 0),
                 QStringLiteral("Kayıtlı Daire Raporu"));
        QVERIFY2(lines.at(2).startsWith(
                     QStringLiteral("Kayıt No,Blok,Dairesi,Kısım,Dış Kapı No,Araç Plaka,"
                                    "Oturan Kişi,Oturan Çocuk,Ev Sahibi Adı Soyadı")),
                 qPrintable(lines.at(2)));
        QVERIFY2(
            lines.at(3).startsWith(QStringLiteral("1,B,12,K1,7/A,34 ABC 12,3,1,Ali'nin Kaya,")),
            qPrintable(lines.at(3)));
    }
};

QTEST_MAIN(FlatListOutputTest)
#include "tst_flatlistoutput.moc"
