#include "ftpmanager.h"

#include "curllibrary.h"
#include "ftplistingparser.h"
#include "ftplogging.h"

#include <QUrl>

namespace TavrixCommon {

namespace {

// The server's replies come one line at a time; the last one says why a command failed.
size_t keepReplyLine(char *data, size_t size, size_t count, void *line)
{
    const QByteArray text = QByteArray(data, qsizetype(size * count)).trimmed();
    if (!text.isEmpty()) {
        *static_cast<QByteArray *>(line) = text;
    }
    return size * count;
}

size_t appendReply(char *data, size_t size, size_t count, void *reply)
{
    static_cast<QByteArray *>(reply)->append(data, qsizetype(size * count));
    return size * count;
}

// libcurl asks at least once a second, also while it waits for a server that says nothing.
int progress(void *aborted, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return static_cast<std::atomic_bool *>(aborted)->load() ? 1 : 0;
}

long proxyType(const QString &name)
{
    const QString type = name.trimmed().toLower();
    if (type == QLatin1String("socks4")) {
        return CURLPROXY_SOCKS4;
    }
    if (type == QLatin1String("socks5")) {
        return CURLPROXY_SOCKS5_HOSTNAME;
    }
    return CURLPROXY_HTTP;
}

bool usesProxy(const FtpConnectionSettings &settings)
{
    static const QStringList known{QStringLiteral("tunnel"), QStringLiteral("http"),
                                   QStringLiteral("socks4"), QStringLiteral("socks5")};
    return !settings.proxyHost.isEmpty() && known.contains(settings.proxyType.trimmed().toLower());
}

// The URL path of the absolute folder `path`: "%2F" makes libcurl send it whole, from the root,
// in one CWD.
QString urlPath(const QString &path)
{
    QString encoded = QStringLiteral("/%2F");
    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty()) {
        return encoded + QLatin1Char('/');
    }
    for (const QString &part : parts) {
        encoded += QString::fromLatin1(QUrl::toPercentEncoding(part)) + QLatin1Char('/');
    }
    return encoded;
}

} // namespace

FtpManager::FtpManager(const CurlLibrary &library)
    : m_library(library)
    , m_curl(library.isLoaded() ? library.easyInit() : nullptr)
{}

FtpManager::FtpManager()
    : FtpManager(CurlLibrary::shared())
{}

FtpManager::~FtpManager()
{
    if (m_curl) {
        m_library.easyCleanup(m_curl);
    }
}

void FtpManager::abort()
{
    m_aborted = true;
}

bool FtpManager::fail(const QString &where, const QString &message)
{
    m_lastCode = -1;
    m_lastError = message;
    qCDebug(lcFtp) << where << message;
    return false;
}

bool FtpManager::connectToHost(const FtpConnectionSettings &settings)
{
    if (m_aborted) {
        return fail(QStringLiteral("FtpManager::connect"), tr("The FTP session was aborted"));
    }
    if (!m_curl) {
        return fail(QStringLiteral("FtpManager::connect"),
                    m_library.isLoaded()
                        ? tr("The FTP client cannot start")
                        : tr("The FTP client cannot start: %1").arg(m_library.errorString()));
    }
    if (settings.host.trimmed().isEmpty()) {
        return fail(QStringLiteral("FtpManager::connect"), tr("No FTP server is given"));
    }
    // Nothing of an earlier connection's options carries over.
    m_library.easyReset(m_curl);
    m_settings = settings;
    m_settings.host = settings.host.trimmed();
    m_remotePath.clear();
    m_lastCode = 0;
    m_lastError.clear();
    return true;
}

QString FtpManager::serverUrl() const
{
    // An IPv6 address needs brackets in a URL.
    const QString host = m_settings.host.contains(QLatin1Char(':'))
                             ? QLatin1Char('[') + m_settings.host + QLatin1Char(']')
                             : m_settings.host;
    return QStringLiteral("ftp://")
           + QString::fromLatin1(QUrl::toAce(host).isEmpty() ? host.toUtf8() : QUrl::toAce(host))
           + QLatin1Char(':') + QString::number(m_settings.port);
}

void FtpManager::applyConnection()
{
    CURL *curl = m_curl;
    m_library.setOption(curl, CURLOPT_NOSIGNAL, 1L);
    m_library.setOption(curl, CURLOPT_USERNAME, m_user.toUtf8().constData());
    m_library.setOption(curl, CURLOPT_PASSWORD, m_password.toUtf8().constData());
    m_library.setOption(curl, CURLOPT_CONNECTTIMEOUT, long(m_settings.connectTimeoutSeconds));
    m_library.setOption(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                        long(m_settings.responseTimeoutSeconds));
    m_library.setOption(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    m_library.setOption(curl, CURLOPT_LOW_SPEED_TIME, long(m_settings.responseTimeoutSeconds));
    m_library.setOption(curl, CURLOPT_USE_SSL,
                        long(m_settings.secure ? CURLUSESSL_ALL : CURLUSESSL_NONE));
    if (!m_settings.trustedCertificates.isEmpty()) {
        m_library.setOption(curl, CURLOPT_CAINFO,
                            m_settings.trustedCertificates.toUtf8().constData());
    }
    m_library.setOption(curl, CURLOPT_FTPPORT, m_passive ? nullptr : "-");
    m_library.setOption(curl, CURLOPT_TRANSFERTEXT, long(m_transferMode == 1));
    m_library.setOption(curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    m_library.setOption(curl, CURLOPT_NOPROGRESS, 0L);
    m_library.setOption(curl, CURLOPT_XFERINFOFUNCTION, &progress);
    m_library.setOption(curl, CURLOPT_XFERINFODATA, &m_aborted);
    if (usesProxy(m_settings)) {
        m_library.setOption(curl, CURLOPT_PROXY, m_settings.proxyHost.toUtf8().constData());
        m_library.setOption(curl, CURLOPT_PROXYPORT, long(m_settings.proxyPort));
        m_library.setOption(curl, CURLOPT_PROXYTYPE, proxyType(m_settings.proxyType));
        m_library.setOption(curl, CURLOPT_HTTPPROXYTUNNEL,
                            long(proxyType(m_settings.proxyType) == CURLPROXY_HTTP));
        m_library.setOption(curl, CURLOPT_PROXYUSERNAME, m_settings.proxyUser.toUtf8().constData());
        m_library.setOption(curl, CURLOPT_PROXYPASSWORD,
                            m_settings.proxyPassword.toUtf8().constData());
    } else {
        // Not the proxy of the environment either: the settings say where to go.
        m_library.setOption(curl, CURLOPT_PROXY, "");
    }
}

bool FtpManager::perform(const QString &url, bool withBody, QByteArray *reply)
{
    applyConnection();
    char errorBuffer[CURL_ERROR_SIZE] = {};
    m_library.setOption(m_curl, CURLOPT_ERRORBUFFER, errorBuffer);
    const QByteArray encodedUrl = url.toUtf8();
    m_library.setOption(m_curl, CURLOPT_URL, encodedUrl.constData());
    m_library.setOption(m_curl, CURLOPT_NOBODY, long(!withBody));
    m_library.setOption(m_curl, CURLOPT_WRITEFUNCTION, &appendReply);
    m_library.setOption(m_curl, CURLOPT_WRITEDATA, reply);
    QByteArray lastReplyLine;
    m_library.setOption(m_curl, CURLOPT_HEADERFUNCTION, &keepReplyLine);
    m_library.setOption(m_curl, CURLOPT_HEADERDATA, &lastReplyLine);
    const CURLcode code = m_library.easyPerform(m_curl);
    m_library.setOption(m_curl, CURLOPT_ERRORBUFFER, nullptr);
    m_library.setOption(m_curl, CURLOPT_HEADERDATA, nullptr);
    m_lastCode = int(code);
    if (code == CURLE_OK) {
        m_lastError.clear();
        return true;
    }
    if (code == CURLE_ABORTED_BY_CALLBACK) {
        m_lastError = tr("The FTP session was aborted");
    } else {
        m_lastError =
            QString::fromUtf8(errorBuffer[0] ? errorBuffer : m_library.easyStrerror(code));
        // The server's own words, when it answered at all.
        if (!lastReplyLine.isEmpty() && lastReplyLine.at(0) >= '4' && lastReplyLine.at(0) <= '5') {
            m_lastError +=
                QStringLiteral(" (") + QString::fromUtf8(lastReplyLine) + QLatin1Char(')');
        }
    }
    qCDebug(lcFtp) << url << code << m_lastError;
    return false;
}

bool FtpManager::login(const QString &user, const QString &password)
{
    if (m_aborted) {
        return fail(QStringLiteral("FtpManager::login"), tr("The FTP session was aborted"));
    }
    if (m_settings.host.isEmpty()) {
        return fail(QStringLiteral("FtpManager::login"), tr("No FTP server is given"));
    }
    m_user = user;
    m_password = password;
    // A fresh logon: the connection of another user must not be reused.
    m_library.setOption(m_curl, CURLOPT_FRESH_CONNECT, 1L);
    QByteArray reply;
    const bool done = perform(serverUrl() + QLatin1Char('/'), false, &reply);
    m_library.setOption(m_curl, CURLOPT_FRESH_CONNECT, 0L);
    if (!done) {
        return false;
    }
    char *entryPath = nullptr;
    m_library.info(m_curl, CURLINFO_FTP_ENTRY_PATH, &entryPath);
    m_remotePath =
        entryPath && entryPath[0] == '/' ? QString::fromUtf8(entryPath) : QStringLiteral("/");
    return true;
}

bool FtpManager::setPassive(bool passive)
{
    if (m_aborted) {
        return fail(QStringLiteral("FtpManager::setPassive"), tr("The FTP session was aborted"));
    }
    m_passive = passive;
    return true;
}

bool FtpManager::setTransferBinary(bool binary)
{
    if (m_aborted) {
        return fail(QStringLiteral("FtpManager::setTransferBinary"),
                    tr("The FTP session was aborted"));
    }
    m_transferMode = binary ? 2 : 1;
    return true;
}

bool FtpManager::cd(const QString &path)
{
    if (m_aborted) {
        return fail(QStringLiteral("FtpManager::cd"), tr("The FTP session was aborted"));
    }
    if (path.isEmpty()) {
        return fail(QStringLiteral("FtpManager::cd"),
                    tr("Trying to change the working directory by setting empty value"));
    }
    m_remotePath = path;
    return true;
}

bool FtpManager::listDir()
{
    if (m_aborted) {
        return fail(QStringLiteral("FtpManager::listDir"), tr("The FTP session was aborted"));
    }
    if (!m_remotePath.startsWith(QLatin1Char('/'))) {
        return fail(QStringLiteral("FtpManager::listDir"),
                    tr("Requested listing dir path doesn't start with a slash"));
    }
    QByteArray reply;
    // libcurl loses step with a server on a reused FTPS connection: every listing of a secure
    // session logs on afresh.
    m_library.setOption(m_curl, CURLOPT_FRESH_CONNECT, long(m_settings.secure));
    const bool listed = perform(serverUrl() + urlPath(m_remotePath), true, &reply);
    m_library.setOption(m_curl, CURLOPT_FRESH_CONNECT, 0L);
    if (!listed) {
        return false;
    }
    const QList<FtpEntry> entries = FtpListingParser::parse(reply, QDateTime::currentDateTime());
    for (const FtpEntry &entry : entries) {
        emit listInfo(entry);
    }
    return true;
}

} // namespace TavrixCommon
