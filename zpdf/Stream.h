// Streams: a dictionary followed by raw bytes ("stream" ... "endstream").
#pragma once

#include "zpdf/DataBuffer.h"
#include "zpdf/Dict.h"
#include "zpdf/Object.h"

namespace zpdf {

// The raw bytes of a stream, as they stand in the file.
class StreamData : public Object {
public:
    StreamData() : Object(ObjectType::StreamData) {}
    explicit StreamData(const DataBuffer& bytes) : Object(ObjectType::StreamData), m_bytes(bytes) {}

    const DataBuffer& bytes() const { return m_bytes; }
    DataBuffer& bytes() { return m_bytes; }

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    using Object::equals;
    bool equals(const Object* other) const override;

private:
    DataBuffer m_bytes;
};

class Stream : public Object {
public:
    Stream(const IPtr<Dict>& dict, const IPtr<StreamData>& data)
        : Object(ObjectType::Stream), m_dict(dict), m_data(data)
    {
    }

    const IPtr<Dict>& dict() const { return m_dict; }
    const IPtr<StreamData>& data() const { return m_data; }

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    using Object::equals;
    bool equals(const Object* other) const override;

private:
    IPtr<Dict> m_dict;
    IPtr<StreamData> m_data;
};

} // namespace zpdf
