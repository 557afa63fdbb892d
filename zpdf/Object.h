// Object: the base of every PDF object kind, held through IPtr.
//
// Objects live on the heap and are owned by the IPtrs that point at them (see
// IPtr.h). The type code is fixed by each class's constructor; callers test
// it before treating an object as a particular kind. An absent object is a
// null IPtr, never an exception.
#pragma once

#include "zpdf/IPtr.h"

#include <cstdint>

namespace zpdf {

class Array;
class Bool;
class Dict;
class Name;
class Number;
class Object;
class Stream;
class String;
class Writer;

enum class ObjectType : int32_t {
    Marker = 0,
    Number = 1,
    Array = 2, // also Rectangle
    Null = 3,
    StreamData = 4,
    Stream = 5,
    Reference = 6,
    Dict = 7,
    Bool = 8,
    Name = 9,
    String = 10,
    Indirect = 11,
    XRef = 12,
    StartXRef = 13,
    Trailer = 14,
};

// What references resolve through: the document that owns them.
class ObjectOwner {
public:
    // The object numbered (number, generation), or null when there is none.
    virtual IPtr<Object> resolveObject(int32_t number, int32_t generation) = 0;

protected:
    ~ObjectOwner() = default;
};

class Object : public IPtrBase {
public:
    ~Object() override = default;

    ObjectType type() const { return m_type; }

    // Serialises the object in its file form.
    virtual void write(Writer& writer) const;
    // A copy; containers copy their contents deeply.
    virtual IPtr<Object> clone() const;
    // Writes the serialised form to standard output (a debugging aid).
    virtual void print() const;
    // The object itself; a reference gives the object it designates, or null.
    virtual IPtr<Object> resolve();
    // The object itself; an indirect object gives a reference to itself.
    virtual IPtr<Object> asReference();
    // The resolved object as that kind, or null when it is absent or of
    // another kind. toDict of a stream gives the stream's dictionary.
    virtual IPtr<Array> toArray();
    virtual IPtr<Bool> toBool();
    virtual IPtr<Dict> toDict();
    virtual IPtr<Name> toName();
    virtual IPtr<Number> toNumber();
    virtual IPtr<Stream> toStream();
    virtual IPtr<String> toString();
    // Kind-specific equality; the base compares identity.
    virtual bool equals(const Object* other) const;
    virtual bool equals(const IPtr<Object>& other) const;

protected:
    explicit Object(ObjectType type) : m_type(type) {}
    Object(const Object&) = default;

    // An IPtr to this object (which an IPtr already owns).
    IPtr<Object> self() const { return IPtr<Object>(const_cast<Object*>(this)); }

private:
    const ObjectType m_type;
};

// A placeholder object without behaviour of its own.
class Marker : public Object {
public:
    Marker() : Object(ObjectType::Marker) {}
};

} // namespace zpdf
