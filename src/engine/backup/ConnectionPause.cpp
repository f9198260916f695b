#include "backup/ConnectionPause.h"

#include "storage/Storage.h"

namespace dalvira {

ConnectionPause::ConnectionPause(Storage *storage) : m_storage(storage)
{
    if (m_storage && m_storage->isOpen()) {
        m_siteCode = m_storage->siteCode();
        m_storage->close();
        m_paused = true;
    }
}

ConnectionPause::~ConnectionPause()
{
    resume();
}

Result ConnectionPause::resume()
{
    if (!m_paused)
        return Result::success();
    m_paused = false;
    if (Result r = m_storage->open(); !r)
        return r;
    if (!m_siteCode.isEmpty())
        return m_storage->selectSite(m_siteCode);
    return Result::success();
}

} // namespace dalvira
