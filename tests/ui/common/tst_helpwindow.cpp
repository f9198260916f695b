#include "common/HelpWindow.h"
#include "common/RtfText.h"
#include "storage/ProgramFolder.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

using namespace dalvira;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void windowTexts();
    void showTopicLoadsFileAndShows_data();
    void showTopicLoadsFileAndShows();
    void missingFileKeepsText();
    void choosingTopicLoadsItsFile();
    void readsProgramFolderByDefault();
    void closeHides();
    void rtfToPlainText_data();
    void rtfToPlainText();

private:
    QTemporaryDir m_dir;
};

void TestHelpWindow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY(writeFile(m_dir.filePath("ygiris"),
                      "<html><body><h1>Programa Giriş</h1><p>Site seçimi <b>burada</b>.</p>"
                      "</body></html>"));
    QVERIFY(writeFile(m_dir.filePath("yanamenu"), "Ana menü\nİkinci satır"));
    QVERIFY(writeFile(m_dir.filePath("ykasa"),
                      "{\\rtf1\\ansi\\ansicpg1254{\\fonttbl{\\f0 Tahoma;}}"
                      "\\f0\\fs20 G\\'fcnl\\'fck Kasa\\par \\'dd\\'fe\\'fe\\'f0\\'fd}"));
    QVERIFY(writeFile(m_dir.filePath("ysicilrapor"), "Daire listesi yardımı"));
}

void TestHelpWindow::windowTexts()
{
    HelpWindow w;
    QCOMPARE(w.objectName(), QStringLiteral("yardimF"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Tolvek Dalvira Programı Yardım"));
    QVERIFY(w.textArea()->isReadOnly());
    QCOMPARE(w.closeButton()->text(), QStringLiteral("KAPAT"));
    QCOMPARE(w.topicList()->count(), 17);
    QCOMPARE(w.topicList()->itemText(0), QStringLiteral("Programa Giriş ve Site/Apartman Seçimi"));
    QCOMPARE(w.topicList()->itemData(16).toString(), QStringLiteral("yaidathareket"));
}

void TestHelpWindow::showTopicLoadsFileAndShows_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("listIndex");
    QTest::newRow("rich text") << "ygiris"
                               << "Programa Giriş\nSite seçimi burada." << 0;
    QTest::newRow("plain text") << "yanamenu"
                                << "Ana menü\nİkinci satır" << 1;
    QTest::newRow("rtf") << "ykasa"
                         << "Günlük Kasa\nİşşğı" << 15;
    QTest::newRow("topic outside the list") << "ysicilrapor"
                                            << "Daire listesi yardımı" << -1;
}

void TestHelpWindow::showTopicLoadsFileAndShows()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(int, listIndex);
    HelpWindow w;
    w.setTopicFolder(m_dir.path());
    w.showTopic(file);
    QVERIFY(w.isVisible());
    QCOMPARE(w.textArea()->toPlainText(), text);
    QCOMPARE(w.topicList()->currentIndex(), listIndex);
}

void TestHelpWindow::missingFileKeepsText()
{
    HelpWindow w;
    w.setTopicFolder(m_dir.path());
    w.showTopic(QStringLiteral("yanamenu"));
    QVERIFY(!w.loadTopic(QStringLiteral("ydairegiris")));
    w.showTopic(QStringLiteral("ybankaaktar"));
    QVERIFY(w.isVisible());
    QCOMPARE(w.textArea()->toPlainText(), QStringLiteral("Ana menü\nİkinci satır"));
}

void TestHelpWindow::choosingTopicLoadsItsFile()
{
    HelpWindow w;
    w.setTopicFolder(m_dir.path());
    w.showTopic(QStringLiteral("ygiris"));
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.topicList()->setFocus();
    QTest::keyClick(w.topicList(), Qt::Key_Down);
    QCOMPARE(w.topicList()->currentIndex(), 1);
    QCOMPARE(w.textArea()->toPlainText(), QStringLiteral("Ana menü\nİkinci satır"));
    // A topic whose file is missing leaves the shown text.
    QTest::keyClick(w.topicList(), Qt::Key_Down);
    QCOMPARE(w.topicList()->currentIndex(), 2);
    QCOMPARE(w.textArea()->toPlainText(), QStringLiteral("Ana menü\nİkinci satır"));
}

void TestHelpWindow::readsProgramFolderByDefault()
{
    setProgramFolder(m_dir.path());
    HelpWindow w;
    QCOMPARE(w.topicFolder(), GetPathPath());
    QVERIFY(w.loadTopic(QStringLiteral("ysicilrapor")));
    QCOMPARE(w.textArea()->toPlainText(), QStringLiteral("Daire listesi yardımı"));
}

void TestHelpWindow::closeHides()
{
    HelpWindow w;
    w.setTopicFolder(m_dir.path());
    w.showTopic(QStringLiteral("ygiris"));
    QTest::mouseClick(w.closeButton(), Qt::LeftButton);
    QVERIFY(!w.isVisible());
}

void TestHelpWindow::rtfToPlainText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("tables and info dropped")
        << QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}{\\colortbl;\\red0\\green0\\blue0;}"
                      "{\\info{\\title Yardim}}Metin}")
        << "Metin";
    QTest::newRow("unknown destination dropped")
        << QByteArray("{\\rtf1{\\*\\generator Yazar 1.0;}Bir\\line iki\\tab \\'fc\\'e7}")
        << "Bir\niki\tüç";
    QTest::newRow("unicode with fallback")
        << QByteArray("{\\rtf1 \\u351?ey \\u-3913?}") << QStringLiteral("şey \uF0B7");
    QTest::newRow("escaped symbols") << QByteArray("{\\rtf1 a\\{b\\}c\\\\d}") << "a{b}c\\d";
    QTest::newRow("source line ends are not text")
        << QByteArray("{\\rtf1 bir\r\nsatir\\par\r\nsonra}") << "birsatir\nsonra";
}

void TestHelpWindow::rtfToPlainText()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QCOMPARE(dalvira::rtfToPlainText(rtf), text);
}

QTEST_MAIN(TestHelpWindow)
#include "tst_helpwindow.moc"
