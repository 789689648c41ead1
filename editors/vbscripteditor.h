#pragma once

#include "editors/scripteditor.h"

class ScripterHighlighter;

namespace SRCore {
class ILogInterface;
}

namespace Scripter {

// The editor of a package's VBScript program. The defined entry points are listed by parsing the
// script as the script engine would load it.
class VBScriptEditor : public ScriptEditor
{
    Q_OBJECT
    Q_DISABLE_COPY(VBScriptEditor)

public:
    // `log` receives the message about a script whose functions cannot be listed; not owned,
    // must outlive the editor, may be null.
    explicit VBScriptEditor(SRCore::ILogInterface *log = nullptr, QWidget *parent = nullptr);

    // Replaces the text with the template of a new script.
    void setEmptyScript();

public slots:
    void readSettings() override;
    // The Sub and Function procedures the script engine would offer to the server, in source
    // order; empty, with an error message to the log, when the script does not load.
    QStringList functions() const override;

private:
    ScripterHighlighter *m_highlighter; // owned by the text edit's document
    SRCore::ILogInterface *m_log;
};

} // namespace Scripter
