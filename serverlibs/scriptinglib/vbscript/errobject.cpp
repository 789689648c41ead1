#include "errobject.h"

#include "interpreter.h"
#include "runtimeerror.h"

namespace VBScript {

namespace {

enum Member { Number = 1, Description, Source, HelpFile, HelpContext, Raise, Clear };

const MemberList &members()
{
    static const MemberList list({{"number", Number},
                                  {"description", Description},
                                  {"source", Source},
                                  {"helpfile", HelpFile},
                                  {"helpcontext", HelpContext},
                                  {"raise", Raise},
                                  {"clear", Clear}});
    return list;
}

} // namespace

ErrObject::ErrObject()
    : LibraryObject(members(), "ErrObject")
{}

void ErrObject::set(int number, const QString &source, const QString &description)
{
    m_number = number;
    m_source = source;
    m_description = description;
    m_helpFile.clear();
    m_helpContext = 0;
}

void ErrObject::clear()
{
    set(0, QString(), QString());
}

bool ErrObject::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                       const Arguments &arguments, Value &result)
{
    if (member == defaultMember) {
        member = Number;
    }
    const bool assigning = kind == InvokeKind::Let;
    if (member <= HelpContext) {
        if (arguments.count != (assigning ? 1 : 0) || kind == InvokeKind::Set) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        if (!assigning) {
            switch (member) {
            case Number:
                result = Value::longValue(m_number);
                break;
            case Description:
                result = Value::string(m_description);
                break;
            case Source:
                result = Value::string(m_source);
                break;
            case HelpFile:
                result = Value::string(m_helpFile);
                break;
            default:
                result = Value::longValue(m_helpContext);
                break;
            }
            return true;
        }
        const Value &value = arguments.last();
        switch (member) {
        case Number:
        case HelpContext: {
            int number = 0;
            if (!interpreter.toLong(value, &number)) {
                return false;
            }
            (member == Number ? m_number : m_helpContext) = number;
            return true;
        }
        default: {
            QString text;
            if (!interpreter.toString(value, &text)) {
                return false;
            }
            (member == Description ? m_description
             : member == Source    ? m_source
                                   : m_helpFile) = text;
            return true;
        }
        }
    }
    if (assigning || kind == InvokeKind::Set) {
        return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
    }
    if (member == Clear) {
        if (arguments.count != 0) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        clear();
        return true;
    }
    // Raise number [, source [, description [, helpfile [, helpcontext]]]]
    if (arguments.count < 1 || arguments.count > 5) {
        return interpreter.raise(RuntimeError::WrongNumberOfArguments);
    }
    int number = 0;
    if (!interpreter.toLong(arguments[0], &number)) {
        return false;
    }
    QString texts[2];
    for (int i = 0; i < 2; ++i) {
        if (!arguments.isMissing(i + 1) && !interpreter.toString(arguments[i + 1], &texts[i])) {
            return false;
        }
    }
    return interpreter.raiseCustom(number, texts[0], texts[1]);
}

} // namespace VBScript
