#pragma once

namespace VBScript {

// A place in the script text. Lines and columns count from 1; columns count UTF-16 code units,
// so a tab is one column. Line 0 means that there is no position.
struct SourcePosition
{
    int line = 0;
    int column = 0;

    bool operator==(const SourcePosition &other) const
    {
        return line == other.line && column == other.column;
    }
};

} // namespace VBScript
