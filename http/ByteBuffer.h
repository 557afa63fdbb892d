// A growable byte array: every request and response body lives in one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace http {

class ByteBuffer {
public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::string_view bytes) { append(bytes); }

    const char* data() const { return m_bytes.data(); }
    char* data() { return m_bytes.data(); }
    size_t length() const { return m_bytes.size(); }
    size_t capacity() const { return m_bytes.capacity(); }
    bool isEmpty() const { return m_bytes.empty(); }

    void append(const void* bytes, size_t n) { m_bytes.append(static_cast<const char*>(bytes), n); }
    void append(std::string_view bytes) { append(bytes.data(), bytes.size()); }
    void appendByte(char c) { m_bytes.push_back(c); }
    void reserve(size_t n) { m_bytes.reserve(n); }
    void clear() { m_bytes.clear(); }

    std::string_view view() const { return std::string_view(m_bytes.data(), m_bytes.size()); }
    std::string toString() const { return m_bytes; }

private:
    std::string m_bytes;
};

} // namespace http
