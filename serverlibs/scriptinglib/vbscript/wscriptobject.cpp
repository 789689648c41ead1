#include "wscriptobject.h"

#include "interpreter.h"
#include "outputsink.h"
#include "runtimeerror.h"

namespace VBScript {

namespace {

enum Member { Echo = 1 };

const MemberList &members()
{
    static const MemberList list({{"echo", Echo}});
    return list;
}

} // namespace

WScriptObject::WScriptObject()
    : LibraryObject(members(), "Object")
{}

bool WScriptObject::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                           const Arguments &arguments, Value &)
{
    if (member != Echo || kind == InvokeKind::Let || kind == InvokeKind::Set) {
        return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
    }
    QStringList parts;
    for (int i = 0; i < arguments.count; ++i) {
        QString text;
        if (!arguments[i].isNull() && !interpreter.toString(arguments[i], &text)) {
            return false;
        }
        parts.append(text);
    }
    if (OutputSink *output = interpreter.output()) {
        output->echo(parts.join(QLatin1Char(' ')));
    }
    return true;
}

} // namespace VBScript
