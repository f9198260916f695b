#include "ScreenTestProgram.h"
#include "TestSupport.h"
#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "common/ScriptedPrompt.h"
#include "flats/FlatPaymentPlanPage.h"
#include "flats/FlatRecordGridModel.h"
#include "flats/FlatRecordScreens.h"
#include "flats/FlatRecordWindow.h"
#include "flats/FlatRegister.h"
#include "session/AppContext.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

using namespace dalvira;

namespace {

// Types text key by key, as the user does (Turkish letters included).
void type(QWidget *w, const QString &text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

} // namespace

class FlatRecordWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typeSaveAndFind();
    void capitalsOffKeepsLetters();
    void duplicateNumberStaysPending();
    void findShowsTheRowsOwnFlat();
    void navigationAsksBeforeDropping();
    void photoLimit();
    void paymentPlanPage();
    void identityWarningsDoNotStopSaving();

private:
    FlatRecordWindow *window();
    qint64 addFlat(int number, const QString &first, const QString &last);

    std::unique_ptr<test::ScreenTestProgram> m_program;
    ScriptedPrompt *m_prompt = nullptr;
    AppContext *m_app = nullptr;
};

void FlatRecordWindowTest::init()
{
    m_program = std::make_unique<test::ScreenTestProgram>();
    const QString failed = m_program->start();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_app = &m_program->app();
    m_prompt = &m_program->prompt();
    registerFlatRecordScreens(*m_app);
}

void FlatRecordWindowTest::cleanup()
{
    const QString problems = m_program->promptProblems();
    m_program.reset();
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

FlatRecordWindow *FlatRecordWindowTest::window()
{
    auto *w = m_app->screens().screen<FlatRecordWindow>(FlatRecordWindow::kScreenName);
    if (w && !w->isVisible())
        w->openFromMenu();
    return w;
}

qint64 FlatRecordWindowTest::addFlat(int number, const QString &first, const QString &last)
{
    FlatRecord flat;
    flat.set("sicil_kodu", number);
    flat.set("adi", first);
    flat.set("soyadi", last);
    return FlatRegister(m_app->storage().ana()).save(flat) ? flat.hid : 0;
}

void FlatRecordWindowTest::typeSaveAndFind()
{
    addFlat(1, QStringLiteral("Ahmet"), QStringLiteral("Kaya"));
    FlatRecordWindow *w = window();
    QVERIFY(w);
    QCOMPARE(w->pages()->currentIndex(), 0);

    w->button(QStringLiteral("Yeni Daire"))->click();
    QCOMPARE(w->state(), FlatRecordWindow::State::Insert);
    QCOMPARE(w->lineField(QStringLiteral("sicil_kodu"))->text(), QStringLiteral("2"));

    type(w->lineField(QStringLiteral("adi")), QStringLiteral("ismail ışık"));
    type(w->lineField(QStringLiteral("soyadi")), QStringLiteral("çağlar-öz"));
    type(w->lineField(QStringLiteral("blok")), QStringLiteral("ğ blok"));
    type(w->lineField(QStringLiteral("bos_text1")), QStringLiteral("34 şüt 12"));
    QCOMPARE(w->lineField(QStringLiteral("adi"))->text(), QStringLiteral("İsmail Işık"));
    QCOMPARE(w->lineField(QStringLiteral("soyadi"))->text(), QStringLiteral("Çağlar-öz"));
    QCOMPARE(w->lineField(QStringLiteral("blok"))->text(), QStringLiteral("Ğ Blok"));
    QCOMPARE(w->lineField(QStringLiteral("bos_text1"))->text(), QStringLiteral("34 Şüt 12"));
    // The second page shows the same number and block.
    QCOMPARE(w->findChild<QLineEdit *>(QStringLiteral("blok_2"))->text(), QStringLiteral("Ğ Blok"));

    w->button(QStringLiteral("Kaydet"))->click();
    QCOMPARE(w->state(), FlatRecordWindow::State::Browse);
    const qint64 hid = w->currentFlat().hid;
    QVERIFY(hid > 0);
    const FlatRecord stored = *FlatRegister(m_app->storage().ana()).load(hid);
    QCOMPARE(stored.text("adi"), QStringLiteral("İsmail Işık"));
    QCOMPARE(stored.number(), 2);
    // Nobody typed a resident: the owner lives there.
    QCOMPARE(stored.text("oturan_adi"), QStringLiteral("İsmail Işık"));
    QCOMPARE(w->lineField(QStringLiteral("oturan_soyadi"))->text(), QStringLiteral("Çağlar-öz"));
    QCOMPARE(w->gridModel()->rowCount(), 2);

    // Away to the other flat, then found again by a lower-case search.
    w->button(QStringLiteral("İlk Kayıt"))->click();
    QCOMPARE(w->currentFlat().number(), 1);
    type(w->searchEdit(), QStringLiteral("ışık"));
    w->button(QStringLiteral("ÜYE ARA"))->click();
    QCOMPARE(w->currentFlat().hid, hid);
    QCOMPARE(w->gridModel()->hidAt(w->grid()->currentIndex().row()), hid);
}

void FlatRecordWindowTest::capitalsOffKeepsLetters()
{
    FlatRecordWindow *w = window();
    w->newFlat();
    w->capitalsBox()->setChecked(false);
    type(w->lineField(QStringLiteral("adi")), QStringLiteral("ilk"));
    QCOMPARE(w->lineField(QStringLiteral("adi"))->text(), QStringLiteral("ilk"));
    // Digits only in the identity numbers and counts.
    type(w->lineField(QStringLiteral("tc_kimlik")), QStringLiteral("1a2b"));
    QCOMPARE(w->lineField(QStringLiteral("tc_kimlik"))->text(), QStringLiteral("12"));
    type(w->lineField(QStringLiteral("oturan_kisi_sayisi")), QStringLiteral("123"));
    QCOMPARE(w->lineField(QStringLiteral("oturan_kisi_sayisi"))->text(), QStringLiteral("12"));
    m_prompt->enqueue(Answer::Yes, FlatRecordWindow::discardQuestion());
    w->cancelChange();
    QCOMPARE(w->state(), FlatRecordWindow::State::Browse);
}

void FlatRecordWindowTest::duplicateNumberStaysPending()
{
    addFlat(1, QStringLiteral("Ahmet"), QStringLiteral("Kaya"));
    FlatRecordWindow *w = window();
    w->newFlat();
    w->lineField(QStringLiteral("sicil_kodu"))->setText(QStringLiteral("1"));
    type(w->lineField(QStringLiteral("adi")), QStringLiteral("veli"));
    QVERIFY(!w->save());
    QCOMPARE(m_prompt->lastText(), QStringLiteral("1\n\r numarasında kayıt mevcut!"));
    QCOMPARE(w->state(), FlatRecordWindow::State::Insert);
    QCOMPARE(w->lineField(QStringLiteral("adi"))->text(), QStringLiteral("Veli"));

    w->lineField(QStringLiteral("sicil_kodu"))->setText(QString());
    QVERIFY(!w->save());
    QCOMPARE(m_prompt->lastText(), QStringLiteral("Kayıt no ve Adı kısımlarını boş geçemezsiniz!"));
    QCOMPARE(FlatRegister(m_app->storage().ana()).count(), 1);
}

void FlatRecordWindowTest::findShowsTheRowsOwnFlat()
{
    // Two namesakes: the search must show the flat of the row it stopped at, not the first
    // flat whose names begin the same way.
    const qint64 first = addFlat(1, QStringLiteral("Ali"), QStringLiteral("Kaya"));
    const qint64 second = addFlat(2, QStringLiteral("Ali"), QStringLiteral("Kaya"));
    FlatRecordWindow *w = window();
    w->searchEdit()->setText(QStringLiteral("ali kaya"));
    w->findMember();
    const qint64 found = w->currentFlat().hid;
    QVERIFY(found == first || found == second);
    w->findMember();
    QVERIFY(w->currentFlat().hid != found);
    QCOMPARE(w->gridModel()->hidAt(w->grid()->currentIndex().row()), w->currentFlat().hid);
}

void FlatRecordWindowTest::navigationAsksBeforeDropping()
{
    addFlat(1, QStringLiteral("Ahmet"), QStringLiteral("Kaya"));
    addFlat(2, QStringLiteral("Bora"), QStringLiteral("Er"));
    FlatRecordWindow *w = window();
    w->navigate(FlatRegister::Move::First);
    type(w->lineField(QStringLiteral("soyadi")), QStringLiteral("x"));
    QCOMPARE(w->state(), FlatRecordWindow::State::Edit);

    m_prompt->enqueue(Answer::No, FlatRecordWindow::discardQuestion());
    w->button(QStringLiteral("Sonraki"))->click();
    QCOMPARE(w->currentFlat().number(), 1);
    QCOMPARE(w->lineField(QStringLiteral("soyadi"))->text(),
             QStringLiteral("Kayax")); // not a word start: no capital

    m_prompt->enqueue(Answer::Yes, FlatRecordWindow::discardQuestion());
    w->button(QStringLiteral("Sonraki"))->click();
    QCOMPARE(w->currentFlat().number(), 2);
    QCOMPARE(FlatRegister(m_app->storage().ana())
                 .load(FlatRegister(m_app->storage().ana()).findByNumber(1))
                 ->text("soyadi"),
             QStringLiteral("Kaya"));
    w->button(QStringLiteral("Önceki"))->click(); // nothing pending: no question
    QCOMPARE(w->currentFlat().number(), 1);
}

void FlatRecordWindowTest::photoLimit()
{
    addFlat(1, QStringLiteral("Ahmet"), QStringLiteral("Kaya"));
    FlatRecordWindow *w = window();
    QTemporaryDir dir;
    const QString ok = dir.filePath(QStringLiteral("ok.jpg"));
    const QString big = dir.filePath(QStringLiteral("big.jpg"));
    for (const auto &[path, size] : {std::pair{ok, 122880}, std::pair{big, 122881}}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(size, 'p'));
    }
    QVERIFY(!w->loadPhoto(QStringLiteral("oturan_foto"), big));
    QCOMPARE(m_prompt->lastText(),
             QStringLiteral("Resim Boyutu 120,00 KB 120 KB tan büyük resim yüklemesi "
                            "yapamazsınız!"));
    QCOMPARE(w->state(), FlatRecordWindow::State::Browse);
    QVERIFY(w->loadPhoto(QStringLiteral("oturan_foto"), ok));
    QCOMPARE(w->state(), FlatRecordWindow::State::Edit);
    QVERIFY(w->save());
    const FlatRecord stored = *FlatRegister(m_app->storage().ana()).load(w->currentFlat().hid);
    QCOMPARE(stored.value("oturan_foto").toByteArray().size(), 122880);
}

void FlatRecordWindowTest::paymentPlanPage()
{
    const qint64 hid = addFlat(5, QStringLiteral("Şule"), QStringLiteral("Öz"));
    FlatRecordWindow *w = window();
    QVERIFY(w->showFlat(hid));
    FlatPaymentPlanPage *page = w->paymentPlanPage();

    // Start date first, then the total.
    page->buildPlan();
    QCOMPARE(m_prompt->lastText(), QStringLiteral("Başlama Tarihi Girmelisiniz!"));
    page->startEdit()->setText(QStringLiteral("31.01.2024"));
    page->buildPlan();
    QCOMPARE(m_prompt->lastText(), QStringLiteral("İşlem Tutarı Girmelisiniz!"));

    page->totalEdit()->setValue(1000);
    page->countBox()->setValue(3);
    page->stepBox()->setValue(1);
    page->buildPlan();
    QCOMPARE(page->dateEdit(0)->text(), QStringLiteral("31.01.2024"));
    QCOMPARE(page->dateEdit(1)->text(), QStringLiteral("29.02.2024"));
    QCOMPARE(page->dateEdit(2)->text(), QStringLiteral("31.03.2024"));
    QVERIFY(page->dateEdit(3)->isBlank());
    QCOMPARE(page->amountEdit(2)->text(), QStringLiteral("333,33"));
    QVERIFY(page->amountEdit(3)->text().isEmpty());

    page->descriptionEdit()->setText(QStringLiteral("Taksitli borç"));
    page->holderButton(AccountHolder::Owner)->setChecked(true);
    m_prompt->enqueue(Answer::Cancel, QStringLiteral("Aidat aktarım işlemi yapılacaktır."));
    QVERIFY(!page->postPlan());
    QCOMPARE(page->totalEdit()->text(), QStringLiteral("999,99"));
    QCOMPARE(
        scalar(m_app->storage().ana(), QStringLiteral("SELECT COUNT(*) FROM aiadataktar")).toInt(),
        0);

    m_prompt->enqueue(Answer::Yes, QStringLiteral("Aidat aktarım işlemi yapılacaktır."));
    QVERIFY(page->postPlan());
    QCOMPARE(m_prompt->lastText(), QStringLiteral("Aktarım işlemi tamamlanmıştır."));
    QCOMPARE(scalar(m_app->storage().ana(),
                    QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE aidat1id = "
                                   "(SELECT aid FROM aiadataktar) AND adi_soyadi = ? AND "
                                   "aciklama = ? AND borc = 333.33"),
                    {QStringLiteral("Şule Öz"), QStringLiteral("Taksitli borç")})
                 .toInt(),
             3);
}

void FlatRecordWindowTest::identityWarningsDoNotStopSaving()
{
    FlatRecordWindow *w = window();
    w->newFlat();
    w->identityCheckBox()->setChecked(true);
    type(w->lineField(QStringLiteral("adi")), QStringLiteral("can"));
    type(w->lineField(QStringLiteral("tc_kimlik")), QStringLiteral("10000000147"));
    type(w->lineField(QStringLiteral("oturan_adi")), QStringLiteral("ece"));
    type(w->lineField(QStringLiteral("oturan_tc_kimlik")), QStringLiteral("10000000146"));
    QVERIFY(w->save());
    QStringList warnings;
    for (const ScriptedPrompt::Shown &s : m_prompt->shown())
        warnings.append(s.text);
    QCOMPARE(warnings, QStringList{QStringLiteral("Daire Sahibi TC Kimlik Numarası Hatalıdır.")});
    QCOMPARE(w->currentFlat().number(), 1);
}

QTEST_MAIN(FlatRecordWindowTest)
#include "tst_flatrecordwindow.moc"
