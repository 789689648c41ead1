#pragma once

#include "ftpentry.h"

#include <QObject>
#include <QString>

#include <atomic>

typedef void CURL;

namespace TavrixCommon {

class CurlLibrary;

// How to reach an FTP server: the server, an optional proxy (type "Tunnel" or "HTTP" for an
// HTTP CONNECT proxy, "SOCKS4" or "SOCKS5"; any other name means no proxy), FTPS and the
// time-outs that keep a dead server from holding a call for long.
struct FtpConnectionSettings
{
    QString host;
    quint16 port = 21;
    QString proxyHost;
    QString proxyType;
    QString proxyUser;
    QString proxyPassword;
    quint16 proxyPort = 0;
    // Explicit TLS ("AUTH TLS" on the control connection) for control and data.
    bool secure = false;
    // A PEM file of the certificates that FTPS trusts instead of the system's (for servers
    // with certificates of their own); empty for the system's.
    QString trustedCertificates;
    int connectTimeoutSeconds = 20;
    // How long the server may stay silent, on the control and on the data connection.
    int responseTimeoutSeconds = 30;
};

// A blocking FTP client on libcurl. Every operation returns whether it succeeded; the reason of
// the last failure is lastError(). Connecting only records where to go: the network is first
// used by login(), which connects and logs on, and then by listDir(). The connection is kept
// between calls.
//
// Thread: created, used and destroyed on one thread (the FTP worker thread), except abort(),
// which any thread may call to stop the call in progress; every later call then fails at once.
class FtpManager : public QObject
{
    Q_OBJECT

public:
    // Sessions go through `library`, the system's libcurl unless a test gives another.
    explicit FtpManager(const CurlLibrary &library);
    FtpManager();
    ~FtpManager() override;
    FtpManager(const FtpManager &) = delete;
    FtpManager &operator=(const FtpManager &) = delete;

    bool connectToHost(const FtpConnectionSettings &settings);
    bool login(const QString &user, const QString &password);
    bool setPassive(bool passive);
    bool setTransferBinary(bool binary);
    // Makes `path` the folder that listDir() lists; an empty path is refused.
    bool cd(const QString &path);
    // Lists the current folder; every entry is reported by listInfo() before it returns.
    bool listDir();

    // The remote folder: after login the server's start folder, after cd() the new one.
    QString currentPath() const { return m_remotePath; }
    // 0 after a success, else the libcurl code of the last failure (-1 for a refusal of ours).
    int lastCode() const { return m_lastCode; }
    QString lastError() const { return m_lastError; }

    void abort();
    bool isAborted() const { return m_aborted.load(); }

signals:
    void listInfo(const TavrixCommon::FtpEntry &entry);

private:
    bool fail(const QString &where, const QString &message);
    bool perform(const QString &url, bool withBody, QByteArray *reply);
    QString serverUrl() const;
    void applyConnection();

    const CurlLibrary &m_library;
    CURL *m_curl;
    FtpConnectionSettings m_settings;
    QString m_user;
    QString m_password;
    QString m_remotePath;
    bool m_passive = true;
    int m_transferMode = 2; // 2 binary, 1 text
    int m_lastCode = 0;
    QString m_lastError;
    std::atomic_bool m_aborted{false};
};

} // namespace TavrixCommon
