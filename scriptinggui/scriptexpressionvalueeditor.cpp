#include "scriptexpressionvalueeditor.h"

#include "scriptexpressiondialog.h"

#include "guilib/property/dialogplacement.h"

#include "corelib/values/xmlvalueprocessor.h"
#include "corelib/vocabulary/xmlvalues.h"

namespace ScriptingGui {

namespace {

namespace XMLValues = SRCore::XMLValues;
using SRCore::XMLValueProcessor;

} // namespace

ScriptExpressionValueEditor::ScriptExpressionValueEditor(const GuiLib::ValueEditorRequest &request)
    : m_request(request)
{}

QString ScriptExpressionValueEditor::prompt(const QString &type)
{
    if (type == XMLValues::EDITORTYPE_BOOL) {
        return tr("Enter a JavaScript expression that evaluates to boolean value (true or false)");
    }
    if (type.startsWith(XMLValues::EDITORTYPE_ENUM)) {
        return tr("Enter a JavaScript expression that evaluates to one of the enumerated values "
                  "available for the property");
    }
    if (type == XMLValues::EDITORTYPE_PATH) {
        return tr("Enter a JavaScript expression that evaluates to a file or folder path string");
    }
    if (type == XMLValues::EDITORTYPE_NUMBER) {
        return tr("Enter a JavaScript expression that evaluates to a numeric value");
    }
    if (type == XMLValues::EDITORTYPE_STRING) {
        return tr("Enter a JavaScript expression that evaluates to a string value");
    }
    if (type == XMLValues::EDITORTYPE_FILEFILTER) {
        return tr("Enter a JavaScript expression.\n\nA file matches the filter if the expression "
                  "evaluates to boolean value true");
    }
    if (type == XMLValues::EDITORTYPE_FOLDERFILTER) {
        return tr("Enter a JavaScript expression.\n\nA folder matches the filter if the "
                  "expression evaluates to boolean value true");
    }
    return tr("Enter a JavaScript expression");
}

bool ScriptExpressionValueEditor::exec()
{
    const XMLValueProcessor current(m_request.currentValue);
    const QString text = current.valueType() == XMLValueProcessor::ValueType::ScriptExpression
                             ? current.values().value(0)
                             : QString();
    ScriptExpressionDialog dialog(m_request.parent, text);
    dialog.setWindowTitle(m_request.caption);
    dialog.setPrompt(prompt(m_request.propertyType));
    if (!GuiLib::DialogPlacement::run(&dialog, QStringLiteral("ScriptExpression"))) {
        return false;
    }
    m_value = XMLValueProcessor::generateXMLValue(XMLValues::EDITOR_SCRIPTEXP,
                                                  QStringList{dialog.text()});
    return true;
}

} // namespace ScriptingGui
