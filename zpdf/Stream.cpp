#include "zpdf/Stream.h"

#include "zpdf/Writer.h"

namespace zpdf {

void StreamData::write(Writer& writer) const
{
    writer.writeString("stream\r\n");
    writer.writeBuffer(m_bytes);
    writer.writeString("\r\nendstream");
}

IPtr<Object> StreamData::clone() const { return IPtr<Object>(new StreamData(m_bytes)); }

bool StreamData::equals(const Object* other) const
{
    return other != nullptr && other->type() == ObjectType::StreamData &&
           static_cast<const StreamData*>(other)->m_bytes.equals(m_bytes);
}

void Stream::write(Writer& writer) const
{
    if (m_dict)
        m_dict->write(writer);
    writer.writeString("\r\n");
    if (m_data)
        m_data->write(writer);
}

IPtr<Object> Stream::clone() const
{
    IPtr<Dict> dict = m_dict ? dynamicCast<Dict>(m_dict->clone()) : nullptr;
    IPtr<StreamData> data = m_data ? dynamicCast<StreamData>(m_data->clone()) : nullptr;
    return IPtr<Object>(new Stream(dict, data));
}

namespace {

bool sameOrEqual(const IPtr<Object>& a, const IPtr<Object>& b) { return a ? a->equals(b) : !b; }

} // namespace

bool Stream::equals(const Object* other) const
{
    if (other == nullptr || other->type() != ObjectType::Stream)
        return false;
    const auto* stream = static_cast<const Stream*>(other);
    return sameOrEqual(m_dict, stream->m_dict) && sameOrEqual(m_data, stream->m_data);
}

} // namespace zpdf
