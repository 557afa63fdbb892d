// Indirect objects and the references that point at them. Both carry the
// owner that resolves references (the document they came from; may be null,
// and then a reference resolves to nothing).
#pragma once

#include "zpdf/Object.h"

namespace zpdf {

// "number generation R"
class Reference : public Object {
public:
    Reference(int32_t number, int32_t generation, ObjectOwner* owner = nullptr)
        : Object(ObjectType::Reference), m_number(number), m_generation(generation), m_owner(owner)
    {
    }

    int32_t number() const { return m_number; }
    int32_t generation() const { return m_generation; }
    ObjectOwner* owner() const { return m_owner; }

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    // The designated object, found through the owner; null without one.
    IPtr<Object> resolve() override;
    using Object::equals;
    bool equals(const Object* other) const override;

private:
    int32_t m_number;
    int32_t m_generation;
    ObjectOwner* m_owner;
};

// "number generation obj" ... "endobj": an object with its number.
class Indirect : public Object {
public:
    Indirect(int32_t number, int32_t generation, const IPtr<Object>& object, ObjectOwner* owner = nullptr)
        : Object(ObjectType::Indirect), m_object(object), m_number(number), m_generation(generation), m_owner(owner)
    {
    }

    const IPtr<Object>& object() const { return m_object; }
    int32_t number() const { return m_number; }
    int32_t generation() const { return m_generation; }
    ObjectOwner* owner() const { return m_owner; }

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    // A new reference with this object's number, generation and owner.
    IPtr<Object> asReference() override;
    using Object::equals;
    bool equals(const Object* other) const override;

private:
    IPtr<Object> m_object;
    int32_t m_number;
    int32_t m_generation;
    ObjectOwner* m_owner;
};

} // namespace zpdf
