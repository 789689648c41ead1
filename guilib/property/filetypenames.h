#pragma once

#include <QStringList>

namespace GuiLib {

// The names of the file types that the "types" and "filetype" editors offer, in the order of
// ":/xml/xml_DefaultFileTypes.xml" (docs/file-types.md). Read once; empty, with a diagnostic,
// when the resource cannot be read.
class FileTypeNames
{
public:
    FileTypeNames() = delete;

    static QStringList names();
};

} // namespace GuiLib
