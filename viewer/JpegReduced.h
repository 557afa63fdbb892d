// A reduced picture of a baseline JPEG (the interpreter's page images), made
// at 1/2, 1/4 or 1/8 of the size straight from the low frequencies of each
// block: all of the file is read, but only a small part of a full decode's
// arithmetic is done. For the first look at a page, before its full decode.
// Portable: no system calls.
#pragma once

#include <cstddef>
#include <cstdint>

// The size of a JPEG that decodeJpegReduced reads: baseline or extended
// sequential with Huffman coding, 8 bits, gray or three colour components in
// one scan. False for anything else.
bool jpegReducibleSize(const uint8_t* data, size_t size, int& width, int& height);

// The picture's size at 1/scale: (size + scale - 1) / scale.
inline int jpegReducedLength(int length, int scale)
{
    return (length + scale - 1) / scale;
}

// Decodes at 1/scale (2, 4 or 8) into rows of 24-bit pixels (blue, green, red)
// of jpegReducedLength() of the width and height, stride bytes apart. False
// when the file cannot be read this way (the rows are then undefined).
bool decodeJpegReduced(const uint8_t* data, size_t size, int scale, uint8_t* pixels, ptrdiff_t stride);
