// Pages that each show one image, filling the page: the page is as large as
// the image at its resolution (72 dpi when it names none).
#pragma once

#include "tools/vistel/JpegInfo.h"

#include <cstdint>
#include <string>

namespace zpdf {
class Document;
}

// Decoded pixels: 8-bit RGB rows without padding, and an 8-bit mask of the
// same size (empty when every pixel is opaque).
struct RasterImage {
    uint32_t width = 0;
    uint32_t height = 0;
    double dpiX = 0;
    double dpiY = 0;
    std::string rgb;
    std::string alpha;
};

// The JPEG data goes into the page unchanged (DCTDecode); the camera's
// orientation turns the page.
void addJpegPage(zpdf::Document& document, const std::string& jpeg, const JpegInfo& info);
// The pixels are compressed (Flate), the mask becomes the image's soft mask.
// The image's buffers are released on the way.
void addRasterPage(zpdf::Document& document, RasterImage& image);
