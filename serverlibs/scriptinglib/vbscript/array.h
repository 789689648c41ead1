#pragma once

#include "value.h"

#include <vector>

namespace VBScript {

// A VBScript array: any number of dimensions, each from 0 to its upper bound, elements kept
// with the first index varying fastest (as the engine lays them out, which decides the order of
// For Each and what ReDim Preserve keeps). Shared between Values until one of them writes
// (Value::mutableArray); a locked array, one whose element is bound to a ByRef parameter, is
// never shared and never resized.
class Array
{
public:
    // What Split and Filter make: their elements stay strings whatever is stored in them.
    enum class ElementType { Variant, String };

    // Elements beyond this are refused with "Out of memory", before anything is allocated.
    static constexpr qint64 maxElements = qint64(1) << 24;

    // An array with the given upper bounds, filled with Empty; null when it would have more
    // than maxElements elements or a bound below -1. No bounds make the array of `Dim a()`,
    // which has no dimensions until ReDim gives it some. The caller owns the one reference.
    static Array *create(const std::vector<int> &upperBounds,
                         ElementType elementType = ElementType::Variant);
    // An array of one dimension holding `values`.
    static Array *fromValues(std::vector<Value> values,
                             ElementType elementType = ElementType::Variant);
    // The number of elements of an array with these bounds, or -1 when it is too large.
    static qint64 elementCount(const std::vector<int> &upperBounds);

    Array(const Array &) = delete;
    Array &operator=(const Array &) = delete;

    void addRef() { ++m_references; }
    void release()
    {
        if (--m_references == 0) {
            destroy(this);
        }
    }
    // A copy that shares nothing with this array; the caller owns the one reference.
    Array *clone() const;
    // Whether another Value shares this array, so that a write must copy it first.
    bool isShared() const { return m_references - m_locks > 1; }

    void lock()
    {
        ++m_locks;
        ++m_references;
    }
    void unlock()
    {
        --m_locks;
        release();
    }
    bool isLocked() const { return m_locks > 0; }
    ElementType elementType() const { return m_elementType; }

    int dimensionCount() const { return int(m_upperBounds.size()); }
    int upperBound(int dimension) const { return m_upperBounds[dimension]; }
    const std::vector<int> &upperBounds() const { return m_upperBounds; }
    qint64 size() const { return qint64(m_values.size()); }
    Value &at(qint64 index) { return m_values[size_t(index)]; }
    const Value &at(qint64 index) const { return m_values[size_t(index)]; }
    std::vector<Value> &values() { return m_values; }
    const std::vector<Value> &values() const { return m_values; }
    // The position of the element at `indices`, or -1 when their count or one of them is out
    // of range.
    qint64 flatIndex(const int *indices, int count) const;

    // ReDim Preserve: new bounds that differ from the current ones in the last dimension only,
    // keeping the elements that remain. False when another dimension would change.
    bool resizeKeeping(const std::vector<int> &upperBounds);
    // Erase of a fixed array: every element back to Empty (or "" for a string array).
    void clearElements();

private:
    Array() = default;
    ~Array() = default;

    // Deletes `array` and the arrays only it holds, one after the other: an array nested a
    // million times deep goes without nesting calls.
    static void destroy(Array *array);

    std::vector<Value> m_values;
    std::vector<int> m_upperBounds;
    int m_references = 1;
    int m_locks = 0;
    ElementType m_elementType = ElementType::Variant;
};

} // namespace VBScript
