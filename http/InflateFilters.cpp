#include "http/InflateFilters.h"

#include <zlib.h>

#include <vector>

namespace http {

namespace {
constexpr size_t kFilterBufferSize = 4096;
constexpr int kGzipFlagHcrc = 0x02;
constexpr int kGzipFlagExtra = 0x04;
constexpr int kGzipFlagName = 0x08;
constexpr int kGzipFlagComment = 0x10;
constexpr int kGzipReservedFlags = 0xE0;
} // namespace

class InflateStreamBuf : public std::streambuf {
public:
    InflateStreamBuf(std::istream& source, bool gzip) : m_source(source), m_gzip(gzip), m_in(kFilterBufferSize), m_out(kFilterBufferSize) {}
    ~InflateStreamBuf() override
    {
        if (m_initialised)
            inflateEnd(&m_zs);
    }

protected:
    int_type underflow() override
    {
        if (gptr() < egptr())
            return traits_type::to_int_type(*gptr());
        if (!m_started && !start())
            m_ended = true;
        size_t produced = 0;
        while (!m_ended && produced == 0) {
            if (m_zs.avail_in == 0 && !refill()) {
                m_ended = true;
                break;
            }
            m_zs.next_out = reinterpret_cast<Bytef*>(m_out.data());
            m_zs.avail_out = static_cast<uInt>(m_out.size());
            const int rc = inflate(&m_zs, Z_NO_FLUSH);
            produced = m_out.size() - m_zs.avail_out;
            if (rc != Z_OK)
                m_ended = true; // the end of the stream, or corrupt data
        }
        if (produced == 0)
            return traits_type::eof();
        setg(m_out.data(), m_out.data(), m_out.data() + produced);
        return traits_type::to_int_type(*gptr());
    }

private:
    bool refill()
    {
        m_source.read(m_in.data(), static_cast<std::streamsize>(m_in.size()));
        const std::streamsize n = m_source.gcount();
        if (n <= 0)
            return false;
        m_zs.next_in = reinterpret_cast<Bytef*>(m_in.data());
        m_zs.avail_in = static_cast<uInt>(n);
        return true;
    }

    int nextRawByte()
    {
        const int c = m_source.get();
        return m_source ? c : -1;
    }

    bool skipRaw(size_t n)
    {
        for (size_t i = 0; i < n; ++i) {
            if (nextRawByte() < 0)
                return false;
        }
        return true;
    }

    bool skipZeroTerminated()
    {
        for (;;) {
            const int c = nextRawByte();
            if (c < 0)
                return false;
            if (c == 0)
                return true;
        }
    }

    bool readGzipHeader()
    {
        if (nextRawByte() != 0x1F || nextRawByte() != 0x8B || nextRawByte() != 8)
            return false;
        const int flags = nextRawByte();
        if (flags < 0 || (flags & kGzipReservedFlags) != 0 || !skipRaw(6))
            return false;
        if (flags & kGzipFlagExtra) {
            const int lo = nextRawByte();
            const int hi = nextRawByte();
            if (lo < 0 || hi < 0 || !skipRaw(static_cast<size_t>(lo | (hi << 8))))
                return false;
        }
        if ((flags & kGzipFlagName) && !skipZeroTerminated())
            return false;
        if ((flags & kGzipFlagComment) && !skipZeroTerminated())
            return false;
        if ((flags & kGzipFlagHcrc) && !skipRaw(2))
            return false;
        return true;
    }

    bool start()
    {
        m_started = true;
        if (m_gzip && !readGzipHeader())
            return false;
        m_zs = z_stream{};
        if (inflateInit2_(&m_zs, m_gzip ? -15 : 15, "1.2.6", static_cast<int>(sizeof(z_stream))) != Z_OK)
            return false;
        m_initialised = true;
        return true;
    }

    std::istream& m_source;
    bool m_gzip;
    bool m_started = false;
    bool m_initialised = false;
    bool m_ended = false;
    z_stream m_zs{};
    std::vector<char> m_in;
    std::vector<char> m_out;
};

GzipInputFilter::GzipInputFilter(std::istream& source)
    : std::istream(nullptr), m_buf(std::make_unique<InflateStreamBuf>(source, true))
{
    rdbuf(m_buf.get());
}

GzipInputFilter::~GzipInputFilter() = default;

DeflateInputFilter::DeflateInputFilter(std::istream& source)
    : std::istream(nullptr), m_buf(std::make_unique<InflateStreamBuf>(source, false))
{
    rdbuf(m_buf.get());
}

DeflateInputFilter::~DeflateInputFilter() = default;

} // namespace http
