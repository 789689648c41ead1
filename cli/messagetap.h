#pragma once

#include "corelib/logging/logrecord.h"

#include <QList>
#include <QMutex>

namespace Scripter {

// Catches every message that the process logs while it exists, from any thread, for the tool
// to print as the message pane would show it; the messages still go to the message database.
// take() on the thread that made the tap.
class MessageTap
{
public:
    MessageTap();
    ~MessageTap();
    MessageTap(const MessageTap &) = delete;
    MessageTap &operator=(const MessageTap &) = delete;

    // The messages logged since the last take(), oldest first.
    QList<SRCore::LogRecord> take();

private:
    QMutex m_mutex;
    QList<SRCore::LogRecord> m_records; // guarded by m_mutex
};

} // namespace Scripter
