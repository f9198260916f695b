#pragma once

#include "ledger/StatementWindow.h"

namespace dalvira {

class AppContext;

// Registers the account statement "hesaphareket", gives the flat list its statement commands
// and removes the mail attachment a previous run left behind.
void registerStatementScreens(AppContext &app);

// The statement screen (made on first use).
StatementWindow *statementWindow(AppContext &app);

// Opens the statement for a caller: the selection (whole flat, one holder, one holder in one
// flat) and optionally the report date, the currency and the type; refreshes and shows it.
void openStatement(AppContext &app, const StatementOpening &opening);
void openFlatStatement(AppContext &app, int flatNumber);
void openHolderStatement(AppContext &app, const QString &holder);
void openHolderInFlatStatement(AppContext &app, const QString &holder, int flatNumber);

} // namespace dalvira
