// The ledger's screens as the program wires them together: a payment typed once must show once
// on every screen that reads the ledger, and the flat record's statement buttons open the right
// account with the right filters.

#include "ScreenTestProgram.h"
#include "TestSupport.h"
#include "balances/BalanceListColumns.h"
#include "balances/BalanceListModel.h"
#include "balances/BalanceListWindow.h"
#include "balances/BalanceScreens.h"
#include "common/AmountEdit.h"
#include "common/DateEdit.h"
#include "common/ScriptedPrompt.h"
#include "flats/FlatRecordWindow.h"
#include "flats/FlatRegister.h"
#include "ledger/SingleEntry.h"
#include "ledger/SingleEntryScreens.h"
#include "ledger/SingleEntryWindow.h"
#include "ledger/StatementScreens.h"
#include "ledger/StatementWindow.h"
#include "session/AppContext.h"
#include "session/ProgramScreens.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using namespace dalvira;

class LedgerScreensTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void paymentShowsOnceOnEveryScreen();
    void flatRecordOpensStatements_data();
    void flatRecordOpensStatements();

private:
    int count(const QString &sql, const QVariantList &params = {}) const
    {
        return scalar(m_app->storage().ana(), sql, params).toInt();
    }
    // The rows of the balance list whose cells in the named columns read as given.
    QList<int> balanceRows(const QHash<QString, QString> &cells) const;
    QString balanceCell(int row, const QString &caption) const;

    std::unique_ptr<test::ScreenTestProgram> m_program;
    ScriptedPrompt *m_prompt = nullptr;
    AppContext *m_app = nullptr;
    qint64 m_hid = 0;
};

void LedgerScreensTest::init()
{
    m_program = std::make_unique<test::ScreenTestProgram>();
    const QString failed = m_program->start();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_app = &m_program->app();
    m_prompt = &m_program->prompt();

    const QSqlDatabase db = m_app->storage().ana();
    insert(db, QStringLiteral("gelirtur"), {{"kodu", "01"}, {"adi", QStringLiteral("Aidat")}});
    FlatRecord flat;
    flat.set("sicil_kodu", 7);
    flat.set("adi", QStringLiteral("Ayşe"));
    flat.set("soyadi", QStringLiteral("Işık"));
    flat.set("oturan_adi", QStringLiteral("Ömer"));
    flat.set("oturan_soyadi", QStringLiteral("Çelik"));
    flat.set("onceki_ev_sahibi_adi", QStringLiteral("Hakan"));
    flat.set("onceki_ev_sahibi_soyadi", QStringLiteral("Er"));
    flat.set("blok", QStringLiteral("B"));
    flat.set("dairesi", QStringLiteral("12"));
    QVERIFY(FlatRegister(db).save(flat));
    m_hid = FlatRegister(db).findByNumber(7);
    QVERIFY(m_hid > 0);

    // March's dues of the resident, a USD charge of the owner and a debt of the former owner.
    SingleEntry entry(db);
    const auto post = [&](AccountHolder holder, const QString &date, double debit,
                          const QString &currency) {
        SingleEntryInput input;
        input.flatNumberText = QStringLiteral("7");
        input.dateText = date;
        input.debit = debit;
        input.currency = currency;
        input.type = QStringLiteral("Aidat");
        input.holder = holder;
        const SingleEntry::Checked checked = entry.check(input);
        QVERIFY2(checked.ok(), qPrintable(checked.refusal.message));
        QVERIFY(entry.save(*checked.plan));
    };
    post(AccountHolder::Resident, QStringLiteral("01.03.2024"), 1000, QStringLiteral("TL"));
    post(AccountHolder::Owner, QStringLiteral("02.03.2024"), 40, QStringLiteral("USD"));
    post(AccountHolder::FormerOwner, QStringLiteral("03.01.2024"), 75, QStringLiteral("TL"));

    registerProgramScreens(*m_app);
}

void LedgerScreensTest::cleanup()
{
    const QString problems = m_program->promptProblems();
    m_program.reset();
    QVERIFY2(problems.isEmpty(), qPrintable(problems));
}

QString LedgerScreensTest::balanceCell(int row, const QString &caption) const
{
    const BalanceListModel *model = balanceListWindow(*m_app)->model();
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->headerData(c, Qt::Horizontal).toString() == caption)
            return model->data(model->index(row, c)).toString();
    return QStringLiteral("<no column %1>").arg(caption);
}

QList<int> LedgerScreensTest::balanceRows(const QHash<QString, QString> &cells) const
{
    QList<int> rows;
    const BalanceListModel *model = balanceListWindow(*m_app)->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        bool all = true;
        for (auto it = cells.begin(); it != cells.end() && all; ++it)
            all = balanceCell(r, it.key()) == it.value();
        if (all)
            rows << r;
    }
    return rows;
}

void LedgerScreensTest::paymentShowsOnceOnEveryScreen()
{
    BalanceListWindow *balances = balanceListWindow(*m_app);
    balances->setReportDate(QDate(2024, 12, 31));
    balances->kindChoice(BalanceListKind::GeneralDetail)->setChecked(true);
    QVERIFY(balances->refresh());
    const QHash<QString, QString> resident{
        {QStringLiteral("Adı Soyadı"), QStringLiteral("Ömer Çelik")},
        {QStringLiteral("PB"), QStringLiteral("TL")}};
    QList<int> rows = balanceRows(resident);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(balanceCell(rows[0], QStringLiteral("Borcu")), QStringLiteral("1.000,00"));

    // "Ödeme/Tahsilat Ekle" on the resident's row opens the single entry on that flat.
    balances->grid()->setCurrentIndex(balances->model()->index(rows[0], 1));
    balances->popupAction(QStringLiteral("Ödeme/Tahsilat Ekle "))->trigger();
    SingleEntryWindow *entry = singleEntryWindow(*m_app);
    QVERIFY(entry->isVisible());
    QCOMPARE(entry->flatNumberField()->text(), QStringLiteral("7"));
    entry->setHolder(AccountHolder::Resident);
    entry->incomeBox()->setChecked(true);
    QTest::keyClicks(entry->dateField(), QStringLiteral("15032024"));
    QTest::keyClicks(entry->creditField(), QStringLiteral("1250,5"));
    m_prompt->enqueue(Answer::Yes, QStringLiteral("Ömer Çelik\n\r isimli kişiye ,00 Borç "
                                                  "1.250,50 Alacak kaydı yapılacaktır."));
    QTest::mouseClick(entry->saveButton(), Qt::LeftButton);
    QCOMPARE(m_prompt->pendingAnswers(), 0);

    // The balance list, refreshed: the same single row, the payment counted once.
    QVERIFY(balances->refresh());
    rows = balanceRows(resident);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(balanceCell(rows[0], QStringLiteral("Ödemesi")), QStringLiteral("1.250,50"));
    QCOMPARE(balanceCell(rows[0], QStringLiteral("Kalan Borcu")), QStringLiteral("-250,50"));

    // The statement of that row: the charge and the payment, one line each.
    balances->grid()->setCurrentIndex(balances->model()->index(rows[0], 1));
    balances->button(QStringLiteral("CARİ HESAP DETAYI"))->click();
    StatementWindow *statement = statementWindow(*m_app);
    QVERIFY(statement->isVisible());
    QCOMPARE(statement->titleLine(), QStringLiteral("Ömer Çelik"));
    QCOMPARE(statement->reportDateEdit()->date(), QDate(2024, 12, 31));
    QCOMPARE(statement->statement().totals.credit, Money::fromKurus(125050));
    statement->firstDayEdit()->setDate(QDate(2024, 1, 1));
    QVERIFY(statement->refresh());
    const QList<StatementLine> &lines = statement->statement().lines;
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[1].credit, Money::fromKurus(125050));
    QCOMPARE(lines[1].balance, Money::fromKurus(-25050));
    QCOMPARE(statement->grid()->model()->rowCount(), 2);

    // The operating book: one income line, linked both ways to the movement.
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM isletgelir")), 1);
    QCOMPARE(count(QStringLiteral("SELECT COUNT(*) FROM isletgelir g JOIN sicilcarihar m ON "
                                  "m.cid = g.sicilhareketid AND m.isletmegelirid = g.idi "
                                  "WHERE m.cid = ? AND g.toplamtutar = 1250.5"),
                   {lines[1].cid}),
             1);
}

void LedgerScreensTest::flatRecordOpensStatements_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filters"); // currency and type after opening
    QTest::addColumn<int>("lines");
    // The statement starts on TL and "Hepsi"; USD is chosen before each button. The current
    // people's and the whole flat's buttons set both filters to "Hepsi", the former people's
    // keep them.
    QTest::newRow("whole flat") << QStringLiteral("Dairenin Tüm Borcuna Bak")
                                << QStringLiteral("Tüm Daireye Ait Hareketler")
                                << QStringLiteral("Hepsi/Hepsi") << 3;
    QTest::newRow("owner") << QStringLiteral("Daire Sahibi Borcuna Bak")
                           << QStringLiteral("Ayşe Işık") << QStringLiteral("Hepsi/Hepsi") << 1;
    QTest::newRow("resident") << QStringLiteral("Dairede Oturan Borcuna Bak")
                              << QStringLiteral("Ömer Çelik") << QStringLiteral("Hepsi/Hepsi") << 1;
    QTest::newRow("former owner, USD kept")
        << QStringLiteral("Önceki Daire Sahibi Borcuna Bak") << QStringLiteral("Hakan Er")
        << QStringLiteral("USD/Hepsi") << 0;
}

void LedgerScreensTest::flatRecordOpensStatements()
{
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(QString, filters);
    QFETCH(int, lines);

    StatementWindow *statement = statementWindow(*m_app);
    openFlatStatement(*m_app, 7);
    statement->reportDateEdit()->setDate(QDate(2024, 12, 31));
    statement->firstDayEdit()->setDate(QDate(2024, 1, 1));
    statement->currencyList()->setCurrentText(QStringLiteral("USD"));

    auto *record = m_app->screens().screen<FlatRecordWindow>(FlatRecordWindow::kScreenName);
    QVERIFY(record->showFlat(m_hid));
    QPushButton *button = record->button(caption);
    QVERIFY(button);
    QVERIFY(button->isEnabled());
    button->click();

    QCOMPARE(statement->titleLine(), title);
    QCOMPARE(statement->currencyList()->currentText() + QLatin1Char('/') +
                 statement->typeList()->currentText(),
             filters);
    QCOMPARE(statement->statement().lines.size(), lines);
}

QTEST_MAIN(LedgerScreensTest)
#include "tst_ledgerscreens.moc"
