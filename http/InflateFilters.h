// Input streams that inflate what they read from another input stream:
// gzip bodies (RFC 1952) and "deflate" bodies, which are zlib streams (RFC 1950).
// A corrupt or truncated stream ends early; what was decoded is delivered.
#pragma once

#include <istream>
#include <memory>
#include <streambuf>

namespace http {

class InflateStreamBuf;

class GzipInputFilter : public std::istream {
public:
    explicit GzipInputFilter(std::istream& source);
    ~GzipInputFilter() override;

private:
    std::unique_ptr<InflateStreamBuf> m_buf;
};

class DeflateInputFilter : public std::istream {
public:
    explicit DeflateInputFilter(std::istream& source);
    ~DeflateInputFilter() override;

private:
    std::unique_ptr<InflateStreamBuf> m_buf;
};

} // namespace http
