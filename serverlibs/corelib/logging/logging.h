#pragma once

namespace SRCore {

class ILogInterface;

// The process's default log interface.
class Logging
{
public:
    Logging() = delete;

    // Logs with the module name "Scripter". Never null; usable from any thread at any time,
    // also before the message database is open (records are held until it is) and after
    // LogManager::finalize() (records go to the next log manager).
    static ILogInterface *instance();
};

} // namespace SRCore
