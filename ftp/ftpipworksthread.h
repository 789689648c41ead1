#pragma once

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

namespace TavrixCommon {
class FtpManager;
}

namespace TavrixSupportTools {

class FtpIPworksListener;

// The FTP worker thread. It makes the FTP client and the listener that carries out requests on
// it, says when they are ready, runs its event loop until asked to quit, and destroys both on
// its way out, so that nothing else ever touches them from another thread.
class FtpIPworksThread : public QThread
{
    Q_OBJECT

public:
    explicit FtpIPworksThread(QObject *parent = nullptr);

    // Blocks until run() has made the listener and the client; then both stay valid until the
    // thread finishes.
    void waitUntilReady();
    FtpIPworksListener *listener() const { return m_listener; }
    TavrixCommon::FtpManager *manager() const { return m_manager; }

protected:
    void run() override;

private:
    QMutex m_mutex;
    QWaitCondition m_readyCondition;
    bool m_ready = false;
    FtpIPworksListener *m_listener = nullptr;
    TavrixCommon::FtpManager *m_manager = nullptr;
};

} // namespace TavrixSupportTools
