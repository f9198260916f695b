#include "book/ReferenceScreens.h"

#include "book/TransactionTypesWindow.h"
#include "book/TypeLists.h"
#include "cash/MethodLists.h"
#include "cash/ReferenceListWindow.h"
#include "session/AppContext.h"

namespace dalvira {

void registerReferenceScreens(AppContext &app)
{
    app.screens().registerScreen(TransactionTypesWindow::kName,
                                 [&app] { return new TransactionTypesWindow(app); });
    app.screens().registerScreen(ReferenceListWindow::kMethodsName, [&app] {
        return new ReferenceListWindow(app, ReferenceList::Kind::PaymentMethods);
    });
    app.screens().registerScreen(ReferenceListWindow::kCurrenciesName, [&app] {
        return new ReferenceListWindow(app, ReferenceList::Kind::Currencies);
    });

    app.setMenuCommand(QStringLiteral("İşlem Türleri Girişi"),
                       [&app] { showTypePicker(app, QStringLiteral("Yok")); });
    // From the menu no re-assignment is pending: a tag left by a report that was not
    // finished must not make "Bu Ödeme Şekline Aktar" move its records.
    app.setMenuCommand(QStringLiteral("Ödeme Şekilleri Girişi"),
                       [&app] { showPaymentMethods(app); });
    app.setMenuCommand(QStringLiteral("Para Birimi Girişi"), [&app] { showCurrencies(app); });

    app.siteEntered.push_back([&app] {
        ParaBirimiAyarla(app);
        OdemeSekliAyarla(app);
        // The types belong to the site: lists still showing the previous site's are rebuilt.
        IslemTuruAyarla(app);
    });
}

} // namespace dalvira
