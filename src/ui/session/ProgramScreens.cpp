#include "session/ProgramScreens.h"

#include "backup/BackupScreens.h"
#include "book/ReferenceScreens.h"
#include "flats/FlatListScreens.h"
#include "flats/FlatListWindow.h"
#include "flats/FlatRecordScreens.h"
#include "flats/FlatRecordWindow.h"
#include "balances/BalanceListWindow.h"
#include "balances/BalanceScreens.h"
#include "ledger/BulkAccrualScreens.h"
#include "ledger/SingleEntryScreens.h"
#include "ledger/SingleEntryWindow.h"
#include "ledger/StatementScreens.h"
#include "session/AppContext.h"

namespace dalvira {

void registerProgramScreens(AppContext &app)
{
    app.registerSessionScreens();
    registerReferenceScreens(app);
    registerFlatRecordScreens(app);
    registerFlatListScreens(app);
    registerBackupScreens(app);
    registerSingleEntryScreens(app);
    registerStatementScreens(app); // after the flat list: it hands the list its statements
    registerBulkAccrualScreens(app);
    registerBalanceScreens(app);
    app.onProgramEnd = [&app] { runAutomaticBackups(app); };

    if (BalanceListWindow *balances = balanceListWindow(app)) {
        balances->openStatement = [&app](const StatementRequest &request) {
            StatementOpening opening;
            switch (request.scope) {
            case StatementScope::WholeFlat:
                opening.selection = StatementSelection::wholeFlat(request.flatNumber);
                break;
            case StatementScope::HolderEverywhere:
                opening.selection = StatementSelection::ofHolder(request.holder);
                break;
            default:
                opening.selection =
                    StatementSelection::holderInFlat(request.holder, request.flatNumber);
            }
            opening.reportDate = request.reportDate;
            opening.currency = request.currency;
            opening.type = request.type.value_or(QString());
            openStatement(app, opening);
        };
        balances->openPaymentEntry = [&app](const PaymentEntryRequest &request) {
            SingleEntryWindow::Prefill prefill;
            prefill.flatNumber = request.flatNumber;
            prefill.type = request.type;
            singleEntryWindow(app)->open(prefill);
        };
    }

    if (FlatListWindow *list = flatListWindow(app)) {
        list->setOpenFlatHandler([&app](qint64 hid) {
            if (auto *record = app.screens().screen<FlatRecordWindow>(FlatRecordWindow::kScreenName))
                record->showFlat(hid);
        });
    }
}

} // namespace dalvira
