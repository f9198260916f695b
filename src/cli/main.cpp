#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream(stderr) << "Kullanım: dalvira-cli KOMUT ...\n";
    return 2;
}
