// The flat list screen: finding a flat by a Turkish search and picking it into a caller, the
// modes by caller tag, sorting by a column title, the grid's Enter, closing, printing,
// exporting and the main-menu command.
#include "ScreenTestProgram.h"
#include "TestSupport.h"
#include "common/ScriptedPrompt.h"
#include "flats/FlatListModel.h"
#include "flats/FlatListScreens.h"
#include "flats/FlatListWindow.h"
#include "report/Report.h"
#include "session/AppContext.h"
#include "session/MainMenu.h"
#include "session/SiteDirectory.h"
#include "spreadsheet/SheetReader.h"
#include "storage/ProgramFolder.h"
#include "storage/Sql.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <optional>

using namespace dalvira;

namespace {

void typeText(QWidget *w, const QString &text)
{
    w->setFocus();
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

QList<qint64> shownNumbers(const FlatListWindow *list)
{
    QList<qint64> numbers;
    for (const FlatListRow &r : list->model()->rows())
        numbers << r.flatNumber.toLongLong();
    return numbers;
}

} // namespace

class FlatListWindowTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<test::ScreenTestProgram> m_program;
    ScriptedPrompt *m_prompt = nullptr;
    AppContext *m_app = nullptr;
    FlatListWindow *m_list = nullptr;
    qint64 m_hidIsik = 0;

    qint64 addFlat(const ColumnValues &values)
    {
        return insert(m_app->storage().ana(), "siciltablo", values);
    }

    void click(const QString &caption)
    {
        QPushButton *b = m_list->button(caption);
        QVERIFY2(b, qPrintable(caption));
        b->click();
    }

private slots:
    void init()
    {
        m_program = std::make_unique<test::ScreenTestProgram>();
        const QString failed = m_program->start();
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        m_app = &m_program->app();
        m_prompt = &m_program->prompt();
        m_app->registerSessionScreens();
        registerFlatListScreens(*m_app);
        m_list = flatListWindow(*m_app);
        QVERIFY(m_list);
        m_list->setPreviewHandler([](const Report &) { QFAIL("unexpected preview"); });
        m_list->setExportOpener([](const QString &) { return Result::success(); });
    }

    void cleanup()
    {
        m_list = nullptr;
        const QString problems = m_program->promptProblems();
        m_program.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems));
    }

    void addFixture()
    {
        addFlat({{"sicil_kodu", 1},
                 {"adi", "Ahmet"},
                 {"soyadi", "Yılmaz"},
                 {"blok", "A"},
                 {"dairesi", "1"},
                 {"oturan_adi", "Ahmet"},
                 {"oturan_soyadi", "Yılmaz"}});
        addFlat({{"sicil_kodu", 2},
                 {"adi", "Ali'nin"},
                 {"soyadi", "Kaya"},
                 {"blok", "B"},
                 {"dairesi", "2"},
                 {"dis_kapi_numarasi", "7"},
                 {"oturan_adi", "Şahin"},
                 {"oturan_soyadi", "Öztürk"}});
        m_hidIsik = addFlat({{"sicil_kodu", 3},
                             {"adi", "IŞIK"},
                             {"soyadi", "ÇELİK"},
                             {"blok", "a"},
                             {"dairesi", "3"},
                             {"kisim", "K"},
                             {"oturan_adi", "Işıl"},
                             {"oturan_soyadi", "Ağ"},
                             {"onceki_ev_sahibi_adi", "Zeynep"},
                             {"onceki_ev_sahibi_soyadi", "Ak"}});
    }

    void turkishSearchPicksIntoCaller()
    {
        addFixture();
        std::optional<FlatPick> received;
        registerFlatPickCaller(*m_app, "KasaGiris",
                               {.deliver = [&](const FlatPick &p) { received = p; }});
        showFlatPicker(*m_app, "KasaGiris");
        QVERIFY(m_list->isVisible());
        QCOMPARE(m_list->model()->rowCount(), 3);

        // Typed in lower case, the first letter becomes its Turkish capital.
        typeText(m_list->nameEdit(), QStringLiteral("ışık"));
        QCOMPARE(m_list->nameEdit()->text(), QStringLiteral("Işık"));
        click(QStringLiteral("TÜMÜNÜ BUL"));
        QCOMPARE(shownNumbers(m_list), QList<qint64>{3});

        m_prompt->enqueue(Answer::No, QStringLiteral("Dairede oturan Işıl Ağ adına"));
        click(QStringLiteral("SEÇ"));
        QVERIFY(received.has_value());
        QCOMPARE(received->flat.hid, m_hidIsik);
        QCOMPARE(received->holderName, QStringLiteral("Işıl Ağ"));
        QCOMPARE(received->names.owner, QStringLiteral("IŞIK ÇELİK"));
        QCOMPARE(received->flat.blockFlatSection(), QStringLiteral("a 3 K"));
        QCOMPARE(received->mode, FlatPickMode::CurrentHolders);
        QCOMPARE(m_prompt->shown().size(), 1);
        QCOMPARE(m_prompt->shown().first().caption, QStringLiteral("Tolvek Dalvira Programı"));

        // The pick closes the list: tag cleared, fields emptied, query closed.
        QVERIFY(!m_list->isVisible());
        QVERIFY(m_app->session().flatPickerCaller.isEmpty());
        QVERIFY(m_list->nameEdit()->text().isEmpty());
        QVERIFY(!m_list->isOpen());
        QCOMPARE(m_app->session().flatPickMode, QStringLiteral("1"));
    }

    void nameFieldCapitals_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("dotted i") << "ismail"
                                  << "İsmail";
        QTest::newRow("every word") << "şule çiğdem öz"
                                    << "Şule Çiğdem Öz";
        QTest::newRow("after two blanks") << "ali  ünal"
                                          << "Ali  Ünal";
        QTest::newRow("inside a word untouched") << "xiı"
                                                 << "Xiı";
        QTest::newRow("digits and apostrophe") << "3 ali'nin"
                                               << "3 Ali'nin";
    }

    void nameFieldCapitals()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        m_list->showForCaller(FlatListWindow::kMainMenuCaller);
        typeText(m_list->nameEdit(), typed);
        QCOMPARE(m_list->nameEdit()->text(), shown);
    }

    void gridCallerByDoubleClickWithoutQuestion()
    {
        addFixture();
        std::optional<FlatPick> received;
        registerFlatPickCaller(*m_app, "BorcAlacak",
                               {.choosesHolder = true,
                                .gridCaller = true,
                                .deliver = [&](const FlatPick &p) { received = p; }});
        showFlatPicker(*m_app, "BorcAlacak", 7);
        const int row = m_list->model()->rowOfHid(1);
        QVERIFY(row >= 0);
        const QRect cell = m_list->grid()->visualRect(m_list->model()->index(row, 1));
        QTest::mouseClick(m_list->grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(m_list->grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(received.has_value());
        QCOMPARE(received->row, 7);
        QCOMPARE(received->holderName, QStringLiteral("Ahmet Yılmaz")); // owner lives there
        QVERIFY(m_prompt->shown().isEmpty());
        QCOMPARE(m_app->session().flatPickerRow, 0);
    }

    void formerHoldersPick()
    {
        addFixture();
        std::optional<FlatPick> received;
        registerFlatPickCaller(
            *m_app, "cari",
            {.choosesHolder = false, .deliver = [&](const FlatPick &p) { received = p; }});
        showFlatPicker(*m_app, "cari");
        m_list->setCurrentRow(m_list->model()->rowOfHid(m_hidIsik));
        m_list->action(QStringLiteral("Eski Malik/Oturan Seç"))->trigger();
        QVERIFY(received.has_value());
        QCOMPARE(received->mode, FlatPickMode::FormerHolders);
        QCOMPARE(received->names.owner, QStringLiteral("Zeynep Ak"));
        QCOMPARE(received->names.resident, QStringLiteral("Işıl Ağ"));
        QVERIFY(received->holderName.isEmpty()); // this caller takes all four names, no question
        QCOMPARE(m_app->session().flatPickMode, QStringLiteral("2"));
    }

    void picksWithoutWaitingCallerDoNothing_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::newRow("main menu") << "anaform";
        QTest::newRow("no tag") << "";
        QTest::newRow("caller not registered") << "BankaAktarYeni";
    }

    void picksWithoutWaitingCallerDoNothing()
    {
        QFETCH(QString, tag);
        addFixture();
        m_list->showForCaller(tag);
        click(QStringLiteral("SEÇ"));
        QVERIFY(m_list->isVisible());
        QCOMPARE(m_app->session().flatPickerCaller, tag);
        QVERIFY(m_list->isOpen());
    }

    void flatRecordModeShowsTheFlatOnClosing()
    {
        addFixture();
        QList<qint64> shown;
        m_list->setOpenFlatHandler([&](qint64 hid) { shown << hid; });
        m_list->showForCaller(FlatListWindow::kFlatRecordCaller);
        m_list->setCurrentRow(m_list->model()->rowOfHid(m_hidIsik));
        click(QStringLiteral("KAPAT"));
        QCOMPARE(shown, QList<qint64>{m_hidIsik});
        QVERIFY(m_list->isOpen()); // the record screen's list stays

        // A pick in this mode shows the flat too and clears the tag.
        m_list->showForCaller(FlatListWindow::kFlatRecordCaller);
        m_list->setCurrentRow(m_list->model()->rowOfHid(1));
        click(QStringLiteral("SEÇ"));
        QCOMPARE(shown, (QList<qint64>{m_hidIsik, 1}));
        QVERIFY(m_app->session().flatPickerCaller.isEmpty());
        QVERIFY(!m_list->isVisible());
    }

    void searchCommandsAndClosing()
    {
        addFixture();
        m_list->showForCaller(FlatListWindow::kMainMenuCaller);
        m_list->blockEdit()->setText(QStringLiteral("A"));
        m_list->blockCheck()->setChecked(true);
        click(QStringLiteral("TÜMÜNÜ BUL"));
        QCOMPARE(shownNumbers(m_list), (QList<qint64>{1, 3}));

        typeText(m_list->flatNumberEdit(), QStringLiteral("2x"));
        QCOMPARE(m_list->flatNumberEdit()->text(), QStringLiteral("2")); // digits only
        typeText(m_list->nameEdit(), QStringLiteral("ahmet"));
        click(QStringLiteral("TÜMÜNÜ BUL"));
        QCOMPARE(shownNumbers(m_list), QList<qint64>{2}); // the number decides

        m_list->action(QStringLiteral("Yeni Arama"))->trigger();
        QVERIFY(m_list->flatNumberEdit()->text().isEmpty());
        QVERIFY(m_list->nameEdit()->text().isEmpty());
        QVERIFY(!m_list->isFilterOn());
        QCOMPARE(m_list->model()->rowCount(), 3); // restriction off with the filter

        click(QStringLiteral("YENİLE"));
        QVERIFY(m_list->isFilterOn());
        QCOMPARE(m_list->currentOrder().field, QStringLiteral("sicil_kodu"));
        QCOMPARE(shownNumbers(m_list), (QList<qint64>{1, 3}));

        typeText(m_list->nameEdit(), QStringLiteral("ö"));
        m_list->setCurrentRow(0);
        click(QStringLiteral("SIRAYLA BUL")); // finds nothing in the restricted list
        QCOMPARE(m_list->currentRow(), 0);
        m_list->action(QStringLiteral("Kapat"))->trigger();
        QVERIFY(!m_list->isVisible());
        QVERIFY(m_list->nameEdit()->text().isEmpty());
        QVERIFY(!m_list->isOpen());

        // The next opening shows every flat: the filter was switched off on closing.
        m_list->showForCaller(FlatListWindow::kMainMenuCaller);
        QCOMPARE(m_list->model()->rowCount(), 3);
        QVERIFY(m_list->blockCheck()->isChecked());
    }

    void sortingByColumnTitleAlternates()
    {
        addFixture();
        m_list->showForCaller(FlatListWindow::kMainMenuCaller);
        QHeaderView *header = m_list->grid()->horizontalHeader();
        const int column = 7; // "Adı (Sahibi)"
        QCOMPARE(m_list->model()->headerData(column, Qt::Horizontal).toString(),
                 QStringLiteral("Adı (Sahibi)"));
        const QPoint at(header->sectionViewportPosition(column) + 5, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(m_list->currentOrder().direction, QStringLiteral("ASC"));
        QCOMPARE(shownNumbers(m_list), (QList<qint64>{1, 2, 3})); // ahmet, ali'nin, ışık
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(m_list->currentOrder().direction, QStringLiteral("DESC"));
        QCOMPARE(shownNumbers(m_list), (QList<qint64>{3, 2, 1}));
    }

    void gridEnterWalksAlongTheRow()
    {
        addFixture();
        m_list->showForCaller(FlatListWindow::kMainMenuCaller);
        QTableView *grid = m_list->grid();
        const int last = m_list->model()->columnCount() - 1;
        grid->setCurrentIndex(m_list->model()->index(0, last));
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(grid->currentIndex(), m_list->model()->index(1, 0));
        QTest::keyClick(grid, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(grid->currentIndex(), m_list->model()->index(0, last));
        QVERIFY(m_list->isVisible()); // Enter never picks
    }

    void printsTheListAsShown()
    {
        addFixture();
        std::optional<Report> previewed;
        m_list->setPreviewHandler([&](const Report &r) { previewed = r; });
        m_list->showForCaller(FlatListWindow::kMainMenuCaller);
        m_list->blockEdit()->setText(QStringLiteral("a"));
        m_list->blockCheck()->setChecked(true);
        click(QStringLiteral("TÜMÜNÜ BUL"));
        m_list->printChoice()->setCurrentText(QStringLiteral("Oturanlar Hazirun"));
        m_list->action(QStringLiteral("Yazdır (Önizleme)"))->trigger();
        QVERIFY(previewed.has_value());
        QCOMPARE(previewed->previewTitle,
                 QStringLiteral("Tolvek Rapor Önizleme - Dairede Oturanlar Hazirun Raporu"));
        QCOMPARE(previewed->text(QStringLiteral("SiteName")), QStringLiteral("Deneme Sitesi"));
        QCOMPARE(previewed->rows.size(), 2);
        QCOMPARE(previewed->cellText(1, 3), QStringLiteral("Işıl Ağ"));
    }

    void exportEmptiesTheSearchAndOrdersByNumber()
    {
        addFixture();
        QTemporaryDir dir;
        QString opened;
        m_list->setExportFolder(dir.path());
        m_list->setExportOpener([&](const QString &path) {
            opened = path;
            return Result::failure(QStringLiteral("Excel açılamadı. Sistem Mesajı: yok"));
        });
        m_list->showForCaller(FlatListWindow::kMainMenuCaller);
        typeText(m_list->nameEdit(), QStringLiteral("ali"));
        click(QStringLiteral("TÜMÜNÜ BUL"));
        QCOMPARE(m_list->model()->rowCount(), 1);
        click(QStringLiteral("EXCEL'E AKT."));
        QVERIFY(m_list->nameEdit()->text().isEmpty());
        QCOMPARE(opened, m_list->lastExportPath());
        QCOMPARE(m_prompt->lastText(), QStringLiteral("Excel açılamadı. Sistem Mesajı: yok"));
        m_prompt->clear();

        SheetGrid sheet;
        QVERIFY(SheetReader::read(opened, sheet));
        QCOMPARE(sheet.cell(1, 1), QStringLiteral("Deneme Sitesi "));
        QCOMPARE(sheet.cell(4, 1), QStringLiteral("1"));
        QCOMPARE(sheet.cell(5, 9), QStringLiteral("Ali'nin Kaya"));
        QCOMPARE(sheet.cell(6, 1), QStringLiteral("3"));
    }

    void menuCommand()
    {
        int flatEntryRuns = 0;
        m_app->setMenuCommand(QStringLiteral("Daire Girişi"), [&] { ++flatEntryRuns; });
        auto *menu = m_app->screens().screen<MainMenu>(AppContext::kMainMenu);
        QVERIFY(menu);

        // No flat yet: the offer to enter one; No does nothing, Yes runs "Daire Girişi".
        m_prompt->enqueue(Answer::No,
                          QStringLiteral("Daire kaydı mevcut değil! Açmak istermisiniz?"));
        QVERIFY(menu->runCommand(QStringLiteral("Kayıtlı Daire Listeleri")));
        QCOMPARE(flatEntryRuns, 0);
        m_prompt->enqueue(Answer::Yes, QStringLiteral("Daire kaydı mevcut değil!"));
        menu->runCommand(QStringLiteral("Kayıtlı Daire Listeleri"));
        QCOMPARE(flatEntryRuns, 1);
        QCOMPARE(m_prompt->shown().last().caption, QStringLiteral("Tolvek Dalvira"));
        QVERIFY(!m_list->isVisible());

        // With flats, even when a restriction hides them all, the list opens in main-menu mode.
        addFixture();
        m_list->blockEdit()->setText(QStringLiteral("Z"));
        m_list->blockCheck()->setChecked(true);
        menu->runCommand(QStringLiteral("Kayıtlı Daire Listeleri"));
        QVERIFY(m_list->isVisible());
        QCOMPARE(m_app->session().flatPickerCaller, QStringLiteral("anaform"));
    }
};

QTEST_MAIN(FlatListWindowTest)
#include "tst_flatlistwindow.moc"
