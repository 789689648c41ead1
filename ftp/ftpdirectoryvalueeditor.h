#pragma once

#include "guilib/property/ivalueeditor.h"
#include "guilib/property/valueeditorrequest.h"

namespace TavrixSupportUI {

// The "choosedir" kind: the FTP directory dialog, opened with the property's FTP connection
// (the request's attributes) and its current folder. The chosen folder is the value; the
// connection as the user left it comes back as attributes.
class FTPDirectoryValueEditor : public GuiLib::IValueEditor
{
public:
    explicit FTPDirectoryValueEditor(const GuiLib::ValueEditorRequest &request);

    bool exec() override;
    QString value() const override { return m_value; }
    GuiLib::PropertyAttributes attributes() const override { return m_attributes; }

    static bool handles(const QString &editorType);

private:
    GuiLib::ValueEditorRequest m_request;
    QString m_value;
    GuiLib::PropertyAttributes m_attributes;
};

} // namespace TavrixSupportUI
