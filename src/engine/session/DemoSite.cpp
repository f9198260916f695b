#include "session/DemoSite.h"

#include "demo/DemoGenerator.h"

namespace dalvira {

Result createDemoSite(Storage &storage, const QString &code)
{
    return generateDemoSite(storage, code, DemoOptions{});
}

} // namespace dalvira
