// Shrinking a picture by area averaging: every target pixel is the mean of
// the source pixels it covers, source pixels cut by its edges counted by the
// part they give. Thin lines thus stay as lighter lines instead of falling
// between the samples. Portable: no system calls.
#pragma once

#include <cstddef>
#include <cstdint>

// Rows of pixels of `channels` bytes each, `stride` bytes apart.
struct PixelRows {
    uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    ptrdiff_t stride = 0;
};

// Scales source into target (both of the same channel count, 1 to 4) by
// area averaging. Meant for shrinking; a target larger than the source along
// an axis repeats source pixels along it. Empty pictures leave target alone.
void shrinkByAreaAverage(const PixelRows& source, const PixelRows& target, int channels);
