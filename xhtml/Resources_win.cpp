#include "xhtml/Resources_win.h"

#include "xhtml/Address.h"

#include <algorithm>
#include <gdiplus.h>
#include <objidl.h>
#include <shlwapi.h>

namespace xhtml {

GdiplusSession::GdiplusSession()
{
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok)
        m_token = 0;
}

GdiplusSession::~GdiplusSession()
{
    if (m_token != 0)
        Gdiplus::GdiplusShutdown(m_token);
}

FontCache::~FontCache()
{
    for (auto& [key, font] : m_fonts)
        DeleteObject(font);
}

HFONT FontCache::font(const FontKey& key)
{
    auto found = m_fonts.find(key);
    if (found != m_fonts.end())
        return found->second;
    LOGFONTW lf = {};
    lf.lfHeight = -std::max(1, key.pixels);
    lf.lfWeight = key.weight;
    lf.lfItalic = key.italic;
    lf.lfUnderline = key.underline;
    lf.lfStrikeOut = key.strike;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, key.family.c_str(), LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&lf);
    m_fonts.emplace(key, font);
    return font;
}

ImageCache::~ImageCache() = default;

Gdiplus::Bitmap* ImageCache::image(const ZString& address)
{
    auto found = m_images.find(address);
    if (found != m_images.end())
        return found->second.get();
    std::unique_ptr<Gdiplus::Bitmap> bitmap;
    std::string bytes;
    if (loadAddress(address, m_resourceLibrary, bytes) && !bytes.empty()) {
        IStream* stream = SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
        if (stream != nullptr) {
            bitmap.reset(Gdiplus::Bitmap::FromStream(stream));
            stream->Release();
            if (bitmap && bitmap->GetLastStatus() != Gdiplus::Ok)
                bitmap.reset();
        }
    }
    return m_images.emplace(address, std::move(bitmap)).first->second.get();
}


} // namespace xhtml
