#pragma once

#include <QString>

namespace dalvira::demo {

class DemoRandom;

// A person of the demo site: a Turkish name, a mobile number in the entry mask's form and an
// identity number that passes the checksum.
struct DemoPerson
{
    QString firstName;
    QString surname;
    QString mobile;   // "(532) 614 27 90"
    QString identity; // 11 digits

    QString fullName() const { return firstName + QLatin1Char(' ') + surname; }
};

DemoPerson randomPerson(DemoRandom &random);
// A person whose full name differs from both names given (so the holders of one flat never
// share an account by accident).
DemoPerson randomPersonOtherThan(DemoRandom &random, const QString &name1,
                                 const QString &name2 = {});

QString randomMobile(DemoRandom &random);
QString randomIdentityNumber(DemoRandom &random);

// "Ocak" ... "Aralık".
QString turkishMonthName(int month);

} // namespace dalvira::demo
