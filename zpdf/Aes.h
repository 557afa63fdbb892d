// AES with 128- and 256-bit keys (FIPS 197) and its CBC mode, for documents
// encrypted with the revisions 4 to 6 of the standard security handler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zpdf {

class Aes {
public:
    static constexpr size_t kBlock = 16;

    // keyBytes is 16 or 32.
    Aes(const uint8_t* key, size_t keyBytes);
    void encryptBlock(const uint8_t* in, uint8_t* out) const;
    void decryptBlock(const uint8_t* in, uint8_t* out) const;

    // CBC encryption of whole blocks after the initialisation vector; with
    // pad, PKCS #5 padding is added first (count need not be whole blocks then).
    std::vector<uint8_t> encryptCbc(const uint8_t* iv, const uint8_t* bytes, size_t count, bool pad) const;
    // CBC decryption of whole blocks (a partial last block is dropped); with
    // unpad, valid PKCS #5 padding is removed.
    std::vector<uint8_t> decryptCbc(const uint8_t* iv, const uint8_t* bytes, size_t count, bool unpad) const;

private:
    int m_rounds;
    uint8_t m_keys[240];
};

} // namespace zpdf
