// Page images as bitmaps: the interpreter's JPEG (or TIFF) decoded by the
// system's imaging component straight into a 24-bit GDI+ bitmap that owns its
// pixels, and a page rendered and decoded at the same time, so that the image
// is ready almost as soon as the interpreter ends. GDI+ must be started.
#pragma once

#include "base/ZString.h"

#include <memory>

struct IStream;
class AbortControl;
namespace Gdiplus {
class Bitmap;
}

// The first image of the stream, or none when it cannot be decoded.
std::unique_ptr<Gdiplus::Bitmap> decodePageImage(IStream* stream);
std::unique_ptr<Gdiplus::Bitmap> decodePageImageFile(const ZString& file);

struct RenderedPage {
    ZString file; // the new temporary image file; empty when the interpreter wrote none
    std::unique_ptr<Gdiplus::Bitmap> image;
};

// Renders one page to a new temporary image file (exportPageImage's work),
// decoding the file while the interpreter writes it. Under control (or none).
RenderedPage renderAndDecodePage(const ZString& pdf, int page, int resolution, bool tiff, AbortControl* control);
