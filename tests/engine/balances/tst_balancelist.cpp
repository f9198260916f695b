// The member balance list on a small site: the six kinds with their total rows, the holder
// role, the row filters, the per-type pivot, grand totals, search and the commands a row opens.
#include "TestSupport.h"
#include "balances/BalanceCommands.h"
#include "balances/BalanceList.h"
#include "balances/BalanceListColumns.h"
#include "common/BatchProgress.h"
#include "ledger/MovementWriter.h"
#include "session/Session.h"
#include "session/SiteDirectory.h"
#include "session/SiteRecord.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"
#include "storage/Storage.h"

#include <QtTest>
#include <memory>

using namespace dalvira;

namespace {

const QDate kReportDate(2024, 1, 31);

// One line per row: "flat name type currency debit/credit", total rows as "Toplam ...".
QStringList describe(const BalanceList &list)
{
    QStringList lines;
    for (const BalanceRow &r : list.rows) {
        const QString name = isHolderKind(list.kind) ? r.holder : r.owner;
        QString line = r.total ? QStringLiteral("Toplam")
                               : QString::number(r.flatNumber) + QLatin1Char(' ') + name;
        if (!r.type.isEmpty())
            line += QLatin1Char(' ') + r.type;
        line += QLatin1Char(' ') + r.currency;
        if (isTypePivotKind(list.kind)) {
            QStringList balances;
            for (const Money &m : r.typeBalances)
                balances << m.toText();
            line += QLatin1Char(' ') + balances.join(QLatin1Char('|'));
        } else {
            line += QLatin1Char(' ') + r.debit.toText() + QLatin1Char('/') + r.credit.toText();
        }
        lines << line;
    }
    return lines;
}

class RecordingProgress : public BatchProgress
{
public:
    QStringList events;
    void start(const QString &status, const QString &counter, int total, bool) override
    {
        events << status + QLatin1Char('|') + counter + QString::number(total);
    }
    void step(int position, int, int) override { events << QString::number(position); }
    bool cancelRequested() const override { return false; }
    void finish(const QString &endText) override { events << endText; }
};

} // namespace

class BalanceListTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::TempProgramFolder> m_folder;
    std::unique_ptr<Storage> m_storage;

    QSqlDatabase db() const { return m_storage->ana(); }

    void addFlat(const ColumnValues &values) { insert(db(), QStringLiteral("siciltablo"), values); }

    void move(int flat, const QString &holder, const QDate &date, double debit, double credit,
              const QString &currency, const QString &type)
    {
        LedgerMovement m;
        m.flatNumber = flat;
        m.holder = holder;
        m.date = date;
        m.debit = debit;
        m.credit = credit;
        m.currency = currency;
        m.type = type;
        appendMovement(db(), m);
    }

    BalanceList build(const BalanceListSettings &s)
    {
        BalanceList list;
        const Result r = buildBalanceList(db(), s, list);
        if (!r)
            qWarning() << r.message();
        return list;
    }

private slots:
    void init();
    void groupedKinds_data();
    void groupedKinds();
    void grandTotals();
    void pivotKinds_data();
    void pivotKinds();
    void pivotKeepsMovementsWithoutType();
    void totalWordColumn_data();
    void totalWordColumn();
    void progressSteps();
    void search_data();
    void search();
    void commandsOfARow();
};

void BalanceListTest::init()
{
    m_storage.reset();
    m_folder = std::make_unique<test::TempProgramFolder>();
    QVERIFY(m_folder->isValid());
    setProgramFolder(m_folder->path());
    m_storage = std::make_unique<Storage>();
    QVERIFY(m_storage->open().ok());
    SiteRecord site;
    site.set("firma_kodu", QStringLiteral("S1"));
    site.set("firma_unvani_1", QStringLiteral("Deneme Sitesi"));
    QVERIFY(SiteDirectory(*m_storage).createSite(site).ok());
    QVERIFY(m_storage->selectSite(QStringLiteral("S1")).ok());

    addFlat({{"sicil_kodu", 1},
             {"blok", "A"},
             {"dairesi", "1"},
             {"dis_kapi_numarasi", "5"},
             {"adi", "Ali"},
             {"soyadi", "Yılmaz"},
             {"oturan_adi", "Veli"},
             {"oturan_soyadi", "Kaya"},
             {"tc_kimlik", "111"},
             {"oturan_tc_kimlik", "222"},
             {"ceptel", "0532"},
             {"oturan_cep1", "0533"}});
    // Owner known only by surname: the ledger holds " Demir".
    addFlat({{"sicil_kodu", 2},
             {"blok", "B"},
             {"dairesi", "2"},
             {"dis_kapi_numarasi", "7"},
             {"soyadi", "Demir"},
             {"oturan_adi", "Mert"},
             {"oturan_soyadi", "Öz"}});
    addFlat({{"sicil_kodu", 3},
             {"blok", "I"},
             {"dairesi", "3"},
             {"adi", "Ayşe"},
             {"soyadi", "Şen"},
             {"oturan_adi", "Ayşe"},
             {"oturan_soyadi", "Şen"},
             {"onceki_ev_sahibi_adi", "Eski"},
             {"onceki_ev_sahibi_soyadi", "Sahip"}});
    addFlat({{"sicil_kodu", 4}, {"blok", "B"}, {"dairesi", "4"}, {"adi", "Can"}, {"soyadi", "Ak"}});

    const QString tl = QStringLiteral("TL"), usd = QStringLiteral("USD");
    const QString dues = QStringLiteral("Aidat"), fuel = QStringLiteral("Yakıt");
    move(1, "Ali Yılmaz", {2024, 1, 10}, 100, 0, tl, dues);
    move(1, "Ali Yılmaz", {2024, 1, 20}, 0, 40, tl, dues);
    move(1, "Veli Kaya", {2024, 1, 15}, 50, 0, tl, fuel);
    move(1, "Ali Yılmaz", kReportDate, 10, 0, usd, dues);  // on the report date: counted
    move(1, "Ali Yılmaz", {2024, 2, 1}, 999, 0, tl, dues); // the day after: not counted
    move(2, " Demir", {2024, 1, 5}, 30, 0, tl, dues);
    move(2, " Demir", {2024, 1, 6}, 0, 30, tl, dues);
    move(3, "Ayşe Şen", {2024, 1, 8}, 0, 50, tl, dues);
    move(3, "Eski Sahip", {2024, 1, 9}, 20, 0, tl, fuel);
    // 0,1 + 0,2 - 0,3 is not exactly zero in floating point; the list must see no debt.
    move(4, "Can Ak", {2024, 1, 2}, 0.1, 0, tl, dues);
    move(4, "Can Ak", {2024, 1, 3}, 0.2, 0, tl, dues);
    move(4, "Can Ak", {2024, 1, 4}, 0, 0.3, tl, dues);
    move(4, "Can Ak", {2024, 2, 5}, 70, 0, tl, QStringLiteral("Bahçe"));
}

void BalanceListTest::groupedKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("role");
    QTest::addColumn<bool>("onlyDebtors");
    QTest::addColumn<QString>("restriction"); // "block=a", "flat=2", "door=5", "pb=USD"
    QTest::addColumn<QStringList>("rows");

    const QStringList kind1All = {
        "Toplam TL 200,30/120,30",     "Toplam USD 10,00/0,00",      "1 Ali Yılmaz TL 100,00/40,00",
        "1 Ali Yılmaz USD 10,00/0,00", "1 Veli Kaya TL 50,00/0,00",  "2  Demir TL 30,00/30,00",
        "3 Ayşe Şen TL 0,00/50,00",    "3 Eski Sahip TL 20,00/0,00", "4 Can Ak TL 0,30/0,30"};
    QTest::newRow("kind 1, everything") << 1 << "Hepsi" << false << "" << kind1All;
    QTest::newRow("kind 1, only debtors")
        << 1 << "Hepsi" << true << ""
        << QStringList{"Toplam TL 170,00/40,00",       "Toplam USD 10,00/0,00",
                       "1 Ali Yılmaz TL 100,00/40,00", "1 Ali Yılmaz USD 10,00/0,00",
                       "1 Veli Kaya TL 50,00/0,00",    "3 Eski Sahip TL 20,00/0,00"};
    QTest::newRow("kind 1, owners (one with only a surname)")
        << 1 << "Evsahibi" << false << ""
        << QStringList{"Toplam TL 130,30/120,30",      "Toplam USD 10,00/0,00",
                       "1 Ali Yılmaz TL 100,00/40,00", "1 Ali Yılmaz USD 10,00/0,00",
                       "2  Demir TL 30,00/30,00",      "3 Ayşe Şen TL 0,00/50,00",
                       "4 Can Ak TL 0,30/0,30"};
    QTest::newRow("kind 1, residents")
        << 1 << "Oturan" << false << ""
        << QStringList{"Toplam TL 50,00/50,00", "1 Veli Kaya TL 50,00/0,00",
                       "3 Ayşe Şen TL 0,00/50,00"};
    QTest::newRow("kind 1, former owners")
        << 1 << "Eski Sahibi" << false << ""
        << QStringList{"Toplam TL 20,00/0,00", "3 Eski Sahip TL 20,00/0,00"};
    QTest::newRow("kind 1, former residents") << 1 << "Eski Oturan" << false << "" << QStringList{};
    QTest::newRow("kind 1, block a matches A")
        << 1 << "Hepsi" << false << "block=a"
        << QStringList{"Toplam TL 150,00/40,00", "Toplam USD 10,00/0,00",
                       "1 Ali Yılmaz TL 100,00/40,00", "1 Ali Yılmaz USD 10,00/0,00",
                       "1 Veli Kaya TL 50,00/0,00"};
    QTest::newRow("kind 1, block i does not match I")
        << 1 << "Hepsi" << false << "block=i" << QStringList{};
    QTest::newRow("kind 1, block ı matches I")
        << 1 << "Hepsi" << false << "block=ı"
        << QStringList{"Toplam TL 20,00/50,00", "3 Ayşe Şen TL 0,00/50,00",
                       "3 Eski Sahip TL 20,00/0,00"};
    QTest::newRow("kind 1, flat 2")
        << 1 << "Hepsi" << false << "flat=2"
        << QStringList{"Toplam TL 30,00/30,00", "2  Demir TL 30,00/30,00"};
    QTest::newRow("kind 1, street door 5")
        << 1 << "Hepsi" << false << "door=5"
        << QStringList{"Toplam TL 150,00/40,00", "Toplam USD 10,00/0,00",
                       "1 Ali Yılmaz TL 100,00/40,00", "1 Ali Yılmaz USD 10,00/0,00",
                       "1 Veli Kaya TL 50,00/0,00"};
    QTest::newRow("kind 1, currency USD")
        << 1 << "Hepsi" << false << "pb=USD"
        << QStringList{"Toplam USD 10,00/0,00", "1 Ali Yılmaz USD 10,00/0,00"};
    QTest::newRow("kind 2") << 2 << "Hepsi" << false << ""
                            << QStringList{"Toplam TL 200,30/120,30",
                                           "Toplam USD 10,00/0,00",
                                           "1 Ali Yılmaz Aidat TL 100,00/40,00",
                                           "1 Ali Yılmaz Aidat USD 10,00/0,00",
                                           "1 Veli Kaya Yakıt TL 50,00/0,00",
                                           "2  Demir Aidat TL 30,00/30,00",
                                           "3 Ayşe Şen Aidat TL 0,00/50,00",
                                           "3 Eski Sahip Yakıt TL 20,00/0,00",
                                           "4 Can Ak Aidat TL 0,30/0,30"};
    QTest::newRow("kind 3") << 3 << "Hepsi" << false << ""
                            << QStringList{"Toplam TL 200,30/120,30",
                                           "Toplam USD 10,00/0,00",
                                           "1 Ali Yılmaz Aidat TL 100,00/40,00",
                                           "1 Ali Yılmaz Yakıt TL 50,00/0,00",
                                           "1 Ali Yılmaz Aidat USD 10,00/0,00",
                                           "2  Demir Aidat TL 30,00/30,00",
                                           "3 Ayşe Şen Aidat TL 0,00/50,00",
                                           "3 Ayşe Şen Yakıt TL 20,00/0,00",
                                           "4 Can Ak Aidat TL 0,30/0,30"};
    QTest::newRow("kind 4") << 4 << "Hepsi" << false << ""
                            << QStringList{
                                   "Toplam TL 200,30/120,30",      "Toplam USD 10,00/0,00",
                                   "1 Ali Yılmaz TL 150,00/40,00", "1 Ali Yılmaz USD 10,00/0,00",
                                   "2  Demir TL 30,00/30,00",      "3 Ayşe Şen TL 20,00/50,00",
                                   "4 Can Ak TL 0,30/0,30"};
    QTest::newRow("kind 4, residents only count their own movements")
        << 4 << "Oturan" << false << ""
        << QStringList{"Toplam TL 50,00/50,00", "1 Ali Yılmaz TL 50,00/0,00",
                       "3 Ayşe Şen TL 0,00/50,00"};
    QTest::newRow("kind 4, only debtors")
        << 4 << "Hepsi" << true << ""
        << QStringList{"Toplam TL 150,00/40,00", "Toplam USD 10,00/0,00",
                       "1 Ali Yılmaz TL 150,00/40,00", "1 Ali Yılmaz USD 10,00/0,00"};
}

static void applyRestriction(BalanceListSettings &s, const QString &restriction)
{
    if (restriction.isEmpty())
        return;
    const QString key = restriction.section(QLatin1Char('='), 0, 0);
    const ListRestriction r{true, restriction.section(QLatin1Char('='), 1)};
    if (key == QLatin1String("block"))
        s.block = r;
    else if (key == QLatin1String("flat"))
        s.flat = r;
    else if (key == QLatin1String("door"))
        s.outerDoor = r;
    else if (key == QLatin1String("pb"))
        s.currency = r;
}

void BalanceListTest::groupedKinds()
{
    QFETCH(int, kind);
    QFETCH(QString, role);
    QFETCH(bool, onlyDebtors);
    QFETCH(QString, restriction);
    QFETCH(QStringList, rows);

    BalanceListSettings s;
    s.reportDate = kReportDate;
    s.kind = *balanceKindFromNumber(kind);
    s.role = *holderRoleFromCaption(role);
    s.onlyDebtors = onlyDebtors;
    applyRestriction(s, restriction);
    QCOMPARE(describe(build(s)), rows);

    // Without total rows (printouts) the same flats remain.
    s.includeTotals = false;
    QStringList flatsOnly;
    for (const QString &r : rows)
        if (!r.startsWith(QLatin1String("Toplam")))
            flatsOnly << r;
    QCOMPARE(describe(build(s)), flatsOnly);
}

void BalanceListTest::grandTotals()
{
    BalanceListSettings s;
    s.reportDate = kReportDate;
    s.kind = BalanceListKind::GeneralDetail;
    // TL and USD are added together; total rows are not counted twice.
    BalanceList list = build(s);
    QCOMPARE(list.debitTotal.toText(), QStringLiteral("210,30"));
    QCOMPARE(list.creditTotal.toText(), QStringLiteral("120,30"));
    QCOMPARE(list.balanceTotal().toText(), QStringLiteral("90,00"));

    s.onlyDebtors = true;
    list = build(s);
    QCOMPARE(list.debitTotal.toText(), QStringLiteral("180,00"));
    QCOMPARE(list.creditTotal.toText(), QStringLiteral("40,00"));

    s.kind = BalanceListKind::TypedFlatSummary;
    list = build(s);
    QVERIFY(list.debitTotal.isZero() && list.creditTotal.isZero());
}

void BalanceListTest::pivotKinds_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("role");
    QTest::addColumn<QString>("restriction");
    QTest::addColumn<QStringList>("rows");

    // Columns Aidat | Bahçe | Yakıt; Bahçe has movements only after the report date.
    QTest::newRow("kind 5") << 5 << "Hepsi"
                            << "" << QStringList{"1 Ali Yılmaz TL 60,00|0,00|0,00",
                                                 "1 Ali Yılmaz USD 10,00|0,00|0,00",
                                                 "1 Veli Kaya TL 0,00|0,00|50,00",
                                                 "2  Demir TL 0,00|0,00|0,00",
                                                 "3 Ayşe Şen TL -50,00|0,00|0,00",
                                                 "3 Eski Sahip TL 0,00|0,00|20,00",
                                                 "4 Can Ak TL 0,00|0,00|0,00"};
    QTest::newRow("kind 6") << 6 << "Hepsi"
                            << ""
                            << QStringList{
                                   "1 Ali Yılmaz TL 60,00|0,00|50,00",
                                   "1 Ali Yılmaz USD 10,00|0,00|0,00", "2  Demir TL 0,00|0,00|0,00",
                                   "3 Ayşe Şen TL -50,00|0,00|20,00", "4 Can Ak TL 0,00|0,00|0,00"};
    QTest::newRow("kind 6, owners")
        << 6 << "Evsahibi"
        << ""
        << QStringList{"1 Ali Yılmaz TL 60,00|0,00|0,00", "1 Ali Yılmaz USD 10,00|0,00|0,00",
                       "2  Demir TL 0,00|0,00|0,00", "3 Ayşe Şen TL -50,00|0,00|0,00",
                       "4 Can Ak TL 0,00|0,00|0,00"};
    QTest::newRow("kind 5, currency USD")
        << 5 << "Hepsi"
        << "pb=USD" << QStringList{"1 Ali Yılmaz USD 10,00|0,00|0,00"};
    QTest::newRow("kind 6, block compared exactly") << 6 << "Hepsi"
                                                    << "block=b" << QStringList{};
    QTest::newRow("kind 6, block B")
        << 6 << "Hepsi"
        << "block=B" << QStringList{"2  Demir TL 0,00|0,00|0,00", "4 Can Ak TL 0,00|0,00|0,00"};
}

void BalanceListTest::pivotKinds()
{
    QFETCH(int, kind);
    QFETCH(QString, role);
    QFETCH(QString, restriction);
    QFETCH(QStringList, rows);

    BalanceListSettings s;
    s.reportDate = kReportDate;
    s.kind = *balanceKindFromNumber(kind);
    s.role = *holderRoleFromCaption(role);
    s.onlyDebtors = true; // has no effect on these kinds
    applyRestriction(s, restriction);
    const BalanceList list = build(s);
    QCOMPARE(list.types, (QStringList{"Aidat", "Bahçe", "Yakıt"}));
    QCOMPARE(describe(list), rows);

    QStringList captions;
    for (const BalanceColumn &c : balanceColumns(list.kind, list.types))
        captions << c.caption;
    if (kind == 5)
        QCOMPARE(captions, (QStringList{"Kodu", "D.Kapı", "Blok", "Daire", "Adı Soyadı", "Aidat",
                                        "Bahçe", "Yakıt", "PB"}));
    else
        QCOMPARE(captions, (QStringList{"Kodu", "D.Kapı", "Blok", "Daire", "Daire Sahibi",
                                        "Dairede Oturan", "Aidat", "Bahçe", "Yakıt", "PB"}));
}

void BalanceListTest::pivotKeepsMovementsWithoutType()
{
    move(2, " Demir", {2024, 1, 7}, 5, 0, QStringLiteral("TL"), QString());
    BalanceListSettings s;
    s.reportDate = kReportDate;
    s.kind = BalanceListKind::TypedFlatSummary;
    s.onlyFlat = 2;
    const BalanceList list = build(s);
    QCOMPARE(list.types, (QStringList{"", "Aidat", "Bahçe", "Yakıt"}));
    QCOMPARE(describe(list), QStringList{"2  Demir TL 5,00|0,00|0,00|0,00"});
}

void BalanceListTest::totalWordColumn_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::newRow("kind 1") << 1 << "SahibiTCKimlik";
    QTest::newRow("kind 2") << 2 << "Adı Soyadı";
    QTest::newRow("kind 3") << 3 << "Dairede Oturan";
    QTest::newRow("kind 4") << 4 << "Dairede Oturan";
}

void BalanceListTest::totalWordColumn()
{
    QFETCH(int, kind);
    QFETCH(QString, caption);
    BalanceListSettings s;
    s.reportDate = kReportDate;
    s.kind = *balanceKindFromNumber(kind);
    const BalanceList list = build(s);
    QVERIFY(!list.rows.isEmpty() && list.rows.first().total);
    QStringList toplam;
    for (const BalanceColumn &c : balanceColumns(list.kind, list.types)) {
        const QString text = balanceCellText(list.kind, list.rows.first(), c);
        if (text == QLatin1String("Toplam"))
            toplam << c.caption;
        if (c.field == BalanceField::Number)
            QVERIFY(text.isEmpty());
    }
    QCOMPARE(toplam, QStringList{caption});
}

void BalanceListTest::progressSteps()
{
    RecordingProgress progress;
    BalanceListSettings s;
    s.reportDate = kReportDate;
    BalanceList list;
    QVERIFY(buildBalanceList(db(), s, list, &progress).ok());
    QCOMPARE(progress.events, (QStringList{"Bekleyin güncelleniyor...|Yapılan güncelleme :4", "1",
                                           "2", "3", "4", "Güncelleme bitti."}));
}

void BalanceListTest::search_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("found");

    // Kind 1 rows: 0,1 totals; 2,3 Ali; 4 Veli; 5 Demir; 6 Ayşe; 7 Eski Sahip; 8 Can Ak.
    QTest::newRow("name, Turkish capitals") << 1 << "AYŞE" << -1 << 6;
    QTest::newRow("starts after the current row") << 1 << "ali" << 2 << 3;
    QTest::newRow("wraps to the top") << 1 << "ali" << 3 << 2;
    QTest::newRow("flat number") << 1 << "4" << 0 << 8;
    QTest::newRow("no match") << 1 << "zeki" << 0 << -1;
    // Kind 4 rows: 0,1 totals; 2,3 flat 1; 4 flat 2; 5 flat 3; 6 flat 4. Resident names count.
    QTest::newRow("resident name on a flat list") << 4 << "veli" << 3 << 2;
    QTest::newRow("flat number is not searched on a flat list") << 4 << "4" << 0 << -1;
}

void BalanceListTest::search()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(int, current);
    QFETCH(int, found);
    BalanceListSettings s;
    s.reportDate = kReportDate;
    s.kind = *balanceKindFromNumber(kind);
    QCOMPARE(findBalanceRow(build(s), text, current), found);
}

void BalanceListTest::commandsOfARow()
{
    BalanceListSettings s;
    s.reportDate = kReportDate;
    s.kind = BalanceListKind::GeneralDetail;
    BalanceList list = build(s);
    // Total rows open nothing.
    QVERIFY(!statementRequest(list, 0, StatementScope::WholeFlat));
    QVERIFY(!paymentEntryRequest(list, 1));
    QVERIFY(!statementRequest(list, 99, StatementScope::WholeFlat));

    auto req = statementRequest(list, 3, StatementScope::HolderInFlat); // Ali, USD
    QVERIFY(req);
    QCOMPARE(req->flatNumber, 1);
    QCOMPARE(req->holder, QStringLiteral("Ali Yılmaz"));
    QCOMPARE(req->currency, QStringLiteral("USD"));
    QCOMPARE(req->type, std::optional<QString>(QStringLiteral("Hepsi")));
    QCOMPARE(req->reportDate, kReportDate);
    QCOMPARE(req->caption, QStringLiteral("Ali Yılmaz"));

    req = statementRequest(list, 4, StatementScope::WholeFlat);
    QCOMPARE(req->flatNumber, 1);
    QCOMPARE(req->caption, QStringLiteral("Tüm Daireye Ait Hareketler"));
    QVERIFY(!req->type);

    s.kind = BalanceListKind::TypedFlat;
    list = build(s);
    req = statementRequest(list, 3, StatementScope::HolderInFlat); // flat 1, TL, Yakıt
    QCOMPARE(req->holder, QStringLiteral("Ali Yılmaz"));
    QCOMPARE(req->type, std::optional<QString>(QStringLiteral("Yakıt")));
    QCOMPARE(req->caption, QStringLiteral("Ali Yılmaz - Veli Kaya"));
    req = statementRequest(list, 3, StatementScope::HolderEverywhere);
    QCOMPARE(req->holder, QStringLiteral("Ali Yılmaz"));
    QCOMPARE(req->flatNumber, 0);

    auto pay = paymentEntryRequest(list, 3);
    QVERIFY(pay);
    QCOMPARE(pay->flatNumber, 1);
    QCOMPARE(pay->type, QStringLiteral("Yakıt"));

    s.kind = BalanceListKind::TypedFlatSummary;
    list = build(s);
    req = statementRequest(list, 0, StatementScope::HolderInFlat);
    QCOMPARE(req->caption, QStringLiteral("Ali Yılmaz"));
    QVERIFY(!req->type);
    QCOMPARE(paymentEntryRequest(list, 0)->type, QString());
}

QTEST_GUILESS_MAIN(BalanceListTest)
#include "tst_balancelist.moc"
