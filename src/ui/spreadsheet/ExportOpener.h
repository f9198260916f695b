#pragma once

#include "common/Result.h"

#include <QString>

namespace dalvira {

// Opens a written export with the desktop's default application for its kind of file.
// On failure the result carries "Excel açılamadı. Sistem Mesajı: ..." with the reason.
Result openExport(const QString &path);

} // namespace dalvira
