// Lets the user watch a long piece of work on the window thread (many files
// added in one go) instead of a frozen window: after each item, step()
// carries out the paints that are due in the given window and its children.
// Paints are where job windows ask for their thumbnails, so the worker threads
// start on the pages in view while the rest is still being added, and
// finished thumbnails are shown without waiting for the end.
//
// The first step paints at once; later ones at most once per interval, so
// that a hundred small items do not cost a hundred repaints, or at once when
// there is news to show. Only the
// repaint news (below) is taken from the queue, and only WM_PAINT (with the
// erase and frame paints it brings) is sent, so no other command, hand-over
// or close can start from inside step(). The window is passed on each step,
// as it may be gone.
#pragma once

#include <windows.h>

#include <functional>

// Posted by a worker thread to a window that has something new to show (a
// finished thumbnail); the window only invalidates itself. Worker threads post
// rather than invalidate: InvalidateRect from another thread can wait for the
// window's thread, which may be waiting for the worker.
inline UINT repaintNewsMessage()
{
    static const UINT message = RegisterWindowMessageW(L"QuilletRepaintNews");
    return message;
}

class PaintPacer {
public:
    // viewBusy tells whether what is in view still waits for news (thumbnails
    // of the pages shown being made): then a step waits for that news, up to
    // a total of kViewWaitMs per loop, so the first screen is filled before
    // the rest of the work competes with the workers for the processor.
    explicit PaintPacer(std::function<bool()> viewBusy = {}, DWORD intervalMs = 20)
        : m_viewBusy(std::move(viewBusy)), m_interval(intervalMs)
    {
    }

    void step(HWND window)
    {
        if (window == nullptr || !IsWindow(window))
            return;
        const ULONGLONG now = GetTickCount64();
        // News (a finished thumbnail) is shown at once; other changes wait for the interval.
        MSG peeked;
        const bool hasNews = PeekMessageW(&peeked, nullptr, repaintNewsMessage(), repaintNewsMessage(), PM_NOREMOVE);
        if (m_painted && now - m_last < m_interval && !hasNews)
            return;
        m_painted = true;
        m_last = now;
        // News posted since the loop began, so that what it says is painted now.
        MSG news;
        while (PeekMessageW(&news, nullptr, repaintNewsMessage(), repaintNewsMessage(), PM_REMOVE))
            DispatchMessageW(&news);
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        waitForView(window);
    }

private:
    static constexpr ULONGLONG kViewWaitMs = 1500;

    void waitForView(HWND window)
    {
        // Only the news may be taken from the queue; other posted messages wake
        // the wait too, so the total is bounded by the time spent.
        while (m_viewBusy && m_waited < kViewWaitMs && IsWindow(window) && m_viewBusy()) {
            const ULONGLONG start = GetTickCount64();
            MSG news;
            if (PeekMessageW(&news, nullptr, repaintNewsMessage(), repaintNewsMessage(), PM_REMOVE)) {
                DispatchMessageW(&news);
                while (PeekMessageW(&news, nullptr, repaintNewsMessage(), repaintNewsMessage(), PM_REMOVE))
                    DispatchMessageW(&news);
                RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            } else {
                MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_POSTMESSAGE, 0);
            }
            m_waited += GetTickCount64() - start;
        }
    }

    std::function<bool()> m_viewBusy;
    ULONGLONG m_waited = 0;
    DWORD m_interval;
    ULONGLONG m_last = 0;
    bool m_painted = false;
};
