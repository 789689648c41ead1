#pragma once

#include "iproperty.h"

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
    // Editor data that the last exec() changed besides the value, for the property's
    // attributes (the FTP folder editor's connection); empty for most editors.
    virtual PropertyAttributes attributes() const { return {}; }
};

} // namespace GuiLib
