#include "ftpipworks.h"

#include "ftpevents.h"
#include "ftpipworkslistener.h"
#include "ftpipworksthread.h"

#include <QCoreApplication>
#include <QMutexLocker>

namespace TavrixSupportTools {

FtpIPworks::FtpIPworks(QObject *parent)
    : QObject(parent)
    , m_thread(new FtpIPworksThread)
{
    qRegisterMetaType<TavrixCommon::FtpEntry>();
    m_thread->start(QThread::InheritPriority);
    m_thread->waitUntilReady();
    FtpIPworksListener *listener = m_thread->listener();
    connect(listener, &FtpIPworksListener::commandFinished, this, &FtpIPworks::commandFinished);
    connect(listener, &FtpIPworksListener::listInfo, this, &FtpIPworks::listInfo);
}

FtpIPworks::~FtpIPworks()
{
    // A call blocked on a silent server returns within a second of the abort, so the wait is
    // short; the thread's objects must not outlive it on another thread.
    abort();
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

void FtpIPworks::post(QEvent *event)
{
    QMutexLocker locker(&m_mutex);
    QCoreApplication::postEvent(m_thread->listener(), event);
}

void FtpIPworks::connectToHost(const TavrixCommon::FtpConnectionSettings &settings)
{
    post(new FtpConnectEvent(settings));
}

void FtpIPworks::login(const QString &user, const QString &password)
{
    post(new FtpLoginEvent(user, password));
}

void FtpIPworks::setPassive(bool passive)
{
    post(new FtpFlagEvent(FtpSetPassiveEventType, passive));
}

void FtpIPworks::setTransferBinary(bool binary)
{
    post(new FtpFlagEvent(FtpSetTransferBinaryEventType, binary));
}

void FtpIPworks::cd(const QString &path)
{
    post(new FtpCdEvent(path));
}

void FtpIPworks::list()
{
    post(new FtpListEvent);
}

void FtpIPworks::abort()
{
    m_thread->manager()->abort();
}

} // namespace TavrixSupportTools
