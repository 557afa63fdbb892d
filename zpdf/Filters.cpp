#include "zpdf/Filters.h"

#include "zpdf/Exceptions.h"
#include "zpdf/HexDigits.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace zpdf {

namespace {

int clampParam(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

unsigned char paeth(int left, int above, int upperLeft)
{
    const int p = left + above - upperLeft;
    const int pa = std::abs(p - left);
    const int pb = std::abs(p - above);
    const int pc = std::abs(p - upperLeft);
    if (pa <= pb && pa <= pc)
        return static_cast<unsigned char>(left);
    if (pb <= pc)
        return static_cast<unsigned char>(above);
    return static_cast<unsigned char>(upperLeft);
}

bool isPdfWhitespace(unsigned char c) { return c == ' ' || c == '\r' || c == '\n' || c == '\t' || c == '\f' || c == 0; }

} // namespace

DataBuffer undoPngPredictor(const DataBuffer& data, const PredictorParams& params)
{
    // Out-of-range parameters are brought into the ranges PDF allows, so that
    // no product below can overflow.
    const int colors = clampParam(params.colors, 1, 32);
    const int bits = clampParam(params.bitsPerComponent, 1, 16);
    const int columns = clampParam(params.columns, 1, 1 << 24);
    const int64_t bitsPerPixel = static_cast<int64_t>(colors) * bits;
    const int bytesPerPixel = static_cast<int>((bitsPerPixel + 7) / 8);
    // Whole bytes per pixel, also below eight bits per pixel.
    const int64_t fullRow = static_cast<int64_t>(columns) * bytesPerPixel;
    // A row can never be longer than the data after its type byte.
    const int rowLength = static_cast<int>(std::min<int64_t>(fullRow, std::max(data.length() - 1, 0)));

    DataBuffer out;
    std::vector<unsigned char> above(static_cast<size_t>(rowLength), 0);
    std::vector<unsigned char> row(static_cast<size_t>(rowLength), 0);
    const unsigned char* in = data.data();
    int pos = 0;
    while (pos < data.length()) {
        const int type = in[pos++];
        const int n = std::min(rowLength, data.length() - pos);
        if (type > 4) {
            pos += n;
            continue;
        }
        for (int i = 0; i < n; ++i) {
            const int raw = in[pos + i];
            const int left = i >= bytesPerPixel ? row[static_cast<size_t>(i - bytesPerPixel)] : 0;
            const int up = above[static_cast<size_t>(i)];
            const int upperLeft = i >= bytesPerPixel ? above[static_cast<size_t>(i - bytesPerPixel)] : 0;
            int predicted = 0;
            switch (type) {
            case 1: predicted = left; break;
            case 2: predicted = up; break;
            case 3: predicted = (left + up) / 2; break;
            case 4: predicted = paeth(left, up, upperLeft); break;
            default: break;
            }
            row[static_cast<size_t>(i)] = static_cast<unsigned char>(raw + predicted);
        }
        out.append(row.data(), n);
        std::copy(row.begin(), row.begin() + n, above.begin());
        pos += n;
    }
    return out;
}

DataBuffer asciiHexDecode(const DataBuffer& data)
{
    DataBuffer out;
    const unsigned char* in = data.data();
    const int length = data.length();
    for (int i = 0; i + 1 < length; i += 2)
        out.append(static_cast<unsigned char>(leadingHexValue(in + i, 2)));
    if (length % 2 != 0) // a lone last digit is the high one
        out.append(static_cast<unsigned char>(leadingHexValue(in + length - 1, 1) << 4));
    return out;
}

DataBuffer ascii85Decode(const DataBuffer& data)
{
    DataBuffer out;
    const unsigned char* in = data.data();
    const int length = data.length();
    int i = 0;
    if (length >= 2 && in[0] == '<' && in[1] == '~')
        i = 2;
    uint64_t group = 0;
    int count = 0;
    for (; i < length; ++i) {
        const unsigned char c = in[i];
        if (isPdfWhitespace(c))
            continue;
        if (c == '~')
            break;
        if (c == 'z' && count == 0) {
            const unsigned char zeros[4] = {0, 0, 0, 0};
            out.append(zeros, 4);
            continue;
        }
        if (c < '!' || c > 'u')
            throw PdfException("ASCII85Decode: invalid character");
        group = group * 85 + static_cast<uint64_t>(c - '!');
        if (++count == 5) {
            if (group > 0xFFFFFFFFu)
                throw PdfException("ASCII85Decode: invalid group");
            const unsigned char bytes[4] = {static_cast<unsigned char>(group >> 24), static_cast<unsigned char>(group >> 16),
                                            static_cast<unsigned char>(group >> 8), static_cast<unsigned char>(group)};
            out.append(bytes, 4);
            group = 0;
            count = 0;
        }
    }
    if (count == 1)
        throw PdfException("ASCII85Decode: invalid group");
    if (count > 1) {
        // A final group of n characters stands for n - 1 bytes: pad it with
        // the highest digit and keep the leading bytes.
        for (int k = count; k < 5; ++k)
            group = group * 85 + 84;
        if (group > 0xFFFFFFFFu)
            throw PdfException("ASCII85Decode: invalid group");
        for (int k = 0; k < count - 1; ++k)
            out.append(static_cast<unsigned char>(group >> (24 - 8 * k)));
    }
    return out;
}

DataBuffer runLengthDecode(const DataBuffer& data)
{
    DataBuffer out;
    const unsigned char* in = data.data();
    const int length = data.length();
    int i = 0;
    while (i < length) {
        const int l = in[i++];
        if (l == 128)
            break;
        if (l < 128) {
            const int n = std::min(l + 1, length - i);
            out.append(in + i, n);
            i += n;
        } else {
            if (i >= length)
                break;
            const unsigned char byte = in[i++];
            for (int k = 0; k < 257 - l; ++k)
                out.append(byte);
        }
    }
    return out;
}

} // namespace zpdf
