#pragma once

#include "object.h"

#include <vector>

namespace VBScript {

// A read-only collection of values: Count, Item(index) from 0 as its default member, and For
// Each. The Matches of a RegExp and the SubMatches of a Match are such collections.
class ValueCollection final : public Object
{
public:
    ValueCollection(const QString &typeName, std::vector<Value> items);

    QString typeName() const override { return m_typeName; }
    int memberId(const QString &lowerName) const override;
    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;
    const void *dispatchClass() const override;
    bool enumerate(Interpreter &interpreter, std::vector<Value> *items) override;

private:
    QString m_typeName;
    std::vector<Value> m_items;
};

} // namespace VBScript
