// Streams over one platform request handle: writing with optional chunk
// framing (InternetWriteFile) and reading the response body (InternetReadFile).
#pragma once

#include "http/ChunkedStreamBuf.h"

#include <windows.h>
#include <wininet.h>

#include <istream>
#include <ostream>

namespace http {

class InternetStreamBuf : public ChunkedStreamBuf {
public:
    InternetStreamBuf(HINTERNET handle, size_t size, bool chunked) : ChunkedStreamBuf(size, chunked), m_handle(handle) {}

protected:
    bool writeRaw(const char* data, size_t length) override;
    size_t readRaw(char* data, size_t length) override;

private:
    HINTERNET m_handle; // owned by the request
};

class InternetInputStream : public std::istream {
public:
    InternetInputStream(HINTERNET handle, size_t size) : std::istream(nullptr), m_buf(handle, size, false) { rdbuf(&m_buf); }

private:
    InternetStreamBuf m_buf;
};

class InternetOutputStream : public std::ostream {
public:
    InternetOutputStream(HINTERNET handle, size_t size, bool chunked) : std::ostream(nullptr), m_buf(handle, size, chunked)
    {
        rdbuf(&m_buf);
    }

private:
    InternetStreamBuf m_buf;
};

} // namespace http
