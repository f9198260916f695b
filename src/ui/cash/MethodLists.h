#pragma once

#include "book/ChoiceListRegistry.h"
#include "cash/MethodPickTarget.h"
#include "cash/ReferenceChoices.h"

class QComboBox;

namespace dalvira {

class AppContext;

// Every payment method list and every currency list of the program is fed from the two list
// screens. A screen registers its lists once (in its constructor) with the shape each needs:
//
//     registerMethodList(app, m_method, MethodListKind::Methods);               // entry screen
//     registerMethodList(app, m_methodFilter, MethodListKind::MethodsWithAll);  // a filter
//     registerCurrencyList(app, m_currency, CurrencyListKind::HomeFirst);
//     registerCurrencyList(app, m_ledgerFilter, CurrencyListKind::AllFirst, ListSelection::Keep);
//
// OdemeSekliAyarla and ParaBirimiAyarla rebuild all of them; they run when a site is entered
// and after every change of the lists. Screens never read the list files themselves.
// Nothing happens while the list screens are not registered (registerReferenceScreens).

void registerMethodList(AppContext &app, QComboBox *list, MethodListKind kind,
                        ListSelection selection = ListSelection::First);
void registerMethodList(AppContext &app, QObject *owner, MethodListKind kind,
                        ChoiceListRegistry::Filler filler);
void registerCurrencyList(AppContext &app, QComboBox *list, CurrencyListKind kind,
                          ListSelection selection = ListSelection::First);
void registerCurrencyList(AppContext &app, QObject *owner, CurrencyListKind kind,
                          ChoiceListRegistry::Filler filler);

void OdemeSekliAyarla(AppContext &app);
void ParaBirimiAyarla(AppContext &app);

// One list filled now, without registering it.
void fillMethodList(AppContext &app, QComboBox *list, MethodListKind kind,
                    ListSelection selection = ListSelection::First);
void fillCurrencyList(AppContext &app, QComboBox *list, CurrencyListKind kind,
                      ListSelection selection = ListSelection::First);

// Re-assigning records to another payment method from a detail report: the report registers
// its target under its tag once, and opens the screen with showPaymentMethods(app, tag).
void setMethodPickTarget(AppContext &app, const QString &callerTag, MethodPickTarget target);
// Shows the payment methods screen; callerTag becomes methodPickerCaller (empty: no
// re-assignment is pending, as from the main menu or an entry screen's button).
void showPaymentMethods(AppContext &app, const QString &callerTag = {});
void showCurrencies(AppContext &app);

} // namespace dalvira
