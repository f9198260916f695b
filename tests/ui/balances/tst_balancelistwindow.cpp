// The balance list screen: the menu command, the kind choices and role, "Sadece Borçlular",
// grand totals, search, and the statement and payment hooks a row calls.
#include "ScreenTestProgram.h"
#include "TestSupport.h"
#include "balances/BalanceListModel.h"
#include "balances/BalanceListWindow.h"
#include "balances/BalanceScreens.h"
#include "common/ScriptedPrompt.h"
#include "ledger/MovementWriter.h"
#include "session/AppContext.h"
#include "session/MainMenu.h"
#include "session/SiteDirectory.h"
#include "session/SiteRecord.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>
#include <memory>

using namespace dalvira;

class BalanceListWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::ScreenTestProgram> m_program;
    ScriptedPrompt *m_prompt = nullptr;
    AppContext *m_app = nullptr;
    BalanceListWindow *m_window = nullptr;
    QList<StatementRequest> m_statements;
    QList<PaymentEntryRequest> m_payments;

    void move(int flat, const QString &holder, double debit, double credit, const QString &currency)
    {
        LedgerMovement m;
        m.flatNumber = flat;
        m.holder = holder;
        m.date = QDate(2024, 3, 1);
        m.debit = debit;
        m.credit = credit;
        m.currency = currency;
        m.type = QStringLiteral("Aidat");
        appendMovement(m_app->storage().ana(), m);
    }

    int rowOfFlat(int flat) const
    {
        const auto &rows = m_window->list().rows;
        for (int i = 0; i < rows.size(); ++i)
            if (rows.at(i).flatNumber == flat)
                return i;
        return -1;
    }

    void select(int row) { m_window->grid()->setCurrentIndex(m_window->model()->index(row, 1)); }

private slots:
    void init()
    {
        m_program = std::make_unique<test::ScreenTestProgram>();
        const QString failed = m_program->start();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        m_app = &m_program->app();
        m_prompt = &m_program->prompt();

        const QSqlDatabase db = m_app->storage().ana();
        insert(db, "siciltablo",
               {{"sicil_kodu", 1},
                {"blok", "A"},
                {"dairesi", "1"},
                {"adi", "Ali"},
                {"soyadi", "Yılmaz"},
                {"oturan_adi", "Veli"},
                {"oturan_soyadi", "Kaya"}});
        insert(db, "siciltablo",
               {{"sicil_kodu", 2},
                {"blok", "B"},
                {"dairesi", "2"},
                {"adi", "Şule"},
                {"soyadi", "Işık"}});
        move(1, "Ali Yılmaz", 100, 0, "TL");
        move(1, "Ali Yılmaz", 0, 40, "TL");
        move(1, "Veli Kaya", 20, 0, "USD");
        move(2, "Şule Işık", 30, 0, "TL");
        move(2, "Şule Işık", 0, 30, "TL");

        m_app->registerSessionScreens();
        registerBalanceScreens(*m_app);
        m_window = balanceListWindow(*m_app);
        QVERIFY(m_window);
        m_window->setReportDate(QDate(2024, 3, 31));
        m_statements.clear();
        m_payments.clear();
        m_window->openStatement = [this](const StatementRequest &r) { m_statements << r; };
        m_window->openPaymentEntry = [this](const PaymentEntryRequest &r) { m_payments << r; };
    }

    void cleanup()
    {
        const QString problems = m_program->promptProblems();
        m_program.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void menuCommandBuildsTheFlatList()
    {
        auto *menu = m_app->screens().screen<MainMenu>(AppContext::kMainMenu);
        QVERIFY(menu);
        QVERIFY(menu->runCommand(QStringLiteral("Aidat Borç Alacak Raporu")));
        QVERIFY(m_window->isVisible());
        QCOMPARE(m_window->list().kind, BalanceListKind::GeneralFlat);
        // TL and USD totals first, drawn bold; then the flats.
        QCOMPARE(m_window->model()->rowCount(), 5);
        QVERIFY(m_window->model()->isTotalRow(0) && m_window->model()->isTotalRow(1));
        QCOMPARE(m_window->model()->index(0, 5).data().toString(), QStringLiteral("Toplam"));
        QCOMPARE(m_window->totalField("Borç")->text(), QStringLiteral("150,00"));
        QCOMPARE(m_window->totalField("Alacak")->text(), QStringLiteral("70,00"));
        QCOMPARE(m_window->totalField("Bakiye")->text(), QStringLiteral("80,00"));
        for (const char *later : {"EXCEL'E AKTAR", "FAİZ/ORT.VADE RAPORU", "SMS RAPORU"})
            QVERIFY(!m_window->button(QString::fromUtf8(later))->isEnabled());
    }

    void kindRoleAndDebtors()
    {
        m_window->kindChoice(BalanceListKind::GeneralDetail)->click();
        QCOMPARE(m_window->list().kind, BalanceListKind::GeneralDetail);
        QCOMPARE(m_window->model()->headerData(4, Qt::Horizontal).toString(),
                 QStringLiteral("Adı Soyadı"));

        auto *role = m_window->findChild<QComboBox *>(QStringLiteral("rol"));
        role->setCurrentText(QStringLiteral("Oturan"));
        emit role->activated(role->currentIndex());
        QCOMPARE(m_window->list().rows.size(), 2); // Veli's USD row and its total
        QCOMPARE(m_window->list().rows.at(1).holder, QStringLiteral("Veli Kaya"));
        role->setCurrentIndex(0);

        // From a pivot the debtor filter falls back to the detail list and says so.
        m_window->kindChoice(BalanceListKind::TypedFlatSummary)->click();
        QCOMPARE(m_window->list().types, QStringList{QStringLiteral("Aidat")});
        QCOMPARE(m_window->totalField("Borç")->text(), QStringLiteral(",00"));
        m_window->findChild<QCheckBox *>()->click(); // "Sadece Borçlular" is the first box
        QCOMPARE(m_window->list().kind, BalanceListKind::GeneralDetail);
        QVERIFY(m_window->kindChoice(BalanceListKind::GeneralDetail)->isChecked());
        QCOMPARE(rowOfFlat(2), -1); // paid up
        QCOMPARE(m_window->totalField("Borç")->text(), QStringLiteral("120,00"));
    }

    void rowCommandsCallTheHooks()
    {
        m_window->kindChoice(BalanceListKind::GeneralDetail)->click();
        // On a total row nothing opens.
        select(0);
        m_window->button(QStringLiteral("CARİ HESAP DETAYI"))->click();
        m_window->popupAction(QStringLiteral("Ödeme/Tahsilat Ekle "))->trigger();
        QTest::mouseDClick(m_window->grid()->viewport(), Qt::LeftButton, {},
                           m_window->grid()->visualRect(m_window->model()->index(0, 1)).center());
        QVERIFY(m_statements.isEmpty() && m_payments.isEmpty());

        const int row = rowOfFlat(2);
        select(row);
        m_window->button(QStringLiteral("CARİ HESAP DETAYI"))->click();
        m_window->button(QStringLiteral("TÜM DAİRE DETAYI"))->click();
        m_window->button(QStringLiteral("KİŞİNİN HAREKETLERİ"))->click();
        QCOMPARE(m_statements.size(), 3);
        QCOMPARE(m_statements.at(0).scope, StatementScope::HolderInFlat);
        QCOMPARE(m_statements.at(0).holder, QStringLiteral("Şule Işık"));
        QCOMPARE(m_statements.at(0).flatNumber, 2);
        QCOMPARE(m_statements.at(0).reportDate, QDate(2024, 3, 31));
        QCOMPARE(m_statements.at(1).caption, QStringLiteral("Tüm Daireye Ait Hareketler"));
        QCOMPARE(m_statements.at(2).scope, StatementScope::HolderEverywhere);

        m_window->popupAction(QStringLiteral("Ödeme/Tahsilat Ekle "))->trigger();
        m_window->button(QStringLiteral("ÖDEME/TAHSİLAT EKLE"))->click();
        QCOMPARE(m_payments.size(), 2);
        QCOMPARE(m_payments.at(0).flatNumber, 2);
        QCOMPARE(m_payments.at(1).flatNumber, 0);
    }

    void searchMovesTheCurrentRow()
    {
        m_window->kindChoice(BalanceListKind::GeneralDetail)->click();
        auto *text = m_window->findChild<QLineEdit *>(QStringLiteral("uyeAdindan"));
        text->setFocus();
        for (const QChar ch : QStringLiteral("IŞIK"))
            QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        m_window->button(QStringLiteral("Ara"))->click();
        QCOMPARE(m_window->grid()->currentIndex().row(), rowOfFlat(2));
    }
};

QTEST_MAIN(BalanceListWindowTest)
#include "tst_balancelistwindow.moc"
