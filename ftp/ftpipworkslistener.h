#pragma once

#include "ftpentry.h"

#include <QObject>
#include <QVariant>

namespace TavrixCommon {
class FtpManager;
}

namespace TavrixSupportTools {

// Lives on the FTP worker thread and carries out the requests posted to it as events (types
// 1020 to 1025, ftpevents.h), one at a time, on its FtpManager. Each answer is
// commandFinished() with the command's number; listed entries come before it by listInfo().
class FtpIPworksListener : public QObject
{
    Q_OBJECT

public:
    // The command numbers of commandFinished().
    enum Command {
        PassiveSet = 1,
        ConnectParametersSet = 3,
        LoggedOn = 4,
        ListingDone = 6,
        DirectoryChanged = 7,
        TransferModeSet = 15,
    };

    // `manager` is not owned; it lives on the worker thread as long as the listener.
    explicit FtpIPworksListener(TavrixCommon::FtpManager *manager);

    bool event(QEvent *event) override;

signals:
    void commandFinished(int command, bool error, const QString &errorText, const QVariant &data);
    void listInfo(const TavrixCommon::FtpEntry &entry);

private:
    TavrixCommon::FtpManager *m_manager;
};

} // namespace TavrixSupportTools
