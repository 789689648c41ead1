#pragma once

#include "corelib/common/systemlibrary.h"

#include <curl/curl.h>

namespace TavrixCommon {

// libcurl, loaded when FTP is first used rather than with the program: loading the library and
// the twenty it needs in turn took some 4 ms of every start, and most sessions never browse a
// server.
// The calls may be made only when isLoaded(). The shared instance is safe to use from any thread
// once shared() has returned.
class CurlLibrary final : public SRCore::SystemLibrary
{
public:
    // The system's libcurl, loaded and initialised on the first call.
    static const CurlLibrary &shared();

    // Loads the library that QLibrary finds under `name` and `majorVersion`, and initialises it.
    CurlLibrary(const QString &name, int majorVersion);

    CURL *easyInit() const { return m_easyInit(); }
    void easyCleanup(CURL *curl) const { m_easyCleanup(curl); }
    void easyReset(CURL *curl) const { m_easyReset(curl); }
    CURLcode easyPerform(CURL *curl) const { return m_easyPerform(curl); }
    const char *easyStrerror(CURLcode code) const { return m_easyStrerror(code); }
    template<typename Value>
    CURLcode setOption(CURL *curl, CURLoption option, Value value) const
    {
        return m_easySetopt(curl, option, value);
    }
    template<typename Value>
    CURLcode info(CURL *curl, CURLINFO info, Value *value) const
    {
        return m_easyGetinfo(curl, info, value);
    }

private:
    CURL *(*m_easyInit)() = nullptr;
    void (*m_easyCleanup)(CURL *) = nullptr;
    void (*m_easyReset)(CURL *) = nullptr;
    CURLcode (*m_easyPerform)(CURL *) = nullptr;
    const char *(*m_easyStrerror)(CURLcode) = nullptr;
    CURLcode (*m_easySetopt)(CURL *, CURLoption, ...) = nullptr;
    CURLcode (*m_easyGetinfo)(CURL *, CURLINFO, ...) = nullptr;
};

} // namespace TavrixCommon
