#pragma once

#include "ivalueeditor.h"
#include "valueeditorrequest.h"

namespace GuiLib {

// The "sltextwithvar" and "conditionwithvar" kinds: the text with variables dialog, which
// starts from the value only when it was made as a text with variables or typed inline, and
// the condition dialog. The value is the text, or the stored condition.
class VariablesValueEditor : public IValueEditor
{
public:
    explicit VariablesValueEditor(const ValueEditorRequest &request);

    bool exec() override;
    QString value() const override { return m_value; }

    static bool handles(const QString &editorType);

private:
    ValueEditorRequest m_request;
    QString m_value;
};

} // namespace GuiLib
