// Measures the job list with many large jobs, in the program's own windows:
// files arrive one message at a time as hand-overs do, and the program's job
// list makes them jobs. Prints the seconds until every job window is laid
// out, the seconds until the first thumbnail is painted against one bare
// render of the same page through the interpreter (ratio), the thumbnails
// rendered before any scrolling against the pages in view, and peak memory.
//   bench-joblist.exe <interpreter command line> <pdf>...
#include "base/Settings.h"
#include "base/ZString.h"
#include "jobs/Job.h"
#include "jobs/JobDlg_win.h"
#include "jobs/JobListDlg_win.h"
#include "jobs/JobStore.h"
#include "operations/PdfSource.h"
#include "operations/ThumbMaker.h"
#include "suite/settings/SettingsStore.h"

#include <gdiplus.h>
#include <ole2.h>
#include <psapi.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <set>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void pumpFor(double seconds)
{
    const auto start = Clock::now();
    while (secondsSince(start) < seconds) {
        pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

std::set<PdfSource*> documentsOf(const JobStore& store)
{
    std::set<PdfSource*> documents;
    for (int i = 0; i < store.jobCount(); ++i)
        for (const JobPage& p : store.job(i)->pages())
            documents.insert(p.document);
    return documents;
}

int rendersOf(const JobStore& store)
{
    int renders = 0;
    for (PdfSource* d : documentsOf(store))
        renders += d->thumbMaker()->renderCount();
    return renders;
}

// The pages whose elements are in view in the list.
int pagesInView(JobListDlg& list)
{
    JobListDlgContainer& c = list.container();
    const RECT view = c.windowRect();
    int pages = 0;
    for (int i = 0; i < c.count(); ++i) {
        JobDlg& w = c.window(i);
        const RECT r = w.windowRect();
        const int top = static_cast<int>(view.top - r.top), bottom = static_cast<int>(view.bottom - r.top);
        const auto [first, last] = w.layout().pagesInBand(top, bottom);
        if (r.bottom > view.top && r.top < view.bottom && last >= first)
            pages += last - first + 1;
    }
    return pages;
}

// One render of the page as a thumbnail maker of its own does it, waited for.
double bareRender(const ZString& pdf, const ThumbRequest& like)
{
    struct Waiter : IPDFPageThumbMakerNotify {
        HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        void thumbnailReady() override { SetEvent(done); }
    } waiter;
    const auto start = Clock::now();
    {
        PDFPageThumbMaker maker(pdf);
        ThumbRequest r = like;
        r.notify = &waiter;
        maker.request(r);
        WaitForSingleObject(waiter.done, 60000);
    }
    CloseHandle(waiter.done);
    return secondsSince(start);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench-joblist.exe <interpreter> <pdf>...\n");
        return 2;
    }
    settingsStore_setStr(SettingsScope::Program, L"GsWin32cCmdline", argv[1]);
    userConfig_setDword(L"JobDlgDisplayMode", 2);
    OleInitialize(nullptr);
    Gdiplus::GdiplusStartupInput gdiplusInput;
    ULONG_PTR gdiplus = 0;
    Gdiplus::GdiplusStartup(&gdiplus, &gdiplusInput, nullptr);
    {
        WNDCLASSW cls = {};
        cls.lpfnWndProc = DefWindowProcW;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"BenchJobListHost";
        RegisterClassW(&cls);
        HWND host = CreateWindowExW(0, cls.lpszClassName, L"bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1200,
                                    1000, nullptr, nullptr, cls.hInstance, nullptr);
        JobStore store;
        JobListDlg list(store);
        list.create(host);
        list.move(0, 0, 1180, 950);
        pump();

        // The bare render of page 1 at the size medium previews ask for.
        ThumbRequest like;
        like.width = like.height = 250 - 12;
        like.resolution = 96;
        like.page = 1;
        const double bare = bareRender(argv[2], like);

        const auto start = Clock::now();
        double firstThumbnail = -1;
        for (int i = 2; i < argc; ++i) {
            list.addJobFromFile(argv[i], ZString());
            pump(); // the files come one message at a time
            if (firstThumbnail < 0 && rendersOf(store) > 0) {
                UpdateWindow(host);
                firstThumbnail = secondsSince(start);
            }
        }
        pump();
        UpdateWindow(host);
        const double laidOut = secondsSince(start);
        while (firstThumbnail < 0 && secondsSince(start) < 120) {
            pumpFor(0.02);
            if (rendersOf(store) > 0) {
                UpdateWindow(host);
                firstThumbnail = secondsSince(start);
            }
        }
        // Let the thumbnails in view finish, then count every render.
        int renders = -1;
        for (int settled = 0; settled < 3 && secondsSince(start) < 300;) {
            pumpFor(1.0);
            const int now = rendersOf(store);
            settled = now == renders ? settled + 1 : 0;
            renders = now;
        }
        int pages = 0;
        for (int i = 0; i < store.jobCount(); ++i)
            pages += store.job(i)->pageCount();
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        std::printf("jobs %d, pages %d\n", store.jobCount(), pages);
        std::printf("all job windows laid out: %.2f s\n", laidOut);
        std::printf("first thumbnail painted: %.2f s (first job added at 0 s); one bare render %.2f s; ratio %.2f\n",
                    firstThumbnail, bare, bare > 0 ? firstThumbnail / bare : 0.0);
        std::printf("thumbnails rendered before scrolling: %d (pages in view: %d)\n", renders, pagesInView(list));
        std::printf("peak memory: %.1f MiB\n", static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
        list.programClosing();
        DestroyWindow(host);
    }
    Gdiplus::GdiplusShutdown(gdiplus);
    OleUninitialize();
    return 0;
}
