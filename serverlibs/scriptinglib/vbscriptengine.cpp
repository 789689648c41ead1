#include "vbscriptengine.h"

#include "supportlib/scriptconsole.h"

#include "corelib/vocabulary/xmlvalues.h"

VBScriptEngine::VBScriptEngine()
{
    m_engine.setOutput(this);
}

VBScriptEngine::~VBScriptEngine() = default;

QString VBScriptEngine::language() const
{
    return SRCore::XMLValues::VBSCRIPT;
}

void VBScriptEngine::addObject(const QString &name, QObject *object)
{
    if (auto *console = qobject_cast<ScriptConsole *>(object)) {
        m_console = console;
    }
    m_engine.addHostObject(name, object);
}

void VBScriptEngine::addScriptHost(std::function<void(const QString &line)> echo)
{
    m_scriptHostEcho = std::move(echo);
    m_engine.addWScript();
}

ScriptResult VBScriptEngine::runProgram(const QString &program)
{
    VBScript::ScriptError error;
    const bool ok = m_engine.load(program, &error);
    return outcome(ok, QVariant(), std::move(error));
}

bool VBScriptEngine::hasFunction(const QString &name) const
{
    return m_engine.hasFunction(name);
}

ScriptResult VBScriptEngine::call(const QString &name, const QVariantList &arguments)
{
    QVariant value;
    VBScript::ScriptError error;
    const bool ok = m_engine.call(name, arguments, &value, &error);
    return outcome(ok, std::move(value), std::move(error));
}

ScriptResult VBScriptEngine::outcome(bool ok, QVariant value, VBScript::ScriptError error)
{
    if (ok) {
        return {std::move(value), {}};
    }
    // The place travels apart from the text, as the other engines give it.
    const VBScript::SourcePosition position = error.position;
    error.position = VBScript::SourcePosition();
    return {QVariant(),
            {error.toString(), position.line, position.column,
             error.kind == VBScript::ScriptError::Kind::Interrupted}};
}

void VBScriptEngine::interrupt()
{
    m_interrupted = true;
    m_engine.interrupt();
}

void VBScriptEngine::raiseScriptError(const QString &message)
{
    m_engine.failHostCall(message);
}

bool VBScriptEngine::isInterrupted() const
{
    return m_interrupted;
}

void VBScriptEngine::echo(const QString &text)
{
    if (m_scriptHostEcho) {
        m_scriptHostEcho(text);
    } else if (m_console) {
        m_console->log(text);
    }
}
