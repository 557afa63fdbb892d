// The response body filters of the client: gzip bodies, and "deflate" bodies,
// which are zlib streams (RFC 1950).
#pragma once

#include "http/ZStream.h"

namespace http {

class GzipInputFilter : public zstream::basic_gzip_istream {
public:
    explicit GzipInputFilter(std::istream& source) : basic_gzip_istream(source) {}
};

class DeflateInputFilter : public zstream::basic_zip_istream {
public:
    explicit DeflateInputFilter(std::istream& source) : basic_zip_istream(source) {}
};

} // namespace http
