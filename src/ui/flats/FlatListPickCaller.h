#pragma once

#include "flats/FlatListRow.h"

#include <QString>
#include <functional>

namespace dalvira {

// What a pick from the flat list hands to the screen that asked for a flat.
struct FlatPick
{
    FlatListRow flat;                                 // every column of the picked list row
    FlatPickMode mode = FlatPickMode::CurrentHolders; // "SEÇ" (1) or "Eski Malik Seç" (2)
    int row = 0;                                      // flatPickerRow: the caller's grid row
    FlatPickNames names;                              // the owner-side and resident-side names
    // The holder chosen (the owner's name, or the resident's when the user said No); empty for
    // callers that take no holder name.
    QString holderName;
};

// A screen that picks flats through the list registers itself under its caller tag, then sets
// the session's flatPickerCaller (and flatPickerRow for a grid) and shows the list, e.g.
//
//     registerFlatPickCaller(app, QStringLiteral("KasaGiris"),
//                            {.deliver = [this](const FlatPick &p) { takeFlat(p); }});
//     showFlatPicker(app, QStringLiteral("KasaGiris"));
//
// The pick writes through deliver, hides the list and clears the tag.
struct FlatPickCaller
{
    // The caller writes one holder name: when owner and resident differ the user is asked
    // which of them the entry is for.
    bool choosesHolder = true;
    // The caller fills a grid row: flatPickerRow goes back to 0 after the pick.
    bool gridCaller = false;
    std::function<void(const FlatPick &pick)> deliver;
};

} // namespace dalvira
