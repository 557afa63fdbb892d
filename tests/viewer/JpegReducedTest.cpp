// The reduced JPEG reader refuses what it cannot read, without reading past
// the data (the pictures it reads are checked under Wine against real pages).
#include "viewer/JpegReduced.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// SOI, a frame header of the given type, precision and components, and
// nothing after it.
std::vector<uint8_t> headerOnly(uint8_t frameType, uint8_t precision, uint8_t components)
{
    std::vector<uint8_t> bytes = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 'J', 'F'};
    const uint8_t length = static_cast<uint8_t>(8 + 3 * components);
    bytes.insert(bytes.end(), {0xFF, frameType, 0x00, length, precision, 0x01, 0x00, 0x02, 0x00, components});
    for (uint8_t c = 1; c <= components; ++c)
        bytes.insert(bytes.end(), {c, 0x11, 0x00});
    return bytes;
}

TEST(JpegReduced, RefusesWhatItCannotRead)
{
    int width = 0, height = 0;
    EXPECT_FALSE(jpegReducibleSize(nullptr, 0, width, height));
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    EXPECT_FALSE(jpegReducibleSize(png.data(), png.size(), width, height));
    // A baseline header without tables and scan, progressive, 12 bits, CMYK.
    for (const auto& bytes :
         {headerOnly(0xC0, 8, 3), headerOnly(0xC2, 8, 3), headerOnly(0xC0, 12, 1), headerOnly(0xC0, 8, 4)}) {
        EXPECT_FALSE(jpegReducibleSize(bytes.data(), bytes.size(), width, height));
        uint8_t pixels[3 * 2] = {};
        EXPECT_FALSE(decodeJpegReduced(bytes.data(), bytes.size(), 2, pixels, 3));
        // Every shorter piece too.
        for (size_t cut = 0; cut < bytes.size(); ++cut)
            EXPECT_FALSE(jpegReducibleSize(bytes.data(), cut, width, height)) << cut;
    }
    EXPECT_EQ(jpegReducedLength(2479, 4), 620);
    EXPECT_EQ(jpegReducedLength(3508, 8), 439);
}

} // namespace
