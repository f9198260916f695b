#pragma once

#include "TestSupport.h"
#include "session/SiteDirectory.h"
#include "storage/ProgramFolder.h"
#include "storage/Storage.h"

namespace dalvira::test {

// A temporary program folder with one site "S1" entered on a plain storage.
class FlatTestSite
{
    TempProgramFolder m_folder; // first, so it outlives the connections on its files

public:
    FlatTestSite()
    {
        setProgramFolder(m_folder.path());
        if (!storage.open())
            return;
        SiteRecord site;
        site.set("firma_kodu", QStringLiteral("S1"));
        site.set("firma_unvani_1", QStringLiteral("Deneme Sitesi"));
        if (!SiteDirectory(storage).createSite(site))
            return;
        m_ready = bool(storage.selectSite(QStringLiteral("S1")));
    }
    bool ready() const { return m_ready; }
    QSqlDatabase db() const { return storage.ana(); }
    QString folder() const { return m_folder.path(); }

    Storage storage;

private:
    bool m_ready = false;
};

} // namespace dalvira::test
