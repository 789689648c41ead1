#include "systemlibrary.h"

#include <QCoreApplication>

namespace SRCore {

SystemLibrary::SystemLibrary(const QString &name, int majorVersion)
    : m_library(name, majorVersion)
{
    if (!m_library.load()) {
        setUnusable(m_library.errorString());
    }
}

void SystemLibrary::setUnusable(const QString &reason)
{
    if (m_errorString.isEmpty()) {
        m_errorString = reason;
    }
}

QFunctionPointer SystemLibrary::resolveSymbol(const char *symbol)
{
    if (!m_library.isLoaded()) {
        return nullptr;
    }
    const QFunctionPointer function = m_library.resolve(symbol);
    if (!function) {
        setUnusable(QCoreApplication::translate("SystemLibrary", "%1 has no function %2")
                        .arg(m_library.fileName(), QString::fromLatin1(symbol)));
    }
    return function;
}

} // namespace SRCore
