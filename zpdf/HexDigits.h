// Hexadecimal digits, as hexadecimal strings and the ASCIIHexDecode filter
// read them.
#pragma once

namespace zpdf {

// The value of a hexadecimal digit of either case, or -1.
inline int hexDigitValue(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The value of the leading hexadecimal digits of bytes[0..count): reading
// stops at the first byte that is none (0 when the first one is none).
inline unsigned leadingHexValue(const unsigned char* bytes, int count)
{
    unsigned value = 0;
    for (int k = 0; k < count; ++k) {
        const int d = hexDigitValue(bytes[k]);
        if (d < 0)
            break;
        value = value * 16 + static_cast<unsigned>(d);
    }
    return value;
}

} // namespace zpdf
