#include "ftpipworkslistener.h"

#include "ftpevents.h"
#include "ftpmanager.h"

namespace TavrixSupportTools {

FtpIPworksListener::FtpIPworksListener(TavrixCommon::FtpManager *manager)
    : m_manager(manager)
{
    connect(manager, &TavrixCommon::FtpManager::listInfo, this, &FtpIPworksListener::listInfo);
}

bool FtpIPworksListener::event(QEvent *event)
{
    const int type = int(event->type());
    if (type < FtpConnectEventType || type > FtpSetTransferBinaryEventType) {
        return QObject::event(event);
    }
    int command = 0;
    bool done = false;
    QVariant data;
    switch (type) {
    case FtpConnectEventType:
        command = ConnectParametersSet;
        done = m_manager->connectToHost(static_cast<FtpConnectEvent *>(event)->settings);
        break;
    case FtpLoginEventType: {
        const auto *login = static_cast<FtpLoginEvent *>(event);
        command = LoggedOn;
        done = m_manager->login(login->user, login->password);
        data = m_manager->currentPath();
        break;
    }
    case FtpSetPassiveEventType:
        command = PassiveSet;
        done = m_manager->setPassive(static_cast<FtpFlagEvent *>(event)->flag);
        break;
    case FtpListEventType:
        command = ListingDone;
        done = m_manager->listDir();
        data = m_manager->currentPath();
        break;
    case FtpCdEventType:
        command = DirectoryChanged;
        done = m_manager->cd(static_cast<FtpCdEvent *>(event)->path);
        data = m_manager->currentPath();
        break;
    case FtpSetTransferBinaryEventType:
        command = TransferModeSet;
        done = m_manager->setTransferBinary(static_cast<FtpFlagEvent *>(event)->flag);
        break;
    }
    emit commandFinished(command, !done, done ? QString() : m_manager->lastError(), data);
    return true;
}

} // namespace TavrixSupportTools
