#include "assignment.h"

#include "array.h"
#include "conversion.h"
#include "interpreter.h"
#include "runtimeerror.h"

#include <QVarLengthArray>

namespace VBScript {

bool Assignment::let(Interpreter &interpreter, Value &target, const Value &value)
{
    const Value &source = value.target();
    if (source.isObject()) {
        Value plain;
        if (!interpreter.defaultValue(source, &plain)) {
            return false;
        }
        target = std::move(plain);
        return true;
    }
    target = source;
    return true;
}

bool Assignment::set(Interpreter &interpreter, Value &target, const Value &value)
{
    const Value &source = value.target();
    if (!source.isObject()) {
        return interpreter.raise(RuntimeError::ObjectRequired);
    }
    target = source;
    return true;
}

qint64 Assignment::elementIndex(Interpreter &interpreter, const Value &arrayValue,
                                const Arguments &indices)
{
    QVarLengthArray<int, 4> positions(indices.count);
    for (int i = 0; i < indices.count; ++i) {
        const Value &index = indices[i];
        if (index.type() == ValueType::Integer) {
            positions[i] = index.asInteger();
        } else if (index.type() == ValueType::Long) {
            positions[i] = index.asLong();
        } else if (!interpreter.toLong(index, &positions[i])) {
            return -1;
        }
    }
    const qint64 index = arrayValue.asArray()->flatIndex(positions.data(), indices.count);
    if (index < 0) {
        interpreter.raise(RuntimeError::SubscriptOutOfRange);
    }
    return index;
}

bool Assignment::storeElement(Interpreter &interpreter, Value &variable, const Arguments &indices,
                              const Value &value, bool isSet)
{
    Value &container = variable.target();
    if (container.isObject()) {
        std::vector<Value> arguments(indices.values, indices.values + indices.count);
        arguments.push_back(value.target());
        return interpreter.invoke(container, Object::defaultMember,
                                  isSet ? InvokeKind::Set : InvokeKind::Let,
                                  Arguments{arguments.data(), int(arguments.size())}, nullptr);
    }
    if (!container.isArray()) {
        return interpreter.raise(RuntimeError::TypeMismatch);
    }
    const qint64 index = elementIndex(interpreter, container, indices);
    if (index < 0) {
        return false;
    }
    Value stored;
    if (!isSet && !value.target().isObject()) {
        stored = value.target();
    } else if (!(isSet ? set(interpreter, stored, value) : let(interpreter, stored, value))) {
        return false;
    }
    Array *array = container.mutableArray();
    if (array->elementType() == Array::ElementType::String && !stored.isString()) {
        QString text;
        if (!interpreter.check(Conversion::toString(stored, &text))) {
            return false;
        }
        stored = Value::string(std::move(text));
    }
    array->at(index) = std::move(stored);
    return true;
}

bool Assignment::elementReference(Interpreter &interpreter, Value &variable,
                                  const Arguments &indices, Value *result)
{
    Value &container = variable.target();
    if (!container.isArray()) {
        return interpreter.callValue(container, indices, result);
    }
    const qint64 index = elementIndex(interpreter, container, indices);
    if (index < 0) {
        return false;
    }
    Array *array = container.mutableArray();
    *result = Value::reference(&array->at(index), array);
    return true;
}

bool Assignment::redim(Interpreter &interpreter, Value &variable, const Arguments &bounds,
                       bool preserve)
{
    Value &target = variable.target();
    std::vector<int> upperBounds(size_t(bounds.count));
    for (int i = 0; i < bounds.count; ++i) {
        if (!interpreter.toLong(bounds[i], &upperBounds[size_t(i)])) {
            return false;
        }
        if (upperBounds[size_t(i)] < -1) {
            return interpreter.raise(RuntimeError::SubscriptOutOfRange);
        }
    }
    if (Array::elementCount(upperBounds) < 0) {
        return interpreter.raise(RuntimeError::OutOfMemory);
    }
    if (target.isArray() && (target.isFixedArray() || target.asArray()->isLocked())) {
        return interpreter.raise(RuntimeError::ArrayFixedOrLocked);
    }
    if (preserve && target.isArray()) {
        Array *array = target.mutableArray();
        if (!array->resizeKeeping(upperBounds)) {
            return interpreter.raise(RuntimeError::SubscriptOutOfRange);
        }
        return true;
    }
    target = Value::adoptArray(Array::create(upperBounds));
    return true;
}

bool Assignment::erase(Interpreter &interpreter, Value &variable)
{
    Value &target = variable.target();
    if (!target.isArray()) {
        return interpreter.raise(RuntimeError::TypeMismatch);
    }
    if (target.asArray()->isLocked()) {
        return interpreter.raise(RuntimeError::ArrayFixedOrLocked);
    }
    if (target.isFixedArray()) {
        target.mutableArray()->clearElements();
    } else {
        target = Value::adoptArray(Array::create({}));
    }
    return true;
}

} // namespace VBScript
