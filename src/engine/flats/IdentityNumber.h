#pragma once

#include <QString>
#include <QStringList>

namespace dalvira {

// The checksum of the Turkish identity number. A number is judged only when it has exactly 11
// characters and holds a digit other than 0; anything else (empty, shorter, all zeros) is not
// judged. An 11-character text with a non-digit in it is wrong.
enum class IdentityCheck { NotChecked, Valid, Wrong };
IdentityCheck checkIdentityNumber(const QString &number);

// "TC  Kontrol" on saving: the warnings for the owner's and the resident's numbers, in that
// order ("Daire Sahibi TC Kimlik Numarası Hatalıdır.",
// "Dairede Oturan TC Kimlik Numarası Hatalıdır."). Warnings only; saving goes on.
QStringList TCNoKontrol(const QString &ownerNumber, const QString &residentNumber);

QString wrongOwnerIdentityMessage();
QString wrongResidentIdentityMessage();

} // namespace dalvira
