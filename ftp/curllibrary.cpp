#include "curllibrary.h"

#include <QCoreApplication>

namespace TavrixCommon {

namespace {

// Sets `function` to `symbol` of `library`; names the first symbol missing in `missing`.
template<typename Function>
void resolve(QLibrary &library, const char *symbol, Function *function, QString *missing)
{
    *function = reinterpret_cast<Function>(library.resolve(symbol));
    if (!*function && missing->isEmpty()) {
        *missing = QString::fromLatin1(symbol);
    }
}

} // namespace

const CurlLibrary &CurlLibrary::shared()
{
    static const CurlLibrary library(QStringLiteral("curl"), 4);
    return library;
}

CurlLibrary::CurlLibrary(const QString &name, int majorVersion)
    : m_library(name, majorVersion)
{
    if (!m_library.load()) {
        m_errorString = m_library.errorString();
        return;
    }
    CURLcode (*globalInit)(long) = nullptr;
    CURL *(*easyInit)() = nullptr;
    QString missing;
    resolve(m_library, "curl_global_init", &globalInit, &missing);
    resolve(m_library, "curl_easy_init", &easyInit, &missing);
    resolve(m_library, "curl_easy_cleanup", &m_easyCleanup, &missing);
    resolve(m_library, "curl_easy_reset", &m_easyReset, &missing);
    resolve(m_library, "curl_easy_perform", &m_easyPerform, &missing);
    resolve(m_library, "curl_easy_strerror", &m_easyStrerror, &missing);
    resolve(m_library, "curl_easy_setopt", &m_easySetopt, &missing);
    resolve(m_library, "curl_easy_getinfo", &m_easyGetinfo, &missing);
    if (!missing.isEmpty()) {
        m_errorString = QCoreApplication::translate("CurlLibrary", "%1 has no function %2")
                            .arg(m_library.fileName(), missing);
        return;
    }
    const CURLcode initialised = globalInit(CURL_GLOBAL_DEFAULT);
    if (initialised != CURLE_OK) {
        m_errorString = QString::fromUtf8(m_easyStrerror(initialised));
        return;
    }
    // Set last: a library that is not ready is not loaded.
    m_easyInit = easyInit;
}

} // namespace TavrixCommon
