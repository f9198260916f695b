#include "HelpWindow.h"

#include "RtfText.h"
#include "storage/ProgramFolder.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace dalvira {

const QList<HelpWindow::Topic> &HelpWindow::topics()
{
    static const QList<Topic> list = {
        {QStringLiteral("Programa Giriş ve Site/Apartman Seçimi"), QStringLiteral("ygiris")},
        {QStringLiteral("Program Anamenü İşlemleri"), QStringLiteral("yanamenu")},
        {QStringLiteral("Daire ve Üye Girişi ve Değişiklik"), QStringLiteral("ydairegiris")},
        {QStringLiteral("Daire ve Üye Hızlı Giriş ve Değişiklik"),
         QStringLiteral("ydairehizligiris")},
        {QStringLiteral("Excel'den Daire ve Üye Bilgileri Aktarma"), QStringLiteral("yexceldaire")},
        {QStringLiteral("İşletme Defteri Gelir Girişleri"), QStringLiteral("ygelirgiris")},
        {QStringLiteral("İşletme Defteri Gider Girişleri"), QStringLiteral("ygidergiris")},
        {QStringLiteral("İşletme Defteri Gelir/Gider Raporlama"),
         QStringLiteral("ygelirgiderrapor")},
        {QStringLiteral("İşletme Defteri Gelir, Gider ve Stok Tür Girişi"),
         QStringLiteral("yturgirisleri")},
        {QStringLiteral("İşletme Defteri Firma Cari Bilgileri Girişi"),
         QStringLiteral("yfirmalar")},
        {QStringLiteral("Daire ve Üye Borç Alacak Girişi"), QStringLiteral("yborcalacakgiris")},
        {QStringLiteral("Daire ve Üye Aidat Aktarma İşlemleri"), QStringLiteral("yaidataktar")},
        {QStringLiteral("Daire ve Üye Aidat Takip Raporları"), QStringLiteral("yaidattakip")},
        {QStringLiteral("Daire ve Üye Banka Listesi Aktar"), QStringLiteral("ybankaaktar")},
        {QStringLiteral("Daire ve Üye Aktarılmış Banka Listesi"), QStringLiteral("ybankaliste")},
        {QStringLiteral("Günlük Kasa İşlemleri"), QStringLiteral("ykasa")},
        {QStringLiteral("Üye Aidat Borç-Alacak Hareket Raporu"), QStringLiteral("yaidathareket")},
    };
    return list;
}

HelpWindow::HelpWindow(QWidget *parent)
    : QWidget(parent, Qt::Window), m_text(new QTextBrowser(this)), m_topics(new QComboBox(this)),
      m_close(new QPushButton(QStringLiteral("KAPAT"), this))
{
    setObjectName(QStringLiteral("yardimF"));
    setWindowTitle(QStringLiteral("Tolvek Dalvira Programı Yardım"));

    m_text->setReadOnly(true);
    m_text->setOpenLinks(false);
    for (const Topic &topic : topics())
        m_topics->addItem(topic.title, topic.file);
    m_topics->setCurrentIndex(-1);

    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Yardım Alınacak Konuyu Seçin"), this));
    top->addWidget(m_topics, 1);
    top->addWidget(m_close);
    layout->addLayout(top);
    layout->addWidget(m_text, 1);

    connect(m_topics, &QComboBox::activated, this, &HelpWindow::topicChosen);
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
    resize(760, 560);
}

QString HelpWindow::topicFolder() const
{
    return m_folder.isEmpty() ? GetPathPath() : m_folder;
}

bool HelpWindow::loadTopic(const QString &fileName)
{
    QFile file(QDir(topicFolder()).filePath(fileName));
    if (fileName.isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (bytes.startsWith("{\\rtf")) {
        m_text->setPlainText(rtfToPlainText(bytes));
    } else {
        const QString text = QString::fromUtf8(bytes);
        if (Qt::mightBeRichText(text))
            m_text->setHtml(text);
        else
            m_text->setPlainText(text);
    }
    // The list shows the topic on screen when it is one of its own.
    const int index = m_topics->findData(fileName);
    if (index >= 0)
        m_topics->setCurrentIndex(index);
    return true;
}

void HelpWindow::showTopic(const QString &fileName)
{
    loadTopic(fileName);
    show();
    raise();
    activateWindow();
}

void HelpWindow::topicChosen(int index)
{
    loadTopic(m_topics->itemData(index).toString());
}

} // namespace dalvira
