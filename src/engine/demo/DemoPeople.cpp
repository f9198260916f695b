#include "demo/DemoPeople.h"

#include "demo/DemoRandom.h"

#include <QStringList>

namespace dalvira::demo {

namespace {

const QList<QString> &firstNames()
{
    static const QList<QString> names = {
        QStringLiteral("Ahmet"),   QStringLiteral("Mehmet"),  QStringLiteral("Mustafa"),
        QStringLiteral("Hüseyin"), QStringLiteral("Hasan"),   QStringLiteral("İbrahim"),
        QStringLiteral("İsmail"),  QStringLiteral("Osman"),   QStringLiteral("Yusuf"),
        QStringLiteral("Murat"),   QStringLiteral("Ömer"),    QStringLiteral("Süleyman"),
        QStringLiteral("Kemal"),   QStringLiteral("Fatih"),   QStringLiteral("Emre"),
        QStringLiteral("Burak"),   QStringLiteral("Gökhan"),  QStringLiteral("Çağlar"),
        QStringLiteral("Doğan"),   QStringLiteral("Şükrü"),   QStringLiteral("Uğur"),
        QStringLiteral("Oğuz"),    QStringLiteral("Tolga"),   QStringLiteral("Serkan"),
        QStringLiteral("Cem"),     QStringLiteral("Barış"),   QStringLiteral("Ercan"),
        QStringLiteral("Fatma"),   QStringLiteral("Ayşe"),    QStringLiteral("Emine"),
        QStringLiteral("Hatice"),  QStringLiteral("Zeynep"),  QStringLiteral("Elif"),
        QStringLiteral("Meryem"),  QStringLiteral("Şerife"),  QStringLiteral("Zehra"),
        QStringLiteral("Merve"),   QStringLiteral("Özlem"),   QStringLiteral("Gülşen"),
        QStringLiteral("Büşra"),   QStringLiteral("Şeyma"),   QStringLiteral("Çiğdem"),
        QStringLiteral("Gözde"),   QStringLiteral("Dilek"),   QStringLiteral("Nazlı"),
        QStringLiteral("Ebru"),    QStringLiteral("İlknur"),  QStringLiteral("Öznur"),
        QStringLiteral("Tuğba"),   QStringLiteral("Ümran"),   QStringLiteral("Şule"),
        QStringLiteral("Aslı"),    QStringLiteral("Ayşegül"), QStringLiteral("Sıla"),
    };
    return names;
}

const QList<QString> &surnames()
{
    static const QList<QString> names = {
        QStringLiteral("Yılmaz"),   QStringLiteral("Kaya"),     QStringLiteral("Demir"),
        QStringLiteral("Şahin"),    QStringLiteral("Çelik"),    QStringLiteral("Yıldız"),
        QStringLiteral("Yıldırım"), QStringLiteral("Öztürk"),   QStringLiteral("Aydın"),
        QStringLiteral("Özdemir"),  QStringLiteral("Arslan"),   QStringLiteral("Doğan"),
        QStringLiteral("Kılıç"),    QStringLiteral("Aslan"),    QStringLiteral("Çetin"),
        QStringLiteral("Kara"),     QStringLiteral("Koç"),      QStringLiteral("Kurt"),
        QStringLiteral("Özkan"),    QStringLiteral("Şimşek"),   QStringLiteral("Polat"),
        QStringLiteral("Özcan"),    QStringLiteral("Korkmaz"),  QStringLiteral("Çakır"),
        QStringLiteral("Erdoğan"),  QStringLiteral("Yavuz"),    QStringLiteral("Acar"),
        QStringLiteral("Şen"),      QStringLiteral("Aktaş"),    QStringLiteral("Güler"),
        QStringLiteral("Yalçın"),   QStringLiteral("Güneş"),    QStringLiteral("Bozkurt"),
        QStringLiteral("Bulut"),    QStringLiteral("Keskin"),   QStringLiteral("Ünal"),
        QStringLiteral("Turan"),    QStringLiteral("Gül"),      QStringLiteral("Özer"),
        QStringLiteral("Işık"),     QStringLiteral("Kaplan"),   QStringLiteral("Avcı"),
        QStringLiteral("Sarı"),     QStringLiteral("Tekin"),    QStringLiteral("Köse"),
        QStringLiteral("Yüksel"),   QStringLiteral("Ateş"),     QStringLiteral("Aksoy"),
        QStringLiteral("Uçar"),     QStringLiteral("Gündoğdu"), QStringLiteral("Karataş"),
        QStringLiteral("Çiftçi"),   QStringLiteral("Ekinci"),   QStringLiteral("Başaran"),
        QStringLiteral("Türkmen"),  QStringLiteral("Akgül"),    QStringLiteral("Uysal"),
        QStringLiteral("Tunç"),     QStringLiteral("Ağca"),     QStringLiteral("Eğilmez"),
        QStringLiteral("Küçük"),    QStringLiteral("Özbek"),    QStringLiteral("Gökçe"),
        QStringLiteral("Sönmez"),   QStringLiteral("İnce"),     QStringLiteral("Erdem"),
    };
    return names;
}

QString digits(DemoRandom &random, int count)
{
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(u'0' + random.below(10));
    return text;
}

} // namespace

QString randomMobile(DemoRandom &random)
{
    static const QList<QString> prefixes = {
        QStringLiteral("505"), QStringLiteral("506"), QStringLiteral("532"), QStringLiteral("533"),
        QStringLiteral("535"), QStringLiteral("536"), QStringLiteral("542"), QStringLiteral("544"),
        QStringLiteral("545"), QStringLiteral("552"), QStringLiteral("555"), QStringLiteral("539"),
    };
    return QStringLiteral("(%1) %2 %3 %4")
        .arg(random.pick(prefixes), digits(random, 3), digits(random, 2), digits(random, 2));
}

QString randomIdentityNumber(DemoRandom &random)
{
    int d[11];
    d[0] = random.between(1, 9);
    for (int i = 1; i < 9; ++i)
        d[i] = random.below(10);
    const int odd = d[0] + d[2] + d[4] + d[6] + d[8];
    const int even = d[1] + d[3] + d[5] + d[7];
    d[9] = (7 * odd + 9 * even) % 10;
    int sum = 0;
    for (int i = 0; i < 10; ++i)
        sum += d[i];
    d[10] = sum % 10;
    QString text;
    for (int digit : d)
        text += QChar(u'0' + digit);
    return text;
}

DemoPerson randomPerson(DemoRandom &random)
{
    DemoPerson person;
    person.firstName = random.pick(firstNames());
    person.surname = random.pick(surnames());
    person.mobile = randomMobile(random);
    person.identity = randomIdentityNumber(random);
    return person;
}

DemoPerson randomPersonOtherThan(DemoRandom &random, const QString &name1, const QString &name2)
{
    for (;;) {
        DemoPerson person = randomPerson(random);
        const QString name = person.fullName();
        if (name != name1 && name != name2)
            return person;
    }
}

QString turkishMonthName(int month)
{
    static const QStringList names = {
        QStringLiteral("Ocak"),   QStringLiteral("Şubat"),   QStringLiteral("Mart"),
        QStringLiteral("Nisan"),  QStringLiteral("Mayıs"),   QStringLiteral("Haziran"),
        QStringLiteral("Temmuz"), QStringLiteral("Ağustos"), QStringLiteral("Eylül"),
        QStringLiteral("Ekim"),   QStringLiteral("Kasım"),   QStringLiteral("Aralık"),
    };
    return names.value(month - 1);
}

} // namespace dalvira::demo
