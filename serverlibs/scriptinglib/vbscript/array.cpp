#include "array.h"

namespace VBScript {

qint64 Array::elementCount(const std::vector<int> &upperBounds)
{
    qint64 count = upperBounds.empty() ? 0 : 1;
    for (const int bound : upperBounds) {
        if (bound < -1) {
            return -1;
        }
        count *= qint64(bound) + 1;
        if (count > maxElements) {
            return -1;
        }
    }
    return count;
}

Array *Array::create(const std::vector<int> &upperBounds, ElementType elementType)
{
    const qint64 count = elementCount(upperBounds);
    if (count < 0) {
        return nullptr;
    }
    auto *array = new Array;
    array->m_upperBounds = upperBounds;
    array->m_elementType = elementType;
    array->m_values.resize(size_t(count),
                           elementType == ElementType::String ? Value::string(QString()) : Value());
    return array;
}

Array *Array::fromValues(std::vector<Value> values, ElementType elementType)
{
    auto *array = new Array;
    array->m_upperBounds = {int(values.size()) - 1};
    array->m_elementType = elementType;
    array->m_values = std::move(values);
    return array;
}

void Array::destroy(Array *array)
{
    std::vector<Array *> doomed{array};
    while (!doomed.empty()) {
        Array *next = doomed.back();
        doomed.pop_back();
        for (Value &value : next->m_values) {
            Array *inner = value.isArray() ? value.asArray() : nullptr;
            if (inner && inner->m_references == 1) {
                doomed.push_back(value.takeArray());
            }
        }
        delete next;
    }
}

Array *Array::clone() const
{
    auto *copy = new Array;
    copy->m_values = m_values;
    copy->m_upperBounds = m_upperBounds;
    copy->m_elementType = m_elementType;
    return copy;
}

qint64 Array::flatIndex(const int *indices, int count) const
{
    if (count != dimensionCount()) {
        return -1;
    }
    qint64 index = 0;
    qint64 stride = 1;
    for (int dimension = 0; dimension < count; ++dimension) {
        const int bound = m_upperBounds[size_t(dimension)];
        if (indices[dimension] < 0 || indices[dimension] > bound) {
            return -1;
        }
        index += stride * indices[dimension];
        stride *= qint64(bound) + 1;
    }
    return index;
}

bool Array::resizeKeeping(const std::vector<int> &upperBounds)
{
    if (upperBounds.size() != m_upperBounds.size() && !m_upperBounds.empty()) {
        return false;
    }
    for (size_t dimension = 0; dimension + 1 < m_upperBounds.size(); ++dimension) {
        if (upperBounds[dimension] != m_upperBounds[dimension]) {
            return false;
        }
    }
    const qint64 count = elementCount(upperBounds);
    if (count < 0) {
        return false;
    }
    // The last index varies slowest, so the elements that stay are the first ones.
    m_values.resize(size_t(count),
                    m_elementType == ElementType::String ? Value::string(QString()) : Value());
    m_upperBounds = upperBounds;
    return true;
}

void Array::clearElements()
{
    for (Value &value : m_values) {
        value = m_elementType == ElementType::String ? Value::string(QString()) : Value();
    }
}

} // namespace VBScript
