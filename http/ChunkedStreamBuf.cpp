#include "http/ChunkedStreamBuf.h"

namespace http {

namespace {
// The chunk size line's number: "%X" without depending on the C library's
// support for size_t formats.
std::string upperHex(size_t n)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), digits[n % 16]);
        n /= 16;
    } while (n != 0);
    return out;
}
} // namespace

ChunkedStreamBuf::ChunkedStreamBuf(size_t bufferSize, bool chunked)
    : m_buffer(bufferSize), m_readBuffer(bufferSize), m_chunked(chunked)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

bool ChunkedStreamBuf::flushPending()
{
    const size_t pending = static_cast<size_t>(pptr() - pbase());
    bool ok = true;
    if (pending > 0) {
        if (m_chunked) {
            m_scratch.clear();
            m_scratch.append(upperHex(pending));
            m_scratch.append("\r\n", 2);
            m_scratch.append(pbase(), pending);
            m_scratch.append("\r\n", 2);
            ok = writeRaw(m_scratch.data(), m_scratch.length());
            m_lastChunkSize = static_cast<long long>(pending);
        } else {
            ok = writeRaw(pbase(), pending);
        }
    } else if (m_chunked && m_lastChunkSize != 0) {
        ok = writeRaw("0\r\n\r\n", 5);
        m_lastChunkSize = 0;
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return ok;
}

int ChunkedStreamBuf::sync()
{
    return flushPending() ? 0 : -1;
}

ChunkedStreamBuf::int_type ChunkedStreamBuf::overflow(int_type c)
{
    if (pptr() > pbase() && !flushPending())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

ChunkedStreamBuf::int_type ChunkedStreamBuf::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    const size_t n = readRaw(m_readBuffer.data(), m_readBuffer.size());
    if (n == 0)
        return traits_type::eof();
    setg(m_readBuffer.data(), m_readBuffer.data(), m_readBuffer.data() + n);
    return traits_type::to_int_type(*gptr());
}

} // namespace http
