// A stream buffer over a raw byte channel that frames what it writes as HTTP
// chunks when asked to: every flush of pending bytes becomes "%X\r\n" + bytes
// + "\r\n" in one write, and a flush with nothing pending after a chunk writes
// the terminating "0\r\n\r\n" once. The platform's request API leaves this
// framing to the caller.
#pragma once

#include "http/ByteBuffer.h"

#include <cstddef>
#include <string>
#include <streambuf>
#include <vector>

namespace http {

class ChunkedStreamBuf : public std::streambuf {
public:
    ChunkedStreamBuf(size_t bufferSize, bool chunked);

    bool chunked() const { return m_chunked; }
    long long lastChunkSize() const { return m_lastChunkSize; }
    // Forgets the last chunk, so that the next body ends with its own terminator.
    void resetChunkState() { m_lastChunkSize = -1; }

protected:
    // Writes all bytes to the channel; false when it could not.
    virtual bool writeRaw(const char* data, size_t length) = 0;
    // Reads up to length bytes; 0 at the end or on failure.
    virtual size_t readRaw(char* data, size_t length) = 0;

    int sync() override;
    int_type overflow(int_type c) override;
    int_type underflow() override;

private:
    bool flushPending();

    std::vector<char> m_buffer;
    std::vector<char> m_readBuffer;
    bool m_chunked;
    long long m_lastChunkSize = -1;
    ByteBuffer m_scratch;
};

} // namespace http
