// Lets the user watch a long piece of work on the window thread (many files
// added in one go) instead of a frozen window: after each item, step()
// carries out the paints that are due in the given window and its children.
// Paints are where job windows ask for their thumbnails, so the worker threads
// start on the pages in view while the rest is still being added, and
// finished thumbnails are shown without waiting for the end.
//
// The first step paints at once; later ones at most once per interval, so
// that a hundred small items do not cost a hundred repaints. Only WM_PAINT
// (with the erase and frame paints it brings) is sent; no message is taken
// from the queue, so no other command, hand-over or close can start from
// inside step(). The window is passed on each step, as it may be gone.
#pragma once

#include <windows.h>

class PaintPacer {
public:
    explicit PaintPacer(DWORD intervalMs = 20) : m_interval(intervalMs) {}

    void step(HWND window)
    {
        if (window == nullptr || !IsWindow(window))
            return;
        const ULONGLONG now = GetTickCount64();
        if (m_painted && now - m_last < m_interval)
            return;
        m_painted = true;
        m_last = now;
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }

private:
    DWORD m_interval;
    ULONGLONG m_last = 0;
    bool m_painted = false;
};
