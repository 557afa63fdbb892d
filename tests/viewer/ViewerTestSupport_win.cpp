#include "tests/viewer/ViewerTestSupport_win.h"

#include "base/Files.h"
#include "viewer/PDFViewerBase.h"

#include <windows.h>

void ViewerTest::SetUp()
{
    InterpreterTest::SetUp();
    useBridge();
}

ZString ViewerTest::sampleCopy(const wchar_t* name)
{
    const ZString copy = m_scratch.file(name);
    copyFile(sourcePath(L"samples/sample.pdf"), copy);
    return copy;
}

bool pumpUntil(const std::function<bool()>& condition)
{
    const ULONGLONG end = GetTickCount64() + 120000;
    while (!condition()) {
        if (GetTickCount64() > end)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

bool waitUntilShown(PDFViewerBase& display)
{
    return pumpUntil([&] { return display.displayedPage() == display.currentPage() && display.isIdle(); });
}

void PageDisplayTest::SetUp()
{
    ViewerTest::SetUp();
    m_host = std::make_unique<TestHostWindow>(600, 700);
    m_display = std::make_unique<PDFViewerBase>(sampleCopy(L"sample.pdf"), 3, L"Report");
    m_display->attach(m_host->hwnd(), 7);
    m_display->move(0, 0, 600, 700);
    m_display->show(SW_SHOW);
    m_display->showPage(1);
    ASSERT_TRUE(waitUntilShown(*m_display));
}

void PageDisplayTest::TearDown()
{
    m_display.reset();
    m_host.reset();
    ViewerTest::TearDown();
}
