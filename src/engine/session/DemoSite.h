#pragma once

#include "common/Result.h"

#include <QString>

namespace dalvira {

class Storage;

// A realistic example site for a newcomer: its information filled in, listed like a site made
// on the site information screen, with 120 flats and two years of dues and payments
// (generateDemoSite with its default options). A code that exists already is refused.
Result createDemoSite(Storage &storage, const QString &code);

} // namespace dalvira
