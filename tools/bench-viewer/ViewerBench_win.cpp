// Times the page display against the bare interpreter: from a page request
// to the page loaded, for a first page (rendered) and for the page after it
// (rendered ahead while the first was looked at), and one bare render of the
// same page at the same settings. Prints the median and the range of the runs in ms.
// Then the repaint of the shown page while scrolling line by line at fit width
// and at 100 % zoom, and the repaint after a zoom step and when it settles.
// Usage: viewer-bench.exe FILE.pdf [runs] [width height]   (the page display's
// size, default 800 x 1000)
#include "base/Files.h"
#include "gui/GdiplusSession.h"
#include "operations/Ghostscript.h"
#include "viewer/PDFViewerBase.h"
#include "viewer/PageImageDecoder.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace {

double now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void pumpUntil(const std::function<bool()>& condition)
{
    while (!condition()) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

// One repaint of the window, done now.
double repaint(HWND window)
{
    const double start = now();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return now() - start;
}

// Scrolls one line down (up once the end is reached) and repaints, a few times.
void timeScrolling(PDFViewerBase& display, std::vector<double>& times)
{
    repaint(display.hwnd()); // the first repaint at a new zoom scales the page
    int direction = SB_LINEDOWN;
    for (int i = 0; i < 8; ++i) {
        const int before = display.model().scrollY();
        const double start = now();
        SendMessageW(display.hwnd(), WM_VSCROLL, MAKEWPARAM(direction, 0), 0);
        UpdateWindow(display.hwnd());
        times.push_back(now() - start);
        if (display.model().scrollY() == before)
            direction = direction == SB_LINEDOWN ? SB_LINEUP : SB_LINEDOWN;
    }
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// "median ms (lowest-highest)"
void printFigure(const char* label, const std::vector<double>& values)
{
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    std::printf("%-31s%8.1f ms (%.1f-%.1f)", label, median(values), *low, *high);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: viewer-bench FILE.pdf [runs]\n");
        return 2;
    }
    const ZString pdf(argv[1]);
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    const int width = argc > 3 ? std::max(100, _wtoi(argv[3])) : 800;
    const int height = argc > 4 ? std::max(100, _wtoi(argv[4])) : 1000;
    GdiplusSession gdiplus;
    std::vector<double> bare, decode, first, full, next;
    std::vector<double> reduced[2]; // at 1/2 and 1/4
    std::vector<double> scrollFit, scroll100, zoomStep, zoomSettled;
    for (int run = 0; run < runs; ++run) {
        double start = now();
        const ZString image = exportPageImage(pdf, 1, PDFViewerBase::kResolution, false);
        bare.push_back(now() - start);
        const bool rendered = isFile(image);
        start = now();
        decodePageImageFile(image);
        decode.push_back(now() - start);
        for (int i = 0; i < 2; ++i) {
            start = now();
            decodeReducedPageImage(image, [i](int, int) { return i == 0 ? 2 : 4; });
            reduced[i].push_back(now() - start);
        }
        deleteFile(image, true);
        if (!rendered) {
            std::fprintf(stderr, "the interpreter rendered nothing\n");
            return 1;
        }

        PDFViewerBase display(pdf, 2, L"bench");
        display.move(0, 0, width, height); // the page is shown at the fit for this size
        start = now();
        display.showPage(1);
        pumpUntil([&] { return display.displayedPage() == 1; });
        first.push_back(now() - start);
        pumpUntil([&] { return !display.isImageReduced(); });
        full.push_back(now() - start);
        pumpUntil([&] { return display.isPageCached(2) && display.isIdle(); });
        start = now();
        display.showPage(2);
        pumpUntil([&] { return display.displayedPage() == 2; });
        next.push_back(now() - start);

        // Repaints of the full picture of page 2, the window on the screen.
        pumpUntil([&] { return !display.isImageReduced() && display.isIdle(); });
        display.show(SW_SHOWNOACTIVATE);
        display.fitWidth();
        timeScrolling(display, scrollFit);
        display.setZoom(1.0);
        timeScrolling(display, scroll100);
        for (int i = 0; i < 3; ++i) {
            display.zoomBy(i % 2 == 0 ? 0.85 : 1.15);
            zoomStep.push_back(repaint(display.hwnd()));
            // The settling timer's work, done now.
            const double start = now();
            SendMessageW(display.hwnd(), WM_TIMER, 2, 0);
            UpdateWindow(display.hwnd());
            zoomSettled.push_back(now() - start);
        }
        display.show(SW_HIDE);
    }
    const double b = median(bare), f = median(first);
    // Each run's first page against the bare render just before it: less
    // exposed to the load of a shared machine changing between runs.
    std::vector<double> ratios;
    for (size_t i = 0; i < first.size(); ++i)
        ratios.push_back(first[i] / bare[i]);
    printFigure("bare render, page 1:", bare);
    std::printf("\n");
    printFigure("decode of that page:", decode);
    std::printf("\n");
    printFigure("reduced decode at 1/2:", reduced[0]);
    std::printf("\n");
    printFigure("reduced decode at 1/4:", reduced[1]);
    std::printf("\n");
    printFigure("viewer, first page:", first);
    std::printf("  %.2f x bare (run by run: %.2f); goal <= 1.2\n", f / b, median(ratios));
    printFigure("viewer, full picture:", full);
    std::printf("  (a reduced picture first when it suffices)\n");
    printFigure("viewer, following page:", next);
    std::printf("  goal <= 50\n");
    printFigure("repaint, scroll at fit width:", scrollFit);
    std::printf("  goal < 30\n");
    printFigure("repaint, scroll at 100 %:", scroll100);
    std::printf("  goal < 30\n");
    printFigure("repaint after a zoom step:", zoomStep);
    std::printf("\n");
    printFigure("repaint, settling that zoom:", zoomSettled);
    std::printf("\n");
    std::printf("(median, lowest-highest of %d runs, %d dpi JPEG, display %d x %d)\n", runs, PDFViewerBase::kResolution,
                width, height);
    return 0;
}
