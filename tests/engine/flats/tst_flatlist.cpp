// The flat list's query: the row filter with its "Kısıtla" restrictions, the Turkish order,
// "SIRAYLA BUL" and the names a pick offers, on a small site of real flats.
#include "TestSupport.h"
#include "flats/FlatListModel.h"
#include "flats/FlatListQuery.h"
#include "session/Session.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"
#include "storage/Storage.h"

#include <QtTest>
#include <algorithm>
#include <memory>

using namespace dalvira;

Q_DECLARE_METATYPE(dalvira::FlatListFilter)

namespace {

QList<qint64> flatNumbers(const QList<FlatListRow> &rows)
{
    QList<qint64> numbers;
    for (const FlatListRow &r : rows)
        numbers << r.flatNumber.toLongLong();
    return numbers;
}

FlatListRestriction checked(const QString &text)
{
    return {true, text};
}

} // namespace

class FlatListTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::TempProgramFolder> m_folder;
    std::unique_ptr<Storage> m_storage;

    void addFlat(const ColumnValues &values) { insert(m_storage->ana(), "siciltablo", values); }

    QList<FlatListRow> load(const FlatListFilter &filter, bool filterOn = true,
                            const FlatListOrder &order = FlatListOrder::byFlatNumber())
    {
        QList<FlatListRow> rows;
        const Result r = loadFlatList(m_storage->ana(), filter, filterOn, order, rows);
        if (!r)
            qWarning() << r.message();
        return rows;
    }

private slots:
    void initTestCase()
    {
        m_folder = std::make_unique<test::TempProgramFolder>();
        QVERIFY(m_folder->isValid());
        setProgramFolder(m_folder->path());
        m_storage = std::make_unique<Storage>();
        QVERIFY(m_storage->open());
        SiteRecord site;
        site.set("firma_kodu", "S1");
        site.set("firma_unvani_1", "Deneme Sitesi");
        QVERIFY(SiteDirectory(*m_storage).createSite(site));
        Session session(*m_storage);
        QVERIFY(session.enterSite("S1"));

        addFlat({{"sicil_kodu", 1},
                 {"adi", "Ahmet"},
                 {"soyadi", "Yılmaz"},
                 {"blok", "A"},
                 {"dairesi", "1"},
                 {"dis_kapi_numarasi", "5"},
                 {"tc_kimlik", "10000000146"},
                 {"tel1", "(532) 111 22 33"},
                 {"oturan_adi", "Ahmet"},
                 {"oturan_soyadi", "Yılmaz"}});
        addFlat({{"sicil_kodu", 2},
                 {"adi", "Ali'nin"},
                 {"soyadi", "Kaya"},
                 {"blok", "B"},
                 {"dairesi", "2"},
                 {"oturan_adi", "Şahin"},
                 {"oturan_soyadi", "Öztürk"},
                 {"oturan_tel1", "(212) 444 55 66"}});
        addFlat({{"sicil_kodu", 3},
                 {"adi", "IŞIK"},
                 {"soyadi", "ÇELİK"},
                 {"blok", "a"},
                 {"dairesi", "3"},
                 {"dis_kapi_numarasi", ""},
                 {"oturan_adi", "Işıl"},
                 {"oturan_soyadi", "Ağ"},
                 {"onceki_ev_sahibi_adi", "Zeynep"},
                 {"onceki_ev_sahibi_soyadi", "Ak"}});
        addFlat({{"sicil_kodu", 10},
                 {"adi", "İsmail"},
                 {"soyadi", "Ahıskalı"},
                 {"blok", "B"},
                 {"dairesi", QVariant()},
                 {"oturan_tc_kimlik", "12345678901"},
                 {"ceptel2", "(555) 000 00 01"}});
        addFlat({{"sicil_kodu", 4},
                 {"adi", "ahu"},
                 {"soyadi", "Demir"},
                 {"blok", "İ"},
                 {"dairesi", " 4 "}});
    }

    void cleanupTestCase()
    {
        m_storage.reset();
        m_folder.reset();
    }

    void rowFilter_data()
    {
        QTest::addColumn<FlatListFilter>("filter");
        QTest::addColumn<bool>("filterOn");
        QTest::addColumn<QList<qint64>>("expected");

        auto row = [](const char *name, FlatListFilter f, QList<qint64> expected, bool on = true) {
            QTest::newRow(name) << f << on << expected;
        };
        FlatListFilter f;
        row("nothing filled keeps all", f, {1, 2, 3, 4, 10});

        f = {};
        f.flatNumber = "2";
        row("flat number", f, {2});
        f.name = "Ah";
        f.flatNumber = "3";
        row("flat number wins over name", f, {3});

        f = {};
        f.identity = "10000000146";
        row("identity of the owner", f, {1});
        f.identity = "12345678901";
        row("identity of the resident", f, {10});
        f.identity = "1000000014";
        row("identity must be equal, not a prefix", f, {});

        f = {};
        f.name = "ah";
        row("name begins with, any case, not inside", f, {1, 4, 10});
        f.name = "ışık";
        row("lower ışık finds IŞIK", f, {3});
        f.name = "IŞI";
        row("capital I folds to ı", f, {3});
        f.name = "işı";
        row("dotted i is not dotless ı", f, {});
        f.name = "Ali'n";
        row("apostrophe in the name", f, {2});
        f.name = "öz";
        row("resident's surname", f, {2});
        f.name = "Ah";
        f.block = checked("b");
        row("name with a checked restriction", f, {10});
        f.block = {false, "b"};
        row("name with an unchecked restriction", f, {1, 4, 10});

        f = {};
        f.block = checked("A");
        row("block restriction in any case", f, {1, 3});
        f.block = checked("i");
        row("block İ is i", f, {4});
        f.block = {};
        f.flat = checked("");
        row("checked empty text keeps empty fields", f, {10});
        f.flat = checked("4");
        row("restriction ignores blanks at the ends", f, {4});
        f.flat = {};
        f.door = checked("5");
        f.block = checked("a");
        row("two restrictions together", f, {1});
        f = {};
        f.block = {false, "Z"};
        row("unchecked restriction is ignored", f, {1, 2, 3, 4, 10});

        f = {};
        f.phone = "(212) 444 55 66";
        f.block = checked("A");
        row("telephone ignores restrictions", f, {2});
        f.phone = "(555) 000 00 01";
        row("telephone in the second mobile", f, {10});
        f.phone = "(___) ___ __ __";
        f.block = {};
        row("empty telephone mask filters nothing", f, {1, 2, 3, 4, 10});
        f.phone = "(532) 111 __ __";
        row("half a telephone is no telephone", f, {});

        f = {};
        f.name = "ah";
        row("filter off shows every flat", f, {1, 2, 3, 4, 10}, false);
    }

    void rowFilter()
    {
        QFETCH(FlatListFilter, filter);
        QFETCH(bool, filterOn);
        QFETCH(QList<qint64>, expected);
        QCOMPARE(flatNumbers(load(filter, filterOn)), expected);
    }

    void order_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QList<qint64>>("expected");
        // Turkish alphabet: ahmet < ahu < ali'nin < ışık < ismail, whatever the case.
        QTest::newRow("owner name ascending") << "adi"
                                              << "ASC" << QList<qint64>{1, 4, 2, 3, 10};
        QTest::newRow("owner name descending") << "adi"
                                               << "DESC" << QList<qint64>{10, 3, 2, 4, 1};
        QTest::newRow("flat number is numeric") << "sicil_kodu"
                                                << "ASC" << QList<qint64>{1, 2, 3, 4, 10};
        QTest::newRow("flat number descending") << "sicil_kodu"
                                                << "DESC" << QList<qint64>{10, 4, 3, 2, 1};
        // Equal blocks keep the order of entry: A and a are the same letter.
        QTest::newRow("block") << "blok"
                               << "ASC" << QList<qint64>{1, 3, 2, 10, 4};
    }

    void order()
    {
        QFETCH(QString, field);
        QFETCH(QString, direction);
        QFETCH(QList<qint64>, expected);
        QCOMPARE(flatNumbers(load({}, true, {field, direction})), expected);
    }

    void unknownOrderFieldIsRefused()
    {
        QList<FlatListRow> rows;
        const Result r = loadFlatList(m_storage->ana(), {}, true,
                                      {QStringLiteral("adi; DROP TABLE siciltablo"), "ASC"}, rows);
        QVERIFY(!r.ok());
        QVERIFY(rows.isEmpty());
        QCOMPARE(load({}).size(), 5);
    }

    void sortToggleAlternatesOverAllColumns()
    {
        FlatListSortToggle toggle;
        QVERIFY(toggle.current().isEmpty());
        QCOMPARE(toggle.next(), QStringLiteral("ASC"));
        QCOMPARE(toggle.next(), QStringLiteral("DESC"));
        QCOMPARE(toggle.next(), QStringLiteral("ASC"));
    }

    void gridSortFields()
    {
        // The former holders' name columns sort by their first names.
        QCOMPARE(FlatListModel::columnTitle(19), QStringLiteral("Önceki Sahibi"));
        QCOMPARE(FlatListModel::sortField(19), QStringLiteral("onceki_ev_sahibi_adi"));
        QCOMPARE(FlatListModel::sortField(20), QStringLiteral("onceki_oturan_adi"));
        for (int c = 0; c < FlatListModel::columnTotal(); ++c)
            QVERIFY2(isFlatListOrderField(FlatListModel::sortField(c)),
                     qPrintable(FlatListModel::columnTitle(c)));
    }

    void findNext_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("identity");
        QTest::addColumn<QString>("phone");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("expected");
        // Rows in flat-number order: 1 Ahmet, 2 Ali'nin (resident Şahin), 3 IŞIK, 4 ahu, 10 İsmail.
        QTest::newRow("from no row") << "ah"
                                     << ""
                                     << "" << -1 << 0;
        QTest::newRow("inside a resident's name") << "ah"
                                                  << ""
                                                  << "" << 0 << 1;
        QTest::newRow("skips non-matching") << "ah"
                                            << ""
                                            << "" << 1 << 3;
        QTest::newRow("from the last row starts at the first") << "ah"
                                                               << ""
                                                               << "" << 4 << 0;
        QTest::newRow("full name across first and last") << "ahmet yıl"
                                                         << ""
                                                         << "" << 2 << 0;
        QTest::newRow("only the current row matches") << "ışık"
                                                      << ""
                                                      << "" << 2 << 2;
        QTest::newRow("former owner's first name") << "ZEYNEP"
                                                   << ""
                                                   << "" << 0 << 2;
        QTest::newRow("nothing matches") << "xyz"
                                         << ""
                                         << "" << 1 << -1;
        QTest::newRow("identity inside") << ""
                                         << "0000014"
                                         << "" << 3 << 0;
        QTest::newRow("identity of the resident") << ""
                                                  << "5678"
                                                  << "" << 0 << 4;
        QTest::newRow("name wins over identity") << "kaya"
                                                 << "0000014"
                                                 << "" << 0 << 1;
        QTest::newRow("typed part of a telephone") << ""
                                                   << ""
                                                   << "(212) 444 __ __" << 0 << 1;
        QTest::newRow("empty telephone mask finds nothing") << ""
                                                            << ""
                                                            << "(___) ___ __ __" << 0 << -1;
    }

    void findNext()
    {
        QFETCH(QString, name);
        QFETCH(QString, identity);
        QFETCH(QString, phone);
        QFETCH(int, current);
        QFETCH(int, expected);
        const QList<FlatListRow> rows = load({});
        QCOMPARE(findNextFlat(rows, current, {name, identity, phone}), expected);
    }

    void pickNames_data()
    {
        QTest::addColumn<qint64>("flatNumber");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("owner");
        QTest::addColumn<QString>("resident");
        QTest::addColumn<bool>("asks");
        QTest::newRow("same person, no question") << qint64(1) << 1 << "Ahmet Yılmaz"
                                                  << "Ahmet Yılmaz" << false;
        QTest::newRow("owner and tenant") << qint64(2) << 1 << "Ali'nin Kaya"
                                          << "Şahin Öztürk" << true;
        QTest::newRow("former holders, none recorded") << qint64(2) << 2 << "Ali'nin Kaya"
                                                       << "Şahin Öztürk" << true;
        QTest::newRow("former owner recorded") << qint64(3) << 2 << "Zeynep Ak"
                                               << "Işıl Ağ" << true;
        QTest::newRow("current holders ignore the former") << qint64(3) << 1 << "IŞIK ÇELİK"
                                                           << "Işıl Ağ" << true;
        // A flat without a resident: the resident's text is a lone blank, unlike the owner's.
        QTest::newRow("no resident") << qint64(10) << 1 << "İsmail Ahıskalı"
                                     << " " << true;
    }

    void pickNames()
    {
        QFETCH(qint64, flatNumber);
        QFETCH(int, mode);
        QFETCH(QString, owner);
        QFETCH(QString, resident);
        QFETCH(bool, asks);
        FlatListFilter f;
        f.flatNumber = QString::number(flatNumber);
        const QList<FlatListRow> rows = load(f);
        QCOMPARE(rows.size(), 1);
        const FlatPickNames names = flatPickNames(rows.first(), FlatPickMode(mode));
        QCOMPARE(names.owner, owner);
        QCOMPARE(names.resident, resident);
        QCOMPARE(names.needsQuestion(), asks);
    }

    void pickQuestionText()
    {
        QCOMPARE(flatPickQuestion({QStringLiteral("Ali Kaya"), QStringLiteral("Veli Su")}),
                 QStringLiteral("Daire Sahibi Ali Kaya adına işlem yapılacaksa EVET (YES)\n\r"
                                "Dairede oturan Veli Su adına işlem yapılacaksa HAYIR (NO) tuşunu "
                                "tıklayın."));
    }

    void statementRequests()
    {
        FlatListFilter f;
        f.flatNumber = "3";
        const FlatListRow row = load(f).first();
        using Kind = FlatStatementRequest::Kind;
        const FlatStatementRequest former = flatStatementRequest(row, Kind::FormerOwner);
        QVERIFY(!former.wholeFlat);
        QCOMPARE(former.holder, QStringLiteral("Zeynep Ak"));
        QCOMPARE(former.title, QStringLiteral("Zeynep Ak"));
        const FlatStatementRequest whole = flatStatementRequest(row, Kind::WholeFlat);
        QVERIFY(whole.wholeFlat);
        QCOMPARE(whole.flatNumber.toLongLong(), 3);
        QCOMPARE(whole.title, QStringLiteral("Tüm Daireye Ait Hareketler"));
    }

    void photosByKey()
    {
        const QByteArray picture("\x89PNG fake picture bytes", 24);
        const qint64 hid = insert(m_storage->ana(), "siciltablo",
                                  {{"sicil_kodu", 99}, {"adi", "Foto"}, {"sahibi_foto", picture}});
        FlatPhotos photos;
        QVERIFY(loadFlatPhotos(m_storage->ana(), hid, photos));
        QCOMPARE(photos.owner, picture);
        QVERIFY(photos.resident.isEmpty());
        exec(m_storage->ana(), "DELETE FROM siciltablo WHERE hid = ?", {hid});
    }
};

QTEST_GUILESS_MAIN(FlatListTest)
#include "tst_flatlist.moc"
