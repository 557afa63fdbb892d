#include "zpdf/Writer.h"

#include "zpdf/NumberText.h"
#include "zpdf/Object.h"

#include <cstdint>
#include <cstring>

namespace zpdf {

void Writer::advance(int64_t count)
{
    const int64_t position = m_position + count;
    m_position = position > INT32_MAX ? INT32_MAX : static_cast<int32_t>(position);
}

void Writer::writeObject(const Object& object) { object.write(*this); }

void Writer::writeBytes(const void* data, int offset, int count)
{
    if (data == nullptr || count <= 0 || offset < 0)
        return;
    const auto* bytes = static_cast<const unsigned char*>(data) + offset;
    for (int i = 0; i < count; ++i)
        writeChar(bytes[i]);
}

void Writer::writeString(const char* text)
{
    if (text == nullptr)
        return;
    for (const char* p = text; *p != 0; ++p)
        writeChar(static_cast<unsigned char>(*p));
}

void Writer::writeBuffer(const DataBuffer& buffer) { writeBytes(buffer.data(), 0, buffer.length()); }

void Writer::writeInt(int value) { writeString(formatInt("%d", value).c_str()); }

void Writer::writeDouble(double value) { writeString(formatDouble("%f", value).c_str()); }

void BufferWriter::writeChar(unsigned char byte)
{
    m_buffer.append(byte);
    advance(1);
}

void BufferWriter::writeBytes(const void* data, int offset, int count)
{
    if (data == nullptr || count <= 0 || offset < 0)
        return;
    m_buffer.append(static_cast<const unsigned char*>(data) + offset, count);
    advance(count);
}

void BufferWriter::writeString(const char* text)
{
    if (text != nullptr)
        writeBytes(text, 0, static_cast<int>(std::strlen(text)));
}

} // namespace zpdf
