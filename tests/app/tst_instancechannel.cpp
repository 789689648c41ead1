// How instances of the program find each other and pass messages: in one process (the running
// instance's channel on a thread of its own) and between processes (this test program started
// again as a helper instance, which can be stopped or killed like a real one).

#include "common/testmain.h"

#include "app/instancechannel.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTest>
#include <QTextStream>
#include <QThread>
#include <QUuid>
#include <QtEndian>

#include <csignal>
#include <memory>
#include <unistd.h>

using Scripter::InstanceChannel;

namespace {

// Environment of a helper instance: its identifier, and the message it sends when it finds
// another instance running.
const char helperIdentifierVariable[] = "TST_INSTANCECHANNEL_IDENTIFIER";
const char helperMessageVariable[] = "TST_INSTANCECHANNEL_MESSAGE";

const QString importSeparator = QStringLiteral("|/:\\::/:\\|");

QString uniqueIdentifier()
{
    return QStringLiteral("tst_instancechannel ") + QUuid::createUuid().toString(QUuid::Id128);
}

// A helper instance: reports "server" or "client" on its standard output. As server it reports
// every message as "message:" and the message's UTF-8 in Base64, and runs until its standard
// input is closed; as client it sends its message and reports "delivered" or "lost".
int runHelper(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    InstanceChannel channel(qEnvironmentVariable(helperIdentifierVariable));
    if (channel.isRunning()) {
        out << "client\n";
        if (qEnvironmentVariableIsSet(helperMessageVariable)) {
            const bool delivered =
                channel.sendMessage(qEnvironmentVariable(helperMessageVariable), 20000);
            out << (delivered ? "delivered\n" : "lost\n");
        }
        return 0;
    }
    out << "server\n" << Qt::flush;
    QObject::connect(&channel, &InstanceChannel::messageReceived, &application,
                     [&out](const QString &message) {
                         out << "message:" << message.toUtf8().toBase64() << '\n' << Qt::flush;
                     });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &application, [&application] {
        char c;
        if (::read(STDIN_FILENO, &c, 1) <= 0) {
            application.quit();
        }
    });
    return application.exec();
}

class Helper
{
public:
    explicit Helper(const QString &identifier, const QString &message = QString())
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(helperIdentifierVariable), identifier);
        if (!message.isNull()) {
            environment.insert(QString::fromLatin1(helperMessageVariable), message);
        }
        m_process.setProcessEnvironment(environment);
        m_process.start(QCoreApplication::applicationFilePath(), QStringList());
    }

    ~Helper()
    {
        if (m_process.state() != QProcess::NotRunning) {
            ::kill(pid_t(m_process.processId()), SIGCONT);
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // The first line the helper wrote: "server" or "client".
    QString role()
    {
        while (!m_process.canReadLine() && m_process.waitForReadyRead(30000)) {}
        return QString::fromLatin1(m_process.readLine()).trimmed();
    }

    // Everything the helper wrote after its role, once it has ended.
    QStringList finish()
    {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(30000)) {
            return {QStringLiteral("helper did not end")};
        }
        QStringList lines;
        for (const QByteArray &line : m_process.readAllStandardOutput().split('\n')) {
            if (line.startsWith("message:")) {
                lines.append(QStringLiteral("message:")
                             + QString::fromUtf8(QByteArray::fromBase64(line.mid(8))));
            } else if (!line.isEmpty()) {
                lines.append(QString::fromLatin1(line));
            }
        }
        return lines;
    }

    // What the helper reported as warnings; complete once it has ended.
    QString warnings() { return QString::fromUtf8(m_process.readAllStandardError()); }

    qint64 processId() const { return m_process.processId(); }
    void signal(int number) { ::kill(pid_t(m_process.processId()), number); }
    void crash()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

private:
    QProcess m_process;
};

// The running instance's channel on a thread of its own, so that the test thread can send to
// it and wait for the answer.
class RunningInstance
{
public:
    explicit RunningInstance(const QString &identifier)
        : m_channel(new InstanceChannel(identifier))
    {
        m_isServer = !m_channel->isRunning();
        QObject::connect(m_channel, &InstanceChannel::messageReceived, &m_receiver,
                         [this](const QString &message) { m_messages.append(message); });
        m_channel->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, m_channel, &QObject::deleteLater);
        m_thread.start();
    }

    ~RunningInstance()
    {
        m_thread.quit();
        m_thread.wait();
    }

    bool isServer() const { return m_isServer; }
    // The messages received so far; they arrive with the test thread's events.
    QStringList messages() const { return m_messages; }

private:
    QThread m_thread;
    InstanceChannel *m_channel;
    QObject m_receiver;
    QStringList m_messages;
    bool m_isServer = false;
};

QByteArray frame(const QByteArray &payload)
{
    QByteArray bytes = QByteArrayLiteral("TSIM");
    bytes.resize(8);
    qToBigEndian<quint32>(quint32(payload.size()), bytes.data() + 4);
    return bytes + payload;
}

} // namespace

class tst_InstanceChannel : public QObject
{
    Q_OBJECT

private slots:

    void laterChannelFindsTheRunningOneAndDelivers_data();
    void laterChannelFindsTheRunningOneAndDelivers();
    void firstChannelRunsUntilItEndsAndMeetsOnlyItsOwnIdentifier();
    void instanceLeftBehindByACrashDoesNotBlock();
    void stalledInstanceTimesOutAndIgnoresTheAbandonedMessage();
    void simultaneousStartsMakeOneRunningInstance();
    void malformedMessagesAreDroppedAndTheInstanceServesOn_data();
    void malformedMessagesAreDroppedAndTheInstanceServesOn();
    void tooLongMessageIsRefusedBeforeSending();
};

void tst_InstanceChannel::laterChannelFindsTheRunningOneAndDelivers_data()
{
    QTest::addColumn<QStringList>("messages");

    // clang-format off
    QTest::newRow("start-up messages") << QStringList{QStringLiteral("act"), QStringLiteral("ctrl")};
    QTest::newRow("import sequence with the separator and non-ASCII paths") << QStringList{QStringLiteral("message.startimportsequence"), QStringList{QStringLiteral("/usr/bin/tavrixscripter"), QStringLiteral("/home/jörg/Größe – 報告.tscript"), QStringLiteral("/tmp/emoji \U0001F4E6/a|b\\c.tfixture")} .join(importSeparator), QStringLiteral("message.endimportsequence")};
    QTest::newRow("empty message and line breaks") << QStringList{QString(), QStringLiteral("\n"), QString::fromUtf8("a\r\nb\0c", 6)};
    QTest::newRow("message larger than any socket buffer") << QStringList{QString(3 * 1024 * 1024, QLatin1Char('x')) + QStringLiteral("end"), QStringLiteral("after")};
    // clang-format on
}

void tst_InstanceChannel::laterChannelFindsTheRunningOneAndDelivers()
{
    QFETCH(QStringList, messages);

    const QString identifier = uniqueIdentifier();
    RunningInstance running(identifier);
    QVERIFY(running.isServer());

    InstanceChannel later(identifier);
    QVERIFY(later.isRunning());
    for (const QString &message : messages) {
        QString error;
        QVERIFY2(later.sendMessage(message, 10000, &error), qPrintable(error));
    }
    QTRY_COMPARE(running.messages().size(), messages.size());
    QCOMPARE(running.messages(), messages);
}

void tst_InstanceChannel::firstChannelRunsUntilItEndsAndMeetsOnlyItsOwnIdentifier()
{
    const QString identifier = uniqueIdentifier();
    auto first = std::make_unique<InstanceChannel>(identifier);
    QSignalSpy received(first.get(), &InstanceChannel::messageReceived);
    QVERIFY(!first->isRunning());
    QVERIFY(!first->isRunning());
    QString error;
    QVERIFY(!first->sendMessage(QStringLiteral("act"), 1000, &error));
    QVERIFY2(error.contains(QStringLiteral("No other instance")), qPrintable(error));
    QCoreApplication::processEvents();
    QCOMPARE(received.count(), 0);

    // Only letters and digits go into the name; the rest must still keep identifiers apart.
    InstanceChannel other(identifier + QStringLiteral("_"));
    QVERIFY(!other.isRunning());
    QVERIFY(first->serverName() != other.serverName());
    // Another user's instance has another name; the user is part of it.
    QVERIFY2(first->serverName().endsWith(QLatin1Char('-') + QString::number(::getuid())),
             qPrintable(first->serverName()));

    InstanceChannel later(identifier);
    QVERIFY(later.isRunning());
    first.reset();
    QVERIFY(!later.isRunning());
    QVERIFY(InstanceChannel(identifier).isRunning());
}

void tst_InstanceChannel::instanceLeftBehindByACrashDoesNotBlock()
{
    const QString identifier = uniqueIdentifier();
    const InstanceChannel watcher(identifier);
    QCOMPARE(watcher.runningProcessId(), 0);
    Helper crashed(identifier);
    QCOMPARE(crashed.role(), QStringLiteral("server"));
    // A watcher sees the running process without taking part.
    QCOMPARE(watcher.runningProcessId(), crashed.processId());
    QVERIFY(InstanceChannel(identifier).isRunning());

    crashed.crash();
    QVERIFY2(QFileInfo::exists(QDir::tempPath() + QLatin1Char('/') + watcher.serverName()),
             "a killed instance leaves its socket behind");
    RunningInstance next(identifier);
    QVERIFY(next.isServer());
    InstanceChannel later(identifier);
    QVERIFY(later.isRunning());
    QString error;
    QVERIFY2(later.sendMessage(QStringLiteral("act"), 10000, &error), qPrintable(error));
    QTRY_COMPARE(next.messages(), QStringList{QStringLiteral("act")});
}

void tst_InstanceChannel::stalledInstanceTimesOutAndIgnoresTheAbandonedMessage()
{
    const QString identifier = uniqueIdentifier();
    Helper stalled(identifier);
    QCOMPARE(stalled.role(), QStringLiteral("server"));
    stalled.signal(SIGSTOP);

    InstanceChannel later(identifier);
    QVERIFY(later.isRunning());
    QString error;
    QVERIFY(!later.sendMessage(QStringLiteral("abandoned"), 300, &error));
    QVERIFY2(error.contains(QStringLiteral("in time")), qPrintable(error));

    // Once it runs again, it takes the abandoned connection first, finds its sender gone and
    // does not act on it; the next message is delivered as usual.
    stalled.signal(SIGCONT);
    QVERIFY2(later.sendMessage(QStringLiteral("next"), 20000, &error), qPrintable(error));
    QCOMPARE(stalled.finish(), QStringList{QStringLiteral("message:next")});
    const QString warnings = stalled.warnings();
    QVERIFY2(warnings.contains(QStringLiteral("sender stopped waiting")), qPrintable(warnings));
}

void tst_InstanceChannel::simultaneousStartsMakeOneRunningInstance()
{
    const QString identifier = uniqueIdentifier();
    std::vector<std::unique_ptr<Helper>> helpers;
    for (int i = 0; i < 4; ++i) {
        helpers.push_back(std::make_unique<Helper>(identifier, QStringLiteral("start %1").arg(i)));
    }

    Helper *server = nullptr;
    for (const auto &helper : helpers) {
        const QString role = helper->role();
        if (role == QLatin1String("server")) {
            QVERIFY2(!server, "two instances became the running instance");
            server = helper.get();
        } else {
            QCOMPARE(role, QStringLiteral("client"));
        }
    }
    QVERIFY(server);
    QStringList expected;
    for (int i = 0; i < 4; ++i) {
        Helper *helper = helpers.at(i).get();
        if (helper != server) {
            QCOMPARE(helper->finish(), QStringList{QStringLiteral("delivered")});
            expected.append(QStringLiteral("message:start %1").arg(i));
        }
    }
    QStringList received = server->finish();
    received.sort();
    QCOMPARE(received, expected);
}

void tst_InstanceChannel::malformedMessagesAreDroppedAndTheInstanceServesOn_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("warning"); // empty: the sender leaves in the middle

    // clang-format off
    QTest::newRow("not an instance message") << QByteArray("GET / HTTP/1.0\r\n\r\n") << "sent no instance message";
    QTest::newRow("length over the limit") << QByteArray("TSIM\xff\xff\xff\xff", 8) << "message of 4294967295 bytes";
    QTest::newRow("text that is not UTF-8") << frame("\xff\xfe path \xc3") << "not UTF-8 text";
    QTest::newRow("sender leaves in the middle") << frame(QByteArray(100, 'x')).left(50) << "";
    // clang-format on
}

void tst_InstanceChannel::malformedMessagesAreDroppedAndTheInstanceServesOn()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, warning);

    const QString identifier = uniqueIdentifier();
    RunningInstance running(identifier);
    QVERIFY(running.isServer());

    QLocalSocket stray;
    stray.connectToServer(InstanceChannel(identifier).serverName());
    QVERIFY(stray.waitForConnected(5000));
    if (!warning.isEmpty()) {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning)));
    }
    stray.write(bytes);
    QVERIFY(stray.waitForBytesWritten(5000));
    if (warning.isEmpty()) {
        stray.disconnectFromServer();
    } else {
        // The running instance closes the connection without an answer.
        QVERIFY(stray.state() == QLocalSocket::UnconnectedState
                || stray.waitForDisconnected(10000));
        QCOMPARE(stray.readAll(), QByteArray());
    }

    InstanceChannel later(identifier);
    QString error;
    QVERIFY2(later.sendMessage(QStringLiteral("after"), 10000, &error), qPrintable(error));
    QTRY_COMPARE(running.messages(), QStringList{QStringLiteral("after")});
}

void tst_InstanceChannel::tooLongMessageIsRefusedBeforeSending()
{
    const QString identifier = uniqueIdentifier();
    RunningInstance running(identifier);
    QVERIFY(running.isServer());

    InstanceChannel later(identifier);
    // Two bytes of UTF-8 per character: over the limit although the text has fewer characters.
    const QString tooLong(int(InstanceChannel::MaximumMessageSize / 2 + 1), QChar(0x00E9));
    QString error;
    QVERIFY(!later.sendMessage(tooLong, 10000, &error));
    QVERIFY2(error.contains(QStringLiteral("too long")), qPrintable(error));
    QVERIFY2(later.sendMessage(QStringLiteral("after"), 10000, &error), qPrintable(error));
    QTRY_COMPARE(running.messages(), QStringList{QStringLiteral("after")});
}

int main(int argc, char **argv)
{
    TestMain::prepare("tst_InstanceChannel");
    if (qEnvironmentVariableIsSet(helperIdentifierVariable)) {
        return runHelper(argc, argv);
    }
    QCoreApplication application(argc, argv);
    QTEST_SET_MAIN_SOURCE_PATH
    tst_InstanceChannel test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_instancechannel.moc"
