#include "ftpdirectoryvalueeditor.h"

#include "ftpdirectorydialog.h"

#include "guilib/property/dialogplacement.h"
#include "guilib/property/editorkinds.h"

#include "corelib/vocabulary/xmlvalues.h"

namespace TavrixSupportUI {

FTPDirectoryValueEditor::FTPDirectoryValueEditor(const GuiLib::ValueEditorRequest &request)
    : m_request(request)
{}

bool FTPDirectoryValueEditor::handles(const QString &editorType)
{
    return GuiLib::EditorKinds::baseKeyword(editorType) == SRCore::XMLValues::EDITOR_CHOOSEDIR;
}

bool FTPDirectoryValueEditor::exec()
{
    FTPDirectoryDialog dialog(m_request.parent, m_request.attributes, m_request.currentValue);
    dialog.setWindowTitle(m_request.caption);
    if (!GuiLib::DialogPlacement::run(&dialog, QStringLiteral("FTPDir"))) {
        return false;
    }
    m_value = dialog.chosenPath();
    m_attributes = dialog.connection();
    return true;
}

} // namespace TavrixSupportUI
