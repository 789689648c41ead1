#include "ftpipworksthread.h"

#include "ftpipworkslistener.h"
#include "ftpmanager.h"

#include <QMutexLocker>

namespace TavrixSupportTools {

FtpIPworksThread::FtpIPworksThread(QObject *parent)
    : QThread(parent)
{}

void FtpIPworksThread::waitUntilReady()
{
    QMutexLocker locker(&m_mutex);
    while (!m_ready) {
        m_readyCondition.wait(&m_mutex, 50);
    }
}

void FtpIPworksThread::run()
{
    TavrixCommon::FtpManager manager;
    FtpIPworksListener listener(&manager);
    {
        QMutexLocker locker(&m_mutex);
        m_manager = &manager;
        m_listener = &listener;
        m_ready = true;
        m_readyCondition.wakeAll();
    }
    exec();
}

} // namespace TavrixSupportTools
