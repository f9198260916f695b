#include "ScreenTestProgram.h"
#include "TestSupport.h"
#include "book/ReferenceScreens.h"
#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "common/ScriptedPrompt.h"
#include "flats/FlatRegister.h"
#include "ledger/SingleEntryScreens.h"
#include "session/AppContext.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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

class SingleEntryWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openForFillsTheFlat();
    void paymentThroughTheScreen_data();
    void paymentThroughTheScreen();
    void refusalKeepsTheFields();
    void answerNoWritesNothing();
    void sortedTypes();

private:
    int count(const QString &sql, const QVariantList &params = {}) const;
    SingleEntryWindow *window() const { return singleEntryWindow(*m_app); }

    std::unique_ptr<test::ScreenTestProgram> m_program;
    ScriptedPrompt *m_prompt = nullptr;
    AppContext *m_app = nullptr;
};

void SingleEntryWindowTest::init()
{
    m_program = std::make_unique<test::ScreenTestProgram>();
    const QString failed = m_program->start();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_app = &m_program->app();
    m_prompt = &m_program->prompt();

    const QSqlDatabase db = m_app->storage().ana();
    insert(db, QStringLiteral("gelirtur"), {{"kodu", "01"}, {"adi", QStringLiteral("Yakıt")}});
    insert(db, QStringLiteral("gelirtur"), {{"kodu", "02"}, {"adi", QStringLiteral("Aidat")}});
    FlatRecord flat;
    flat.set("sicil_kodu", 7);
    flat.set("adi", QStringLiteral("Ayşe"));
    flat.set("soyadi", QStringLiteral("Işık"));
    flat.set("oturan_adi", QStringLiteral("Ömer"));
    flat.set("oturan_soyadi", QStringLiteral("Çelik"));
    flat.set("blok", QStringLiteral("B"));
    flat.set("dairesi", QStringLiteral("12"));
    QVERIFY(FlatRegister(db).save(flat));

    registerReferenceScreens(*m_app);
    registerSingleEntryScreens(*m_app);
    QVERIFY(window());
}

void SingleEntryWindowTest::cleanup()
{
    const QString problems = m_program->promptProblems();
    m_program.reset();
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

int SingleEntryWindowTest::count(const QString &sql, const QVariantList &params) const
{
    return scalar(m_app->storage().ana(), sql, params).toInt();
}

void SingleEntryWindowTest::openForFillsTheFlat()
{
    SingleEntryWindow *w = window();
    w->openFor(7, QStringLiteral("Ayşe Işık"), SingleEntryWindow::Focus::Credit);
    QVERIFY(w->isVisible());
    QCOMPARE(w->nameField(AccountHolder::Owner)->text(), QStringLiteral("Ayşe Işık"));
    QCOMPARE(w->nameField(AccountHolder::Resident)->text(), QStringLiteral("Ömer Çelik"));
    QCOMPARE(w->blockField()->text(), QStringLiteral("B"));
    QCOMPARE(w->flatField()->text(), QStringLiteral("12"));
    QCOMPARE(w->holder(), AccountHolder::Owner);
    QCOMPARE(w->typeList()->currentText(), QStringLiteral("Yakıt")); // first in code order
    QCOMPARE(w->methodList()->currentText(), QStringLiteral("Kasa"));
    QCOMPARE(w->currencyList()->currentText(), QStringLiteral("TL"));
    QVERIFY(w->incomeBox()->isChecked());
    QVERIFY(!w->interestBox()->isChecked());

    w->flatNumberField()->setText(QStringLiteral("99"));
    m_prompt->clear();
    QVERIFY(!w->fetchFlat());
    QCOMPARE(m_prompt->lastText(), QStringLiteral("Kayıt bulunamadı!"));
}

void SingleEntryWindowTest::paymentThroughTheScreen_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::newRow("with income line") << true;
    QTest::newRow("ledger only") << false;
}

void SingleEntryWindowTest::paymentThroughTheScreen()
{
    QFETCH(bool, ticked);
    SingleEntryWindow *w = window();
    w->openFor(7, QStringLiteral("Ömer Çelik"));
    w->typeList()->setCurrentIndex(w->typeList()->findText(QStringLiteral("Aidat")));
    w->incomeBox()->setChecked(ticked);
    QTest::keyClicks(w->dateField(), QStringLiteral("05032024"));
    QTest::keyClicks(w->creditField(), QStringLiteral("1250,5"));
    type(w->descriptionField(), QStringLiteral("Mart ödemesi"));

    m_prompt->enqueue(Answer::Yes, QStringLiteral("Ömer Çelik\n\r isimli kişiye ,00 Borç "
                                                  "1.250,50 Alacak kaydı yapılacaktır."));
    QTest::mouseClick(w->saveButton(), Qt::LeftButton);
    QCOMPARE(m_prompt->pendingAnswers(), 0);

    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM sicilcarihar")), 1);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM sicilcarihar WHERE sicil_kodu = 7 AND "
                                  "adi_soyadi = ? AND alacak = 1250.5 AND borc IS NULL AND "
                                  "islem_tarihi = '2024-03-05' AND aidat_turu = 'Aidat' AND "
                                  "aciklama = ? AND para_cinsi = 'TL' AND blok = 'B'"),
                   {QStringLiteral("Ömer Çelik"), QStringLiteral("Mart ödemesi")}),
             1);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM isletgelir")), ticked ? 1 : 0);
    if (ticked)
        QCOMPARE(count(QStringLiteral(
                     "SELECT COUNT(*) FROM isletgelir g JOIN sicilcarihar m ON "
                     "g.sicilhareketid = m.cid AND m.isletmegelirid = g.idi WHERE "
                     "g.toplamtutar = 1250.5 AND g.islemturu = 'Kasa' AND g.mahsupid = 1")),
                 1);

    // Ready for the next entry: the flat and amounts gone, the choices kept.
    QVERIFY(w->flatNumberField()->text().isEmpty());
    QVERIFY(w->nameField(AccountHolder::Owner)->text().isEmpty());
    QVERIFY(w->creditField()->text().isEmpty() || w->creditField()->value() == 0);
    QVERIFY(w->dateField()->isBlank());
    QCOMPARE(w->typeList()->currentText(), QStringLiteral("Aidat"));
    QCOMPARE(w->incomeBox()->isChecked(), ticked);
    QCOMPARE(w->holder(), AccountHolder::Resident);
}

void SingleEntryWindowTest::refusalKeepsTheFields()
{
    SingleEntryWindow *w = window();
    w->openFor(7, QStringLiteral("Ömer Çelik"));
    w->dateField()->setText(QStringLiteral("31.02.2024"));
    w->debitField()->setValue(10);
    w->descriptionField()->setText(QStringLiteral("Onarım"));
    m_prompt->clear();
    QVERIFY(!w->save());
    QCOMPARE(m_prompt->lastText(), QStringLiteral("\"31.02.2024\" tarih girişiniz uygun değil!"));
    QVERIFY(w->dateField()->isBlank());
    QCOMPARE(w->descriptionField()->text(), QStringLiteral("Onarım"));
    QCOMPARE(w->debitField()->value(), 10.0);
    QCOMPARE(w->flatNumberField()->text(), QStringLiteral("7"));

    w->dateField()->setText(QStringLiteral("01.03.2024"));
    w->creditField()->setValue(10);
    QVERIFY(!w->save());
    QVERIFY(m_prompt->lastText().startsWith(QStringLiteral("Sadece Borç veya Alacak")));
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM sicilcarihar")), 0);
}

void SingleEntryWindowTest::answerNoWritesNothing()
{
    SingleEntryWindow *w = window();
    w->openFor(7, QStringLiteral("Ömer Çelik"));
    w->dateField()->setText(QStringLiteral("01.03.2024"));
    w->creditField()->setValue(10);
    m_prompt->enqueue(Answer::No, QStringLiteral("Devam edilsinmi?"));
    QVERIFY(!w->save());
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM sicilcarihar")), 0);
    QCOMPARE(w->flatNumberField()->text(), QStringLiteral("7"));
    QCOMPARE(w->creditField()->value(), 10.0);
}

void SingleEntryWindowTest::sortedTypes()
{
    SingleEntryWindow *w = window();
    w->openFor(7, QString());
    QCOMPARE(w->typeList()->itemText(0), QStringLiteral("Yakıt"));
    w->sortTypes()->setChecked(true);
    QCOMPARE(w->typeList()->itemText(0), QStringLiteral("Aidat"));
    QCOMPARE(w->typeList()->currentText(), QStringLiteral("Yakıt")); // the choice stays
    w->sortTypes()->setChecked(false);
    QCOMPARE(w->typeList()->itemText(0), QStringLiteral("Yakıt"));
}

QTEST_MAIN(SingleEntryWindowTest)
#include "tst_singleentrywindow.moc"
