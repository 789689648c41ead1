#pragma once

// qseditor.h needs the interpreter's definition before it.
#include "qsa/qsinterpreter.h"

#include "qsa/qseditor.h"

#include <memory>

namespace Scripter {

// The editor of a package's JavaScript program, on QSA's editing widget. Its text, undo, find,
// settings and completion are the QSEditor's; completion knows the scripting objects `s`, `job`
// and `e` through the interpreter given to it. The inherited undoAvailable() and redoAvailable()
// are also sent on every text change, followed by scriptChanged() while there is anything to
// undo.
class JavaScriptEditor : public QSEditor
{
    Q_OBJECT
    Q_DISABLE_COPY(JavaScriptEditor)

public:
    explicit JavaScriptEditor(QWidget *parent = nullptr);
    ~JavaScriptEditor() override;

    // The names of the functions declared at the top level of the script, also when it has
    // syntax errors (then those that can be recognised); no error is shown.
    QStringList functions() const;

public slots:
    // Replaces the text with the template of a new script.
    void setEmptyScript();
    void isUndoRedoAvailable();

signals:
    // The script was edited since it was set.
    void scriptChanged();
    // A file was dropped onto the text; the application opens it as a package or fixture.
    void openFileRequested(const QString &path);

private:
    std::unique_ptr<QSInterpreter> m_interpreter;
};

} // namespace Scripter
