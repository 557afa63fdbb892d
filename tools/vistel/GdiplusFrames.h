// Decodes PNG, BMP, GIF and TIFF files through GDI+: every page of a TIFF
// file, the first picture of any other. GDI+ must be running.
#pragma once

#include "base/ZString.h"
#include "tools/vistel/Failure.h"
#include "tools/vistel/ImageHeader.h"
#include "tools/vistel/ImagePages.h"

#include <functional>

// Hands each decoded page to the consumer, in order. The header's resolution
// counts where the file names one; else GDI+'s for TIFF, and 72 dpi.
Failure decodeImageFrames(const ZString& path, ImageFormat format, const ImageHeader& header,
                          const std::function<void(RasterImage&)>& consumer);

// GDI+ for the life of the object.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    unsigned long long m_token = 0;
};
