#include "tools/vistel/GdiplusFrames.h"

#include <windows.h>
#include <gdiplus.h>

#include <memory>
#include <vector>

namespace {

using namespace Gdiplus;

// Whether the frame may hold transparent pixels: an alpha channel, or a
// palette with a transparent colour (GIF).
bool mayBeTransparent(Bitmap& bitmap)
{
    const PixelFormat format = bitmap.GetPixelFormat();
    if (IsAlphaPixelFormat(format))
        return true;
    const INT size = IsIndexedPixelFormat(format) ? bitmap.GetPaletteSize() : 0;
    if (size <= 0)
        return false;
    std::vector<char> buffer(static_cast<size_t>(size));
    auto* palette = reinterpret_cast<ColorPalette*>(buffer.data());
    return bitmap.GetPalette(palette, size) == Ok && (palette->Flags & PaletteFlagsHasAlpha) != 0;
}

// The selected frame's pixels as RGB and, when any pixel is not opaque, a mask.
bool readFrame(Bitmap& bitmap, RasterImage& image)
{
    const UINT width = bitmap.GetWidth(), height = bitmap.GetHeight();
    const bool withAlpha = mayBeTransparent(bitmap);
    const PixelFormat format = withAlpha ? PixelFormat32bppARGB : PixelFormat24bppRGB;
    const int bytesPerPixel = withAlpha ? 4 : 3;
    Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    BitmapData data = {};
    if (bitmap.LockBits(&all, ImageLockModeRead, format, &data) != Ok)
        return false;
    image.width = width;
    image.height = height;
    image.rgb.resize(static_cast<size_t>(width) * height * 3);
    if (withAlpha)
        image.alpha.resize(static_cast<size_t>(width) * height);
    bool opaque = true;
    char* rgb = image.rgb.data();
    for (UINT y = 0; y < height; ++y) {
        const auto* row = static_cast<const unsigned char*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
        for (UINT x = 0; x < width; ++x, row += bytesPerPixel) {
            *rgb++ = static_cast<char>(row[2]); // GDI+ keeps blue first
            *rgb++ = static_cast<char>(row[1]);
            *rgb++ = static_cast<char>(row[0]);
            if (withAlpha) {
                image.alpha[static_cast<size_t>(y) * width + x] = static_cast<char>(row[3]);
                opaque = opaque && row[3] == 0xFF;
            }
        }
    }
    bitmap.UnlockBits(&data);
    if (opaque)
        std::string().swap(image.alpha);
    return true;
}

UINT pageCount(Bitmap& bitmap)
{
    const UINT dimensions = bitmap.GetFrameDimensionsCount();
    std::vector<GUID> list(dimensions);
    if (dimensions == 0 || bitmap.GetFrameDimensionsList(list.data(), dimensions) != Ok)
        return 1;
    for (const GUID& dimension : list)
        if (dimension == FrameDimensionPage)
            return bitmap.GetFrameCount(&FrameDimensionPage);
    return 1; // the frames of an animation are not pages
}

} // namespace

Failure decodeImageFrames(const ZString& path, ImageFormat format, const ImageHeader& header,
                          const std::function<void(RasterImage&)>& consumer)
{
    Bitmap bitmap(path.c_str());
    if (bitmap.GetLastStatus() == OutOfMemory)
        return Failure::TooLarge; // a picture whose header was not read here (TIFF)
    if (bitmap.GetLastStatus() != Ok)
        return Failure::Damaged;
    const UINT pages = pageCount(bitmap);
    for (UINT i = 0; i < pages; ++i) {
        if (pages > 1 && bitmap.SelectActiveFrame(&FrameDimensionPage, i) != Ok)
            return Failure::Damaged;
        if (static_cast<uint64_t>(bitmap.GetWidth()) * bitmap.GetHeight() > kMaxImagePixels)
            return Failure::TooLarge;
        RasterImage image;
        if (!readFrame(bitmap, image))
            return Failure::Damaged;
        image.dpiX = header.dpiX;
        image.dpiY = header.dpiY;
        if (format == ImageFormat::Tiff) {
            image.dpiX = bitmap.GetHorizontalResolution();
            image.dpiY = bitmap.GetVerticalResolution();
        }
        consumer(image);
    }
    return Failure::None;
}

GdiplusSession::GdiplusSession()
{
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (GdiplusStartup(&token, &input, nullptr) == Ok)
        m_token = token;
}

GdiplusSession::~GdiplusSession()
{
    if (m_token != 0)
        GdiplusShutdown(static_cast<ULONG_PTR>(m_token));
}
