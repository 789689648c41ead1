#pragma once

#include "editors/scripteditor.h"

class ScripterHighlighter;

namespace Scripter {

// The editor of a package's AppleScript program. AppleScript is never compiled or run here: the
// defined entry points are found by searching the text for their handler definitions.
class AppleScriptEditor : public ScriptEditor
{
    Q_OBJECT
    Q_DISABLE_COPY(AppleScriptEditor)

public:
    explicit AppleScriptEditor(QWidget *parent = nullptr);

    // Replaces the text with the template of a new script.
    void setEmptyScript();

public slots:
    void readSettings() override;
    // The entry-point handlers defined outside block comments, in the order of the entry point
    // list and spelled as there, once per defining line.
    QStringList functions() const override;

private:
    ScripterHighlighter *m_highlighter; // owned by the text edit's document
};

} // namespace Scripter
