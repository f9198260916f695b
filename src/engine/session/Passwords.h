#pragma once

#include "common/Result.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace dalvira {

// The program password (first row of sifre) and the master password (first row of master),
// both in the general file. No row means no password.
std::optional<QString> storedProgramPassword(const QSqlDatabase &genel);
std::optional<QString> storedMasterPassword(const QSqlDatabase &genel);

// An entered password against a stored one: no row, or an empty stored value with an empty
// entry, lets the user in; otherwise the texts must be equal character for character.
bool passwordMatches(const std::optional<QString> &stored, const QString &entered);

// Stores the passwords given (nullopt leaves that one as it is): the first row is changed, or
// the row is created when the table has none. Both in one transaction.
Result savePasswords(const QSqlDatabase &genel, const std::optional<QString> &programPassword,
                     const std::optional<QString> &masterPassword);

} // namespace dalvira
