// MD5 message digest (RFC 1321), for the keys of the standard security handler.
#pragma once

#include "zpdf/DataBuffer.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace zpdf {

class Md5 {
public:
    using Digest = std::array<uint8_t, 16>;

    Md5();
    void update(const void* bytes, size_t count);
    void update(const DataBuffer& bytes) { update(bytes.data(), static_cast<size_t>(bytes.length())); }
    // The digest of everything given; the object is spent afterwards.
    Digest finish();

    static Digest of(const void* bytes, size_t count);

private:
    void block(const uint8_t* p);

    uint32_t m_state[4];
    uint64_t m_total = 0;
    uint8_t m_buffer[64];
    size_t m_used = 0;
};

} // namespace zpdf
