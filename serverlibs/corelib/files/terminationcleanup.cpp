#include "terminationcleanup.h"

#include "filehandler.h"

#include "corelib/common/corelogging.h"

#include <atomic>
#include <cerrno>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace SRCore {

namespace {

// The write end of the active cleanup's pipe; -1 when none is active.
std::atomic<int> signalPipe{-1};

// Async-signal-safe: one write() to a pipe, errno kept for the interrupted code.
void onTerminationSignal(int signal)
{
    const int savedErrno = errno;
    const int descriptor = signalPipe.load();
    if (descriptor >= 0) {
        const unsigned char number = static_cast<unsigned char>(signal);
        [[maybe_unused]] const ssize_t written = ::write(descriptor, &number, 1);
    }
    errno = savedErrno;
}

// The byte that tells the watcher to stop without a signal.
constexpr unsigned char kStop = 0;

// Held by every Postponement, and by the watcher from a signal to the end of the process.
std::recursive_mutex &postponementMutex()
{
    static std::recursive_mutex mutex;
    return mutex;
}

// The paths of the Removals that exist; guarded by the postponement mutex.
QStringList &registeredRemovals()
{
    static QStringList paths;
    return paths;
}

} // namespace

TerminationCleanup::Postponement::Postponement()
    : m_lock(postponementMutex())
{}

TerminationCleanup::Removal::Removal(const QString &path)
    : m_path(path)
{
    const std::lock_guard lock(postponementMutex());
    registeredRemovals().append(m_path);
}

TerminationCleanup::Removal::~Removal()
{
    const std::lock_guard lock(postponementMutex());
    registeredRemovals().removeOne(m_path);
}

TerminationCleanup::TerminationCleanup(const QStringList &paths)
    : m_paths(paths)
{
    static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a plain atomic");
    if (signalPipe.load() >= 0) {
        qCWarning(lcCoreLib) << "Only one termination cleanup can be active";
        return;
    }
    if (::pipe2(m_pipe, O_CLOEXEC) != 0) {
        qCWarning(lcCoreLib) << "Can't create the termination pipe:" << qt_error_string(errno);
        return;
    }
    try {
        m_watcher = std::thread([this] { waitForSignal(); });
    } catch (const std::system_error &error) {
        qCWarning(lcCoreLib) << "Can't start the termination watcher:" << error.what();
        ::close(m_pipe[0]);
        ::close(m_pipe[1]);
        return;
    }
    signalPipe.store(m_pipe[1]);
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    // A signal that the process was started to ignore (nohup, a background job) stays ignored.
    for (const auto &[signal, previous] :
         {std::pair{SIGINT, &m_previousInterrupt}, std::pair{SIGTERM, &m_previousTerminate}}) {
        ::sigaction(signal, nullptr, previous);
        if (previous->sa_handler != SIG_IGN) {
            ::sigaction(signal, &action, nullptr);
        }
    }
    m_active = true;
}

TerminationCleanup::~TerminationCleanup()
{
    if (!m_active) {
        return;
    }
    ::sigaction(SIGINT, &m_previousInterrupt, nullptr);
    ::sigaction(SIGTERM, &m_previousTerminate, nullptr);
    signalPipe.store(-1);
    const unsigned char stop = kStop;
    [[maybe_unused]] const ssize_t written = ::write(m_pipe[1], &stop, 1);
    m_watcher.join();
    ::close(m_pipe[0]);
    ::close(m_pipe[1]);
}

void TerminationCleanup::waitForSignal()
{
    unsigned char signal = kStop;
    ssize_t read = -1;
    do {
        read = ::read(m_pipe[0], &signal, 1);
    } while (read < 0 && errno == EINTR);
    if (read != 1 || signal == kStop) {
        return;
    }
    // Never released: the process ends below.
    postponementMutex().lock();
    const QStringList paths = m_paths + registeredRemovals();
    for (const QString &path : paths) {
        FileHandler::remove(path, true);
    }
    // The signal's own action ends the process, with the status a caller expects of it.
    struct sigaction defaultAction = {};
    defaultAction.sa_handler = SIG_DFL;
    sigemptyset(&defaultAction.sa_mask);
    ::sigaction(signal, &defaultAction, nullptr);
    ::raise(signal);
}

} // namespace SRCore
