#include "variablesvalueeditor.h"

#include "dialogplacement.h"
#include "editorkinds.h"
#include "variablesconditiondialog.h"
#include "variablestextdialog.h"

#include "corelib/vocabulary/xmlvalues.h"

namespace GuiLib {

namespace {

namespace XMLValues = SRCore::XMLValues;

} // namespace

VariablesValueEditor::VariablesValueEditor(const ValueEditorRequest &request)
    : m_request(request)
{}

bool VariablesValueEditor::handles(const QString &editorType)
{
    const QString keyword = EditorKinds::baseKeyword(editorType);
    return keyword == XMLValues::EDITOR_SLTEXTWITHVAR
           || keyword == XMLValues::EDITOR_CONDITIONWITHVAR;
}

bool VariablesValueEditor::exec()
{
    if (EditorKinds::baseKeyword(m_request.editorType) == XMLValues::EDITOR_CONDITIONWITHVAR) {
        VariablesConditionDialog dialog(m_request.parent, m_request.caption, m_request.currentValue,
                                        m_request.context);
        if (!DialogPlacement::run(&dialog, QStringLiteral("ConditionWithVariables"))) {
            return false;
        }
        m_value = dialog.value();
        return true;
    }
    const QString &made = m_request.valueEditor;
    const bool startsFromValue =
        made == XMLValues::EDITOR_SLTEXTWITHVAR || made == XMLValues::EDITOR_INLINE;
    VariablesTextDialog dialog(m_request.parent, m_request.caption,
                               startsFromValue ? m_request.currentValue : QString(),
                               m_request.context);
    if (!DialogPlacement::run(&dialog, QStringLiteral("SingleLineTextWithVariables"))) {
        return false;
    }
    m_value = dialog.text();
    return true;
}

} // namespace GuiLib
