#include "zpdf/BufferReader.h"

namespace zpdf {

int BufferReader::readByte()
{
    if (m_position < 0 || m_position >= m_buffer->length())
        return -1;
    return m_buffer->data()[m_position++];
}

int BufferReader::readBytes(DataBuffer& out, int count)
{
    const int available = m_buffer->length() - m_position;
    const int n = count < available ? count : available;
    if (n <= 0)
        return 0;
    out.append(m_buffer->data() + m_position, n);
    m_position += n;
    return n;
}

void BufferReader::seek(int position)
{
    const int length = m_buffer->length();
    m_position = position < 0 ? 0 : (position > length ? length : position);
}

} // namespace zpdf
