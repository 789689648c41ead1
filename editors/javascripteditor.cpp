#include "javascripteditor.h"

#include "qsa/qsproject.h"

#include <Qsci/qsciscintilla.h>

namespace Scripter {

namespace {

QString templateText()
{
    return JavaScriptEditor::tr(
        "// Is invoked each time a new job arrives in one of the input folders for the flow "
        "element.\n"
        "// The newly arrived job is passed as the second parameter.\n"
        "function jobArrived( s : Tavrix, job : Job )\n"
        "{\n"
        "}\n"
        "\n"
        "// Is invoked at regular intervals regardless of whether a new job arrived or not.\n"
        "// The interval can be modified with s.setTimerInterval().\n"
        "function timerFired( s : Tavrix )\n"
        "{\n"
        "}");
}

} // namespace

JavaScriptEditor::JavaScriptEditor(QWidget *parent)
    : QSEditor(parent)
    , m_interpreter(std::make_unique<QSInterpreter>())
{
    setMinimumSize(1, 1);
    setAcceptDrops(true);
    setFocusProxy(textEdit());
    setText(templateText());
    connect(this, &QSEditor::textChanged, this, &JavaScriptEditor::isUndoRedoAvailable);
    connect(this, &QSEditor::filesDropped, this, [this](const QStringList &paths) {
        for (const QString &path : paths) {
            emit openFileRequested(path);
        }
    });
    setInterpreter(m_interpreter.get(), nullptr);
}

JavaScriptEditor::~JavaScriptEditor() = default;

QStringList JavaScriptEditor::functions() const
{
    QSProject project;
    project.createScript(QStringLiteral("ScriptName"), text());
    QSInterpreter *interpreter = project.interpreter();
    interpreter->setErrorMode(QSInterpreter::Nothing);
    return interpreter->functions(QSInterpreter::FunctionNames);
}

void JavaScriptEditor::setEmptyScript()
{
    setText(templateText());
}

void JavaScriptEditor::isUndoRedoAvailable()
{
    const bool undo = isUndoAvailable();
    emit undoAvailable(undo);
    emit redoAvailable(isRedoAvailable());
    if (undo) {
        emit scriptChanged();
    }
}

} // namespace Scripter
