// Builds the user manual "Dalvira_Kullanim.pdf" from the help topics, in the order given, so the
// manual opened from the main menu always says what the help window says.
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: dalvira-mkmanual OUTPUT.pdf TOPIC...\n");
        return 2;
    }
    QString html = QStringLiteral(
        "<html><body><h1 align=\"center\">Dalvira</h1>"
        "<h2 align=\"center\">Site / Apartman Yönetimi ve İşletme Defteri</h2>"
        "<h2 align=\"center\">Kullanım Kılavuzu</h2><br/>");
    for (int i = 2; i < args.size(); ++i) {
        QFile topic(args[i]);
        if (!topic.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(args[i]));
            return 1;
        }
        QString text = QString::fromUtf8(topic.readAll());
        text.remove(QStringLiteral("<html>")).remove(QStringLiteral("</html>"));
        text.remove(QStringLiteral("<body>")).remove(QStringLiteral("</body>"));
        html += QStringLiteral("<hr/>") + text;
    }
    html += QStringLiteral("</body></html>");

    const QString output = args[1];
    const QString partial = output + QStringLiteral(".part");
    {
        QPdfWriter pdf(partial);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        pdf.setTitle(QStringLiteral("Dalvira Kullanım Kılavuzu"));
        QTextDocument doc;
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(10);
        doc.setDefaultFont(font);
        doc.setHtml(html);
        doc.print(&pdf);
    }
    QFile::remove(output);
    if (!QFile::rename(partial, output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
