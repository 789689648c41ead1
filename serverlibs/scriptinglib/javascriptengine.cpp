#include "javascriptengine.h"

#include "qsa/jslexer.h"

#include "corelib/vocabulary/xmlvalues.h"

namespace {

// The names under which the engine knows the program and its own calls, so that the frames of
// a stack trace can be told apart.
const QString programFile = QStringLiteral("program.js");
const QString callFile = QStringLiteral("call.js");
const QString callSlot = QStringLiteral("__tavrixCall");

// The innermost engine running on this thread.
thread_local JavaScriptEngine *t_running = nullptr;

struct Frame
{
    int line = 0;
    int column = 0;
};

// The first frame of the program in a stack trace; frames read "function:line:column:file".
Frame programFrame(const QStringList &stackTrace)
{
    for (const QString &frame : stackTrace) {
        const QStringList parts = frame.split(QLatin1Char(':'));
        if (parts.size() >= 4 && parts.mid(3).join(QLatin1Char(':')).endsWith(programFile)) {
            return {std::max(0, parts.at(1).toInt()), std::max(0, parts.at(2).toInt())};
        }
    }
    return {};
}

} // namespace

// Marks the engine as the one running on this thread for the time of an evaluation, so that an
// engine started meanwhile by the same thread is stopped with it.
class JavaScriptEngine::ActiveScope
{
public:
    explicit ActiveScope(JavaScriptEngine *engine)
        : m_outer(t_running)
    {
        if (m_outer) {
            m_outer->setInner(engine);
        }
        t_running = engine;
    }
    ~ActiveScope()
    {
        t_running = m_outer;
        if (m_outer) {
            m_outer->setInner(nullptr);
        }
    }
    ActiveScope(const ActiveScope &) = delete;
    ActiveScope &operator=(const ActiveScope &) = delete;

private:
    JavaScriptEngine *m_outer;
};

// Where WScript.Echo of the script host writes; a QObject so that the script can call it.
class JavaScriptEngine::ScriptHostOutput : public QObject
{
    Q_OBJECT

public:
    explicit ScriptHostOutput(std::function<void(const QString &line)> echo)
        : m_echo(std::move(echo))
    {}

    Q_INVOKABLE void line(const QString &text) const { m_echo(text); }

private:
    std::function<void(const QString &line)> m_echo;
};

JavaScriptEngine::JavaScriptEngine() = default;

JavaScriptEngine::~JavaScriptEngine() = default;

QString JavaScriptEngine::language() const
{
    return SRCore::XMLValues::JAVASCRIPT;
}

void JavaScriptEngine::addObject(const QString &name, QObject *object)
{
    m_engine.globalObject().setProperty(name, toScriptValue(QVariant::fromValue(object)));
}

void JavaScriptEngine::addScriptHost(std::function<void(const QString &line)> echo)
{
    m_scriptHost = std::make_unique<ScriptHostOutput>(std::move(echo));
    // Echo takes any number of values and shows each as String() does.
    const QJSValue makeHost = m_engine.evaluate(QStringLiteral(
        "(function (output) { return { Echo: function () {"
        " output.line(Array.prototype.map.call(arguments, String).join(' ')); } }; })"));
    m_engine.globalObject().setProperty(
        QStringLiteral("WScript"),
        makeHost.call({toScriptValue(QVariant::fromValue<QObject *>(m_scriptHost.get()))}));
}

QJSValue JavaScriptEngine::toScriptValue(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QObject *>()) {
        QObject *object = value.value<QObject *>();
        if (!object) {
            return QJSValue(QJSValue::NullValue);
        }
        // The objects belong to the run, never to the engine's garbage collector.
        QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
        return m_engine.newQObject(object);
    }
    return m_engine.toScriptValue(value);
}

ScriptResult JavaScriptEngine::runProgram(const QString &program)
{
    const ActiveScope active(this);
    QStringList stackTrace;
    const QJSValue value =
        m_engine.evaluate(JsLexer(program).withoutTypeAnnotations(), programFile, 1, &stackTrace);
    return outcome(value, stackTrace);
}

bool JavaScriptEngine::hasFunction(const QString &name) const
{
    return m_engine.globalObject().property(name).isCallable();
}

ScriptResult JavaScriptEngine::call(const QString &name, const QVariantList &arguments)
{
    const QJSValue function = m_engine.globalObject().property(name);
    if (!function.isCallable()) {
        return {QVariant(), {tr("The script has no function %1").arg(name)}};
    }
    QJSValue values = m_engine.newArray(arguments.size());
    for (int i = 0; i < arguments.size(); ++i) {
        values.setProperty(i, toScriptValue(arguments.at(i)));
    }
    QJSValue slot = m_engine.newObject();
    slot.setProperty(QStringLiteral("f"), function);
    slot.setProperty(QStringLiteral("a"), values);
    m_engine.globalObject().setProperty(callSlot, slot);

    // Evaluated rather than called: only an evaluation reports where a thrown value that is not
    // an Error came from.
    const ActiveScope active(this);
    QStringList stackTrace;
    const QJSValue value = m_engine.evaluate(callSlot + QStringLiteral(".f.apply(null, ") + callSlot
                                                 + QStringLiteral(".a)"),
                                             callFile, 1, &stackTrace);
    m_engine.globalObject().deleteProperty(callSlot);
    return outcome(value, stackTrace);
}

ScriptResult JavaScriptEngine::outcome(const QJSValue &value, const QStringList &stackTrace)
{
    if (m_interrupted) {
        return {QVariant(), {tr("The script was stopped"), 0, 0, true}};
    }
    if (!value.isError() && stackTrace.isEmpty()) {
        return {value.toVariant(), {}};
    }
    const Frame frame = programFrame(stackTrace);
    ScriptError error{describeThrown(value), frame.line, frame.column};
    if (error.line == 0 && value.isError()) {
        error.line = value.property(QStringLiteral("lineNumber")).toInt();
    }
    return {QVariant(), error};
}

QString JavaScriptEngine::describeThrown(const QJSValue &value)
{
    if (value.isError()) {
        return value.toString();
    }
    QString text = value.toString();
    if (value.isObject()) {
        const QJSValue json = m_engine.globalObject()
                                  .property(QStringLiteral("JSON"))
                                  .property(QStringLiteral("stringify"))
                                  .call({value});
        if (json.isString()) {
            text = json.toString();
        }
    }
    return tr("Uncaught exception: %1").arg(text);
}

void JavaScriptEngine::raiseScriptError(const QString &message)
{
    m_engine.throwError(QJSValue::GenericError, message);
}

bool JavaScriptEngine::isInterrupted() const
{
    return m_interrupted;
}

void JavaScriptEngine::setInner(JavaScriptEngine *inner)
{
    const QMutexLocker locker(&m_innerMutex);
    m_inner = inner;
    if (m_inner && m_interrupted) {
        m_inner->interrupt();
    }
}

void JavaScriptEngine::interrupt()
{
    const QMutexLocker locker(&m_innerMutex);
    m_interrupted = true;
    m_engine.setInterrupted(true);
    if (m_inner) {
        m_inner->interrupt();
    }
}

#include "javascriptengine.moc"
