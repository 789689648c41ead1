#pragma once

#include "libraryobject.h"

#include <vector>

namespace VBScript {

// A read-only collection of values: Count, Item(index) from 0 as its default member, and For
// Each. The Matches of a RegExp and the SubMatches of a Match are such collections.
class ValueCollection final : public LibraryObject
{
public:
    // `typeName` is a literal.
    ValueCollection(const char *typeName, std::vector<Value> items);

    bool invoke(Interpreter &interpreter, int member, InvokeKind kind, const Arguments &arguments,
                Value &result) override;
    bool enumerate(Interpreter &interpreter, std::vector<Value> *items) override;

private:
    std::vector<Value> m_items;
};

} // namespace VBScript
