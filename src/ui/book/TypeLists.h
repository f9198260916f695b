#pragma once

#include "book/ChoiceListRegistry.h"
#include "book/TypeChoices.h"
#include "book/TypePickTarget.h"
#include "common/Result.h"

class QComboBox;

namespace dalvira {

class AppContext;

// Every list of transaction types in the program is fed from one place. A screen registers
// its lists once (in its constructor), with the shape each needs:
//
//     registerTypeList(app, m_reason, TypeListKind::SortedWithTransfer);       // cash movement
//     registerTypeList(app, m_ownerType, TypeListKind::Plain);                 // flat record
//     registerTypeList(app, this, TypeListKind::WithTransfer,                  // a grid column
//                      [this](const QStringList &types) { m_typeDelegate->setItems(types); });
//
// and IslemTuruAyarla(app) rebuilds all of them after a change of the types and where a
// screen is opened that needs them fresh. Screens never read the types table themselves.
// Nothing happens while the type screen is not registered (registerReferenceScreens).

void registerTypeList(AppContext &app, QComboBox *list, TypeListKind kind,
                      ListSelection selection = ListSelection::First);
void registerTypeList(AppContext &app, QObject *owner, TypeListKind kind,
                      ChoiceListRegistry::Filler filler);

// Rebuilds every registered type list from the open site's types: names cut to their length,
// "Virman" or "Hepsi" where the shape has them, the first entry selected (unless the list was
// registered to keep its selection). When the types cannot be read the lists stay as they
// were, the message is shown and the failure carries it.
Result IslemTuruAyarla(AppContext &app);

// Fills one list now without registering it (a screen that fills its list when opened).
Result fillTypeList(AppContext &app, QComboBox *list, TypeListKind kind,
                    ListSelection selection = ListSelection::First);

// The picker. A screen registers what it does with a pick under its tag, once:
//     setTypePickTarget(app, "isletmeGider", {[this](const QString &name, int row) {
//         setTypeOfRow(row, name); return Result::success(); }, {}});
// and opens the picker with showTypePicker(app, "isletmeGider", row). "SEÇ" then writes the
// full name back through accept, clears the tag and hides the picker. With the tag "Yok"
// (main menu), an empty tag or a tag nobody registered, "SEÇ" does nothing.
void setTypePickTarget(AppContext &app, const QString &callerTag, TypePickTarget target);
void showTypePicker(AppContext &app, const QString &callerTag, int row = -1);

} // namespace dalvira
