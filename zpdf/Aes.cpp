#include "zpdf/Aes.h"

#include <cstring>

namespace zpdf {

namespace {

constexpr uint8_t kSbox[256] = {
    0x63, 0x7c, 0x77, 0x7b, 0xf2, 0x6b, 0x6f, 0xc5, 0x30, 0x01, 0x67, 0x2b, 0xfe, 0xd7, 0xab, 0x76, 0xca, 0x82, 0xc9,
    0x7d, 0xfa, 0x59, 0x47, 0xf0, 0xad, 0xd4, 0xa2, 0xaf, 0x9c, 0xa4, 0x72, 0xc0, 0xb7, 0xfd, 0x93, 0x26, 0x36, 0x3f,
    0xf7, 0xcc, 0x34, 0xa5, 0xe5, 0xf1, 0x71, 0xd8, 0x31, 0x15, 0x04, 0xc7, 0x23, 0xc3, 0x18, 0x96, 0x05, 0x9a, 0x07,
    0x12, 0x80, 0xe2, 0xeb, 0x27, 0xb2, 0x75, 0x09, 0x83, 0x2c, 0x1a, 0x1b, 0x6e, 0x5a, 0xa0, 0x52, 0x3b, 0xd6, 0xb3,
    0x29, 0xe3, 0x2f, 0x84, 0x53, 0xd1, 0x00, 0xed, 0x20, 0xfc, 0xb1, 0x5b, 0x6a, 0xcb, 0xbe, 0x39, 0x4a, 0x4c, 0x58,
    0xcf, 0xd0, 0xef, 0xaa, 0xfb, 0x43, 0x4d, 0x33, 0x85, 0x45, 0xf9, 0x02, 0x7f, 0x50, 0x3c, 0x9f, 0xa8, 0x51, 0xa3,
    0x40, 0x8f, 0x92, 0x9d, 0x38, 0xf5, 0xbc, 0xb6, 0xda, 0x21, 0x10, 0xff, 0xf3, 0xd2, 0xcd, 0x0c, 0x13, 0xec, 0x5f,
    0x97, 0x44, 0x17, 0xc4, 0xa7, 0x7e, 0x3d, 0x64, 0x5d, 0x19, 0x73, 0x60, 0x81, 0x4f, 0xdc, 0x22, 0x2a, 0x90, 0x88,
    0x46, 0xee, 0xb8, 0x14, 0xde, 0x5e, 0x0b, 0xdb, 0xe0, 0x32, 0x3a, 0x0a, 0x49, 0x06, 0x24, 0x5c, 0xc2, 0xd3, 0xac,
    0x62, 0x91, 0x95, 0xe4, 0x79, 0xe7, 0xc8, 0x37, 0x6d, 0x8d, 0xd5, 0x4e, 0xa9, 0x6c, 0x56, 0xf4, 0xea, 0x65, 0x7a,
    0xae, 0x08, 0xba, 0x78, 0x25, 0x2e, 0x1c, 0xa6, 0xb4, 0xc6, 0xe8, 0xdd, 0x74, 0x1f, 0x4b, 0xbd, 0x8b, 0x8a, 0x70,
    0x3e, 0xb5, 0x66, 0x48, 0x03, 0xf6, 0x0e, 0x61, 0x35, 0x57, 0xb9, 0x86, 0xc1, 0x1d, 0x9e, 0xe1, 0xf8, 0x98, 0x11,
    0x69, 0xd9, 0x8e, 0x94, 0x9b, 0x1e, 0x87, 0xe9, 0xce, 0x55, 0x28, 0xdf, 0x8c, 0xa1, 0x89, 0x0d, 0xbf, 0xe6, 0x42,
    0x68, 0x41, 0x99, 0x2d, 0x0f, 0xb0, 0x54, 0xbb, 0x16,
};

struct InverseSbox {
    uint8_t table[256];
    InverseSbox()
    {
        for (int i = 0; i < 256; ++i)
            table[kSbox[i]] = static_cast<uint8_t>(i);
    }
};

const uint8_t* inverseSbox()
{
    static const InverseSbox inverse;
    return inverse.table;
}

uint8_t xtime(uint8_t x) { return static_cast<uint8_t>((x << 1) ^ ((x & 0x80) != 0 ? 0x1b : 0)); }

uint8_t multiply(uint8_t x, uint8_t y)
{
    uint8_t product = 0;
    while (y != 0) {
        if ((y & 1) != 0)
            product ^= x;
        x = xtime(x);
        y >>= 1;
    }
    return product;
}

void addRoundKey(uint8_t* state, const uint8_t* key)
{
    for (int i = 0; i < 16; ++i)
        state[i] ^= key[i];
}

} // namespace

Aes::Aes(const uint8_t* key, size_t keyBytes)
{
    const int nk = keyBytes == 32 ? 8 : 4;
    m_rounds = nk + 6;
    const int words = 4 * (m_rounds + 1);
    std::memcpy(m_keys, key, static_cast<size_t>(4 * nk));
    uint8_t rcon = 1;
    for (int i = nk; i < words; ++i) {
        uint8_t t[4];
        std::memcpy(t, m_keys + 4 * (i - 1), 4);
        if (i % nk == 0) {
            const uint8_t first = t[0];
            t[0] = static_cast<uint8_t>(kSbox[t[1]] ^ rcon);
            t[1] = kSbox[t[2]];
            t[2] = kSbox[t[3]];
            t[3] = kSbox[first];
            rcon = xtime(rcon);
        } else if (nk > 6 && i % nk == 4) {
            for (uint8_t& b : t)
                b = kSbox[b];
        }
        for (int b = 0; b < 4; ++b)
            m_keys[4 * i + b] = static_cast<uint8_t>(m_keys[4 * (i - nk) + b] ^ t[b]);
    }
}

void Aes::encryptBlock(const uint8_t* in, uint8_t* out) const
{
    uint8_t s[16];
    std::memcpy(s, in, 16);
    addRoundKey(s, m_keys);
    for (int round = 1; round <= m_rounds; ++round) {
        for (uint8_t& b : s)
            b = kSbox[b];
        // Rows shifted left by their index (the state is column by column).
        uint8_t t[16];
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r)
                t[4 * c + r] = s[4 * ((c + r) % 4) + r];
        if (round != m_rounds) {
            for (int c = 0; c < 4; ++c) {
                uint8_t* col = t + 4 * c;
                const uint8_t a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
                col[0] = static_cast<uint8_t>(xtime(a0) ^ xtime(a1) ^ a1 ^ a2 ^ a3);
                col[1] = static_cast<uint8_t>(a0 ^ xtime(a1) ^ xtime(a2) ^ a2 ^ a3);
                col[2] = static_cast<uint8_t>(a0 ^ a1 ^ xtime(a2) ^ xtime(a3) ^ a3);
                col[3] = static_cast<uint8_t>(xtime(a0) ^ a0 ^ a1 ^ a2 ^ xtime(a3));
            }
        }
        std::memcpy(s, t, 16);
        addRoundKey(s, m_keys + 16 * round);
    }
    std::memcpy(out, s, 16);
}

void Aes::decryptBlock(const uint8_t* in, uint8_t* out) const
{
    const uint8_t* inverse = inverseSbox();
    uint8_t s[16];
    std::memcpy(s, in, 16);
    addRoundKey(s, m_keys + 16 * m_rounds);
    for (int round = m_rounds - 1; round >= 0; --round) {
        uint8_t t[16];
        for (int c = 0; c < 4; ++c)
            for (int r = 0; r < 4; ++r)
                t[4 * ((c + r) % 4) + r] = s[4 * c + r];
        for (int i = 0; i < 16; ++i)
            s[i] = inverse[t[i]];
        addRoundKey(s, m_keys + 16 * round);
        if (round != 0) {
            for (int c = 0; c < 4; ++c) {
                uint8_t* col = s + 4 * c;
                const uint8_t a0 = col[0], a1 = col[1], a2 = col[2], a3 = col[3];
                col[0] = static_cast<uint8_t>(multiply(a0, 14) ^ multiply(a1, 11) ^ multiply(a2, 13) ^ multiply(a3, 9));
                col[1] = static_cast<uint8_t>(multiply(a0, 9) ^ multiply(a1, 14) ^ multiply(a2, 11) ^ multiply(a3, 13));
                col[2] = static_cast<uint8_t>(multiply(a0, 13) ^ multiply(a1, 9) ^ multiply(a2, 14) ^ multiply(a3, 11));
                col[3] = static_cast<uint8_t>(multiply(a0, 11) ^ multiply(a1, 13) ^ multiply(a2, 9) ^ multiply(a3, 14));
            }
        }
    }
    std::memcpy(out, s, 16);
}

std::vector<uint8_t> Aes::encryptCbc(const uint8_t* iv, const uint8_t* bytes, size_t count, bool pad) const
{
    std::vector<uint8_t> plain(bytes, bytes + count);
    if (pad)
        plain.insert(plain.end(), kBlock - count % kBlock, static_cast<uint8_t>(kBlock - count % kBlock));
    std::vector<uint8_t> out(plain.size() - plain.size() % kBlock);
    uint8_t chain[kBlock];
    std::memcpy(chain, iv, kBlock);
    for (size_t at = 0; at < out.size(); at += kBlock) {
        for (size_t i = 0; i < kBlock; ++i)
            chain[i] ^= plain[at + i];
        encryptBlock(chain, chain);
        std::memcpy(out.data() + at, chain, kBlock);
    }
    return out;
}

std::vector<uint8_t> Aes::decryptCbc(const uint8_t* iv, const uint8_t* bytes, size_t count, bool unpad) const
{
    std::vector<uint8_t> out(count - count % kBlock);
    const uint8_t* previous = iv;
    for (size_t at = 0; at < out.size(); at += kBlock) {
        decryptBlock(bytes + at, out.data() + at);
        for (size_t i = 0; i < kBlock; ++i)
            out[at + i] ^= previous[i];
        previous = bytes + at;
    }
    if (unpad && !out.empty()) {
        const uint8_t n = out.back();
        if (n >= 1 && n <= kBlock) {
            bool valid = true;
            for (size_t i = out.size() - n; i < out.size(); ++i)
                valid = valid && out[i] == n;
            if (valid)
                out.resize(out.size() - n);
        }
    }
    return out;
}

} // namespace zpdf
