#pragma once

#include <QApplication>
#include <QPointer>

namespace Scripter {

class InstanceChannel;

// The program's application object when only one instance may run per user: a later start
// finds the running instance with isRunning(), hands it its requests with sendMessage() and
// exits; the running instance receives them as messageReceived() and can bring its window to
// the front (see InstanceChannel for how instances meet).
class SingleApplication : public QApplication
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleApplication)

public:
    // `identifier` names the program; `argc` must outlive the application, as for QApplication.
    SingleApplication(const QString &identifier, int &argc, char **argv);
    ~SingleApplication() override;

    QString id() const;

    // True when another instance of the program runs for this user; otherwise this one becomes
    // the running instance.
    bool isRunning();

    // Sends `message` to the running instance; true when it was delivered within `timeoutMs`
    // milliseconds, otherwise `errorMessage` says why.
    bool sendMessage(const QString &message, int timeoutMs = 5000, QString *errorMessage = nullptr);

    // The window that activateWindow() brings to the front. With `activateOnMessage`, every
    // received message activates it first. The window is not owned; once it is deleted, the
    // first top-level window takes its place.
    void setActivationWindow(QWidget *window, bool activateOnMessage = true);
    QWidget *activationWindow() const;

    // Becomes the running instance unless another one runs; with `activate`, every received
    // message first activates the activation window, or the first top-level window when none
    // was set.
    void initialize(bool activate = true);

public slots:
    // Restores the activation window from the minimised state, raises and activates it.
    void activateWindow();

signals:
    // Emitted after the activation window, if any, was activated, so that a window that the
    // receiver opens stays in front.
    void messageReceived(const QString &message);

private:
    void handleMessage(const QString &message);

    InstanceChannel *m_channel;
    QPointer<QWidget> m_activationWindow;
    bool m_activateOnMessage = false;
};

} // namespace Scripter
