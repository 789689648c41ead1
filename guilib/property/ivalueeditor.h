#pragma once

#include <QString>

namespace GuiLib {

// A modal editor of one property value (a file dialog, a list dialog, ...), made by the value
// editor factory for a ValueEditorRequest. Lives on the GUI thread.
class IValueEditor
{
public:
    virtual ~IValueEditor() = default;

    // Runs the editor; true when the user confirmed a value.
    virtual bool exec() = 0;
    // The value confirmed by the last exec().
    virtual QString value() const = 0;
};

} // namespace GuiLib
