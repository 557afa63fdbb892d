// What drawing a document needs and owns: GDI+ for its lifetime, the fonts
// it made and the images it loaded.
#pragma once

#include "base/ScreenResolution.h"

#include "base/ZString.h"

#include <windows.h>

#include <gdiplus.h>

#include <map>
#include <memory>
#include <tuple>

namespace xhtml {

// GDI+ started for as long as this lives (it counts its own starts).
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

private:
    ULONG_PTR m_token = 0;
};

struct FontKey {
    ZString family;
    int pixels = 13;
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool operator<(const FontKey& o) const
    {
        return std::tie(family, pixels, weight, italic, underline, strike) <
               std::tie(o.family, o.pixels, o.weight, o.italic, o.underline, o.strike);
    }
};

// Fonts made on first use, deleted with the cache.
class FontCache {
public:
    FontCache() = default;
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;
    HFONT font(const FontKey& key);

private:
    std::map<FontKey, HFONT> m_fonts;
};

// Images by address, decoded once; null when an address gives none.
class ImageCache {
public:
    explicit ImageCache(void* resourceLibrary) : m_resourceLibrary(resourceLibrary) {}
    ~ImageCache();
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;
    Gdiplus::Bitmap* image(const ZString& address);

private:
    void* m_resourceLibrary;
    std::map<ZString, std::unique_ptr<Gdiplus::Bitmap>> m_images;
};

inline int scaled(int pixels96, int dpi) { return MulDiv(pixels96, dpi, 96); }

} // namespace xhtml
