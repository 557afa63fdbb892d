#include "zpdf/Array.h"

#include "zpdf/Primitives.h"
#include "zpdf/Writer.h"

namespace zpdf {

IPtr<Object> Array::get(int index) const
{
    if (index < 0 || index >= size())
        return nullptr;
    return m_elements[static_cast<size_t>(index)];
}

void Array::write(Writer& writer) const
{
    writer.writeChar('[');
    for (const IPtr<Object>& element : m_elements) {
        if (element)
            element->write(writer);
        else
            writer.writeString("null");
        writer.writeChar(' ');
    }
    writer.writeChar(']');
}

void Array::cloneElementsInto(Array& copy) const
{
    copy.m_elements.reserve(m_elements.size());
    for (const IPtr<Object>& element : m_elements)
        copy.m_elements.push_back(element ? element->clone() : IPtr<Object>());
}

IPtr<Object> Array::clone() const
{
    IPtr<Array> copy(new Array());
    cloneElementsInto(*copy);
    return copy;
}

bool Array::equals(const Object* other) const
{
    if (other == nullptr || other->type() != ObjectType::Array)
        return false;
    const auto& theirs = static_cast<const Array*>(other)->m_elements;
    if (theirs.size() != m_elements.size())
        return false;
    for (size_t i = 0; i < m_elements.size(); ++i) {
        const IPtr<Object>& mine = m_elements[i];
        if (!mine) {
            if (theirs[i])
                return false;
        } else if (!mine->equals(theirs[i])) {
            return false;
        }
    }
    return true;
}

Rectangle::Rectangle(const Array& array)
{
    for (const IPtr<Object>& element : array)
        append(element);
}

Rectangle::Rectangle(double left, double bottom, double right, double top)
{
    for (double v : {left, bottom, right, top})
        append(IPtr<Object>(new Number(v)));
}

IPtr<Object> Rectangle::clone() const
{
    IPtr<Rectangle> copy(new Rectangle());
    cloneElementsInto(*copy);
    return copy;
}

double Rectangle::coordinate(int index) const
{
    const IPtr<Object> element = get(index);
    if (!element || element->type() != ObjectType::Number)
        return 0.0;
    return static_cast<const Number*>(element.get())->value();
}

} // namespace zpdf
