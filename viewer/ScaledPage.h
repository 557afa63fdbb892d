// The page image scaled to the zoom shown, kept between repaints so that a
// repaint only copies pixels: scaling the 300-dpi page image costs up to a
// few tenths of a second, far too much for every scroll step, pan or tick of
// the waiting indication. It is made again only when the picture (its
// pixels or rotation), the zoom or the resolution changes, or when scrolling
// leaves the part kept.
//
// A new picture or zoom is scaled only as far as it is seen. When scrolling
// leaves that, the part kept grows to the whole scaled page while that is at
// most four client areas (the fits and small zooms), else to the visible part
// with half a client area around it, so that its size stays bounded at any
// zoom; what is kept already is copied, only the rest is scaled.
//
// While the zoom keeps changing (a held Ctrl and wheel) what is seen of a new
// zoom can be scaled quickly, without interpolation; a paint that asks for
// the settled picture then scales it again with interpolation (the bands
// added by scrolling always are).
//
// Positions are in pixels of the scaled page, whose top left corner is 0, 0;
// the page's last pixels may be partly covered and blend with the background.
// Used on the window's thread only.
#pragma once

#include <windows.h>

#include <memory>

namespace Gdiplus {
class Bitmap;
}
class PaintBuffer;

class ScaledPage {
public:
    // What the scaled copy is made from and for.
    struct Source {
        const Gdiplus::Bitmap* image = nullptr; // the page image, maybe a reduced picture of it
        unsigned generation = 0;                // changes with the image's pixels and rotation
        int width = 0, height = 0;              // the full page image's size, rotated
        double zoom = 0;
        int dpi = 96;
        bool operator==(const Source&) const = default;
    };

    ScaledPage();
    ~ScaledPage();
    ScaledPage(const ScaledPage&) = delete;
    ScaledPage& operator=(const ScaledPage&) = delete;

    // Paints the client area (width x height) with the scrolled page on the
    // background: (left, top) is the scaled page's pixel at the client's top
    // left corner. Scales the page first when the copy does not hold that
    // part; quick allows scaling a new picture or zoom without interpolation.
    void paint(HDC dc, const Source& source, int left, int top, int width, int height, COLORREF background,
               bool quick = false);
    // Forgets the copy (it is made again on the next paint).
    void clear();

    // The part of the scaled page kept, empty without one; and how often it was made.
    RECT kept() const { return m_kept; }
    int made() const { return m_made; }
    // Whether the copy was scaled quickly, without interpolation.
    bool quick() const { return m_quick; }

private:
    void make(HDC reference, const Source& source, const RECT& part, COLORREF background, bool quick);
    void scale(HDC dc, const Source& source, const RECT& part, const RECT& band, COLORREF background, bool quick);

    std::unique_ptr<PaintBuffer> m_buffer;
    Source m_source;
    RECT m_kept = {};
    int m_made = 0;
    bool m_quick = false;
};
