#include "cash/MethodLists.h"

#include "cash/ReferenceListWindow.h"
#include "session/AppContext.h"

namespace dalvira {

namespace {

ReferenceListWindow *methodsWindow(AppContext &app)
{
    return app.screens().screen<ReferenceListWindow>(ReferenceListWindow::kMethodsName);
}

ReferenceListWindow *currenciesWindow(AppContext &app)
{
    return app.screens().screen<ReferenceListWindow>(ReferenceListWindow::kCurrenciesName);
}

} // namespace

void registerMethodList(AppContext &app, QComboBox *list, MethodListKind kind,
                        ListSelection selection)
{
    if (ReferenceListWindow *w = methodsWindow(app))
        w->choiceLists().add(list, int(kind), selection);
}

void registerMethodList(AppContext &app, QObject *owner, MethodListKind kind,
                        ChoiceListRegistry::Filler filler)
{
    if (ReferenceListWindow *w = methodsWindow(app))
        w->choiceLists().add(owner, int(kind), std::move(filler));
}

void registerCurrencyList(AppContext &app, QComboBox *list, CurrencyListKind kind,
                          ListSelection selection)
{
    if (ReferenceListWindow *w = currenciesWindow(app))
        w->choiceLists().add(list, int(kind), selection);
}

void registerCurrencyList(AppContext &app, QObject *owner, CurrencyListKind kind,
                          ChoiceListRegistry::Filler filler)
{
    if (ReferenceListWindow *w = currenciesWindow(app))
        w->choiceLists().add(owner, int(kind), std::move(filler));
}

void OdemeSekliAyarla(AppContext &app)
{
    if (ReferenceListWindow *w = methodsWindow(app))
        w->refillLists();
}

void ParaBirimiAyarla(AppContext &app)
{
    if (ReferenceListWindow *w = currenciesWindow(app))
        w->refillLists();
}

void fillMethodList(AppContext &app, QComboBox *list, MethodListKind kind, ListSelection selection)
{
    if (ReferenceListWindow *w = methodsWindow(app))
        ChoiceListRegistry::fill(list, methodChoices(w->entries(), kind), selection);
}

void fillCurrencyList(AppContext &app, QComboBox *list, CurrencyListKind kind,
                      ListSelection selection)
{
    if (ReferenceListWindow *w = currenciesWindow(app))
        ChoiceListRegistry::fill(list, currencyChoices(w->entries(), kind), selection);
}

void setMethodPickTarget(AppContext &app, const QString &callerTag, MethodPickTarget target)
{
    if (ReferenceListWindow *w = methodsWindow(app))
        w->setPickTarget(callerTag, std::move(target));
}

void showPaymentMethods(AppContext &app, const QString &callerTag)
{
    app.session().methodPickerCaller = callerTag;
    if (ReferenceListWindow *w = methodsWindow(app))
        w->open();
}

void showCurrencies(AppContext &app)
{
    if (ReferenceListWindow *w = currenciesWindow(app))
        w->open();
}

} // namespace dalvira
