#pragma once

#include "guilib/property/ivalueeditor.h"
#include "guilib/property/valueeditorrequest.h"

namespace ScriptingGui {

// The "metadatafieldsedit" and "metadatafieldsread" kinds: the metadata fields dialog, editable
// or read-only, filled from a current value of the same kind. The value is the list value
// (SRCore::XMLValueProcessor) of the field definitions.
class MetadataFieldsValueEditor : public GuiLib::IValueEditor
{
public:
    explicit MetadataFieldsValueEditor(const GuiLib::ValueEditorRequest &request);

    bool exec() override;
    QString value() const override { return m_value; }

private:
    GuiLib::ValueEditorRequest m_request;
    QString m_value;
};

} // namespace ScriptingGui
