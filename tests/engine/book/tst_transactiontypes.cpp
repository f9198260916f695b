// The transaction types of a site: the choice lists built from them, storing and removing
// types, and the fill of untyped ledger movements, on real site files.
#include "TestSupport.h"
#include "book/TransactionTypes.h"
#include "book/TypeChoices.h"
#include "common/BatchProgress.h"
#include "session/SiteDirectory.h"
#include "session/SiteRecord.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"
#include "storage/Storage.h"

#include <QtTest>
#include <memory>

using namespace dalvira;

namespace {

class RecordingProgress : public BatchProgress
{
public:
    QString status, counter, end;
    int total = -1;
    int lastPosition = 0;
    void start(const QString &statusText, const QString &counterText, int rows, bool) override
    {
        status = statusText;
        counter = counterText;
        total = rows;
    }
    void step(int position, int, int) override { lastPosition = position; }
    bool cancelRequested() const override { return false; }
    void finish(const QString &endText) override { end = endText; }
};

const QString k31 = QStringLiteral("Çok Uzun Bir İşlem Türü Adı Örneği"); // 34 characters

} // namespace

Q_DECLARE_METATYPE(TypeListKind)

class TransactionTypesTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::TempProgramFolder> m_folder;
    std::unique_ptr<Storage> m_storage;

    QSqlDatabase db() const { return m_storage->ana(); }

    TransactionType stored(const QString &code, const QString &name)
    {
        TransactionType t{0, code, name};
        const Result r = TransactionTypes(db()).store(t);
        if (!r)
            qFatal("%s", qPrintable(r.message()));
        return t;
    }
    qint64 movement(const QVariant &type)
    {
        return insert(db(), QStringLiteral("sicilcarihar"),
                      {{QStringLiteral("sicil_kodu"), 1},
                       {QStringLiteral("borc"), 100.0},
                       {QStringLiteral("aidat_turu"), type}});
    }
    QVariant movementType(qint64 cid)
    {
        return scalar(db(), QStringLiteral("SELECT aidat_turu FROM sicilcarihar WHERE cid = ?"),
                      {cid});
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<test::TempProgramFolder>();
        QVERIFY(m_folder->isValid());
        setProgramFolder(m_folder->path());
        m_storage = std::make_unique<Storage>();
        QVERIFY(m_storage->open());
        SiteRecord site;
        site.set("firma_kodu", QStringLiteral("S1"));
        site.set("firma_unvani_1", QStringLiteral("Deneme Sitesi"));
        QVERIFY(SiteDirectory(*m_storage).createSite(site));
        QVERIFY(m_storage->selectSite(QStringLiteral("S1")));
    }
    void cleanup()
    {
        m_storage.reset();
        m_folder.reset();
    }

    void choices_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<TypeListKind>("kind");
        QTest::addColumn<QStringList>("expected");
        const QString cut30 = k31.left(30);
        const QString cut15 = k31.left(15);
        const QStringList names{QStringLiteral("Yakıt"), k31, QStringLiteral("Aidat")};
        QTest::newRow("flat record: cut to 30, no Virman")
            << names << TypeListKind::Plain << QStringList{"Yakıt", cut30, "Aidat"};
        QTest::newRow("book grid: Virman last") << names << TypeListKind::WithTransfer
                                                << QStringList{"Yakıt", cut30, "Aidat", "Virman"};
        QTest::newRow("stored Virman stays, fixed Virman still last")
            << QStringList{"Virman", "Aidat"} << TypeListKind::WithTransfer
            << QStringList{"Virman", "Aidat", "Virman"};
        QTest::newRow("cash reasons: Turkish order, Virman last")
            << QStringList{"Yakıt", "Çöp", "Virman", "Ceza", "Işık", "İnşaat", "aidat"}
            << TypeListKind::SortedWithTransfer
            << QStringList{"aidat", "Ceza", "Çöp", "Işık", "İnşaat", "Virman", "Yakıt", "Virman"};
        QTest::newRow("accrual: cut to 15")
            << names << TypeListKind::Short << QStringList{"Yakıt", cut15, "Aidat"};
        QTest::newRow("filter: Hepsi first, cut to 15")
            << names << TypeListKind::ShortWithAll << QStringList{"Hepsi", "Yakıt", cut15, "Aidat"};
        QTest::newRow("exactly 30 kept whole")
            << QStringList{k31.left(30)} << TypeListKind::Plain << QStringList{k31.left(30)};
        QTest::newRow("no types: only the fixed entries")
            << QStringList{} << TypeListKind::WithTransfer << QStringList{"Virman"};
        QTest::newRow("no types in a filter")
            << QStringList{} << TypeListKind::ShortWithAll << QStringList{"Hepsi"};
    }
    void choices()
    {
        QFETCH(QStringList, names);
        QFETCH(TypeListKind, kind);
        QFETCH(QStringList, expected);
        QCOMPARE(typeChoices(names, kind), expected);
    }

    void storeListsInCodeOrderAndKeepsFullNames()
    {
        stored(QStringLiteral("20"), QStringLiteral("Yakıt"));
        const TransactionType longName = stored(QStringLiteral("10"), k31);
        stored(QStringLiteral("15"), QStringLiteral("Ali'nin \"Özel\" Aidatı"));
        TransactionTypes types(db());
        QCOMPARE(types.names(),
                 (QStringList{k31, QStringLiteral("Ali'nin \"Özel\" Aidatı"), "Yakıt"}));
        QCOMPARE(types.find(longName.gidi)->adi, k31);

        // A change of an existing type keeps its key.
        TransactionType changed = *types.find(longName.gidi);
        changed.kodu = QStringLiteral("30");
        changed.adi = QStringLiteral("Isınma");
        QVERIFY(types.store(changed));
        QCOMPARE(changed.gidi, longName.gidi);
        QCOMPARE(types.list().size(), 3);
        QCOMPARE(types.list().last(), changed);
    }

    void storeRefusesTooLongFields_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("code of 7") << "1234567"
                                   << "Aidat" << TransactionTypes::codeTooLongMessage();
        QTest::newRow("name of 51")
            << "1" << QString(51, QChar(u'Ş')) << TransactionTypes::nameTooLongMessage();
    }
    void storeRefusesTooLongFields()
    {
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(QString, message);
        TransactionType t{0, code, name};
        const Result r = TransactionTypes(db()).store(t);
        QVERIFY(!r);
        QCOMPARE(r.message(), message);
        QCOMPARE(t.gidi, qint64(0));
        QVERIFY(TransactionTypes(db()).list().isEmpty());
        // The longest allowed values are stored whole.
        TransactionType fits{0, QString(6, QChar(u'Ğ')), QString(50, QChar(u'İ'))};
        QVERIFY(TransactionTypes(db()).store(fits));
        QCOMPARE(TransactionTypes(db()).find(fits.gidi)->adi, fits.adi);
    }

    void storeOfAVanishedTypeFails()
    {
        TransactionType t = stored(QStringLiteral("1"), QStringLiteral("Aidat"));
        QVERIFY(TransactionTypes(db()).remove(t.gidi));
        t.adi = QStringLiteral("Aidat 2");
        QVERIFY(!TransactionTypes(db()).store(t));
        QVERIFY(TransactionTypes(db()).list().isEmpty()); // not stored again as a new row
    }

    void removeLeavesRecordsCarryingTheName()
    {
        const TransactionType aidat = stored(QStringLiteral("1"), QStringLiteral("Aidat"));
        stored(QStringLiteral("2"), QStringLiteral("Yakıt"));
        const qint64 cid = movement(QStringLiteral("Aidat"));
        insert(db(), QStringLiteral("isletgelir"), {{QStringLiteral("geliradi"), "Aidat"}});
        insert(db(), QStringLiteral("isletgider"), {{QStringLiteral("masrafadi"), "Aidat"}});
        insert(db(), QStringLiteral("kasa.nakit"), {{QStringLiteral("neden"), "Aidat"}});
        insert(db(), QStringLiteral("kasa.nakit"), {{QStringLiteral("neden"), "aidat"}});
        TransactionTypes types(db());
        QCOMPARE(types.usageCount(QStringLiteral("Aidat")), 4);
        QCOMPARE(types.usageCount(QStringLiteral("Yakıt")), 0);

        QVERIFY(types.remove(aidat.gidi));
        QCOMPARE(types.names(), QStringList{QStringLiteral("Yakıt")});
        QCOMPARE(movementType(cid).toString(), QStringLiteral("Aidat"));
        QCOMPARE(types.usageCount(QStringLiteral("Aidat")), 4);
    }

    void fillUntypedMovements()
    {
        struct Row
        {
            QVariant type;
            bool untyped;
        };
        const QList<Row> rows{{QVariant(), true},
                              {QString(""), true},
                              {QStringLiteral("Evsahibi"), true},
                              {QStringLiteral("Oturan"), true},
                              {QStringLiteral("evsahibi"), false},
                              {QStringLiteral(" Oturan"), false},
                              {QStringLiteral("Oturan "), false},
                              {QStringLiteral("Yakıt"), false}};
        QList<qint64> keys;
        for (const Row &row : rows)
            keys.append(movement(row.type));
        const QString type = QStringLiteral("Ali'nin Aidatı");
        RecordingProgress progress;
        int changed = -1;
        QVERIFY(TransactionTypes(db()).fillUntypedMovements(type, &progress, &changed));
        QCOMPARE(changed, 4);
        for (int i = 0; i < rows.size(); ++i) {
            const QVariant now = movementType(keys[i]);
            if (rows[i].untyped)
                QCOMPARE(now.toString(), type);
            else
                QCOMPARE(now.toString(), rows[i].type.toString());
        }
        QCOMPARE(progress.status, QStringLiteral("Bekleyin aktarılıyor..."));
        QCOMPARE(progress.counter, QStringLiteral("Yapılan güncelleme :"));
        QCOMPARE(progress.total, rows.size());
        QCOMPARE(progress.lastPosition, rows.size());
        QCOMPARE(progress.end, QStringLiteral("Güncelleme bitti."));
    }

    void fillIsAllOrNothing()
    {
        const qint64 cid = movement(QVariant());
        // A trigger that fails on the second row: nothing of the fill may stay.
        movement(QStringLiteral("Oturan"));
        exec(db(), QStringLiteral("CREATE TEMP TRIGGER stop_fill BEFORE UPDATE ON main.sicilcarihar"
                                  " WHEN OLD.aidat_turu = 'Oturan'"
                                  " BEGIN SELECT RAISE(ABORT, 'durdu'); END"));
        RecordingProgress progress;
        const Result r =
            TransactionTypes(db()).fillUntypedMovements(QStringLiteral("Aidat"), &progress);
        QVERIFY(!r);
        QVERIFY(r.message().contains(QStringLiteral("durdu")));
        QVERIFY(movementType(cid).isNull());
        QCOMPARE(progress.end, QStringLiteral("Güncelleme bitti.")); // the wait window closes
    }
};

QTEST_GUILESS_MAIN(TransactionTypesTest)
#include "tst_transactiontypes.moc"
