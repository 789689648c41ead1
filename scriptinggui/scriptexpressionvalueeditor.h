#pragma once

#include "guilib/property/ivalueeditor.h"
#include "guilib/property/valueeditorrequest.h"

#include <QCoreApplication>

namespace ScriptingGui {

// The "scriptexp" kind: the script expression dialog with a prompt that says what the
// expression must evaluate to for the property's type. The value is the script expression
// list value (SRCore::XMLValueProcessor) holding the expression; a current value of that kind
// fills the editor.
class ScriptExpressionValueEditor : public GuiLib::IValueEditor
{
    Q_DECLARE_TR_FUNCTIONS(ScriptingGui::ScriptExpressionValueEditor)

public:
    explicit ScriptExpressionValueEditor(const GuiLib::ValueEditorRequest &request);

    bool exec() override;
    QString value() const override { return m_value; }

    static QString prompt(const QString &propertyType);

private:
    GuiLib::ValueEditorRequest m_request;
    QString m_value;
};

} // namespace ScriptingGui
