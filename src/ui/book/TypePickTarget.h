#pragma once

#include "common/Result.h"

#include <QString>
#include <functional>

namespace dalvira {

// What a screen that opens the transaction types as a picker does with the user's choice.
// It registers one under its caller tag (typePickerCaller) once, and sets the tag each time
// before it shows the picker.
struct TypePickTarget
{
    // Writes the chosen type, by its full name, into the caller; row is typePickerRow. A failed
    // result is shown and the picker stays open; a cancelled one keeps it open silently.
    std::function<Result(const QString &typeName, int row)> accept;
    // For the tags "GelirDetay" and "GiderDetay" (re-typing stored records): the name whose
    // records take the chosen type. The picker asks before it calls accept.
    std::function<QString()> replacedName;
};

} // namespace dalvira
