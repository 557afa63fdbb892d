// Area-average shrinking keeps thin lines and the picture's mean, and stays
// inside the rows it is given.
#include "operations/AreaShrink.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct Picture {
    Picture(int w, int h, int channels, uint8_t fill, int padding = 0)
        : width(w), height(h), stride(static_cast<ptrdiff_t>(w * channels + padding)),
          bytes(static_cast<size_t>(stride * h), fill)
    {
    }
    PixelRows rows() { return {bytes.data(), width, height, stride}; }
    uint8_t& at(int x, int y, int channels, int c) { return bytes[static_cast<size_t>(y * stride + x * channels + c)]; }

    int width, height;
    ptrdiff_t stride;
    std::vector<uint8_t> bytes;
};

TEST(AreaShrink, WholeBlocksBecomeTheirMeanAndChannelsStayApart)
{
    Picture source(4, 2, 3, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) {
            source.at(x, y, 3, 0) = static_cast<uint8_t>(x < 2 ? 40 * (x + y) : 200); // blue
            source.at(x, y, 3, 1) = 10;
            source.at(x, y, 3, 2) = static_cast<uint8_t>(x % 2 ? 255 : 0);
        }
    Picture target(2, 1, 3, 7, 5); // padded rows: the padding stays untouched
    shrinkByAreaAverage(source.rows(), target.rows(), 3);
    EXPECT_EQ(target.at(0, 0, 3, 0), 40); // (0 + 40 + 40 + 80) / 4
    EXPECT_EQ(target.at(1, 0, 3, 0), 200);
    EXPECT_EQ(target.at(0, 0, 3, 1), 10);
    EXPECT_EQ(target.at(1, 0, 3, 2), 128); // 127.5 rounded
    for (size_t i = 6; i < target.bytes.size(); ++i)
        EXPECT_EQ(target.bytes[i], 7);
}

TEST(AreaShrink, AOnePixelLineAnywhereLeavesAVisibleTraceAndTheMeanIsKept)
{
    // 100 -> 17 is no whole factor: lines fall across target pixel edges.
    for (int line = 0; line < 100; ++line) {
        Picture source(100, 60, 1, 255);
        for (int y = 0; y < 60; ++y)
            source.at(line, y, 1, 0) = 0; // a vertical line
        for (int x = 0; x < 100; ++x)
            source.at(x, line % 60, 1, 0) = 0; // a horizontal one
        Picture target(17, 11, 1, 0);
        shrinkByAreaAverage(source.rows(), target.rows(), 1);

        double sourceDark = 0, targetDark = 0;
        for (uint8_t v : source.bytes)
            sourceDark += 255 - v;
        for (uint8_t v : target.bytes)
            targetDark += 255 - v;
        EXPECT_NEAR(targetDark * (100.0 * 60) / (17 * 11), sourceDark, sourceDark * 0.02) << line;

        // Where the two lines do not cross, the lines still show, at least
        // half as dark as one pixel's share of a target pixel.
        const int lineColumn = line * 17 / 100, lineRow = (line % 60) * 11 / 60;
        const int quietRow = (lineRow + 5) % 11, quietColumn = (lineColumn + 8) % 17;
        int darkestInRow = 255, darkestInColumn = 255;
        for (int x = 0; x < 17; ++x)
            darkestInRow = std::min<int>(darkestInRow, target.at(x, quietRow, 1, 0));
        for (int y = 0; y < 11; ++y)
            darkestInColumn = std::min<int>(darkestInColumn, target.at(quietColumn, y, 1, 0));
        EXPECT_LE(darkestInRow, 255 - 255 * 17 / 100 / 2) << line;
        EXPECT_LE(darkestInColumn, 255 - 255 * 11 / 60 / 2) << line;
    }
}

TEST(AreaShrink, EmptyPicturesChangeNothing)
{
    Picture source(10, 10, 3, 0);
    Picture target(3, 3, 3, 9);
    shrinkByAreaAverage(source.rows(), {target.bytes.data(), 0, 3, target.stride}, 3);
    shrinkByAreaAverage({source.bytes.data(), 10, 0, source.stride}, target.rows(), 3);
    EXPECT_TRUE(std::all_of(target.bytes.begin(), target.bytes.end(), [](uint8_t v) { return v == 9; }));
}

} // namespace
