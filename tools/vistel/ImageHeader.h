// Reads the size and resolution of PNG, BMP and GIF files from their headers,
// before anything is decoded, so that an image too large for this process is
// refused instead of failing half-way. A PNG file is checked whole: every
// chunk's check sum, and that the file reaches its end chunk.
#pragma once

#include "tools/vistel/Failure.h"

#include <cstdint>
#include <string>

struct ImageHeader {
    uint32_t width = 0;
    uint32_t height = 0;
    double dpiX = 0; // 0 when the file names no resolution
    double dpiY = 0;
};

enum class ImageFormat { Png, Bmp, Gif, Tiff };

// The header of a file of that format (TIFF: not read here; always None).
Failure readImageHeader(ImageFormat format, const std::string& bytes, ImageHeader& header);

// The most pixels a page is made from: the decoded image, its colours and its
// mask must fit the address space of a 32-bit process many times over.
inline constexpr uint64_t kMaxImagePixels = 40'000'000;
