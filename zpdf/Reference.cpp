#include "zpdf/Reference.h"

#include "zpdf/Writer.h"

namespace zpdf {

void Reference::write(Writer& writer) const
{
    writer.writeInt(m_number);
    writer.writeChar(' ');
    writer.writeInt(m_generation);
    writer.writeString(" R");
}

IPtr<Object> Reference::clone() const { return IPtr<Object>(new Reference(m_number, m_generation, m_owner)); }

IPtr<Object> Reference::resolve() { return m_owner != nullptr ? m_owner->resolveObject(m_number, m_generation) : nullptr; }

bool Reference::equals(const Object* other) const
{
    if (other == nullptr || other->type() != ObjectType::Reference)
        return false;
    const auto* ref = static_cast<const Reference*>(other);
    return ref->m_number == m_number && ref->m_generation == m_generation;
}

void Indirect::write(Writer& writer) const
{
    writer.writeInt(m_number);
    writer.writeChar(' ');
    writer.writeInt(m_generation);
    writer.writeString(" obj\r\n");
    if (m_object)
        m_object->write(writer);
    writer.writeString("\r\nendobj");
}

IPtr<Object> Indirect::clone() const
{
    return IPtr<Object>(new Indirect(m_number, m_generation, m_object ? m_object->clone() : nullptr, m_owner));
}

IPtr<Object> Indirect::asReference() { return IPtr<Object>(new Reference(m_number, m_generation, m_owner)); }

bool Indirect::equals(const Object* other) const
{
    if (other == nullptr || other->type() != ObjectType::Indirect)
        return false;
    const auto* ind = static_cast<const Indirect*>(other);
    if (ind->m_number != m_number || ind->m_generation != m_generation)
        return false;
    return m_object ? m_object->equals(ind->m_object) : !ind->m_object;
}

} // namespace zpdf
