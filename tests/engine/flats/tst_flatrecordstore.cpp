#include "FlatTestSite.h"
#include "common/BatchProgress.h"
#include "flats/FlatRecordGridModel.h"
#include "flats/FlatRegister.h"
#include "storage/Sql.h"

#include <QtTest>

using namespace dalvira;

namespace {

// Records what the clean-up reports, and can ask it to stop part-way.
class RecordingProgress : public BatchProgress
{
public:
    void start(const QString &status, const QString &counter, int rows, bool) override
    {
        startText = status;
        counterText = counter;
        total = rows;
    }
    void step(int position, int, int) override { positions.append(position); }
    bool cancelRequested() const override { return cancelAt > 0 && positions.size() >= cancelAt; }
    void finish(const QString &text) override
    {
        endText = text;
        finished = true;
    }

    QString startText, counterText, endText;
    int total = 0;
    int cancelAt = 0;
    bool finished = false;
    QList<int> positions;
};

} // namespace

class FlatRecordStoreTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void numbering();
    void newFlatIsStoredWithTheRules();
    void duplicateNumbers();
    void requiredFields_data();
    void requiredFields();
    void navigationInNumberOrder();
    void removeKeepsMovements();
    void extraBlanks();
    void extraBlanksCancelled();
    void gridSearchAndRestrictions();

private:
    qint64 add(int number, const QString &first, const QString &last,
               const QString &residentFirst = {}, const QString &block = {});
    std::unique_ptr<test::FlatTestSite> m_site;
};

void FlatRecordStoreTest::init()
{
    m_site = std::make_unique<test::FlatTestSite>();
    QVERIFY(m_site->ready());
}

void FlatRecordStoreTest::cleanup()
{
    m_site.reset();
}

qint64 FlatRecordStoreTest::add(int number, const QString &first, const QString &last,
                                const QString &residentFirst, const QString &block)
{
    FlatRecord flat;
    flat.set("sicil_kodu", number);
    flat.set("adi", first);
    flat.set("soyadi", last);
    flat.set("blok", block);
    if (!residentFirst.isEmpty())
        flat.set("oturan_adi", residentFirst);
    const Result r = FlatRegister(m_site->db()).save(flat);
    return r ? flat.hid : 0;
}

void FlatRecordStoreTest::numbering()
{
    FlatRegister reg(m_site->db());
    QCOMPARE(reg.nextFlatNumber(), 1);
    add(5, QStringLiteral("Ali"), QStringLiteral("Kaya"));
    add(12, QStringLiteral("Veli"), QStringLiteral("Er"));
    add(3, QStringLiteral("Can"), QStringLiteral("Ak"));
    QCOMPARE(reg.nextFlatNumber(), 13);
}

void FlatRecordStoreTest::newFlatIsStoredWithTheRules()
{
    FlatRegister reg(m_site->db());
    FlatRecord flat;
    flat.set("sicil_kodu", 1);
    flat.set("adi", QStringLiteral(" İsmail "));
    flat.set("soyadi", QStringLiteral("Çağlar "));
    flat.set("tel1", QStringLiteral("(212) 555 11 22"));
    flat.set("bos_number2", 95.5);
    flat.set("sahibi_foto", QByteArray("\x89PNG\0\1", 6));
    flat.set("not_a_column", QStringLiteral("ignored"));
    const Result r = reg.save(flat);
    QVERIFY2(r.ok(), qPrintable(r.message()));
    QVERIFY(flat.hid > 0);
    QCOMPARE(flat.text("adi"), QStringLiteral("İsmail")); // the caller sees what was stored

    const std::optional<FlatRecord> back = reg.load(flat.hid);
    QVERIFY(back);
    QCOMPARE(back->text("adi"), QStringLiteral("İsmail"));
    QCOMPARE(back->text("oturan_adi"), QStringLiteral("İsmail"));
    QCOMPARE(back->text("oturan_soyadi"), QStringLiteral("Çağlar"));
    QCOMPARE(back->text("oturan_tel1"), QStringLiteral("(212) 555 11 22"));
    QCOMPARE(back->value("bos_number1").toDouble(), 95.5);
    QCOMPARE(back->value("sahibi_foto").toByteArray(), QByteArray("\x89PNG\0\1", 6));
    QCOMPARE(back->number(), 1);
}

void FlatRecordStoreTest::duplicateNumbers()
{
    FlatRegister reg(m_site->db());
    const qint64 first = add(7, QStringLiteral("Ali"), QStringLiteral("Kaya"));
    const qint64 second = add(8, QStringLiteral("Veli"), QStringLiteral("Er"));
    QVERIFY(first && second);

    FlatRecord again;
    again.set("sicil_kodu", 7);
    again.set("adi", QStringLiteral("Başka"));
    Result r = reg.save(again);
    QVERIFY(!r.ok());
    QCOMPARE(r.message(), QStringLiteral("7\n\r numarasında kayıt mevcut!"));
    QCOMPARE(again.hid, 0); // still pending as a new flat
    QCOMPARE(reg.count(), 2);

    // Saving a stored flat with its own number is accepted...
    FlatRecord own = *reg.load(first);
    own.set("soyadi", QStringLiteral("Kayalı"));
    QVERIFY(reg.save(own).ok());
    QCOMPARE(reg.load(first)->text("soyadi"), QStringLiteral("Kayalı"));
    // ...but taking another flat's number would merge two ledgers: refused.
    FlatRecord moved = *reg.load(second);
    moved.set("sicil_kodu", 7);
    r = reg.save(moved);
    QVERIFY(!r.ok());
    QCOMPARE(r.message(), QStringLiteral("7\n\r numarasında kayıt mevcut!"));
    QCOMPARE(reg.load(second)->number(), 8);
}

void FlatRecordStoreTest::requiredFields_data()
{
    QTest::addColumn<QVariant>("number");
    QTest::addColumn<QVariant>("name");
    QTest::newRow("no number") << QVariant() << QVariant(QStringLiteral("Ali"));
    QTest::newRow("no name") << QVariant(3) << QVariant();
    QTest::newRow("blank name") << QVariant(3) << QVariant(QStringLiteral("   "));
}

void FlatRecordStoreTest::requiredFields()
{
    QFETCH(QVariant, number);
    QFETCH(QVariant, name);
    FlatRecord flat;
    flat.set("sicil_kodu", number);
    flat.set("adi", name);
    const Result r = FlatRegister(m_site->db()).save(flat);
    QVERIFY(!r.ok());
    QCOMPARE(r.message(), QStringLiteral("Kayıt no ve Adı kısımlarını boş geçemezsiniz!"));
    QCOMPARE(FlatRegister(m_site->db()).count(), 0);
}

void FlatRecordStoreTest::navigationInNumberOrder()
{
    FlatRegister reg(m_site->db());
    const qint64 h20 = add(20, QStringLiteral("A"), QString());
    const qint64 h3 = add(3, QStringLiteral("B"), QString());
    const qint64 h11 = add(11, QStringLiteral("C"), QString());
    using M = FlatRegister::Move;
    QCOMPARE(reg.neighbour(0, M::First), h3);
    QCOMPARE(reg.neighbour(0, M::Last), h20);
    QCOMPARE(reg.neighbour(h3, M::Next), h11);
    QCOMPARE(reg.neighbour(h11, M::Next), h20);
    QCOMPARE(reg.neighbour(h20, M::Next), qint64(0));
    QCOMPARE(reg.neighbour(h20, M::Previous), h11);
    QCOMPARE(reg.neighbour(h3, M::Previous), qint64(0));
}

void FlatRecordStoreTest::removeKeepsMovements()
{
    FlatRegister reg(m_site->db());
    const qint64 hid = add(4, QStringLiteral("Ali"), QStringLiteral("Kaya"));
    exec(m_site->db(), QStringLiteral("INSERT INTO sicilcarihar (sicil_kodu, adi_soyadi, borc) "
                                      "VALUES (4, 'Ali Kaya', 10)"));
    QVERIFY(reg.remove(hid).ok());
    QVERIFY(!reg.load(hid));
    QCOMPARE(scalar(m_site->db(), QStringLiteral("SELECT COUNT(*) FROM sicilcarihar")).toInt(), 1);
}

void FlatRecordStoreTest::extraBlanks()
{
    FlatRegister reg(m_site->db());
    add(1, QStringLiteral("Ali"), QStringLiteral("Kaya"));
    add(2, QStringLiteral("Veli"), QStringLiteral("Er"));
    exec(m_site->db(), QStringLiteral("UPDATE siciltablo SET adi = '  Ali ', oturan_soyadi = "
                                      "'Kaya  ', dairesi = ' 5 ' WHERE sicil_kodu = 1"));
    RecordingProgress progress;
    QVERIFY(reg.removeExtraBlanks(&progress).ok());
    QCOMPARE(progress.startText, QStringLiteral("Bekleyin aktarılıyor..."));
    QCOMPARE(progress.counterText, QStringLiteral("Yapılan güncelleme :"));
    QCOMPARE(progress.total, 2);
    QCOMPARE(progress.positions, (QList<int>{1, 2}));
    QCOMPARE(progress.endText, QStringLiteral("Güncelleme bitti."));
    const FlatRecord flat = *reg.load(reg.findByNumber(1));
    QCOMPARE(flat.text("adi"), QStringLiteral("Ali"));
    QCOMPARE(flat.text("oturan_soyadi"), QStringLiteral("Kaya"));
    QCOMPARE(flat.text("dairesi"), QStringLiteral(" 5 ")); // only the four name fields
}

void FlatRecordStoreTest::extraBlanksCancelled()
{
    FlatRegister reg(m_site->db());
    add(1, QStringLiteral("Ali"), QString());
    add(2, QStringLiteral("Veli"), QString());
    exec(m_site->db(), QStringLiteral("UPDATE siciltablo SET adi = ' ' || adi || ' '"));
    RecordingProgress progress;
    progress.cancelAt = 1;
    const Result r = reg.removeExtraBlanks(&progress);
    QVERIFY(r.wasCancelled());
    QVERIFY(progress.finished); // the wait window does not stay up
    QCOMPARE(reg.load(reg.findByNumber(1))->text("adi"), QStringLiteral(" Ali "));
}

void FlatRecordStoreTest::gridSearchAndRestrictions()
{
    add(1, QStringLiteral("Ahmet"), QStringLiteral("Işık"), QStringLiteral("Zeynep"),
        QStringLiteral("A"));
    add(2, QStringLiteral("Şükrü"), QStringLiteral("Ilgaz"), QString(), QStringLiteral("a"));
    add(3, QStringLiteral("İsmail"), QStringLiteral("Öz"), QString(), QStringLiteral("B"));
    add(4, QStringLiteral("Zeynep"), QStringLiteral("Can"), QString(), QString());

    FlatRecordGridModel model;
    model.setOrder(QStringLiteral("sicil_kodu"), QStringLiteral("ASC"));
    model.reload(m_site->db());
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.data(model.index(1, 4)).toString(), QStringLiteral("Şükrü Ilgaz"));
    QCOMPARE(model.data(model.index(1, 5)).toString(), QStringLiteral("Şükrü Ilgaz"));

    // Turkish folding on both sides; "ışık" matches "Işık" but not "Ilgaz".
    QCOMPARE(model.findNextMember(-1, QStringLiteral("IŞIK")), 0);
    // Row 0 has Zeynep as resident, row 3 as owner: the search starts after the current row
    // and wraps round.
    QCOMPARE(model.findNextMember(0, QStringLiteral("zeynep")), 3);
    QCOMPARE(model.findNextMember(3, QStringLiteral("zeynep")), 0);
    QCOMPARE(model.findNextMember(0, QStringLiteral("ismail")), 2);
    QCOMPARE(model.findNextMember(1, QStringLiteral("yok")), -1);
    // The owner's first name and surname are searched as one text.
    QCOMPARE(model.findNextMember(-1, QStringLiteral("ail öz")), 2);

    FlatRecordGridModel::Restrictions restrictions;
    restrictions.block = {true, QStringLiteral("a")};
    model.setRestrictions(restrictions);
    model.reload(m_site->db());
    QCOMPARE(model.rowCount(), 2);
    restrictions.block = {true, QString()};
    model.setRestrictions(restrictions);
    model.reload(m_site->db());
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("4"));

    model.setRestrictions({});
    model.setOrder(QStringLiteral("adi"), QStringLiteral("DESC"));
    model.reload(m_site->db());
    QCOMPARE(model.data(model.index(0, 4)).toString(), QStringLiteral("Zeynep Can"));
    QCOMPARE(model.data(model.index(1, 4)).toString(), QStringLiteral("Şükrü Ilgaz"));
}

QTEST_GUILESS_MAIN(FlatRecordStoreTest)
#include "tst_flatrecordstore.moc"
