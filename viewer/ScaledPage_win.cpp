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
}

void ScaledPage::paint(HDC dc, const Source& source, int left, int top, int width, int height, COLORREF background)
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
    if (!m_buffer || !(source == m_source) || !contains(m_kept, visible)) {
        RECT part = page;
        const long long pagePixels = static_cast<long long>(page.right - page.left) * (page.bottom - page.top);
        if (pagePixels > 4LL * width * height) {
            const RECT around = {visible.left - width / 2, visible.top - height / 2, visible.right + width / 2,
                                 visible.bottom + height / 2};
            IntersectRect(&part, &page, &around);
        }
        make(dc, source, part, background);
    }
    BitBlt(dc, visible.left - left, visible.top - top, visible.right - visible.left, visible.bottom - visible.top,
           m_buffer->dc(), visible.left - m_kept.left, visible.top - m_kept.top, SRCCOPY);
}

// The part of the page image at the zoom, drawn on the background as the
// window once drew it directly: interpolated, the pixel centres offset by half.
void ScaledPage::make(HDC reference, const Source& source, const RECT& part, COLORREF background)
{
    const int width = part.right - part.left, height = part.bottom - part.top;
    const bool resize = !m_buffer || width != m_kept.right - m_kept.left || height != m_kept.bottom - m_kept.top;
    if (resize) {
        m_buffer.reset(); // the old copy goes before the new one is made
        m_buffer = std::make_unique<PaintBuffer>(reference, width, height);
    }
    m_source = source;
    m_kept = part;
    ++m_made;
    HDC dc = m_buffer->dc();
    fill(dc, RECT{0, 0, width, height}, background);
    Gdiplus::Graphics g(dc);
    g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    g.DrawImage(const_cast<Gdiplus::Bitmap*>(source.image),
                Gdiplus::RectF(static_cast<Gdiplus::REAL>(-part.left), static_cast<Gdiplus::REAL>(-part.top),
                               static_cast<Gdiplus::REAL>(source.width * source.zoom),
                               static_cast<Gdiplus::REAL>(source.height * source.zoom)));
}
