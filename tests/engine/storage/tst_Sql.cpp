#include "StorageTestSupport.h"
#include "TestSupport.h"
#include "common/Result.h"
#include "common/TextHelpers.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"
#include "storage/Storage.h"
#include "storage/Transaction.h"
#include "storage/TurkishCollation.h"

#include <QDate>
#include <QDateTime>
#include <QSqlQuery>
#include <QTest>

using namespace dalvira;
using namespace dalvira::test;

namespace {

QStringList capturedMessages;

void capture(QtMsgType, const QMessageLogContext &, const QString &message)
{
    capturedMessages << message;
}

} // namespace

class SqlTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void valuesRoundTripThroughBoundParameters_data();
    void valuesRoundTripThroughBoundParameters();
    void nullsAndTypedValues();
    void helpersThrowWithSqliteMessage_data();
    void helpersThrowWithSqliteMessage();
    void updateChangesOnlyTheSelectedRows();
    void nestedTransactionJoinsTheOuterOne();
    void statementTraceShowsBoundValues();

    void turkishCollationCompares_data();
    void turkishCollationCompares();
    void turkishCollationSortsInAlphabetOrder();
    void trcontainsAndTrlower_data();
    void trcontainsAndTrlower();

private:
    std::unique_ptr<TempProgramFolder> m_folder;
    std::unique_ptr<Storage> m_storage;
    QSqlDatabase db() const { return m_storage->ana(); }
};

void SqlTest::init()
{
    m_folder = std::make_unique<TempProgramFolder>();
    QVERIFY(m_folder->isValid());
    setProgramFolder(m_folder->path());
    m_storage = std::make_unique<Storage>();
    QVERIFY(m_storage->open().ok());
    QVERIFY(makeSite("S1"));
    QVERIFY(m_storage->selectSite("S1").ok());
}

void SqlTest::cleanup()
{
    setStatementTrace(false);
    m_storage.reset();
    m_folder.reset();
}

void SqlTest::valuesRoundTripThroughBoundParameters_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("apostrophe") << "Ali'nin";
    QTest::newRow("apostrophes and quotes") << "Ahmet'in \"Dairesi\" ''";
    QTest::newRow("statement text") << "x'); DELETE FROM sicilcarihar; --";
    QTest::newRow("Turkish letters") << "ŞİĞÜÇÖ ışığüçö";
    QTest::newRow("Jet wildcards and hashes") << "#2024-3-5# * % _ & \"";
    QTest::newRow("empty") << "";
}

void SqlTest::valuesRoundTripThroughBoundParameters()
{
    QFETCH(QString, value);
    insert(db(), "sicilcarihar", {{"sicil_kodu", 1}, {"adi_soyadi", "Önce"}});
    const qint64 cid = insert(db(), "sicilcarihar", {{"sicil_kodu", 2}, {"adi_soyadi", value}});
    QVERIFY(cid > 0);
    QCOMPARE(scalar(db(), "SELECT adi_soyadi FROM sicilcarihar WHERE cid = ?", {cid}).toString(),
             value);
    QCOMPARE(
        scalar(db(), "SELECT cid FROM sicilcarihar WHERE adi_soyadi = ?", {value}).toLongLong(),
        cid);
    QCOMPARE(scalar(db(), "SELECT count(*) FROM sicilcarihar").toInt(), 2);
}

void SqlTest::nullsAndTypedValues()
{
    const qint64 cid = insert(db(), "sicilcarihar",
                              {{"adi_soyadi", QString()},
                               {"aciklama", QVariant()},
                               {"islem_tarihi", QDate(2024, 3, 5)},
                               {"vadesi", QDateTime(QDate(2024, 1, 1), QTime(9, 5, 7))},
                               {"faiz_id", true},
                               {"borc", 1234.56}});
    QSqlQuery q =
        exec(db(),
             "SELECT adi_soyadi IS NULL, aciklama IS NULL, islem_tarihi, vadesi, faiz_id, "
             "borc, typeof(borc) FROM sicilcarihar WHERE cid = ?",
             {cid});
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 0); // a QString is text, even a null one
    QCOMPARE(q.value(1).toInt(), 1); // an invalid QVariant is NULL
    QCOMPARE(q.value(2).toString(), QStringLiteral("2024-03-05"));
    QCOMPARE(q.value(3).toString(), QStringLiteral("2024-01-01 09:05:07"));
    QCOMPARE(q.value(4).toInt(), 1);
    QCOMPARE(q.value(5).toDouble(), 1234.56);
    QCOMPARE(q.value(6).toString(), QStringLiteral("real"));
    QVERIFY(!scalar(db(), "SELECT cid FROM sicilcarihar WHERE cid = ?", {cid + 1}).isValid());
}

void SqlTest::helpersThrowWithSqliteMessage_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown table") << "SELECT * FROM yok"
                                   << "no such table: yok";
    QTest::newRow("unknown column") << "UPDATE sicilcarihar SET yok = 1"
                                    << "no such column: yok";
    QTest::newRow("syntax") << "SELEC 1"
                            << "syntax error";
    QTest::newRow("duplicate key") << "INSERT INTO sicilcarihar (cid) VALUES (1), (1)"
                                   << "UNIQUE constraint failed";
}

void SqlTest::helpersThrowWithSqliteMessage()
{
    QFETCH(QString, sql);
    QFETCH(QString, message);
    try {
        exec(db(), sql);
        QFAIL("no error");
    } catch (const OperationError &error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
    }
    const Result r = runInTransaction(db(), [&] { exec(db(), sql); });
    QVERIFY2(r.message().contains(message), qPrintable(r.message()));

    // Names come from code; anything else is refused before it reaches the text.
    QVERIFY_THROWS_EXCEPTION(OperationError,
                             insert(db(), "sicilcarihar; DROP TABLE x", {{"borc", 1}}));
    QVERIFY_THROWS_EXCEPTION(OperationError, insert(db(), "sicilcarihar", {{"borc) --", 1}}));
}

void SqlTest::updateChangesOnlyTheSelectedRows()
{
    for (int i = 1; i <= 3; ++i)
        insert(db(), "sicilcarihar", {{"sicil_kodu", i}, {"borc", 10.0 * i}});
    QCOMPARE(update(db(), "sicilcarihar", {{"aciklama", "O'nun"}, {"borc", 0.0}}, "sicil_kodu >= ?",
                    {2}),
             2);
    QCOMPARE(scalar(db(), "SELECT sum(borc) FROM sicilcarihar").toDouble(), 10.0);
    QCOMPARE(
        scalar(db(), "SELECT count(*) FROM sicilcarihar WHERE aciklama = ?", {"O'nun"}).toInt(), 2);
}

void SqlTest::nestedTransactionJoinsTheOuterOne()
{
    // An operation that calls another operation: the inner writes belong to the outer event and
    // go when the outer one fails later.
    auto inner = [&] {
        return runInTransaction(db(), [&] { insert(db(), "sicilcarihar", {{"sicil_kodu", 1}}); });
    };
    Result r = runInTransaction(db(), [&] {
        QVERIFY(inner().ok());
        insert(db(), "kasa.nakit", {{"borc_tutar", 5.0}});
        throw OperationError(QStringLiteral("Sonradan vazgeçildi"));
    });
    QCOMPARE(r.message(), QStringLiteral("Sonradan vazgeçildi"));
    QCOMPARE(scalar(db(), "SELECT count(*) FROM sicilcarihar").toInt(), 0);
    QCOMPARE(scalar(db(), "SELECT count(*) FROM kasa.nakit").toInt(), 0);

    r = runInTransaction(db(), [&] {
        QVERIFY(inner().ok());
        Transaction joined(db());
        QVERIFY(!joined.isOuter());
        insert(db(), "kasa.nakit", {{"borc_tutar", 5.0}});
        joined.commit();
    });
    QVERIFY(r.ok());
    QCOMPARE(scalar(db(), "SELECT count(*) FROM sicilcarihar").toInt(), 1);
    QCOMPARE(scalar(m_storage->kasa(), "SELECT count(*) FROM nakit").toInt(), 1);

    // The RAII form rolls back what was not committed.
    {
        Transaction t(db());
        QVERIFY(t.isOuter());
        insert(db(), "sicilcarihar", {{"sicil_kodu", 9}});
    }
    QVERIFY(!inTransaction(db()));
    QCOMPARE(scalar(db(), "SELECT count(*) FROM sicilcarihar").toInt(), 1);
}

void SqlTest::statementTraceShowsBoundValues()
{
    capturedMessages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(capture);
    setStatementTrace(true);
    exec(db(), "SELECT count(*) FROM sicilcarihar WHERE adi_soyadi = ? AND sicil_kodu = ?",
         {"Ali'nin", 42});
    setStatementTrace(false);
    exec(db(), "SELECT 'sessiz'");
    qInstallMessageHandler(previous);

    const QString all = capturedMessages.join('\n');
    QVERIFY2(all.contains("adi_soyadi = 'Ali''nin' AND sicil_kodu = 42"), qPrintable(all));
    QVERIFY2(all.contains("S1.mdb"), qPrintable(all));
    QVERIFY(!all.contains("sessiz"));
}

void SqlTest::turkishCollationCompares_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("order");

    QTest::newRow("case of ASCII") << "a blok"
                                   << "A BLOK" << 0;
    QTest::newRow("dotless I pair") << "ışık"
                                    << "IŞIK" << 0;
    QTest::newRow("dotted İ pair") << "ilker"
                                   << "İLKER" << 0;
    QTest::newRow("I is not İ") << "IRMAK"
                                << "İRMAK" << -1;
    QTest::newRow("ı before i") << "ılgın"
                                << "ilgin" << -1;
    QTest::newRow("c before ç before d") << "Cem"
                                         << "Çem" << -1;
    QTest::newRow("ç before d") << "Çağla"
                                << "Deniz" << -1;
    QTest::newRow("g before ğ before h") << "ağa"
                                         << "aha" << -1;
    QTest::newRow("o before ö before p") << "Özge"
                                         << "Pelin" << -1;
    QTest::newRow("s before ş before t") << "Şule"
                                         << "Tuna" << -1;
    QTest::newRow("u before ü before v") << "Uğur"
                                         << "Ümit" << -1;
    QTest::newRow("ü before v") << "Ümit"
                                << "Veli" << -1;
    QTest::newRow("z last letter") << "Zeynep"
                                   << "Ömer" << 1;
    QTest::newRow("prefix first") << "Ali"
                                  << "Alican" << -1;
    QTest::newRow("blank before letters") << "Ali Veli"
                                          << "Alican" << -1;
    QTest::newRow("digits before letters") << "1. Blok"
                                           << "A Blok" << -1;
    QTest::newRow("circumflex") << "Kâzım"
                                << "KAZIM" << 0;
    QTest::newRow("other letters after z") << "Émile"
                                           << "Zeynep" << 1;
}

void SqlTest::turkishCollationCompares()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, order);

    auto sign = [](int v) { return (v > 0) - (v < 0); };
    QCOMPARE(sign(compareTurkish(a, b)), order);
    QCOMPARE(sign(compareTurkish(b, a)), -order);
    const int sqlOrder = scalar(db(),
                                "SELECT CASE WHEN ? = ? COLLATE TURKISH THEN 0 "
                                "WHEN ? < ? COLLATE TURKISH THEN -1 ELSE 1 END",
                                {a, b, a, b})
                             .toInt();
    QCOMPARE(sqlOrder, order);
}

void SqlTest::turkishCollationSortsInAlphabetOrder()
{
    const QStringList names = {"Şule",   "Can",  "Çiğdem", "Ilgın", "İlker",
                               "Zeynep", "Ümit", "Oya",    "Özge"};
    for (const QString &name : names)
        insert(db(), "sicilcarihar", {{"adi_soyadi", name}});
    QSqlQuery q =
        exec(db(), "SELECT adi_soyadi FROM sicilcarihar ORDER BY adi_soyadi COLLATE TURKISH");
    QStringList sorted;
    while (q.next())
        sorted << q.value(0).toString();
    QCOMPARE(sorted, (QStringList{"Can", "Çiğdem", "Ilgın", "İlker", "Oya", "Özge", "Şule", "Ümit",
                                  "Zeynep"}));
}

void SqlTest::trcontainsAndTrlower_data()
{
    QTest::addColumn<QVariant>("haystack");
    QTest::addColumn<QVariant>("needle");
    QTest::addColumn<int>("contains");

    QTest::newRow("Turkish capitals") << QVariant("IŞIK APARTMANI") << QVariant("ışık") << 1;
    QTest::newRow("dotted capital") << QVariant("İLKER YILMAZ") << QVariant("ilker") << 1;
    QTest::newRow("I is ı, not i") << QVariant("ISPARTA") << QVariant("isparta") << 0;
    QTest::newRow("middle of the name") << QVariant("Ahmet Çağlayan") << QVariant("ÇAĞ") << 1;
    QTest::newRow("apostrophe") << QVariant("Ali'nin Dairesi") << QVariant("ali'nin") << 1;
    QTest::newRow("like characters are plain") << QVariant("Ali Veli") << QVariant("a%i") << 0;
    QTest::newRow("NULL haystack") << QVariant() << QVariant("a") << 0;
    QTest::newRow("empty needle") << QVariant("Ali") << QVariant("") << 1;
}

void SqlTest::trcontainsAndTrlower()
{
    QFETCH(QVariant, haystack);
    QFETCH(QVariant, needle);
    QFETCH(int, contains);

    QCOMPARE(scalar(db(), "SELECT trcontains(?, ?)", {haystack, needle}).toInt(), contains);
    const QVariant lowered = scalar(db(), "SELECT trlower(?)", {haystack});
    if (haystack.isValid())
        QCOMPARE(lowered.toString(), turkishLower(haystack.toString()));
    else
        QVERIFY(lowered.isNull());

    // The way the flat search uses it, on a real column.
    insert(db(), "sicilcarihar", {{"adi_soyadi", haystack}});
    QCOMPARE(
        scalar(db(), "SELECT count(*) FROM sicilcarihar WHERE trcontains(adi_soyadi, ?)", {needle})
            .toInt(),
        contains);
}

QTEST_GUILESS_MAIN(SqlTest)
#include "tst_Sql.moc"
