// Page images as bitmaps: the interpreter's JPEG (or TIFF) decoded by the
// system's imaging component straight into a GDI+ bitmap that owns its pixels
// (24 bits; 32 for the black and white TIFF); a reduced first picture of a
// JPEG; and a page rendered and decoded at the same time, so that the image is
// ready almost as soon as the interpreter ends. GDI+ must be started.
#pragma once

#include "base/ZString.h"

#include <functional>
#include <memory>

struct IStream;
class AbortControl;
namespace Gdiplus {
class Bitmap;
}

// The first image of the stream, or none when it cannot be decoded.
std::unique_ptr<Gdiplus::Bitmap> decodePageImage(IStream* stream);
std::unique_ptr<Gdiplus::Bitmap> decodePageImageFile(const ZString& file);

// A first, reduced look at a JPEG page image (see viewer/JpegReduced.h):
// scaleFor gets the full width and height and answers the reduction to make
// (2, 4 or 8), or 1 when none is worth it. No image for other files.
struct ReducedPageImage {
    std::unique_ptr<Gdiplus::Bitmap> image;
    int fullWidth = 0;
    int fullHeight = 0;
};
ReducedPageImage decodeReducedPageImage(const ZString& file, const std::function<int(int, int)>& scaleFor);

struct RenderedPage {
    ZString file; // the new temporary image file; empty when the interpreter wrote none
    std::unique_ptr<Gdiplus::Bitmap> image;
    ReducedPageImage reduced;
};

// Renders one page to a new temporary image file (exportPageImage's work).
// With decode, the file is decoded while the interpreter writes it; with
// reducedScaleFor (see decodeReducedPageImage), a reduced first picture is
// made as soon as the file holds a whole JPEG, while the interpreter ends.
// Under control (or none).
RenderedPage renderPageImage(const ZString& pdf, int page, int resolution, bool tiff, bool decode,
                             AbortControl* control, const std::function<int(int, int)>& reducedScaleFor = {});
