#include "curllibrary.h"

namespace TavrixCommon {

const CurlLibrary &CurlLibrary::shared()
{
    static const CurlLibrary library(QStringLiteral("curl"), 4);
    return library;
}

CurlLibrary::CurlLibrary(const QString &name, int majorVersion)
    : SystemLibrary(name, majorVersion)
{
    CURLcode (*globalInit)(long) = nullptr;
    resolve("curl_global_init", &globalInit);
    resolve("curl_easy_init", &m_easyInit);
    resolve("curl_easy_cleanup", &m_easyCleanup);
    resolve("curl_easy_reset", &m_easyReset);
    resolve("curl_easy_perform", &m_easyPerform);
    resolve("curl_easy_strerror", &m_easyStrerror);
    resolve("curl_easy_setopt", &m_easySetopt);
    resolve("curl_easy_getinfo", &m_easyGetinfo);
    if (!isLoaded()) {
        return;
    }
    const CURLcode initialised = globalInit(CURL_GLOBAL_DEFAULT);
    if (initialised != CURLE_OK) {
        setUnusable(QString::fromUtf8(m_easyStrerror(initialised)));
    }
}

} // namespace TavrixCommon
