#pragma once

#include "common/Result.h"

#include <QString>

namespace dalvira {

// Makes target a byte copy of source when target does not exist yet. The bytes go to a
// temporary file beside target which is then linked into place, so a failure (full disk,
// missing source) never leaves a partial target, and a target that appears meanwhile (another
// copy of the program entering the same site) is never overwritten.
// ok() when target exists afterwards; *copied tells whether this call made it.
Result copyFileIfMissing(const QString &source, const QString &target, bool *copied = nullptr);

} // namespace dalvira
