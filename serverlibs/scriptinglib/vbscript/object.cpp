#include "object.h"

#include "interpreter.h"
#include "runtimeerror.h"

namespace VBScript {

namespace {

// DISP_E_PARAMNOTFOUND: the engine's mark of an omitted argument.
constexpr int parameterNotFound = int(0x80020004u);

} // namespace

bool Arguments::isMissing(int index) const
{
    if (index >= count) {
        return true;
    }
    const Value &value = (*this)[index];
    return value.type() == ValueType::Error && value.asError() == parameterNotFound;
}

Value missingArgument()
{
    return Value::error(parameterNotFound);
}

Object::~Object() = default;

bool Object::enumerate(Interpreter &interpreter, std::vector<Value> *)
{
    return interpreter.raise(RuntimeError::ObjectNotACollection);
}

} // namespace VBScript
