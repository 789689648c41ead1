#include "scriptingdialogfactory.h"

#include "metadatafieldsvalueeditor.h"
#include "scriptexpressionvalueeditor.h"

#include "guilib/property/editorkinds.h"

#include "corelib/vocabulary/xmlvalues.h"

namespace ScriptingGui {

namespace {

namespace XMLValues = SRCore::XMLValues;

} // namespace

bool ScriptingDialogFactory::handles(const QString &editorType)
{
    const QString keyword = GuiLib::EditorKinds::baseKeyword(editorType);
    return keyword == XMLValues::EDITOR_SCRIPTEXP || isMetadataFields(keyword);
}

bool ScriptingDialogFactory::isMetadataFields(const QString &keyword)
{
    return keyword == XMLValues::EDITOR_METADADTAFIELDSEDIT
           || keyword == XMLValues::EDITOR_METADADTAFIELDSREAD;
}

std::unique_ptr<GuiLib::IValueEditor>
ScriptingDialogFactory::create(const GuiLib::ValueEditorRequest &request, QString *errorMessage)
{
    const QString keyword = GuiLib::EditorKinds::baseKeyword(request.editorType);
    if (keyword == XMLValues::EDITOR_SCRIPTEXP) {
        return std::make_unique<ScriptExpressionValueEditor>(request);
    }
    if (isMetadataFields(keyword)) {
        return std::make_unique<MetadataFieldsValueEditor>(request);
    }
    if (errorMessage) {
        *errorMessage = tr("The scripting dialogs have no value editor of the kind '%1'")
                            .arg(request.editorType);
    }
    return nullptr;
}

} // namespace ScriptingGui
