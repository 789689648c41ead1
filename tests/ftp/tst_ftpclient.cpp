// The asynchronous FTP client against a real FTP server: logging on, listing awkward names,
// changing folders, passive and active mode, FTPS, and every way a connection fails: a wrong
// password, a refused connection, a host that does not resolve, a server that stops answering,
// an abort while it hangs, and a libcurl that cannot be loaded.

#include "common/testmain.h"

#include "common/ftptestserver.h"
#include "common/testfiles.h"

#include "ftp/curllibrary.h"
#include "ftp/ftpentry.h"
#include "ftp/ftpipworks.h"
#include "ftp/ftpipworkslistener.h"
#include "ftp/ftpmanager.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>

using TavrixCommon::CurlLibrary;
using TavrixCommon::FtpConnectionSettings;
using TavrixCommon::FtpEntry;
using TavrixCommon::FtpManager;
using TavrixSupportTools::FtpIPworks;
using Command = TavrixSupportTools::FtpIPworksListener::Command;

namespace {

const QString longName = QStringLiteral(
    "a name that goes on and on, far beyond the width of any column of a list, until even a "
    "wide window cuts it off.txt");
const QString spacedName = QStringLiteral("  two  spaces and a leading pair.txt");
const QString foreignName = QStringLiteral("Übersicht – naïve 日本 ✓.pdf");

struct Answer
{
    int command = 0;
    bool error = true;
    QString text;
    QString data;
};

// One client and what it answered, in order.
struct Session
{
    FtpIPworks client;
    QSignalSpy answers{&client, &FtpIPworks::commandFinished};
    QList<FtpEntry> entries;

    Session()
    {
        QObject::connect(&client, &FtpIPworks::listInfo, &client,
                         [this](const FtpEntry &entry) { entries.append(entry); });
    }

    // The next answer; command 0 when none came within a minute.
    Answer next()
    {
        if (answers.isEmpty() && !answers.wait(60000)) {
            return {};
        }
        const QList<QVariant> arguments = answers.takeFirst();
        return {arguments.at(0).toInt(), arguments.at(1).toBool(), arguments.at(2).toString(),
                arguments.at(3).toString()};
    }

    Answer logOn(const FtpConnectionSettings &settings, const QString &user,
                 const QString &password)
    {
        client.connectToHost(settings);
        const Answer connected = next();
        if (connected.command != Command::ConnectParametersSet || connected.error) {
            return connected;
        }
        client.login(user, password);
        return next();
    }

    // The listing of `folder`: the names, or the error.
    Answer list(const QString &folder)
    {
        entries.clear();
        client.cd(folder);
        const Answer changed = next();
        if (changed.error) {
            return changed;
        }
        client.list();
        return next();
    }

    QStringList names() const
    {
        QStringList result;
        for (const FtpEntry &entry : entries) {
            result.append(entry.name);
        }
        result.sort();
        return result;
    }
};

} // namespace

class tst_FtpClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void logsOnAndLists_data();
    void logsOnAndLists();
    void changesFolders();
    void wrongPasswordCanBeRetried();
    void connectionFailures_data();
    void connectionFailures();
    void silentServerTimesOut();
    void abortEndsAHangingRequest();
    void refusesBadPaths_data();
    void refusesBadPaths();
    void explicitTls_data();
    void explicitTls();
    void unusableLibraryIsReported_data();
    void unusableLibraryIsReported();

private:
    FtpConnectionSettings settings() const;

    QTemporaryDir m_root;
    std::unique_ptr<FtpTestServer> m_server;
};

void tst_FtpClient::initTestCase()
{
    QVERIFY(m_root.isValid());
    const QString files = m_root.filePath("files");
    QVERIFY(QDir().mkpath(files + "/sub folder/deeper"));
    QVERIFY(QDir().mkpath(files + "/Ärger"));
    QVERIFY(TestFiles::writeFile(files + "/report.pdf", QByteArray(2000, 'x')));
    QVERIFY(TestFiles::writeFile(files + "/" + longName, QByteArray(10, 'x')));
    QVERIFY(TestFiles::writeFile(files + "/" + spacedName, QByteArray(0, 'x')));
    QVERIFY(TestFiles::writeFile(files + "/" + foreignName, QByteArray(5000, 'x')));
    // A resource fork: never listed.
    QVERIFY(TestFiles::writeFile(files + "/._report.pdf", QByteArray(10, 'x')));
    QVERIFY(TestFiles::writeFile(files + "/sub folder/inner.txt", QByteArray(1, 'x')));
    m_server = std::make_unique<FtpTestServer>(files);
    QVERIFY2(m_server->isRunning(), qPrintable(m_server->error()));
}

FtpConnectionSettings tst_FtpClient::settings() const
{
    FtpConnectionSettings settings;
    settings.host = QStringLiteral("127.0.0.1");
    settings.port = m_server->port();
    settings.connectTimeoutSeconds = 5;
    settings.responseTimeoutSeconds = 5;
    return settings;
}

void tst_FtpClient::logsOnAndLists_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("passive");

    // clang-format off
    QTest::newRow("a user, passive")       << "tester"    << "secret"           << true;
    QTest::newRow("a user, active")        << "tester"    << "secret"           << false;
    QTest::newRow("anonymous with e-mail") << "anonymous" << "me@example.com"   << true;
    // clang-format on
}

void tst_FtpClient::logsOnAndLists()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(bool, passive);

    Session session;
    session.client.setPassive(passive);
    QCOMPARE(session.next().command, int(Command::PassiveSet));
    session.client.setTransferBinary(true);
    QCOMPARE(session.next().command, int(Command::TransferModeSet));

    const Answer loggedOn = session.logOn(settings(), user, password);
    QCOMPARE(loggedOn.command, int(Command::LoggedOn));
    QVERIFY2(!loggedOn.error, qPrintable(loggedOn.text));
    QCOMPARE(loggedOn.data, QStringLiteral("/"));

    session.client.list();
    const Answer listed = session.next();
    QCOMPARE(listed.command, int(Command::ListingDone));
    QVERIFY2(!listed.error, qPrintable(listed.text));
    QCOMPARE(listed.data, QStringLiteral("/"));
    QStringList expected{"report.pdf", longName, spacedName, foreignName, "sub folder", "Ärger"};
    expected.sort();
    QCOMPARE(session.names(), expected);
    // How a line reads is the parser's; the listing reaches it whole.
    for (const FtpEntry &entry : std::as_const(session.entries)) {
        QCOMPARE(entry.isFolder, entry.name == "sub folder" || entry.name == "Ärger");
    }
}

void tst_FtpClient::changesFolders()
{
    Session session;
    QVERIFY(!session.logOn(settings(), "tester", "secret").error);

    const Answer sub = session.list("/sub folder");
    QVERIFY2(!sub.error, qPrintable(sub.text));
    QCOMPARE(sub.data, QStringLiteral("/sub folder"));
    QCOMPARE(session.names(), (QStringList{"deeper", "inner.txt"}));

    const Answer deeper = session.list("/sub folder/deeper");
    QVERIFY(!deeper.error);
    QCOMPARE(session.names(), QStringList());

    const Answer foreign = session.list("/Ärger");
    QVERIFY2(!foreign.error, qPrintable(foreign.text));
    QCOMPARE(foreign.data, QStringLiteral("/Ärger"));

    const Answer missing = session.list("/no such folder");
    QVERIFY(missing.error);
    QVERIFY2(missing.text.contains("550") || missing.text.contains("CWD"),
             qPrintable(missing.text));

    // The session goes on after a failure.
    QVERIFY(!session.list("/").error);
    QCOMPARE(session.names().size(), 6);
}

void tst_FtpClient::wrongPasswordCanBeRetried()
{
    Session session;
    const Answer refused = session.logOn(settings(), "tester", "wrong");
    QCOMPARE(refused.command, int(Command::LoggedOn));
    QVERIFY(refused.error);
    QVERIFY2(refused.text.contains("530") || refused.text.contains("denied"),
             qPrintable(refused.text));

    session.client.login("tester", "secret");
    const Answer loggedOn = session.next();
    QVERIFY2(!loggedOn.error, qPrintable(loggedOn.text));
}

void tst_FtpClient::connectionFailures_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("closedPort");
    QTest::addColumn<QString>("reason");

    // clang-format off
    QTest::newRow("nothing listens")          << "127.0.0.1"          << true  << "Failed to connect";
    QTest::newRow("a host that does not resolve") << "ftp.tavrix.invalid" << false << "resolve";
    QTest::newRow("no host at all")           << "  "                 << false << "No FTP server";
    // clang-format on
}

void tst_FtpClient::connectionFailures()
{
    QFETCH(QString, host);
    QFETCH(bool, closedPort);
    QFETCH(QString, reason);

    FtpConnectionSettings target = settings();
    target.host = host;
    if (closedPort) {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        target.port = probe.serverPort();
    } // closed again here: a port that refuses
    Session session;
    const Answer answer = session.logOn(target, "tester", "secret");
    QVERIFY(answer.command != 0);
    QVERIFY(answer.error);
    QVERIFY2(answer.text.contains(reason), qPrintable(answer.text));
}

void tst_FtpClient::silentServerTimesOut()
{
    FtpConnectionSettings quick = settings();
    quick.responseTimeoutSeconds = 2;
    Session session;
    QVERIFY(!session.logOn(quick, "tester", "secret").error);

    m_server->freeze();
    session.client.list();
    const Answer answer = session.next();
    m_server->resume();
    QCOMPARE(answer.command, int(Command::ListingDone));
    QVERIFY(answer.error);
    QVERIFY2(answer.text.contains("imeout") || answer.text.contains("timed out"),
             qPrintable(answer.text));
}

void tst_FtpClient::abortEndsAHangingRequest()
{
    FtpConnectionSettings patient = settings();
    patient.responseTimeoutSeconds = 600; // only the abort can end the listing
    Session session;
    QVERIFY(!session.logOn(patient, "tester", "secret").error);

    m_server->freeze();
    session.client.list();
    QTest::qWait(300); // the request is under way and hangs
    session.client.abort();
    const Answer answer = session.next();
    m_server->resume();
    QCOMPARE(answer.command, int(Command::ListingDone));
    QVERIFY(answer.error);
    QVERIFY2(answer.text.contains("aborted"), qPrintable(answer.text));

    // Nothing more goes out.
    session.client.list();
    const Answer after = session.next();
    QVERIFY(after.error);
    QVERIFY(after.text.contains("aborted"));
}

void tst_FtpClient::refusesBadPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("reason");

    // clang-format off
    QTest::newRow("an empty folder")   << ""        << int(Command::DirectoryChanged) << "empty value";
    QTest::newRow("a relative folder") << "sub"     << int(Command::ListingDone)      << "doesn't start with a slash";
    // clang-format on
}

void tst_FtpClient::refusesBadPaths()
{
    QFETCH(QString, path);
    QFETCH(int, command);
    QFETCH(QString, reason);

    Session session;
    QVERIFY(!session.logOn(settings(), "tester", "secret").error);
    const Answer answer = session.list(path);
    QCOMPARE(answer.command, command);
    QVERIFY(answer.error);
    QVERIFY2(answer.text.contains(reason), qPrintable(answer.text));
}

void tst_FtpClient::explicitTls_data()
{
    QTest::addColumn<bool>("secure");
    QTest::addColumn<bool>("trusted");
    QTest::addColumn<QString>("reason"); // empty: lists

    // clang-format off
    QTest::newRow("FTPS logs on, trusting the server's certificate") << true << true << "";
    QTest::newRow("FTPS with an unknown certificate")           << true  << false << "certificate";
    QTest::newRow("plain FTP to a server that requires TLS")    << false << false << "TLS";
    // clang-format on
}

void tst_FtpClient::explicitTls()
{
    QFETCH(bool, secure);
    QFETCH(bool, trusted);
    QFETCH(QString, reason);

    // The server's key and certificate in one file; the certificate alone is what clients trust.
    const QString keyAndCertificate = m_root.filePath("server.pem");
    const QString certificate = m_root.filePath("certificate.pem");
    if (!QFile::exists(keyAndCertificate)) {
        const QString key = m_root.filePath("key.pem");
        QProcess openssl;
        openssl.start(QStringLiteral(TAVRIX_OPENSSL),
                      {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "1", "-subj",
                       "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout", key,
                       "-out", certificate});
        QVERIFY(openssl.waitForFinished(60000));
        QCOMPARE(openssl.exitCode(), 0);
        QVERIFY(TestFiles::writeFile(keyAndCertificate,
                                     TestFiles::readFile(key) + TestFiles::readFile(certificate)));
    }
    FtpTestServer server(m_root.filePath("files"), keyAndCertificate);
    QVERIFY2(server.isRunning(), qPrintable(server.error()));

    FtpConnectionSettings target = settings();
    target.port = server.port();
    target.secure = secure;
    if (trusted) {
        target.trustedCertificates = certificate;
    }
    Session session;
    const Answer loggedOn = session.logOn(target, "tester", "secret");
    if (!reason.isEmpty()) {
        QVERIFY(loggedOn.error);
        QVERIFY2(loggedOn.text.contains(reason, Qt::CaseInsensitive), qPrintable(loggedOn.text));
        return;
    }
    // Logged on over TLS. The test server's own TLS data connections do not work with
    // libcurl (it resets them whatever the client offers), so the listing is not tried here.
    QVERIFY2(!loggedOn.error, qPrintable(loggedOn.text));
    QCOMPARE(loggedOn.data, QStringLiteral("/"));
}

void tst_FtpClient::unusableLibraryIsReported_data()
{
    QTest::addColumn<QString>("library");
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("reason");

    // clang-format off
    QTest::newRow("no such library")       << "tavrix-no-such-curl" << 4 << "tavrix-no-such-curl";
    QTest::newRow("a library, not libcurl") << "z"                  << 1 << "curl_global_init";
    // clang-format on
}

void tst_FtpClient::unusableLibraryIsReported()
{
    QFETCH(QString, library);
    QFETCH(int, version);
    QFETCH(QString, reason);

    const CurlLibrary curl(library, version);
    QVERIFY(!curl.isLoaded());
    FtpManager manager(curl);
    QVERIFY(!manager.connectToHost(settings()));
    QVERIFY2(manager.lastError().startsWith("The FTP client cannot start: "),
             qPrintable(manager.lastError()));
    QVERIFY2(manager.lastError().contains(reason), qPrintable(manager.lastError()));
    // Nothing else is tried on a client that never started.
    QVERIFY(!manager.login("tester", "secret"));
}

TAVRIX_TEST_MAIN(tst_FtpClient)
#include "tst_ftpclient.moc"
