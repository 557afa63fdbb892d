// RC4 stream cipher, for documents encrypted with the revisions 2 to 4 of the
// standard security handler. Encrypting and decrypting are the same.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zpdf {

class Rc4 {
public:
    Rc4(const uint8_t* key, size_t keyBytes);
    // XORs the key stream into the bytes (in place), continuing where the
    // last call ended.
    void apply(uint8_t* bytes, size_t count);

private:
    uint8_t m_s[256];
    uint8_t m_i = 0;
    uint8_t m_j = 0;
};

} // namespace zpdf
