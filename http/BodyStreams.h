// Where a request body comes from (Input) and where a response body goes (Output).
#pragma once

#include "http/ByteBuffer.h"

#include <cstdint>

namespace http {

class Input {
public:
    virtual ~Input() = default;
    // Bytes delivered; 0 for nothing at the moment, -1 at the end.
    virtual int read(char* buffer, int maximum) = 0;
    // The total length, -1 when it is not known in advance.
    virtual int64_t size() { return -1; }
};

class BufferInput : public Input {
public:
    BufferInput() = default;
    explicit BufferInput(const ByteBuffer& bytes) : m_buffer(bytes) {}
    int read(char* buffer, int maximum) override;
    int64_t size() override { return static_cast<int64_t>(m_buffer.length()); }

private:
    ByteBuffer m_buffer;
    size_t m_position = 0;
    bool m_owns = true;
};

class Output {
public:
    virtual ~Output() = default;
    virtual void write(const char* data, size_t length) = 0;
    virtual void reserve(size_t /*expectedLength*/) {}
    virtual void finish() {}
    virtual size_t size() const = 0;
};

// Keeps at most maximum bytes (-1: all) and counts every byte offered.
class BufferOutput : public Output {
public:
    explicit BufferOutput(int32_t maximum = -1) : m_maximum(maximum) {}
    void write(const char* data, size_t length) override;
    void reserve(size_t expectedLength) override;
    size_t size() const override { return m_buffer.length(); }
    virtual bool isTruncated() const { return m_totalSeen > m_buffer.length(); }

    const ByteBuffer& buffer() const { return m_buffer; }
    uint64_t totalSeen() const { return m_totalSeen; }
    void setMaximum(int32_t maximum) { m_maximum = maximum; }

private:
    ByteBuffer m_buffer;
    int32_t m_maximum;
    uint64_t m_totalSeen = 0;
    bool m_owns = true;
};

} // namespace http
