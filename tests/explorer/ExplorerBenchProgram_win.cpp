// explorer-bench FOLDER: the explorer pane in a window of its own lists
// FOLDER, renames its first file and puts the list in order again; prints
// how long listing and re-sorting took. Run by tools/bench-explorer.sh.
#include "explorer/Explorer_win.h"

#include <ole2.h>

#include <cstdio>

namespace {

double secondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: explorer-bench FOLDER\n");
        return 2;
    }
    OleInitialize(nullptr);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND host = CreateWindowExW(0, L"STATIC", L"explorer-bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 900, 600,
                                nullptr, nullptr, instance, nullptr);
    int result = 1;
    {
        Explorer explorer;
        if (host != nullptr && explorer.create(host, instance, [](const ZString&) {})) {
            explorer.move(0, 0, 880, 560);
            explorer.list().setViewMode(0); // the list view; previews are timed by nobody
            pump();
            LARGE_INTEGER start;
            QueryPerformanceCounter(&start);
            explorer.list().navigate(argv[1], false);
            UpdateWindow(explorer.list().hwnd());
            const double listing = secondsSince(start);
            const size_t count = explorer.list().items().size();

            const int last = static_cast<int>(count) - 1;
            const ZString oldName = explorer.list().items()[static_cast<size_t>(last)].name;
            QueryPerformanceCounter(&start);
            explorer.list().finishRename(last, L"0 renamed.pdf");
            explorer.list().resort();
            UpdateWindow(explorer.list().hwnd());
            const double resorting = secondsSince(start);
            explorer.list().finishRename(0, oldName); // back as it was
            std::printf("items %zu\nlist %.3f s\nrename and re-sort %.3f s\n", count, listing, resorting);
            result = 0;
        }
    }
    if (host != nullptr)
        DestroyWindow(host);
    OleUninitialize();
    return result;
}
