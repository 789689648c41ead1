#pragma once

#include <QString>

#include <cstring>
#include <new>
#include <utility>

namespace VBScript {

class Array;
class Object;

// The subtypes a Variant can hold, plus Reference, which only the interpreter sees: a ByRef
// argument on its way into a procedure. The types up to Error hold plain bits; the ones after
// own something and are copied with care.
enum class ValueType : unsigned char {
    Empty,
    Null,
    Boolean,
    Byte,
    Integer,
    Long,
    Single,
    Double,
    Currency,
    Date,
    Error,
    String,
    Object, // a null object is Nothing
    Array,
    Reference,
};

// A VBScript Variant. Copying a string shares it (Qt's implicit sharing), copying an object adds
// a reference, copying an array shares it until one side writes (Array). Dates are days since
// 30 December 1899 with the time as the fraction, as the engine keeps them; Currency is a count
// of ten-thousandths.
class Value
{
public:
    Value() noexcept { m_bits.currency = 0; }
    ~Value() { clear(); }

    Value(const Value &other)
        : m_type(other.m_type)
    {
        if (isPlain(m_type)) {
            m_bits.currency = other.m_bits.currency;
        } else {
            copyFrom(other);
        }
    }
    Value(Value &&other) noexcept
        : m_type(other.m_type)
        , m_fixedArray(other.m_fixedArray)
    {
        moveBits(other);
        other.m_type = ValueType::Empty;
        other.m_fixedArray = false;
    }
    Value &operator=(const Value &other)
    {
        if (isPlain(m_type) && isPlain(other.m_type)) {
            m_bits.currency = other.m_bits.currency;
            m_type = other.m_type;
        } else if (this != &other) {
            Value copy(other);
            swap(copy);
        }
        return *this;
    }
    Value &operator=(Value &&other) noexcept
    {
        if (this == &other) {
            return *this;
        }
        if (isPlain(m_type)) {
            moveBits(other);
            m_type = other.m_type;
            m_fixedArray = other.m_fixedArray;
            other.m_type = ValueType::Empty;
            other.m_fixedArray = false;
        } else {
            Value moved(std::move(other));
            swap(moved);
        }
        return *this;
    }
    void swap(Value &other) noexcept
    {
        Bits bits; // all of them: either side may own something
        std::memcpy(static_cast<void *>(&bits), &m_bits, sizeof(Bits));
        std::memcpy(static_cast<void *>(&m_bits), &other.m_bits, sizeof(Bits));
        std::memcpy(static_cast<void *>(&other.m_bits), &bits, sizeof(Bits));
        std::swap(m_type, other.m_type);
        std::swap(m_fixedArray, other.m_fixedArray);
    }

    static Value null() { return Value(ValueType::Null); }
    static Value boolean(bool value) { return plain(ValueType::Boolean, value ? 1 : 0); }
    static Value byte(unsigned char value) { return plain(ValueType::Byte, value); }
    static Value integer(short value) { return plain(ValueType::Integer, value); }
    static Value longValue(int value) { return plain(ValueType::Long, value); }
    static Value single(float value)
    {
        quint32 bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        return plain(ValueType::Single, bits);
    }
    static Value real(double value) { return plainReal(ValueType::Double, value); }
    static Value currency(qint64 tenThousandths)
    {
        return plain(ValueType::Currency, tenThousandths);
    }
    static Value date(double serial) { return plainReal(ValueType::Date, serial); }
    static Value error(int code) { return plain(ValueType::Error, code); }
    static Value string(const QString &value);
    static Value string(QString &&value);
    // Takes a reference to `object`; null is Nothing.
    static Value object(Object *object);
    // Takes over the caller's reference to `array`.
    static Value adoptArray(Array *array);
    // The smallest of Integer, Long and Double that holds `value`.
    static Value whole(qint64 value);
    // A ByRef argument standing for `target`. When `lockedArray` is set, `target` is one of its
    // elements: the reference keeps the array alive and locked (no ReDim, no sharing) while it
    // lives.
    static Value reference(Value *target, Array *lockedArray = nullptr);

    ValueType type() const { return m_type; }
    bool isEmpty() const { return m_type == ValueType::Empty; }
    bool isNull() const { return m_type == ValueType::Null; }
    bool isString() const { return m_type == ValueType::String; }
    bool isObject() const { return m_type == ValueType::Object; }
    bool isArray() const { return m_type == ValueType::Array; }
    bool isReference() const { return m_type == ValueType::Reference; }
    // Byte, Integer, Long, Single, Double or Currency.
    bool isNumber() const { return m_type >= ValueType::Byte && m_type <= ValueType::Currency; }

    bool asBoolean() const { return m_bits.boolean; }
    unsigned char asByte() const { return m_bits.byte; }
    short asInteger() const { return m_bits.integer16; }
    int asLong() const { return m_bits.integer; }
    float asSingle() const { return m_bits.single; }
    double asDouble() const { return m_bits.real; }
    qint64 asCurrency() const { return m_bits.currency; }
    double asDate() const { return m_bits.real; }
    int asError() const { return m_bits.integer; }
    const QString &asString() const { return *stringPointer(); }
    QString &asString() { return *stringPointer(); }
    Object *asObject() const { return m_bits.object; }
    Array *asArray() const { return m_bits.array; }
    // The array to write to: unshared first when another Value shares it.
    Array *mutableArray();
    // Takes the array's reference over, leaving the value Empty.
    Array *takeArray()
    {
        m_type = ValueType::Empty;
        m_fixedArray = false;
        return m_bits.array;
    }
    // A variable declared with its size (Dim a(10)) holds a fixed array, which ReDim refuses.
    // Copies of the value are not fixed.
    bool isFixedArray() const { return m_fixedArray; }
    void setFixedArray(bool fixed) { m_fixedArray = fixed; }

    // The value a Reference stands for, or this value itself.
    const Value &target() const
    {
        return m_type == ValueType::Reference ? *m_bits.reference.target : *this;
    }
    Value &target() { return m_type == ValueType::Reference ? *m_bits.reference.target : *this; }

    void clear()
    {
        m_fixedArray = false;
        if (isPlain(m_type)) {
            m_type = ValueType::Empty;
        } else {
            release();
        }
    }

private:
    explicit Value(ValueType type)
        : m_type(type)
    {
        m_bits.currency = 0;
    }

    static bool isPlain(ValueType type) { return type < ValueType::String; }
    static Value plain(ValueType type, qint64 bits)
    {
        Value result(type);
        result.m_bits.currency = bits;
        return result;
    }
    static Value plainReal(ValueType type, double bits)
    {
        Value result(type);
        result.m_bits.real = bits;
        return result;
    }
    // Plain values live in the first eight bytes, written and read whole (one store, so that
    // the next read of them is quick); the others use all of them.
    void moveBits(const Value &other)
    {
        if (isPlain(other.m_type)) {
            m_bits.currency = other.m_bits.currency;
        } else {
            std::memcpy(static_cast<void *>(&m_bits), &other.m_bits, sizeof(m_bits));
        }
    }
    void copyFrom(const Value &other);
    // Empties the value, then lets go of what it held.
    void release();
    QString *stringPointer() { return std::launder(reinterpret_cast<QString *>(&m_bits.text)); }
    const QString *stringPointer() const
    {
        return std::launder(reinterpret_cast<const QString *>(&m_bits.text));
    }

    struct ReferenceBits
    {
        Value *target;
        Array *lockedArray;
    };
    union Bits
    {
        bool boolean;
        unsigned char byte;
        short integer16;
        int integer;
        float single;
        double real;
        qint64 currency;
        Object *object;
        Array *array;
        ReferenceBits reference;
        alignas(QString) unsigned char text[sizeof(QString)];
    };

    Bits m_bits;
    ValueType m_type = ValueType::Empty;
    bool m_fixedArray = false;
};

} // namespace VBScript
