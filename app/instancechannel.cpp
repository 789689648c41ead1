#include "instancechannel.h"

#include "scripterlogging.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStringDecoder>
#include <QThread>
#include <QTimer>
#include <QtEndian>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace Scripter {

namespace {

// A message travels as the magic, its length in bytes (32 bits, big-endian) and its UTF-8 text;
// the running instance answers with the acknowledgement once it holds the whole message.
const QByteArray &magic()
{
    static const QByteArray bytes = QByteArrayLiteral("TSIM");
    return bytes;
}

const QByteArray &acknowledgement()
{
    static const QByteArray bytes = QByteArrayLiteral("ack");
    return bytes;
}

constexpr qint64 kHeaderSize = 8;
// A sender that stops in the middle of a message is dropped after this long.
constexpr int kIdleConnectionMs = 30000;
// How often a sender tries again while the running instance has not started listening yet.
constexpr int kConnectRetryMs = 50;

QString userKey()
{
#ifdef Q_OS_WIN
    return QString::fromLatin1(QCryptographicHash::hash(qEnvironmentVariable("USERNAME").toUtf8(),
                                                        QCryptographicHash::Sha1)
                                   .toHex()
                                   .left(8));
#else
    return QString::number(::getuid());
#endif
}

QString serverNameFor(const QString &identifier)
{
    // Local server names become file names (and must stay short on Unix), so only plain letters
    // and digits of the identifier are kept; the hash keeps apart identifiers that differ only in
    // the other characters.
    QString prefix;
    for (const QChar c : identifier) {
        if (c.unicode() < 128 && c.isLetterOrNumber() && prefix.size() < 24) {
            prefix.append(c);
        }
    }
    const QByteArray hash =
        QCryptographicHash::hash(identifier.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return prefix + QLatin1Char('-') + QString::fromLatin1(hash) + QLatin1Char('-') + userKey();
}

int msecsLeft(const QDeadlineTimer &deadline)
{
    return deadline.isForever() ? -1 : int(deadline.remainingTime());
}

void dropConnection(QLocalSocket *socket)
{
    socket->abort();
    socket->deleteLater();
}

} // namespace

InstanceChannel::InstanceChannel(const QString &identifier, QObject *parent)
    : QObject(parent)
    , m_identifier(identifier)
    , m_serverName(serverNameFor(identifier))
    , m_lockFile(std::make_unique<QLockFile>(QDir::tempPath() + QLatin1Char('/') + m_serverName
                                             + QStringLiteral(".lock")))
{
    // A lock is stale only when its process is gone, never by age: the running instance holds it
    // for as long as it runs.
    m_lockFile->setStaleLockTime(0);
}

InstanceChannel::~InstanceChannel()
{
    // Stop listening before the lock goes: closing removes the socket by its name, which must
    // not hit the socket of a successor that took the lock in between.
    delete m_server;
}

qint64 InstanceChannel::runningProcessId() const
{
    if (m_primary) {
        return QCoreApplication::applicationPid();
    }
    qint64 processId = 0;
    QString hostName;
    QString applicationName;
    return m_lockFile->getLockInfo(&processId, &hostName, &applicationName) ? processId : 0;
}

bool InstanceChannel::isRunning()
{
    if (m_primary) {
        return false;
    }
    if (!m_lockFile->tryLock(0)) {
        if (m_lockFile->error() == QLockFile::LockFailedError) {
            return true;
        }
        // Without a usable lock file (a temporary folder that cannot be written) the instances
        // can only tell by whether someone answers.
        qCWarning(lcScripter) << "Cannot create the instance lock" << m_lockFile->error()
                              << "- deciding by the server name alone";
        QLocalSocket probe;
        probe.connectToServer(m_serverName);
        if (probe.waitForConnected(0)) {
            return true;
        }
    }
    m_primary = true;
    listen();
    return false;
}

void InstanceChannel::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    bool listening = m_server->listen(m_serverName);
    if (!listening && m_server->serverError() == QAbstractSocket::AddressInUseError) {
        // Nobody who answers holds the name: an instance that crashed left it behind.
        QLocalServer::removeServer(m_serverName);
        listening = m_server->listen(m_serverName);
    }
    if (!listening) {
        qCWarning(lcScripter) << "Other instances cannot reach this one:"
                              << m_server->errorString();
        return;
    }
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::acceptConnections);
}

void InstanceChannel::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        QTimer::singleShot(kIdleConnectionMs, socket, [socket] { dropConnection(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        readMessage(socket);
    }
}

void InstanceChannel::readMessage(QLocalSocket *socket)
{
    if (socket->bytesAvailable() < kHeaderSize) {
        return;
    }
    const QByteArray header = socket->peek(kHeaderSize);
    if (!header.startsWith(magic())) {
        qCWarning(lcScripter) << "Dropped a connection that sent no instance message";
        socket->disconnect(this);
        dropConnection(socket);
        return;
    }
    const qint64 size = qFromBigEndian<quint32>(header.constData() + magic().size());
    if (size > MaximumMessageSize) {
        qCWarning(lcScripter) << "Dropped an instance message of" << size << "bytes";
        socket->disconnect(this);
        dropConnection(socket);
        return;
    }
    if (socket->bytesAvailable() < kHeaderSize + size) {
        return;
    }

    socket->disconnect(this);
    socket->skip(kHeaderSize);
    const QByteArray payload = socket->read(size);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString message = decoder.decode(payload);
    if (decoder.hasError()) {
        qCWarning(lcScripter) << "Dropped an instance message that is not UTF-8 text";
        dropConnection(socket);
        return;
    }
    // A sender that gave up waiting has closed its end; then the answer cannot be written and
    // the message is not acted upon, as the sender counts it as not delivered.
    const bool answered =
        socket->write(acknowledgement()) == acknowledgement().size() && socket->flush();
    dropConnection(socket);
    if (!answered) {
        qCWarning(lcScripter) << "Ignored an instance message whose sender stopped waiting";
        return;
    }
    emit messageReceived(message);
}

bool InstanceChannel::sendMessage(const QString &message, int timeoutMs, QString *errorMessage)
{
    const auto fail = [errorMessage](const QString &reason) {
        if (errorMessage) {
            *errorMessage = reason;
        }
        return false;
    };

    const QByteArray payload = message.toUtf8();
    if (payload.size() > MaximumMessageSize) {
        return fail(tr("The message is too long for another instance (%1 bytes, at most %2).")
                        .arg(payload.size())
                        .arg(MaximumMessageSize));
    }
    if (!isRunning()) {
        return fail(tr("No other instance is running."));
    }

    const QDeadlineTimer deadline =
        timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs);
    QLocalSocket socket;
    // The running instance takes its lock a moment before it listens.
    for (;;) {
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(msecsLeft(deadline))) {
            break;
        }
        if (deadline.hasExpired()) {
            return fail(tr("The running instance cannot be reached: %1").arg(socket.errorString()));
        }
        QThread::msleep(deadline.isForever() ? kConnectRetryMs
                                             : qMin<qint64>(kConnectRetryMs, msecsLeft(deadline)));
    }

    QByteArray frame = magic();
    frame.resize(kHeaderSize);
    qToBigEndian<quint32>(quint32(payload.size()), frame.data() + magic().size());
    frame.append(payload);
    socket.write(frame);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(msecsLeft(deadline))) {
            return fail(tr("The running instance did not take the message in time."));
        }
    }

    QByteArray answer;
    while (answer.size() < acknowledgement().size()) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(msecsLeft(deadline))) {
            return fail(tr("The running instance did not answer in time."));
        }
        answer.append(socket.read(acknowledgement().size() - answer.size()));
    }
    if (answer != acknowledgement()) {
        return fail(tr("The running instance gave an unexpected answer."));
    }
    return true;
}

} // namespace Scripter
