#include "viewer/JpegReduced.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int kZigzag[64] = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
                             41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
                             30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
constexpr int kFastBits = 9;
// Larger pictures are left to the full decoder (an A0 page at 300 dpi has 140 million pixels).
constexpr long long kMaximumPixels = 1LL << 28;

struct HuffmanTable {
    bool defined = false;
    // Codes of up to kFastBits bits: (length << 8) | symbol, 0 when longer.
    std::array<uint16_t, 1 << kFastBits> fast = {};
    std::array<int32_t, 18> maxCode = {};
    std::array<int32_t, 17> valueOffset = {};
    std::array<uint8_t, 256> values = {};

    bool build(const uint8_t* counts, const uint8_t* symbols, int total)
    {
        fast.fill(0);
        int code = 0, k = 0;
        for (int length = 1; length <= 16; ++length) {
            valueOffset[length] = k - code;
            for (int i = 0; i < counts[length - 1]; ++i, ++k, ++code) {
                if (k >= total)
                    return false;
                values[k] = symbols[k];
                if (length <= kFastBits) {
                    const int shift = kFastBits - length;
                    for (int fill = 0; fill < (1 << shift); ++fill)
                        fast[(code << shift) | fill] = static_cast<uint16_t>((length << 8) | symbols[k]);
                }
            }
            maxCode[length] = counts[length - 1] > 0 ? code - 1 : -1;
            if (code > (1 << length))
                return false;
            code <<= 1;
        }
        maxCode[17] = 0x7FFFFFFF;
        defined = true;
        return true;
    }
};

struct Component {
    int id = 0;
    int h = 1, v = 1;
    int quant = 0;
    int dcTable = 0, acTable = 0;
    int prediction = 0;
    // The reduced plane: blocks of n x n samples.
    int planeWidth = 0, planeHeight = 0;
    std::vector<uint8_t> plane;
};

class Decoder {
public:
    Decoder(const uint8_t* data, size_t size) : m_data(data), m_end(data + size) {}

    bool readHeaders();
    bool decode(int scale, uint8_t* pixels, ptrdiff_t stride);
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    bool readSegmentLength(const uint8_t*& body, size_t& length);
    void fill();
    int decodeSymbol(const HuffmanTable& table);
    int receive(int bits);
    bool restart();
    bool decodeBlock(Component& c, int blockX, int blockY);
    void output(uint8_t* pixels, ptrdiff_t stride) const;

    const uint8_t* m_data;
    const uint8_t* m_end;
    const uint8_t* m_p = nullptr;
    int m_width = 0, m_height = 0;
    int m_hMax = 1, m_vMax = 1;
    int m_restartInterval = 0;
    bool m_adobeRgb = false;
    std::array<std::array<uint16_t, 64>, 4> m_quant = {};
    std::array<HuffmanTable, 4> m_dc, m_ac;
    std::vector<Component> m_components;
    const uint8_t* m_scan = nullptr; // the entropy-coded data of the one scan

    int m_n = 1;                     // samples per block side at the reduced scale
    std::array<int, 64> m_slot = {}; // zigzag position -> coefficient kept (row * n + column), or -1
    std::array<std::array<float, 4>, 4> m_cosine = {};

    uint32_t m_bits = 0;
    int m_count = 0;
    bool m_broken = false;
};

bool Decoder::readSegmentLength(const uint8_t*& body, size_t& length)
{
    if (m_end - m_p < 2)
        return false;
    const size_t total = static_cast<size_t>(m_p[0] << 8 | m_p[1]);
    if (total < 2 || static_cast<size_t>(m_end - m_p) < total)
        return false;
    body = m_p + 2;
    length = total - 2;
    m_p += total;
    return true;
}

bool Decoder::readHeaders()
{
    m_p = m_data;
    if (m_end - m_p < 2 || m_p[0] != 0xFF || m_p[1] != 0xD8)
        return false;
    m_p += 2;
    bool frame = false;
    for (;;) {
        while (m_p < m_end && *m_p != 0xFF)
            ++m_p; // tolerate junk between segments
        while (m_p < m_end && *m_p == 0xFF)
            ++m_p;
        if (m_p >= m_end)
            return false;
        const uint8_t marker = *m_p++;
        const uint8_t* body;
        size_t length;
        if (marker == 0xD9 || (marker >= 0xD0 && marker <= 0xD7))
            return false; // no image before the end
        if (!readSegmentLength(body, length))
            return false;
        switch (marker) {
        case 0xDB: // quantisation tables
            for (size_t i = 0; i < length;) {
                const int precision = body[i] >> 4, id = body[i] & 3;
                ++i;
                const size_t need = precision ? 128 : 64;
                if (precision > 1 || length - i < need)
                    return false;
                for (int k = 0; k < 64; ++k)
                    m_quant[id][k] =
                        static_cast<uint16_t>(precision ? body[i + 2 * k] << 8 | body[i + 2 * k + 1] : body[i + k]);
                i += need;
            }
            break;
        case 0xC4: // Huffman tables
            for (size_t i = 0; i < length;) {
                if (length - i < 17)
                    return false;
                const int kind = body[i] >> 4, id = body[i] & 3;
                const uint8_t* counts = body + i + 1;
                int total = 0;
                for (int k = 0; k < 16; ++k)
                    total += counts[k];
                if (kind > 1 || total > 256 || length - i - 17 < static_cast<size_t>(total))
                    return false;
                HuffmanTable& table = kind == 0 ? m_dc[id] : m_ac[id];
                if (!table.build(counts, body + i + 17, total))
                    return false;
                i += 17 + static_cast<size_t>(total);
            }
            break;
        case 0xC0:
        case 0xC1: { // baseline, extended sequential
            if (length < 6 || body[0] != 8)
                return false;
            m_height = body[1] << 8 | body[2];
            m_width = body[3] << 8 | body[4];
            const int count = body[5];
            if (m_width == 0 || m_height == 0 || (count != 1 && count != 3) ||
                length < 6 + 3 * static_cast<size_t>(count))
                return false;
            m_components.resize(static_cast<size_t>(count));
            for (int c = 0; c < count; ++c) {
                Component& component = m_components[static_cast<size_t>(c)];
                component.id = body[6 + 3 * c];
                component.h = body[7 + 3 * c] >> 4;
                component.v = body[7 + 3 * c] & 15;
                component.quant = body[8 + 3 * c] & 3;
                if (component.h < 1 || component.h > 4 || component.v < 1 || component.v > 4)
                    return false;
                m_hMax = std::max(m_hMax, component.h);
                m_vMax = std::max(m_vMax, component.v);
            }
            frame = true;
            break;
        }
        case 0xDD: // restart interval
            if (length < 2)
                return false;
            m_restartInterval = body[0] << 8 | body[1];
            break;
        case 0xEE: // Adobe: transform 0 means the three components are RGB
            if (length >= 12 && std::equal(body, body + 5, "Adobe"))
                m_adobeRgb = body[11] == 0;
            break;
        case 0xDA: { // the scan
            if (!frame || length < 1 || body[0] != m_components.size() || length < 4 + 2 * static_cast<size_t>(body[0]))
                return false;
            for (size_t s = 0; s < m_components.size(); ++s) {
                Component& component = m_components[s];
                if (body[1 + 2 * s] != component.id)
                    return false;
                component.dcTable = body[2 + 2 * s] >> 4 & 3;
                component.acTable = body[2 + 2 * s] & 3;
                if (!m_dc[static_cast<size_t>(component.dcTable)].defined ||
                    !m_ac[static_cast<size_t>(component.acTable)].defined)
                    return false;
            }
            m_scan = m_p;
            return true;
        }
        default:
            if (marker >= 0xC2 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
                return false; // progressive, lossless, arithmetic coding
            break;            // application data, comments
        }
    }
}

void Decoder::fill()
{
    while (m_count <= 24) {
        uint32_t byte = 0;
        if (m_p < m_end && *m_p != 0xFF) {
            byte = *m_p++;
        } else if (m_end - m_p >= 2 && m_p[1] == 0x00) {
            byte = 0xFF;
            m_p += 2;
        } else if (m_p >= m_end) {
            m_broken = true; // the data ends early: zeros from here
        }
        // At a marker: zeros, without passing it.
        m_bits |= byte << (24 - m_count);
        m_count += 8;
    }
}

int Decoder::decodeSymbol(const HuffmanTable& table)
{
    if (m_count < 16)
        fill();
    const uint16_t entry = table.fast[m_bits >> (32 - kFastBits)];
    if (entry != 0) {
        const int length = entry >> 8;
        m_bits <<= length;
        m_count -= length;
        return entry & 0xFF;
    }
    for (int length = kFastBits + 1; length <= 16; ++length) {
        const int32_t code = static_cast<int32_t>(m_bits >> (32 - length));
        if (code <= table.maxCode[static_cast<size_t>(length)]) {
            m_bits <<= length;
            m_count -= length;
            return table.values[static_cast<size_t>(code + table.valueOffset[static_cast<size_t>(length)]) & 0xFF];
        }
    }
    m_broken = true;
    return 0;
}

int Decoder::receive(int bits)
{
    if (bits == 0)
        return 0;
    if (m_count < bits)
        fill();
    int value = static_cast<int>(m_bits >> (32 - bits));
    m_bits <<= bits;
    m_count -= bits;
    if (value < (1 << (bits - 1)))
        value -= (1 << bits) - 1;
    return value;
}

bool Decoder::restart()
{
    m_bits = 0;
    m_count = 0;
    while (m_end - m_p >= 2 && !(m_p[0] == 0xFF && m_p[1] >= 0xD0 && m_p[1] <= 0xD7))
        ++m_p;
    if (m_end - m_p < 2)
        return false;
    m_p += 2;
    for (Component& c : m_components)
        c.prediction = 0;
    return true;
}

bool Decoder::decodeBlock(Component& c, int blockX, int blockY)
{
    const auto& quant = m_quant[static_cast<size_t>(c.quant)];
    float coefficient[16] = {};
    bool flat = true; // no kept frequency but the lowest
    const int dcBits = decodeSymbol(m_dc[static_cast<size_t>(c.dcTable)]);
    if (dcBits > 11)
        return false;
    c.prediction += receive(dcBits);
    coefficient[0] = static_cast<float>(c.prediction * quant[0]);
    const HuffmanTable& ac = m_ac[static_cast<size_t>(c.acTable)];
    for (int k = 1; k < 64;) {
        const int rs = decodeSymbol(ac);
        const int run = rs >> 4, bits = rs & 15;
        if (bits == 0) {
            if (run != 15)
                break; // end of block
            k += 16;
            continue;
        }
        k += run;
        if (k > 63 || bits > 10)
            return false;
        const int value = receive(bits);
        const int slot = m_slot[static_cast<size_t>(k)];
        if (slot >= 0) {
            coefficient[slot] = static_cast<float>(value * quant[static_cast<size_t>(k)]);
            flat = false;
        }
        ++k;
    }
    // The n-point inverse transform of the n x n lowest frequencies: the
    // block's samples at the centres of its n x n parts.
    const int n = m_n;
    uint8_t* to = c.plane.data() + static_cast<size_t>(blockY * n) * static_cast<size_t>(c.planeWidth) +
                  static_cast<size_t>(blockX * n);
    if (flat) {
        const int value = std::clamp(static_cast<int>(std::lround(coefficient[0] / 8 + 128)), 0, 255);
        for (int y = 0; y < n; ++y)
            std::fill_n(to + static_cast<size_t>(y) * static_cast<size_t>(c.planeWidth), n,
                        static_cast<uint8_t>(value));
        return true;
    }
    float rows[16];
    for (int v = 0; v < n; ++v)
        for (int x = 0; x < n; ++x) {
            float sum = 0;
            for (int u = 0; u < n; ++u)
                sum += m_cosine[static_cast<size_t>(x)][static_cast<size_t>(u)] * coefficient[v * n + u];
            rows[v * n + x] = sum;
        }
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            float sum = 0;
            for (int v = 0; v < n; ++v)
                sum += m_cosine[static_cast<size_t>(y)][static_cast<size_t>(v)] * rows[v * n + x];
            const int value = static_cast<int>(std::lround(sum + 128));
            to[static_cast<size_t>(y) * static_cast<size_t>(c.planeWidth) + static_cast<size_t>(x)] =
                static_cast<uint8_t>(std::clamp(value, 0, 255));
        }
    return true;
}

bool Decoder::decode(int scale, uint8_t* pixels, ptrdiff_t stride)
{
    if (scale != 2 && scale != 4 && scale != 8)
        return false;
    m_n = 8 / scale;
    const int n = m_n;
    for (int k = 0; k < 64; ++k) {
        const int row = kZigzag[k] / 8, column = kZigzag[k] % 8;
        m_slot[static_cast<size_t>(k)] = row < n && column < n ? row * n + column : -1;
    }
    const double pi = std::acos(-1.0);
    for (int x = 0; x < n; ++x)
        for (int u = 0; u < n; ++u)
            m_cosine[static_cast<size_t>(x)][static_cast<size_t>(u)] =
                static_cast<float>((u == 0 ? std::sqrt(0.5) : 1.0) * std::cos((2 * x + 1) * u * pi / (2 * n)) / 2);

    const bool single = m_components.size() == 1;
    // One component alone is coded block by block; several in units of hMax x vMax blocks.
    const int unitsX = single ? (m_width + 7) / 8 : (m_width + 8 * m_hMax - 1) / (8 * m_hMax);
    const int unitsY = single ? (m_height + 7) / 8 : (m_height + 8 * m_vMax - 1) / (8 * m_vMax);
    for (Component& c : m_components) {
        const int h = single ? 1 : c.h, v = single ? 1 : c.v;
        c.planeWidth = unitsX * h * n;
        c.planeHeight = unitsY * v * n;
        c.plane.assign(static_cast<size_t>(c.planeWidth) * static_cast<size_t>(c.planeHeight), 0);
    }
    m_p = m_scan;
    m_bits = 0;
    m_count = 0;
    int untilRestart = m_restartInterval;
    for (int uy = 0; uy < unitsY; ++uy)
        for (int ux = 0; ux < unitsX; ++ux) {
            if (m_restartInterval > 0) {
                if (untilRestart == 0) {
                    if (!restart())
                        return false;
                    untilRestart = m_restartInterval;
                }
                --untilRestart;
            }
            for (Component& c : m_components) {
                const int h = single ? 1 : c.h, v = single ? 1 : c.v;
                for (int by = 0; by < v; ++by)
                    for (int bx = 0; bx < h; ++bx)
                        if (!decodeBlock(c, ux * h + bx, uy * v + by))
                            return false;
            }
            if (m_broken)
                return false;
        }
    output(pixels, stride);
    return true;
}

void Decoder::output(uint8_t* pixels, ptrdiff_t stride) const
{
    const int scale = 8 / m_n;
    const int width = jpegReducedLength(m_width, scale), height = jpegReducedLength(m_height, scale);
    const bool single = m_components.size() == 1;
    // Where each output column and row finds its sample in each component's
    // plane: scaled by the component's share of the largest sampling.
    std::vector<std::vector<int>> columns(m_components.size());
    for (size_t i = 0; i < m_components.size(); ++i) {
        const Component& c = m_components[i];
        columns[i].resize(static_cast<size_t>(width));
        for (int x = 0; x < width; ++x)
            columns[i][static_cast<size_t>(x)] = std::min(single ? x : x * c.h / m_hMax, c.planeWidth - 1);
    }
    const auto row = [&](size_t i, int y) {
        const Component& c = m_components[i];
        const int py = std::min(single ? y : y * c.v / m_vMax, c.planeHeight - 1);
        return c.plane.data() + static_cast<size_t>(py) * static_cast<size_t>(c.planeWidth);
    };
    std::array<uint8_t, 1024> clampTable; // value + 384 -> 0..255
    for (int i = 0; i < 1024; ++i)
        clampTable[static_cast<size_t>(i)] = static_cast<uint8_t>(std::clamp(i - 384, 0, 255));
    const uint8_t* clamp = clampTable.data() + 384;
    // YCbCr to RGB: each chroma value's share of red, green and blue (JFIF).
    std::array<int, 256> redOfCr, blueOfCb, greenOfCbCr[2];
    for (int i = 0; i < 256; ++i) {
        redOfCr[static_cast<size_t>(i)] = (91881 * (i - 128) + 32768) >> 16;
        blueOfCb[static_cast<size_t>(i)] = (116130 * (i - 128) + 32768) >> 16;
        greenOfCbCr[0][static_cast<size_t>(i)] = -22554 * (i - 128);
        greenOfCbCr[1][static_cast<size_t>(i)] = -46802 * (i - 128) + 32768;
    }
    for (int y = 0; y < height; ++y) {
        uint8_t* to = pixels + y * stride;
        if (single) {
            const uint8_t* gray = row(0, y);
            for (int x = 0; x < width; ++x, to += 3)
                to[0] = to[1] = to[2] = gray[columns[0][static_cast<size_t>(x)]];
            continue;
        }
        const uint8_t* first = row(0, y);
        const uint8_t* second = row(1, y);
        const uint8_t* third = row(2, y);
        const int* x0 = columns[0].data();
        const int* x1 = columns[1].data();
        const int* x2 = columns[2].data();
        for (int x = 0; x < width; ++x, to += 3) {
            const int a = first[x0[x]], b = second[x1[x]], c = third[x2[x]];
            if (m_adobeRgb) {
                to[0] = static_cast<uint8_t>(c);
                to[1] = static_cast<uint8_t>(b);
                to[2] = static_cast<uint8_t>(a);
                continue;
            }
            to[0] = clamp[a + blueOfCb[static_cast<size_t>(b)]];
            to[1] =
                clamp[a + ((greenOfCbCr[0][static_cast<size_t>(b)] + greenOfCbCr[1][static_cast<size_t>(c)]) >> 16)];
            to[2] = clamp[a + redOfCr[static_cast<size_t>(c)]];
        }
    }
}

} // namespace

bool jpegReducibleSize(const uint8_t* data, size_t size, int& width, int& height)
{
    Decoder decoder(data, size);
    if (data == nullptr || !decoder.readHeaders())
        return false;
    width = decoder.width();
    height = decoder.height();
    return true;
}

bool decodeJpegReduced(const uint8_t* data, size_t size, int scale, uint8_t* pixels, ptrdiff_t stride)
{
    Decoder decoder(data, size);
    return data != nullptr && pixels != nullptr && decoder.readHeaders() && decoder.decode(scale, pixels, stride);
}
