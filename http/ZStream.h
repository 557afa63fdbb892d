// Stream adapters over zlib: an inflating stream buffer that reads compressed
// bytes from another input stream (buffers of 4096 bytes in and out), and the
// input streams built on it for zlib-wrapped data and for gzip members.
// A corrupt or truncated stream ends early; what was inflated is delivered.
#pragma once

#include <istream>
#include <streambuf>
#include <vector>

struct z_stream_s;

namespace zstream {

class basic_unzip_streambuf : public std::streambuf {
public:
    // windowBits as zlib takes them: 15 for zlib streams, -15 for raw deflate.
    basic_unzip_streambuf(std::istream& source, int windowBits);
    ~basic_unzip_streambuf() override;
    basic_unzip_streambuf(const basic_unzip_streambuf&) = delete;
    basic_unzip_streambuf& operator=(const basic_unzip_streambuf&) = delete;

    std::istream& source() { return m_source; }
    // Stops the stream before it started (a bad gzip header).
    void endNow() { m_ended = true; }

protected:
    int_type underflow() override;

private:
    bool start();
    bool refill();

    std::istream& m_source;
    int m_windowBits;
    bool m_started = false;
    bool m_initialised = false;
    bool m_ended = false;
    z_stream_s* m_zs;
    std::vector<char> m_in;
    std::vector<char> m_out;
};

// Holds the stream buffer, so that it exists before the istream that uses it.
class basic_zip_istreambase {
protected:
    basic_zip_istreambase(std::istream& source, int windowBits) : m_buf(source, windowBits) {}
    basic_unzip_streambuf m_buf;
};

// A zlib (RFC 1950) stream.
class basic_zip_istream : private basic_zip_istreambase, public std::istream {
public:
    explicit basic_zip_istream(std::istream& source);
};

// A gzip (RFC 1952) member: its header is checked and skipped, then raw deflate follows.
class basic_gzip_istream : private basic_zip_istreambase, public std::istream {
public:
    explicit basic_gzip_istream(std::istream& source);

private:
    bool readHeader();
};

} // namespace zstream
