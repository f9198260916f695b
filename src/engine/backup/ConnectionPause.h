#pragma once

#include "common/Result.h"

#include <QString>

namespace dalvira {

class Storage;

// Closes the program's connections while database files are archived or replaced, so the
// files are consistent and no connection reads a file that is swapped under it; resume()
// (or the destructor) opens them again on the same site. A storage that is not open (the
// program's end, the command line) is left alone.
class ConnectionPause
{
public:
    explicit ConnectionPause(Storage *storage);
    ~ConnectionPause();
    ConnectionPause(const ConnectionPause &) = delete;
    ConnectionPause &operator=(const ConnectionPause &) = delete;

    // Reopens the connections and the site that was open; the failure carries the message.
    Result resume();

private:
    Storage *m_storage = nullptr;
    QString m_siteCode;
    bool m_paused = false;
};

} // namespace dalvira
