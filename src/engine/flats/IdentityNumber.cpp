#include "flats/IdentityNumber.h"

namespace dalvira {

QString wrongOwnerIdentityMessage()
{
    return QStringLiteral("Daire Sahibi TC Kimlik Numarası Hatalıdır.");
}

QString wrongResidentIdentityMessage()
{
    return QStringLiteral("Dairede Oturan TC Kimlik Numarası Hatalıdır.");
}

IdentityCheck checkIdentityNumber(const QString &number)
{
    if (number.size() != 11)
        return IdentityCheck::NotChecked;
    bool nonZero = false;
    for (const QChar c : number) {
        if (c.isDigit() && c != QLatin1Char('0'))
            nonZero = true;
    }
    if (!nonZero)
        return IdentityCheck::NotChecked;
    int d[11];
    for (int i = 0; i < 11; ++i) {
        const QChar c = number.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return IdentityCheck::Wrong;
        d[i] = c.unicode() - '0';
    }
    int sum = 0;
    for (int i = 0; i < 10; ++i)
        sum += d[i];
    if (sum % 10 != d[10])
        return IdentityCheck::Wrong;
    const int weighted = 7 * (d[0] + d[2] + d[4] + d[6] + d[8]) + 9 * (d[1] + d[3] + d[5] + d[7]);
    if (weighted % 10 != d[9])
        return IdentityCheck::Wrong;
    return IdentityCheck::Valid;
}

QStringList TCNoKontrol(const QString &ownerNumber, const QString &residentNumber)
{
    QStringList warnings;
    if (checkIdentityNumber(ownerNumber) == IdentityCheck::Wrong)
        warnings.append(wrongOwnerIdentityMessage());
    if (checkIdentityNumber(residentNumber) == IdentityCheck::Wrong)
        warnings.append(wrongResidentIdentityMessage());
    return warnings;
}

} // namespace dalvira
