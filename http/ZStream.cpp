#include "http/ZStream.h"

#include <zlib.h>

namespace zstream {

namespace {
constexpr size_t kBufferSize = 4096;
constexpr int kFlagHcrc = 0x02;
constexpr int kFlagExtra = 0x04;
constexpr int kFlagName = 0x08;
constexpr int kFlagComment = 0x10;
constexpr int kReservedFlags = 0xE0;
} // namespace

basic_unzip_streambuf::basic_unzip_streambuf(std::istream& source, int windowBits)
    : m_source(source), m_windowBits(windowBits), m_zs(new z_stream{}), m_in(kBufferSize), m_out(kBufferSize)
{
}

basic_unzip_streambuf::~basic_unzip_streambuf()
{
    if (m_initialised)
        inflateEnd(m_zs);
    delete m_zs;
}

bool basic_unzip_streambuf::start()
{
    m_started = true;
    if (inflateInit2_(m_zs, m_windowBits, "1.2.6", static_cast<int>(sizeof(z_stream))) != Z_OK)
        return false;
    m_initialised = true;
    return true;
}

bool basic_unzip_streambuf::refill()
{
    m_source.read(m_in.data(), static_cast<std::streamsize>(m_in.size()));
    const std::streamsize n = m_source.gcount();
    if (n <= 0)
        return false;
    m_zs->next_in = reinterpret_cast<Bytef*>(m_in.data());
    m_zs->avail_in = static_cast<uInt>(n);
    return true;
}

basic_unzip_streambuf::int_type basic_unzip_streambuf::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (!m_ended && !m_started && !start())
        m_ended = true;
    size_t produced = 0;
    while (!m_ended && produced == 0) {
        if (m_zs->avail_in == 0 && !refill()) {
            m_ended = true;
            break;
        }
        m_zs->next_out = reinterpret_cast<Bytef*>(m_out.data());
        m_zs->avail_out = static_cast<uInt>(m_out.size());
        const int rc = inflate(m_zs, Z_NO_FLUSH);
        produced = m_out.size() - m_zs->avail_out;
        if (rc != Z_OK)
            m_ended = true; // the end of the stream, or corrupt data
    }
    if (produced == 0)
        return traits_type::eof();
    setg(m_out.data(), m_out.data(), m_out.data() + produced);
    return traits_type::to_int_type(*gptr());
}

basic_zip_istream::basic_zip_istream(std::istream& source) : basic_zip_istreambase(source, 15), std::istream(&m_buf) {}

basic_gzip_istream::basic_gzip_istream(std::istream& source) : basic_zip_istreambase(source, -15), std::istream(&m_buf)
{
    if (!readHeader())
        m_buf.endNow();
}

bool basic_gzip_istream::readHeader()
{
    std::istream& in = m_buf.source();
    auto next = [&in]() {
        const int c = in.get();
        return in ? c : -1;
    };
    auto skip = [&next](size_t n) {
        for (size_t i = 0; i < n; ++i) {
            if (next() < 0)
                return false;
        }
        return true;
    };
    auto skipZeroTerminated = [&next]() {
        for (;;) {
            const int c = next();
            if (c <= 0)
                return c == 0;
        }
    };
    if (next() != 0x1F || next() != 0x8B || next() != 8)
        return false;
    const int flags = next();
    if (flags < 0 || (flags & kReservedFlags) != 0 || !skip(6))
        return false;
    if (flags & kFlagExtra) {
        const int lo = next();
        const int hi = next();
        if (lo < 0 || hi < 0 || !skip(static_cast<size_t>(lo | (hi << 8))))
            return false;
    }
    if ((flags & kFlagName) && !skipZeroTerminated())
        return false;
    if ((flags & kFlagComment) && !skipZeroTerminated())
        return false;
    return !(flags & kFlagHcrc) || skip(2);
}

} // namespace zstream
