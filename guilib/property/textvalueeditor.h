#pragma once

#include "ivalueeditor.h"
#include "valueeditorrequest.h"

#include <QCoreApplication>

namespace GuiLib {

// The value editors of the validated text dialog: multi-line text ("description"), string
// lists, passwords, file and folder patterns, regular expressions and multi-line texts with
// variables. Each kind has its dialog name (for the remembered placement), its prompt, its
// validator and its way of turning the value into text and back: a plain text, a text whose
// ";" (or "/") are line breaks in the dialog, or an XMLValueProcessor list value of the lines.
class TextValueEditor : public IValueEditor
{
    Q_DECLARE_TR_FUNCTIONS(GuiLib::TextValueEditor)

public:
    explicit TextValueEditor(const ValueEditorRequest &request);

    bool exec() override;
    QString value() const override { return m_value; }

    // True for the kinds this editor edits.
    static bool handles(const QString &editorType);

private:
    ValueEditorRequest m_request;
    QString m_value;
};

} // namespace GuiLib
