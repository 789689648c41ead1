#include "logmanager.h"

#include "iloginterface.h"
#include "localizemanager.h"
#include "logcapture.h"
#include "logdatabase.h"
#include "logrecord.h"
#include "moduleloginterface.h"

#include "corelib/common/corelogging.h"
#include "corelib/flow/flow.h"
#include "corelib/jobs/ijt.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QThread>

#include <cstdio>

namespace SRCore {

namespace {

// Guards currentInstance, and keeps finalize() from destroying an instance that post() is
// handing a record to.
QMutex instanceMutex;
LogManager *currentInstance = nullptr;

// While the database cannot be written the writer tries again after these delays (ms),
// doubling from the first to the longest.
constexpr int FirstRetryDelay = 100;
constexpr int LongestRetryDelay = 2000;
// How long stopServerLog() keeps trying to write to a database that refuses (ms).
constexpr int StopTimeout = 3000;

bool isDebugLevel(int level)
{
    return level == LogLevel::Debug || level == LogLevel::Assert;
}

// "2024-05-02T09:15:00.250Z error Scripter (Flow / Element / job.pdf): message text"
void printRecord(const LogRecord &record)
{
    QString line =
        LogDatabase::timeText(record.time) + QLatin1Char(' ') + LogRecord::typeWord(record.level);
    if (!record.module.isEmpty()) {
        line += QLatin1Char(' ') + record.module;
    }
    QStringList context;
    for (const QString *field : {&record.flow, &record.element, &record.file}) {
        if (!field->isEmpty()) {
            context << *field;
        }
    }
    if (!context.isEmpty()) {
        line += QLatin1String(" (") + context.join(QLatin1String(" / ")) + QLatin1Char(')');
    }
    line += QLatin1String(": ") + LocalizeManager::getMessage(record);
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    QByteArray bytes = line.toLocal8Bit();
    bytes += '\n';
    // One call per line, so that lines of several threads never interleave.
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

} // namespace

LogManager::LogManager()
    : m_longestRetryDelay(LongestRetryDelay)
    , m_stopTimeout(StopTimeout)
{}

LogManager::~LogManager()
{
    stopServerLog();
    closeDatabase();
}

LogManager *LogManager::instance()
{
    QMutexLocker lock(&instanceMutex);
    if (!currentInstance) {
        currentInstance = new LogManager;
    }
    return currentInstance;
}

void LogManager::finalize()
{
    LogManager *manager = nullptr;
    {
        QMutexLocker lock(&instanceMutex);
        std::swap(manager, currentInstance);
    }
    if (!manager) {
        return;
    }
    manager->stopServerLog();
    manager->closeDatabase();
    qint64 lost = 0;
    {
        QMutexLocker lock(&manager->m_mutex);
        lost = manager->m_queue.size() + manager->m_droppedCount;
    }
    if (lost > 0) {
        qCWarning(lcCoreLib).noquote()
            << tr("%n message(s) could not be written to the message database and are lost",
                  nullptr, int(lost));
    }
    delete manager;
}

void LogManager::post(const LogRecord &record, int flags)
{
    bool echo = false;
    {
        QMutexLocker lock(&instanceMutex);
        if (!currentInstance) {
            currentInstance = new LogManager;
        }
        LogManager *manager = currentInstance;
        if (isDebugLevel(record.level) && !manager->storeDebugMessages) {
            return;
        }
        manager->enqueue(record);
        LogCapture::offer(record);
        echo = (flags & ILogInterface::EchoToConsole) || manager->m_messaging == DatabaseAndConsole;
    }
    if (echo) {
        printRecord(record);
    }
}

void LogManager::enqueue(const LogRecord &record)
{
    QMutexLocker lock(&m_mutex);
    const bool wasEmpty = m_queue.isEmpty();
    m_queue.append(record);
    trimQueue();
    // The writer only sleeps without a deadline when it has nothing to do; waking it for every
    // record would cost a system call each.
    if (wasEmpty && m_writerIdle) {
        m_workAvailable.wakeOne();
    }
}

void LogManager::trimQueue()
{
    // While the writer keeps up nothing is dropped, however long the queue grows in a burst.
    if (m_storing) {
        return;
    }
    const qsizetype excess = m_queue.size() - m_queueLimit;
    if (excess > 0) {
        m_queue.remove(0, excess);
        m_droppedCount += excess;
    }
}

int LogManager::setDatabaseFiles(const QString &folder)
{
    QString error;
    const QFileInfo folderInfo(folder);
    if (folder.isEmpty() || !folderInfo.isDir()) {
        error = tr("Cannot open the message database: the folder '%1' does not exist").arg(folder);
    } else {
        const QString path = QDir(folderInfo.absoluteFilePath()).filePath(LogDatabase::fileName());
        // A connection of the calling thread checks and prepares the file; the writer opens its
        // own, since an SQL connection may only be used by the thread that made it.
        LogDatabase check;
        const LogDatabase::Status status = check.open(path, &error);
        if (status != LogDatabase::Status::Failed) {
            if (status == LogDatabase::Status::Busy) {
                qCInfo(lcCoreLib).noquote()
                    << error << "- messages are written once the lock is released";
            }
            QMutexLocker lock(&m_mutex);
            m_databaseFile = path;
            ++m_databaseGeneration;
            m_storing = m_writerRunning;
            m_workAvailable.wakeAll();
            return 0;
        }
    }
    qCWarning(lcCoreLib).noquote() << error;
    QMutexLocker lock(&m_mutex);
    m_lastError = error;
    return 1;
}

QString LogManager::getDatabaseFile() const
{
    QMutexLocker lock(&m_mutex);
    return m_databaseFile;
}

void LogManager::closeDatabase()
{
    QMutexLocker lock(&m_mutex);
    if (m_databaseFile.isEmpty()) {
        return;
    }
    m_databaseFile.clear();
    ++m_databaseGeneration;
    m_storing = false;
    m_workAvailable.wakeAll();
    while (m_writerRunning && m_writerGeneration != m_databaseGeneration) {
        m_writerProgress.wait(&m_mutex);
    }
}

void LogManager::startThread()
{
    if (m_thread) {
        return;
    }
    {
        QMutexLocker lock(&m_mutex);
        m_writerRunning = true;
        m_stopRequested = false;
        m_storing = !m_databaseFile.isEmpty();
    }
    m_thread.reset(QThread::create([this] { runWriter(); }));
    m_thread->setObjectName(QStringLiteral("SRCore log writer"));
    m_thread->start();
}

void LogManager::stopServerLog()
{
    if (!m_thread) {
        QMutexLocker lock(&m_mutex);
        if (m_queue.isEmpty() || m_databaseFile.isEmpty()) {
            return;
        }
    }
    startThread();
    {
        QMutexLocker lock(&m_mutex);
        m_stopRequested = true;
        m_workAvailable.wakeAll();
    }
    m_thread->wait();
    m_thread.reset();
    QMutexLocker lock(&m_mutex);
    m_stopRequested = false;
}

void LogManager::setLogMessaging(int mode)
{
    m_messaging = mode == DatabaseAndConsole ? DatabaseAndConsole : DatabaseOnly;
}

QString LogManager::lastError() const
{
    QMutexLocker lock(&m_mutex);
    return m_lastError;
}

void LogManager::setQueueLimit(int limit)
{
    QMutexLocker lock(&m_mutex);
    m_queueLimit = qMax(1, limit);
    trimQueue();
}

void LogManager::setDatabaseSizeLimit(qint64 bytes)
{
    QMutexLocker lock(&m_mutex);
    m_databaseSizeLimit = qMax<qint64>(0, bytes);
}

qint64 LogManager::databaseSizeLimit() const
{
    QMutexLocker lock(&m_mutex);
    return m_databaseSizeLimit;
}

int LogManager::queueLimit() const
{
    QMutexLocker lock(&m_mutex);
    return m_queueLimit;
}

int LogManager::queuedCount() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_queue.size() + m_inFlight);
}

void LogManager::setRetryTimes(int longestRetryDelay, int stopTimeout)
{
    QMutexLocker lock(&m_mutex);
    m_longestRetryDelay = qMax(1, longestRetryDelay);
    m_stopTimeout = qMax(1, stopTimeout);
}

// The writer thread. Everything it shares with other threads is guarded by m_mutex, which it
// never holds while it talks to the database or prints.
void LogManager::runWriter()
{
    LogDatabase database;
    bool failing = false; // a failure was reported and nothing has been written since
    int retryDelay = FirstRetryDelay;
    QDeadlineTimer retryAt;
    QDeadlineTimer giveUpAt(QDeadlineTimer::Forever);
    bool stopping = false;
    QStringList warnings;

    QMutexLocker lock(&m_mutex);
    QString target = m_databaseFile;
    m_writerGeneration = m_databaseGeneration;
    m_storing = !target.isEmpty();
    for (;;) {
        if (!warnings.isEmpty()) {
            lock.unlock();
            for (const QString &warning : std::as_const(warnings)) {
                qCWarning(lcCoreLib).noquote() << warning;
            }
            warnings.clear();
            lock.relock();
        }
        if (m_writerGeneration != m_databaseGeneration) {
            m_writerGeneration = m_databaseGeneration;
            target = m_databaseFile;
            lock.unlock();
            database.close();
            lock.relock();
            failing = false;
            // Until a write fails, a database to write to counts as storing: a burst that
            // arrives while the file is being opened is not cut short.
            m_storing = !target.isEmpty();
            trimQueue();
            retryDelay = FirstRetryDelay;
            retryAt = QDeadlineTimer();
            m_writerProgress.wakeAll();
            continue;
        }
        if (m_stopRequested && !stopping) {
            stopping = true;
            giveUpAt.setRemainingTime(m_stopTimeout);
        }
        const bool hasWork = !target.isEmpty() && !m_queue.isEmpty();
        if (stopping && (!hasWork || (failing && giveUpAt.hasExpired()))) {
            break;
        }
        if (!hasWork || (failing && !retryAt.hasExpired())) {
            QDeadlineTimer wakeAt(QDeadlineTimer::Forever);
            if (hasWork) {
                wakeAt = stopping ? qMin(retryAt, giveUpAt) : retryAt;
            }
            m_writerIdle = true;
            m_workAvailable.wait(&m_mutex, wakeAt);
            m_writerIdle = false;
            continue;
        }

        // Everything queued goes into one transaction: the cost of a commit is shared by as
        // many records as arrived while the previous one was written.
        QList<LogRecord> batch;
        batch.swap(m_queue);
        m_inFlight = batch.size();
        const qint64 sizeLimit = m_databaseSizeLimit;
        lock.unlock();
        QString error;
        LogDatabase::Status status = LogDatabase::Status::Ok;
        if (database.isOpen() && !QFileInfo::exists(target)) {
            // Removed under our feet: rows written now would go to a deleted file.
            database.close();
        }
        database.setSizeLimit(sizeLimit);
        if (!database.isOpen()) {
            status = database.open(target, &error);
            if (status == LogDatabase::Status::Ok) {
                // Messages of earlier runs beyond the limit go before new ones are added.
                database.trim();
            }
        }
        if (status == LogDatabase::Status::Ok) {
            status = database.write(batch, &error);
        }
        if (status == LogDatabase::Status::Ok) {
            batch.clear();
            if (failing) {
                qCInfo(lcCoreLib) << "The message database can be written again";
            }
        }
        lock.relock();
        m_inFlight = 0;

        if (status == LogDatabase::Status::Ok) {
            m_storing = true;
            failing = false;
            retryDelay = FirstRetryDelay;
            if (m_droppedCount > 0) {
                m_lastError = tr("%n message(s) were dropped because the message database could "
                                 "not be written and too many were waiting",
                                 nullptr, int(m_droppedCount));
                warnings << m_lastError;
                m_droppedCount = 0;
            }
        } else {
            // Back in front of what arrived meanwhile, keeping the order of logging.
            batch.append(std::move(m_queue));
            m_queue = std::move(batch);
            m_storing = false;
            trimQueue();
            if (!failing) {
                failing = true;
                m_lastError = error;
                warnings << tr("%1; messages are kept until it can be written").arg(error);
            }
            retryAt.setRemainingTime(retryDelay);
            retryDelay = qMin(2 * retryDelay, m_longestRetryDelay);
        }
    }

    if (failing && !m_queue.isEmpty()) {
        warnings << tr("The log was stopped with %n message(s) that could not be written", nullptr,
                       int(m_queue.size()));
    }
    m_writerRunning = false;
    m_storing = false;
    trimQueue();
    m_writerProgress.wakeAll();
    lock.unlock();
    for (const QString &warning : std::as_const(warnings)) {
        qCWarning(lcCoreLib).noquote() << warning;
    }
}

std::unique_ptr<ILogInterface> LogManager::createLogInterface(const QString &name,
                                                              const IJT *ticket, const Flow *flow)
{
    return std::make_unique<ModuleLogInterface>(name, flow ? flow->getFlowName() : QString(),
                                                ticket ? ticket->getActiveFileName() : QString());
}

} // namespace SRCore
