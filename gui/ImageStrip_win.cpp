#include "gui/ImageStrip.h"

#include "gui/GdiplusSession.h"

#include <shlwapi.h>

#include <algorithm>

std::unique_ptr<Gdiplus::Bitmap> loadImageResource(HINSTANCE module, const wchar_t* name)
{
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(23));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return nullptr;
    IStream* stream = SHCreateMemStream(static_cast<const BYTE*>(bytes), SizeofResource(module, found));
    if (stream == nullptr)
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromStream(stream));
    stream->Release(); // the bitmap holds its own reference while it lives
    if (image != nullptr && image->GetLastStatus() != Gdiplus::Ok)
        image.reset();
    return image;
}

HIMAGELIST makeStripImageList(HINSTANCE module, const wchar_t* name, int size, double opacity)
{
    GdiplusSession session;
    std::unique_ptr<Gdiplus::Bitmap> strip = loadImageResource(module, name);
    if (strip == nullptr || size <= 0)
        return nullptr;
    const int source = static_cast<int>(strip->GetHeight());
    const int count = source > 0 ? static_cast<int>(strip->GetWidth()) / source : 0;
    if (count <= 0)
        return nullptr;

    // The whole strip scaled at once into a 32-bit bitmap with alpha.
    const int width = size * count;
    Gdiplus::Bitmap scaled(width, size, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&scaled);
        g.Clear(Gdiplus::Color(0, 0, 0, 0));
        g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        for (int i = 0; i < count; ++i)
            g.DrawImage(strip.get(), Gdiplus::Rect(i * size, 0, size, size), i * source, 0, source, source,
                        Gdiplus::UnitPixel);
    }
    Gdiplus::BitmapData data = {};
    Gdiplus::Rect all(0, 0, width, size);
    if (scaled.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return nullptr;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib != nullptr) {
        // Premultiplied, as the image list draws with per-pixel alpha.
        for (int y = 0; y < size; ++y) {
            const auto* from = reinterpret_cast<const BYTE*>(data.Scan0) + static_cast<ptrdiff_t>(y) * data.Stride;
            auto* to = static_cast<BYTE*>(bits) + static_cast<ptrdiff_t>(y) * width * 4;
            for (int x = 0; x < width * 4; x += 4) {
                const int a = std::clamp(static_cast<int>(from[x + 3] * opacity + 0.5), 0, 255);
                to[x + 0] = static_cast<BYTE>(from[x + 0] * a / 255);
                to[x + 1] = static_cast<BYTE>(from[x + 1] * a / 255);
                to[x + 2] = static_cast<BYTE>(from[x + 2] * a / 255);
                to[x + 3] = static_cast<BYTE>(a);
            }
        }
    }
    scaled.UnlockBits(&data);
    if (dib == nullptr)
        return nullptr;
    HIMAGELIST list = ImageList_Create(size, size, ILC_COLOR32, count, 0);
    if (list != nullptr && ImageList_Add(list, dib, nullptr) < 0) {
        ImageList_Destroy(list);
        list = nullptr;
    }
    DeleteObject(dib);
    return list;
}
