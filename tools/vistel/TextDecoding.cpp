#include "tools/vistel/TextDecoding.h"

#include <cstdint>

namespace {

// Windows-1252 0x80..0x9F; the other bytes are their Latin-1 characters.
const char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Appends the UTF-8 text as UTF-16; false at the first malformed sequence.
bool decodeUtf8(const std::string& bytes, size_t start, std::u16string& out)
{
    const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    for (size_t i = start; i < bytes.size();) {
        const unsigned lead = at(i);
        int more = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
        if (more < 0 || i + static_cast<size_t>(more) >= bytes.size())
            return false;
        uint32_t c = more == 0 ? lead : lead & (0x3Fu >> more);
        for (int k = 1; k <= more; ++k) {
            const unsigned next = at(i + static_cast<size_t>(k));
            if ((next & 0xC0) != 0x80)
                return false;
            c = c << 6 | (next & 0x3F);
        }
        static const uint32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (c < smallest[more] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += static_cast<size_t>(more) + 1;
    }
    return true;
}

std::u16string decodeUtf16(const std::string& bytes, bool bigEndian)
{
    std::u16string out;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const unsigned a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        out.push_back(static_cast<char16_t>(bigEndian ? a << 8 | b : b << 8 | a));
    }
    return out;
}

} // namespace

std::u16string decodeText(const std::string& bytes)
{
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return decodeUtf16(bytes, false);
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return decodeUtf16(bytes, true);
    const size_t start = bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    std::u16string text;
    if (decodeUtf8(bytes, start, text))
        return text;
    text.clear();
    for (char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text.push_back(b >= 0x80 && b < 0xA0 && kHighControls[b - 0x80] != 0 ? kHighControls[b - 0x80] : b);
    }
    return text;
}

unsigned char windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    return 0;
}
