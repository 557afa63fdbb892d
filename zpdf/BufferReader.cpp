#include "zpdf/BufferReader.h"

namespace zpdf {

int BufferReader::readByte()
{
    if (m_position < 0 || m_position >= m_buffer->length())
        return -1;
    return m_buffer->data()[m_position++];
}

void BufferReader::seek(int position)
{
    const int length = m_buffer->length();
    m_position = position < 0 ? 0 : (position > length ? length : position);
}

} // namespace zpdf
