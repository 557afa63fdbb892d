// PDF strings, kept as the raw bytes of the file with their delimiters:
// "(" ... ")" for literal strings, "<" ... ">" for hexadecimal ones. They are
// written back byte for byte; getText decodes them for display.
#pragma once

#include "base/ZString.h"
#include "zpdf/DataBuffer.h"
#include "zpdf/Object.h"

namespace zpdf {

class String : public Object {
public:
    explicit String(const DataBuffer& raw) : Object(ObjectType::String), m_bytes(raw) {}

    const DataBuffer& bytes() const { return m_bytes; }

    // The text: UTF-16BE after a byte order mark, otherwise one character per
    // byte, with the escapes of literal strings and the digits of hexadecimal
    // strings decoded.
    ZString getText() const;
    // The bytes the string stands for: escapes of literal strings (and their
    // bare line ends, as LF) and the digits of hexadecimal strings decoded.
    DataBuffer value() const;
    // A hexadecimal string of the bytes.
    static IPtr<String> ofBytes(const DataBuffer& bytes);

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    using Object::equals;
    bool equals(const Object* other) const override;

private:
    DataBuffer m_bytes;
};

} // namespace zpdf
