#include "value.h"

#include "array.h"
#include "object.h"

namespace VBScript {

Value Value::string(const QString &value)
{
    Value result(ValueType::String);
    new (&result.m_bits.text) QString(value);
    return result;
}

Value Value::string(QString &&value)
{
    Value result(ValueType::String);
    new (&result.m_bits.text) QString(std::move(value));
    return result;
}

Value Value::object(Object *object)
{
    Value result(ValueType::Object);
    result.m_bits.object = object;
    if (object) {
        object->addRef();
    }
    return result;
}

Value Value::adoptArray(Array *array)
{
    Value result(ValueType::Array);
    result.m_bits.array = array;
    return result;
}

Value Value::whole(qint64 value)
{
    if (value >= -32768 && value <= 32767) {
        return integer(short(value));
    }
    if (value >= -2147483647LL - 1 && value <= 2147483647LL) {
        return longValue(int(value));
    }
    return real(double(value));
}

Value Value::reference(Value *target, Array *lockedArray)
{
    Value result(ValueType::Reference);
    result.m_bits.reference = {target, lockedArray};
    if (lockedArray) {
        lockedArray->lock();
    }
    return result;
}

Array *Value::mutableArray()
{
    Array *array = m_bits.array;
    if (array->isShared()) {
        Array *copy = array->clone();
        array->release();
        m_bits.array = copy;
    }
    return m_bits.array;
}

void Value::copyFrom(const Value &other)
{
    switch (m_type) {
    case ValueType::String:
        new (&m_bits.text) QString(other.asString());
        break;
    case ValueType::Object:
        m_bits.object = other.m_bits.object;
        if (m_bits.object) {
            m_bits.object->addRef();
        }
        break;
    case ValueType::Array:
        // An element of a locked array may change through a ByRef parameter at any time, so
        // a copy must not share it.
        if (other.m_bits.array->isLocked()) {
            m_bits.array = other.m_bits.array->clone();
        } else {
            m_bits.array = other.m_bits.array;
            m_bits.array->addRef();
        }
        break;
    case ValueType::Reference:
        m_bits.reference = other.m_bits.reference;
        if (m_bits.reference.lockedArray) {
            m_bits.reference.lockedArray->lock();
        }
        break;
    default:
        m_bits = other.m_bits;
        break;
    }
}

void Value::release()
{
    // Empty first, let go after: releasing an object may run script code (Class_Terminate)
    // that reads or assigns this very value.
    const ValueType type = m_type;
    Bits bits;
    std::memcpy(static_cast<void *>(&bits), &m_bits, sizeof(Bits));
    m_type = ValueType::Empty;
    switch (type) {
    case ValueType::String:
        std::launder(reinterpret_cast<QString *>(&bits.text))->~QString();
        break;
    case ValueType::Object:
        if (Object *object = bits.object) {
            object->release();
        }
        break;
    case ValueType::Array:
        bits.array->release();
        break;
    case ValueType::Reference:
        if (bits.reference.lockedArray) {
            bits.reference.lockedArray->unlock();
        }
        break;
    default:
        break;
    }
}

} // namespace VBScript
