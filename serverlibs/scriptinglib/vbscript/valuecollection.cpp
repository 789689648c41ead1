#include "valuecollection.h"

#include "interpreter.h"
#include "runtimeerror.h"

namespace VBScript {

namespace {

enum Member { Count = 1, Item };

const MemberList &members()
{
    static const MemberList list({{"count", Count}, {"item", Item}});
    return list;
}

} // namespace

ValueCollection::ValueCollection(const char *typeName, std::vector<Value> items)
    : LibraryObject(members(), typeName)
    , m_items(std::move(items))
{}

bool ValueCollection::enumerate(Interpreter &, std::vector<Value> *items)
{
    *items = m_items;
    return true;
}

bool ValueCollection::invoke(Interpreter &interpreter, int member, InvokeKind kind,
                             const Arguments &arguments, Value &result)
{
    if (kind == InvokeKind::Let || kind == InvokeKind::Set) {
        return interpreter.raise(RuntimeError::ObjectDoesNotSupport);
    }
    if (member == Count) {
        if (arguments.count != 0) {
            return interpreter.raise(RuntimeError::WrongNumberOfArguments);
        }
        result = Value::longValue(int(m_items.size()));
        return true;
    }
    if (arguments.count != 1) {
        return interpreter.raise(RuntimeError::WrongNumberOfArguments);
    }
    int index = 0;
    if (!interpreter.toLong(arguments[0], &index)) {
        return false;
    }
    if (index < 0 || size_t(index) >= m_items.size()) {
        return interpreter.raise(RuntimeError::InvalidProcedureCall);
    }
    result = m_items[size_t(index)];
    return true;
}

} // namespace VBScript
