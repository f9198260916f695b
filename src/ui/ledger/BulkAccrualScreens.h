#pragma once

namespace dalvira {

class AppContext;
class BulkAccrualWindow;

// Registers the bulk dues accrual "aidataktar" and enables the main-menu command
// "Toplu Aidat Aktarma".
void registerBulkAccrualScreens(AppContext &app);

// The screen (made on first use), or nullptr when it is not registered.
BulkAccrualWindow *bulkAccrualWindow(AppContext &app);

// "Toplu Aidat Aktarma": the type list refilled, the batches reread, the screen shown.
void openBulkAccrual(AppContext &app);

} // namespace dalvira
