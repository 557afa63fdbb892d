#include "viewer/ScaledPage.h"

#include "gui/GdiplusSession.h"
#include "gui/PaintBuffer.h"

#include <algorithm>
#include <cmath>

namespace {

bool contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

void fill(HDC dc, const RECT& area, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

} // namespace

ScaledPage::ScaledPage() = default;
ScaledPage::~ScaledPage() = default;

void ScaledPage::clear()
{
    m_buffer.reset();
    m_source = {};
    m_kept = {};
    m_quick = false;
}

void ScaledPage::paint(HDC dc, const Source& source, int left, int top, int width, int height, COLORREF background,
                       bool quick)
{
    const RECT client = {0, 0, width, height};
    fill(dc, client, background);
    if (source.image == nullptr || source.zoom <= 0 || source.width <= 0 || source.height <= 0) {
        clear();
        return;
    }
    // The pixels the scaled page can touch: a pixel more on each side for
    // the edges the interpolation blends with the background.
    const double scaledWidth = source.width * source.zoom, scaledHeight = source.height * source.zoom;
    const RECT page = {-1, -1, static_cast<LONG>(std::ceil(scaledWidth)) + 1,
                       static_cast<LONG>(std::ceil(scaledHeight)) + 1};
    const RECT view = {left, top, left + width, top + height};
    RECT visible;
    if (!IntersectRect(&visible, &page, &view))
        return;
    if (!m_buffer || !(source == m_source) || (m_quick && !quick)) {
        // A new picture or zoom: only what is seen, as fast as drawing it directly.
        make(dc, source, visible, background, quick);
    } else if (!contains(m_kept, visible)) {
        RECT part = page;
        const long long pagePixels = static_cast<long long>(page.right - page.left) * (page.bottom - page.top);
        if (pagePixels > 4LL * width * height) {
            const RECT around = {visible.left - width / 2, visible.top - height / 2, visible.right + width / 2,
                                 visible.bottom + height / 2};
            IntersectRect(&part, &page, &around);
        }
        make(dc, source, part, background, m_quick);
    }
    BitBlt(dc, visible.left - left, visible.top - top, visible.right - visible.left, visible.bottom - visible.top,
           m_buffer->dc(), visible.left - m_kept.left, visible.top - m_kept.top, SRCCOPY);
}

// A band of the page image at the zoom, drawn on the background as the
// window once drew it directly: interpolated, the pixel centres offset by
// half. Drawn into a bitmap of its own size from the source pixels under it:
// GDI+ under Wine converts every source pixel it is given and resamples the
// whole bitmap drawn into, whatever the clip, which is most of the cost.
void ScaledPage::scale(HDC dc, const Source& source, const RECT& part, const RECT& band, COLORREF background,
                       bool quick)
{
    const int width = band.right - band.left, height = band.bottom - band.top;
    // The whole part is drawn in place, a band through a bitmap of its size.
    const bool whole = EqualRect(&band, &part) != FALSE;
    std::unique_ptr<PaintBuffer> piece = whole ? nullptr : std::make_unique<PaintBuffer>(dc, width, height);
    HDC target = whole ? dc : piece->dc();
    fill(target, RECT{0, 0, width, height}, background);
    {
        Gdiplus::Graphics g(target);
        g.SetInterpolationMode(quick ? Gdiplus::InterpolationModeNearestNeighbor
                                     : Gdiplus::InterpolationModeHighQualityBilinear);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        // Only the source pixels under the band (and two around them, for
        // the interpolation): GDI+ reads all pixels of the source rectangle.
        Gdiplus::Bitmap* image = const_cast<Gdiplus::Bitmap*>(source.image);
        const double imageWidth = image->GetWidth(), imageHeight = image->GetHeight();
        const double perX = imageWidth / (source.width * source.zoom);
        const double perY = imageHeight / (source.height * source.zoom);
        const double x0 = std::max(0.0, std::floor(band.left * perX) - 2);
        const double y0 = std::max(0.0, std::floor(band.top * perY) - 2);
        const double x1 = std::min(imageWidth, std::ceil(band.right * perX) + 2);
        const double y1 = std::min(imageHeight, std::ceil(band.bottom * perY) + 2);
        if (x1 > x0 && y1 > y0)
            g.DrawImage(image,
                        Gdiplus::RectF(static_cast<Gdiplus::REAL>(x0 / perX - band.left),
                                       static_cast<Gdiplus::REAL>(y0 / perY - band.top),
                                       static_cast<Gdiplus::REAL>((x1 - x0) / perX),
                                       static_cast<Gdiplus::REAL>((y1 - y0) / perY)),
                        static_cast<Gdiplus::REAL>(x0), static_cast<Gdiplus::REAL>(y0),
                        static_cast<Gdiplus::REAL>(x1 - x0), static_cast<Gdiplus::REAL>(y1 - y0), Gdiplus::UnitPixel);
    }
    if (piece)
        BitBlt(dc, band.left - part.left, band.top - part.top, width, height, piece->dc(), 0, 0, SRCCOPY);
}

// What the part kept so far holds of the new part is copied, only the bands
// around it are scaled.
void ScaledPage::make(HDC reference, const Source& source, const RECT& part, COLORREF background, bool quick)
{
    const int width = part.right - part.left, height = part.bottom - part.top;
    auto buffer = std::make_unique<PaintBuffer>(reference, width, height);
    HDC dc = buffer->dc();
    RECT reused = {};
    if (m_buffer && source == m_source && quick == m_quick && IntersectRect(&reused, &m_kept, &part))
        BitBlt(dc, reused.left - part.left, reused.top - part.top, reused.right - reused.left,
               reused.bottom - reused.top, m_buffer->dc(), reused.left - m_kept.left, reused.top - m_kept.top, SRCCOPY);
    m_buffer.reset();
    // What is left around the part reused: the bands above and below it, and
    // the ones left and right of it in between.
    RECT bands[4] = {part, {}, {}, {}};
    int count = 1;
    if (!IsRectEmpty(&reused)) {
        bands[0] = {part.left, part.top, part.right, reused.top};
        bands[1] = {part.left, reused.bottom, part.right, part.bottom};
        bands[2] = {part.left, reused.top, reused.left, reused.bottom};
        bands[3] = {reused.right, reused.top, part.right, reused.bottom};
        count = 4;
    }
    for (int i = 0; i < count; ++i) {
        const RECT& band = bands[i];
        if (band.right > band.left && band.bottom > band.top)
            scale(dc, source, part, band, background, quick && count == 1);
    }
    m_buffer = std::move(buffer);
    m_source = source;
    m_kept = part;
    m_quick = quick;
    ++m_made;
}
