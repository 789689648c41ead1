#pragma once

#include "logrecord.h"

#include <QList>
#include <QMutex>

namespace SRCore {

// While it lives, keeps a copy of every record that the log manager takes for the message
// database (LogManager::post), from any log interface and any thread: what a period of work
// logged, for the program to read back without waiting for the database.
//
// Threads: records arrive on the threads that log; records() may be called from any thread.
// Construct and destroy on one thread, not concurrently with its own records().
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture &) = delete;
    LogCapture &operator=(const LogCapture &) = delete;

    // The records held, oldest first: all since the capture began, or since the last take().
    QList<LogRecord> records() const;
    // The records held, which are no longer held after this: to follow a log as it grows.
    QList<LogRecord> take();

    // Hands `record` to every living capture. Called by the log manager.
    static void offer(const LogRecord &record);

private:
    mutable QMutex m_mutex;
    QList<LogRecord> m_records;
};

} // namespace SRCore
