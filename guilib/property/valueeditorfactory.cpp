#include "valueeditorfactory.h"

#include "editorkinds.h"
#include "pathvalueeditor.h"

namespace GuiLib {

std::unique_ptr<IValueEditor> ValueEditorFactory::create(const ValueEditorRequest &request,
                                                         QString *errorMessage)
{
    switch (EditorKinds::action(request.editorType)) {
    case EditorKinds::Action::ChooseFile:
    case EditorKinds::Action::ChooseFolder:
        return std::make_unique<PathValueEditor>(request);
    default:
        break;
    }
    if (errorMessage) {
        *errorMessage = tr("The editor '%1' is not available in this version")
                            .arg(EditorKinds::label(request.editorType, request.propertyType));
    }
    return nullptr;
}

} // namespace GuiLib
