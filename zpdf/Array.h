// PDF arrays, and rectangles as arrays of four numbers.
#pragma once

#include "zpdf/Object.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zpdf {

class Array : public Object {
public:
    Array() : Object(ObjectType::Array) {}

    int size() const { return static_cast<int>(m_elements.size()); }
    // The element at index, which must be in range.
    const IPtr<Object>& at(int index) const { return m_elements[static_cast<size_t>(index)]; }
    // The element at index, or null when the index is out of range.
    IPtr<Object> get(int index) const;
    void append(const IPtr<Object>& element)
    {
        ++m_changes;
        m_elements.push_back(element);
    }
    // Counts the changes of the elements (see Dict::changes).
    uint32_t changes() const { return m_changes; }

    // Calls f with a reference to each element, which it may replace.
    template <typename F>
    void forEachElement(F f)
    {
        for (IPtr<Object>& element : m_elements)
            f(element);
    }

    std::vector<IPtr<Object>>::const_iterator begin() const { return m_elements.begin(); }
    std::vector<IPtr<Object>>::const_iterator end() const { return m_elements.end(); }

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    using Object::equals;
    bool equals(const Object* other) const override;

protected:
    void cloneElementsInto(Array& copy) const;

private:
    std::vector<IPtr<Object>> m_elements;
    uint32_t m_changes = 0;
};

// [left bottom right top]: an array of four numbers, such as a page's MediaBox.
class Rectangle : public Array {
public:
    // Shares the elements of an existing array.
    explicit Rectangle(const Array& array);
    // Four numbers of the automatic kind.
    Rectangle(double left, double bottom, double right, double top);

    // Elements 0 to 3 as numbers; an element that is missing or not a direct
    // number counts as 0.
    double left() const { return coordinate(0); }
    double bottom() const { return coordinate(1); }
    double right() const { return coordinate(2); }
    double top() const { return coordinate(3); }

    IPtr<Object> clone() const override;

private:
    Rectangle() = default;
    double coordinate(int index) const;
};

} // namespace zpdf
