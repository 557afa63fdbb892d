// What a page needs to know of a JPEG file that it embeds as it is: the size,
// the colour components, the resolution and the camera's orientation, read
// from the markers before the image data.
#pragma once

#include "tools/vistel/Failure.h"

#include <string>

struct JpegInfo {
    int width = 0;
    int height = 0;
    int components = 0; // 1 grey, 3 colour, 4 CMYK
    int bitsPerComponent = 8;
    double dpiX = 0; // 0 when the file names no resolution
    double dpiY = 0;
    bool adobe = false;  // an Adobe marker: CMYK data is stored inverted
    int orientation = 1; // the camera's orientation (1 upright, 3, 6, 8 turned)
};

// Reads the markers of a whole JPEG file. Truncated when it ends before the
// end-of-image marker that follows the image data, Damaged when its markers
// do not make sense.
Failure readJpegInfo(const std::string& bytes, JpegInfo& info);
