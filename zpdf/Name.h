// PDF names. The bytes are kept without the leading slash and without
// decoding "#" escapes, and are written back the same way.
#pragma once

#include "zpdf/DataBuffer.h"
#include "zpdf/Object.h"

namespace zpdf {

// The common base of names: bytes, written as a name; equal only to itself.
class AbstractName : public Object {
public:
    const DataBuffer& bytes() const { return m_bytes; }

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;

protected:
    explicit AbstractName(const DataBuffer& bytes) : Object(ObjectType::Name), m_bytes(bytes) {}

private:
    DataBuffer m_bytes;
};

class Name : public AbstractName {
public:
    explicit Name(const char* text) : AbstractName(DataBuffer(text)) {}
    explicit Name(const DataBuffer& bytes) : AbstractName(bytes) {}

    using Object::equals;
    bool equals(const Object* other) const override;
};

} // namespace zpdf
