#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QLockFile;

namespace Scripter {

// Lets the instances of one program that run for the same user find each other: the first
// becomes the running instance and listens, later ones find it running and hand it messages.
// Two programs started at the same moment cannot both become the running instance (a lock file
// decides), and what a crashed instance left behind does not block the next start.
//
// A message is any text; it arrives whole, and the messages of one sender arrive in the order
// they were sent, because sendMessage() returns only after the running instance has answered.
// The channel belongs to the thread it lives in; the server side needs its event loop.
class InstanceChannel : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InstanceChannel)

public:
    // Messages larger than this (in bytes of UTF-8) are refused; it keeps a stray client from
    // making the running instance buffer without end.
    static constexpr qint64 MaximumMessageSize = 16 * 1024 * 1024;

    // `identifier` names the program; instances with the same identifier and user meet.
    explicit InstanceChannel(const QString &identifier, QObject *parent = nullptr);
    ~InstanceChannel() override;

    QString identifier() const { return m_identifier; }
    // The local server name: the identifier's letters, a hash of the whole identifier and the
    // user, so that two users on one machine do not see each other's instance.
    QString serverName() const { return m_serverName; }

    // The process id that the running instance wrote into its lock, read without taking part:
    // a watcher can wait for a program it started without becoming the running instance
    // itself. 0 when there is no lock; the id of an instance that crashed stays until the next
    // start clears it.
    qint64 runningProcessId() const;

    // True when another instance is running. Otherwise this channel becomes the running
    // instance (if it is not already) and starts listening.
    bool isRunning();

    // Sends `message` to the running instance and waits at most `timeoutMs` milliseconds (a
    // negative value waits without limit) for it to answer. Returns whether the message was
    // delivered; a message that is not answered in time counts as not delivered. False with a
    // reason in `errorMessage` also when this channel is the running instance itself.
    bool sendMessage(const QString &message, int timeoutMs, QString *errorMessage = nullptr);

signals:
    // A message from another instance; emitted after the sender was told that it arrived.
    void messageReceived(const QString &message);

private:
    void listen();
    void acceptConnections();
    void readMessage(QLocalSocket *socket);

    QString m_identifier;
    QString m_serverName;
    std::unique_ptr<QLockFile> m_lockFile;
    QLocalServer *m_server = nullptr; // null until this channel is the running instance
    bool m_primary = false;           // this channel is the running instance
};

} // namespace Scripter
