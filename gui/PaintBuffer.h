// An off-screen bitmap to paint a window into before it is copied to the
// screen in one piece, so that nothing flickers. It owns its memory DC and
// bitmap and releases both.
#pragma once

#include <windows.h>

#include <algorithm>

class PaintBuffer {
public:
    // A buffer compatible with target, width x height pixels (at least 1 x 1).
    PaintBuffer(HDC target, int width, int height)
        : m_dc(CreateCompatibleDC(target)),
          m_bitmap(CreateCompatibleBitmap(target, std::max(1, width), std::max(1, height))),
          m_old(SelectObject(m_dc, m_bitmap))
    {
    }
    // A buffer for the area of target only: drawn in target's coordinates,
    // it holds (and costs) just the area, however large the window is.
    PaintBuffer(HDC target, const RECT& area)
        : PaintBuffer(target, static_cast<int>(area.right - area.left), static_cast<int>(area.bottom - area.top))
    {
        SetViewportOrgEx(m_dc, -area.left, -area.top, nullptr);
    }
    ~PaintBuffer()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    PaintBuffer(const PaintBuffer&) = delete;
    PaintBuffer& operator=(const PaintBuffer&) = delete;

    HDC dc() const { return m_dc; }
    // Copies the area (same place in both; within the buffer's area) to target.
    void copyTo(HDC target, const RECT& area) const
    {
        BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, m_dc, area.left,
               area.top, SRCCOPY);
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};
