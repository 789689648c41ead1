#pragma once

#include <QLibrary>
#include <QString>

namespace SRCore {

// A system library loaded at run time rather than with the program, so that its cost (and that
// of the libraries it needs in turn) falls on the first use instead of on every start. Derived
// classes resolve the functions they call in their constructors.
// A library that cannot be loaded, or lacks a function, is not loaded; errorString() tells why.
// Safe to use from any thread once constructed.
class SystemLibrary
{
public:
    // Loads the library that QLibrary finds under `name` and `majorVersion`.
    SystemLibrary(const QString &name, int majorVersion);
    SystemLibrary(const SystemLibrary &) = delete;
    SystemLibrary &operator=(const SystemLibrary &) = delete;

    bool isLoaded() const { return m_library.isLoaded() && m_errorString.isEmpty(); }
    QString errorString() const { return m_errorString; }

protected:
    ~SystemLibrary() = default;

    // Sets `function` to the library's `symbol`; a missing symbol makes the library unusable.
    template<typename Function>
    void resolve(const char *symbol, Function *function)
    {
        *function = reinterpret_cast<Function>(resolveSymbol(symbol));
    }
    // Makes the library unusable for `reason`, unless an earlier reason stands.
    void setUnusable(const QString &reason);

private:
    QFunctionPointer resolveSymbol(const char *symbol);

    QLibrary m_library;
    QString m_errorString;
};

} // namespace SRCore
