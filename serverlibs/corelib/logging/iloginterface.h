#pragma once

namespace SRCore {

struct LogRecord;

// Where components hand their messages. Implementations queue the record and return at once:
// logging never blocks on the database and never fails its caller. Safe to call from any thread.
class ILogInterface
{
public:
    enum Flag {
        NoFlags = 0,
        EchoToConsole = 1, // also print this message on stderr, whatever the messaging mode
    };

    virtual ~ILogInterface() = default;

    // A record of level 0 is refused and replaced by an error naming it.
    virtual void log(const LogRecord &record, int flags = NoFlags) = 0;
};

} // namespace SRCore
