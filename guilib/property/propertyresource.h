#pragma once

#include <QString>

#include <functional>

namespace SRCore {
class XmlDataReader;
}

namespace GuiLib {

// Reads one of the library's XML resources (":/xml/..."): a root of format version 1 whose
// children `readChild` reads, the reader standing on each child in turn.
class PropertyResource
{
public:
    PropertyResource() = delete;

    // False, with a diagnostic naming the resource, when it cannot be read or `readChild`
    // refuses a child; the caller then keeps nothing of it.
    static bool read(const QString &path, const QString &root,
                     const std::function<bool(SRCore::XmlDataReader &reader)> &readChild);
};

} // namespace GuiLib
