#pragma once

#include <QString>

namespace SRCore {

// The result of an XPath query on a dataset: the value, or why there is none.
template<typename T>
struct XPathResult
{
    T value{};
    QString errorMessage; // translated; empty on success

    bool ok() const { return errorMessage.isEmpty(); }
};

} // namespace SRCore
