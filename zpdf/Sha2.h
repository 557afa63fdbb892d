// SHA-256, SHA-384 and SHA-512 (FIPS 180-4), for the keys of AES-256 encryption.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zpdf {

std::vector<uint8_t> sha256(const uint8_t* bytes, size_t count);
std::vector<uint8_t> sha384(const uint8_t* bytes, size_t count);
std::vector<uint8_t> sha512(const uint8_t* bytes, size_t count);

} // namespace zpdf
