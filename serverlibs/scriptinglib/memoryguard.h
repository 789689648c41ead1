#pragma once

#include <QtGlobal>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class IScriptEngine;

// Stops a script that makes the program grow by more than a limit: while it lives, a watcher
// thread compares the program's resident memory with what it was at the start and interrupts
// the engine once the growth passes the limit. Engines can't refuse an allocation themselves,
// and a script that takes all memory would take the program with it.
class MemoryGuard
{
public:
    // Watches for as long as the guard lives; `engine` must outlive it.
    MemoryGuard(IScriptEngine &engine, qint64 limitBytes);
    ~MemoryGuard();
    MemoryGuard(const MemoryGuard &) = delete;
    MemoryGuard &operator=(const MemoryGuard &) = delete;

    // Whether the guard stopped the engine.
    bool tripped() const { return m_tripped; }
    qint64 limit() const { return m_limit; }

    // The program's resident memory in bytes; 0 where the system does not tell.
    static qint64 residentBytes();

private:
    void watch(qint64 baseline);

    IScriptEngine &m_engine;
    const qint64 m_limit;
    std::atomic<bool> m_tripped{false};
    std::mutex m_mutex;
    std::condition_variable m_stop;
    bool m_stopping = false; // guarded by m_mutex
    std::thread m_watcher;
};
