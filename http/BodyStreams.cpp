#include "http/BodyStreams.h"

#include <algorithm>
#include <cstring>

namespace http {

int BufferInput::read(char* buffer, int maximum)
{
    if (maximum < 1)
        return 0;
    const size_t remaining = m_buffer.length() - m_position;
    if (remaining == 0)
        return -1;
    const size_t n = std::min(remaining, static_cast<size_t>(maximum));
    std::memcpy(buffer, m_buffer.data() + m_position, n);
    m_position += n;
    return static_cast<int>(n);
}

void BufferOutput::write(const char* data, size_t length)
{
    m_totalSeen += length;
    size_t room = length;
    if (m_maximum >= 0) {
        const size_t limit = static_cast<size_t>(m_maximum);
        room = m_buffer.length() >= limit ? 0 : std::min(length, limit - m_buffer.length());
    }
    m_buffer.append(data, room);
}

void BufferOutput::reserve(size_t expectedLength)
{
    size_t n = expectedLength;
    if (m_maximum >= 0)
        n = std::min(n, static_cast<size_t>(m_maximum));
    if (n >= 1)
        m_buffer.reserve(n);
}

} // namespace http
