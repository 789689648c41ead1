#pragma once

#include "ftpentry.h"
#include "ftpmanager.h"

#include <QMutex>
#include <QObject>
#include <QVariant>

namespace TavrixSupportTools {

class FtpIPworksThread;

// The asynchronous FTP client of the FTP dialogs. Each operation posts a request to the FTP
// worker thread and returns at once; the answer comes back as commandFinished() (with the
// FtpIPworksListener::Command number) and listed entries as listInfo(), both queued to the
// thread that made this object. Requests are carried out in the order they were made.
//
// abort() stops the request in progress, and every later one fails at once; the destructor
// aborts too and waits for the worker thread to end.
class FtpIPworks : public QObject
{
    Q_OBJECT

public:
    explicit FtpIPworks(QObject *parent = nullptr);
    ~FtpIPworks() override;
    FtpIPworks(const FtpIPworks &) = delete;
    FtpIPworks &operator=(const FtpIPworks &) = delete;

    void connectToHost(const TavrixCommon::FtpConnectionSettings &settings);
    void login(const QString &user, const QString &password);
    void setPassive(bool passive);
    void setTransferBinary(bool binary);
    void cd(const QString &path);
    void list();
    void abort();

signals:
    void commandFinished(int command, bool error, const QString &errorText, const QVariant &data);
    void listInfo(const TavrixCommon::FtpEntry &entry);

private:
    void post(QEvent *event);

    QMutex m_mutex;
    FtpIPworksThread *m_thread;
};

} // namespace TavrixSupportTools
