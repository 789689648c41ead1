#include "metadatafieldsvalueeditor.h"

#include "metadatafieldsdialog.h"

#include "guilib/property/dialogplacement.h"
#include "guilib/property/editorkinds.h"

#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlvalues.h"

namespace ScriptingGui {

namespace {

namespace XMLValues = SRCore::XMLValues;
using SRCore::XMLValueProcessor;

} // namespace

MetadataFieldsValueEditor::MetadataFieldsValueEditor(const GuiLib::ValueEditorRequest &request)
    : m_request(request)
{}

bool MetadataFieldsValueEditor::exec()
{
    const QString keyword = GuiLib::EditorKinds::baseKeyword(m_request.editorType);
    const bool readOnly = keyword == XMLValues::EDITOR_METADADTAFIELDSREAD;
    // The other kind's definitions are the same fields: they open too.
    const XMLValueProcessor current(m_request.currentValue);
    const bool fieldsValue =
        current.valueType() == XMLValueProcessor::ValueType::EditableMetadataFields
        || current.valueType() == XMLValueProcessor::ValueType::ReadOnlyMetadataFields;
    MetadataFieldsDialog dialog(m_request.parent,
                                fieldsValue ? current.metadataFields() : QList<MetadataField>(),
                                readOnly);
    dialog.setWindowTitle(m_request.caption);
    if (!GuiLib::DialogPlacement::run(&dialog, QStringLiteral("MetadataFields"))) {
        return false;
    }
    m_value = XMLValueProcessor::generateXMLValue(keyword, dialog.fields());
    return true;
}

} // namespace ScriptingGui
