// The payment methods and currencies shared by every site: the list files (old code page and
// UTF-8), adding and removing entries, and the shapes of the choice lists.
#include "TestSupport.h"
#include "cash/ListFileText.h"
#include "cash/ReferenceChoices.h"
#include "cash/ReferenceList.h"
#include "storage/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <memory>

using namespace dalvira;

Q_DECLARE_METATYPE(ReferenceList::Kind)
Q_DECLARE_METATYPE(CurrencyListKind)
Q_DECLARE_METATYPE(MethodListKind)

namespace {

// "Kasa", "Çek", "Diğer", "İş Bankası, Şube", "Öğrenci Ücreti" as the older program wrote
// them: Windows-1254, CR LF.
const QByteArray kOldProgramFile = QByteArray::fromHex(
    "4b6173610d0ac7656b0d0a4469f065720d0addfe2042616e6b6173fd2c20de7562650d0ad6f072656e636920dc"
    "63726574690d0a");

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace

class ReferenceListsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::TempProgramFolder> m_folder;

    QString path(ReferenceList::Kind kind) const
    {
        return m_folder->path() + ReferenceList::fileName(kind);
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<test::TempProgramFolder>();
        QVERIFY(m_folder->isValid());
        setProgramFolder(m_folder->path());
        // Start from an installation whose lists were never changed.
        QFile::remove(path(ReferenceList::Kind::PaymentMethods));
        QFile::remove(path(ReferenceList::Kind::Currencies));
    }
    void cleanup() { m_folder.reset(); }

    void decoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("entries");
        const QStringList old{"Kasa", "Çek", "Diğer", "İş Bankası, Şube", "Öğrenci Ücreti"};
        QTest::newRow("Windows-1254, CR LF") << kOldProgramFile << old;
        QTest::newRow("UTF-8, CR LF")
            << QStringLiteral("Kasa\r\nÇek\r\n").toUtf8() << QStringList{"Kasa", "Çek"};
        QTest::newRow("UTF-8 with BOM, LF")
            << QByteArray("\xEF\xBB\xBF") + QStringLiteral("Şık\nİğne").toUtf8()
            << QStringList{"Şık", "İğne"};
        QTest::newRow("CR only, 1254") << QByteArray("\xDE"
                                                     "ahin\r\xFDs\xFDk\r")
                                       << QStringList{"Şahin", "ısık"};
        QTest::newRow("empty lines skipped")
            << QByteArray("\r\n\r\nUSD\r\n\r\nEURO") << QStringList{"USD", "EURO"};
        QTest::newRow("euro sign of 1254")
            << QByteArray("\x80 Euro\r\n") << QStringList{QStringLiteral("€ Euro")};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
    }
    void decoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, entries);
        QCOMPARE(listFileEntries(decodeListFileText(bytes)), entries);
    }

    void builtInListsWithoutFiles()
    {
        ReferenceList methods(ReferenceList::Kind::PaymentMethods);
        QVERIFY(methods.load());
        QCOMPARE(methods.entries(),
                 (QStringList{"Kasa", "Banka", "Kredi Kartı", "Çek", "Senet", "Diğer"}));
        ReferenceList currencies(ReferenceList::Kind::Currencies);
        QVERIFY(currencies.load());
        QCOMPARE(currencies.entries(), (QStringList{"USD", "EURO"}));
        QCOMPARE(currencyChoices(currencies.entries(), CurrencyListKind::HomeFirst),
                 (QStringList{"TL", "USD", "EURO"}));
        QVERIFY(!QFile::exists(path(ReferenceList::Kind::Currencies))); // written on a change only
    }

    void oldProgramFileIsReadAndRewrittenAsUtf8()
    {
        writeBytes(path(ReferenceList::Kind::PaymentMethods), kOldProgramFile);
        ReferenceList methods(ReferenceList::Kind::PaymentMethods);
        QVERIFY(methods.load());
        QCOMPARE(methods.entries().at(3), QStringLiteral("İş Bankası, Şube"));
        QVERIFY(methods.add(QStringLiteral("Ziraat Bankası")));
        QCOMPARE(fileBytes(path(ReferenceList::Kind::PaymentMethods)),
                 QStringLiteral("Kasa\r\nÇek\r\nDiğer\r\nİş Bankası, Şube\r\nÖğrenci Ücreti\r\n"
                                "Ziraat Bankası\r\n")
                     .toUtf8());
    }

    void add_data()
    {
        QTest::addColumn<ReferenceList::Kind>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("added");
        QTest::addColumn<QString>("message");
        const auto m = ReferenceList::Kind::PaymentMethods;
        const auto c = ReferenceList::Kind::Currencies;
        const QString dupM = QStringLiteral("Bu ödeme şekli mevcut!");
        const QString dupC = QStringLiteral("Bu para birimi mevcut!");
        QTest::newRow("new method") << m << "Yapı Kredi, Şişli" << true << "";
        QTest::newRow("kasa when Kasa exists") << m << "kasa" << false << dupM;
        QTest::newRow("Turkish capitals") << m << "KREDİ KARTI" << false << dupM;
        QTest::newRow("blanks around") << m << " Banka " << false << dupM;
        QTest::newRow("Hepsi is the filters' word")
            << m << "hepsi" << false << ReferenceList::reservedMessage();
        QTest::newRow("new currency") << c << "GBP" << true << "";
        QTest::newRow("usd") << c << "usd" << false << dupC;
        QTest::newRow("home currency") << c << "tl" << false << dupC;
        QTest::newRow("line break")
            << c << "A\nB" << false << QStringLiteral("Bir kayıt birden fazla satır olamaz!");
    }
    void add()
    {
        QFETCH(ReferenceList::Kind, kind);
        QFETCH(QString, text);
        QFETCH(bool, added);
        QFETCH(QString, message);
        ReferenceList list(kind);
        QVERIFY(list.load());
        const QStringList before = list.entries();
        const Result r = list.add(text);
        QCOMPARE(r.ok(), added);
        QCOMPARE(r.message(), message);
        if (added) {
            QCOMPARE(list.entries(), before + QStringList{text});
            ReferenceList reread(kind);
            QVERIFY(reread.load());
            QCOMPARE(reread.entries(), list.entries());
        } else {
            QCOMPARE(list.entries(), before);
            QVERIFY(!QFile::exists(path(kind)));
        }
    }

    void emptyTextAddsNothing()
    {
        ReferenceList list(ReferenceList::Kind::Currencies);
        const Result r = list.add(QString());
        QVERIFY(r.wasCancelled());
        QVERIFY(!QFile::exists(path(ReferenceList::Kind::Currencies)));
    }

    void homeCurrencyIsNeverStoredNorReadTwice()
    {
        writeBytes(path(ReferenceList::Kind::Currencies), "TL\r\nUSD\r\ntl\r\nCHF\r\n");
        ReferenceList currencies(ReferenceList::Kind::Currencies);
        QVERIFY(currencies.load());
        QCOMPARE(currencies.entries(), (QStringList{"USD", "CHF"}));
        QVERIFY(currencies.add(QStringLiteral("JPY")));
        QCOMPARE(fileBytes(path(ReferenceList::Kind::Currencies)),
                 QByteArray("USD\r\nCHF\r\nJPY\r\n"));
    }

    void removingEveryCurrencyLeavesTheHomeCurrency()
    {
        ReferenceList currencies(ReferenceList::Kind::Currencies);
        QVERIFY(currencies.load());
        QVERIFY(currencies.removeAt(5).ok()); // outside the list: nothing written
        QVERIFY(!QFile::exists(path(ReferenceList::Kind::Currencies)));
        QVERIFY(currencies.removeAt(0));
        QVERIFY(currencies.removeAt(0));
        QVERIFY(currencies.entries().isEmpty());
        // An empty file stays empty: the built-in list does not come back.
        ReferenceList reread(ReferenceList::Kind::Currencies);
        QVERIFY(reread.load());
        QVERIFY(reread.entries().isEmpty());
        QCOMPARE(currencyChoices(reread.entries(), CurrencyListKind::HomeFirst), QStringList{"TL"});
        QCOMPARE(currencyChoices(reread.entries(), CurrencyListKind::AllFirst),
                 (QStringList{"Hepsi", "TL"}));
    }

    void failedWriteKeepsListAndFile()
    {
        // A folder in the file's place makes the write fail even for an administrator.
        QVERIFY(QDir(m_folder->path())
                    .mkdir(ReferenceList::fileName(ReferenceList::Kind::PaymentMethods)));
        ReferenceList methods(ReferenceList::Kind::PaymentMethods);
        const QStringList before = methods.entries();
        const Result r = methods.add(QStringLiteral("Havale"));
        QVERIFY(!r);
        QVERIFY(r.message().contains(QStringLiteral("OdemeSekli.ods")));
        QCOMPARE(methods.entries(), before);
        QVERIFY(!methods.removeAt(0));
        QCOMPARE(methods.entries(), before);
    }

    void choiceShapes_data()
    {
        QTest::addColumn<CurrencyListKind>("kind");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("entry") << CurrencyListKind::HomeFirst << QStringList{"TL", "USD", "EURO"};
        QTest::newRow("register filter")
            << CurrencyListKind::HomeFirstWithAll << QStringList{"TL", "USD", "EURO", "Hepsi"};
        QTest::newRow("cash report")
            << CurrencyListKind::AllFirst << QStringList{"Hepsi", "TL", "USD", "EURO"};
    }
    void choiceShapes()
    {
        QFETCH(CurrencyListKind, kind);
        QFETCH(QStringList, expected);
        QCOMPARE(currencyChoices({"USD", "EURO"}, kind), expected);
        QCOMPARE(methodChoices({"Kasa", "Banka"}, MethodListKind::Methods),
                 (QStringList{"Kasa", "Banka"}));
        QCOMPARE(methodChoices({"Kasa", "Banka"}, MethodListKind::MethodsWithAll),
                 (QStringList{"Kasa", "Banka", "Hepsi"}));
    }
};

QTEST_GUILESS_MAIN(ReferenceListsTest)
#include "tst_referencelists.moc"
