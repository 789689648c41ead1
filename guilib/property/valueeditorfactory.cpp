#include "valueeditorfactory.h"

#include "choicevalueeditor.h"
#include "editorkinds.h"
#include "externalvalueeditor.h"
#include "pathvalueeditor.h"
#include "recordsvalueeditor.h"
#include "textvalueeditor.h"
#include "variablesvalueeditor.h"

#include "corelib/vocabulary/xmlvalues.h"

namespace GuiLib {

std::unique_ptr<IValueEditor> ValueEditorFactory::create(const ValueEditorRequest &request,
                                                         QString *errorMessage)
{
    const QString &kind = request.editorType;
    switch (EditorKinds::action(kind)) {
    case EditorKinds::Action::ChooseFile:
    case EditorKinds::Action::ChooseFolder:
        return std::make_unique<PathValueEditor>(request);
    default:
        break;
    }
    if (TextValueEditor::handles(kind)) {
        return std::make_unique<TextValueEditor>(request);
    }
    if (ChoiceValueEditor::handles(kind)) {
        return std::make_unique<ChoiceValueEditor>(request);
    }
    if (RecordsValueEditor::handles(kind)) {
        return std::make_unique<RecordsValueEditor>(request);
    }
    if (VariablesValueEditor::handles(kind)) {
        return std::make_unique<VariablesValueEditor>(request);
    }
    if (EditorKinds::baseKeyword(kind) == SRCore::XMLValues::EDITOR_EXTERNAL) {
        return std::make_unique<ExternalValueEditor>(request);
    }
    if (errorMessage) {
        *errorMessage = tr("This library has no value editor of the kind '%1'")
                            .arg(EditorKinds::label(kind, request.propertyType));
    }
    return nullptr;
}

} // namespace GuiLib
