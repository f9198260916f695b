#pragma once

namespace dalvira {

class AppContext;
class BalanceListWindow;

// Registers the member balance list "carihareketF" and enables the main-menu command
// "Aidat Borç Alacak Raporu". Its openStatement and openPaymentEntry hooks are set by whoever
// registers the statement and single entry screens.
void registerBalanceScreens(AppContext &app);

// The balance list screen (made on first use).
BalanceListWindow *balanceListWindow(AppContext &app);

} // namespace dalvira
