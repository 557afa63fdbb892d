// A job window dragged onto the job list by the user's hand: real mouse input
// from a second thread starts OLE's own drag loop on the job window, moves it
// over the list and drops it there.
#include "jobs/JobDlg_win.h"
#include "jobs/JobListDlg_win.h"
#include "jobs/JobStore.h"
#include "base/Settings.h"
#include "tests/jobs/JobListTestSupport_win.h"
#include "tests/operations/OperationsTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport_win.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include <atomic>
#include <thread>

namespace {

// Mouse input as the hardware gives it, at a point of the screen.
void sendMouse(POINT screen, DWORD buttons = 0)
{
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &input, sizeof input);
}

// Moves the pointer in steps, a little time between them, as a hand does.
void glide(POINT from, POINT to, int steps = 8)
{
    for (int i = 1; i <= steps; ++i) {
        sendMouse({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
        Sleep(40);
    }
}

// Whether the thread's mouse capture is held by a window of another class
// than the one given (OLE's drag loop captures with a window of its own).
bool capturedBesides(DWORD thread, const wchar_t* className)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread, &info) || info.hwndCapture == nullptr)
        return false;
    wchar_t name[64] = {};
    GetClassNameW(info.hwndCapture, name, 64);
    return lstrcmpW(name, className) != 0;
}

class JobDragInput : public JobListTest {
protected:
    void SetUp() override
    {
        InterpreterTest::SetUp();
        openList(0, 680, 560);
        SetForegroundWindow(m_host->hwnd());
        pumpUntilIdle();
    }
    void TearDown() override
    {
        closeList();
        InterpreterTest::TearDown();
    }
    std::vector<ZString> names()
    {
        std::vector<ZString> result;
        for (int i = 0; i < container().count(); ++i)
            result.push_back(container().window(i).job().name());
        return result;
    }
};

} // namespace

TEST_F(JobDragInput, AJobWindowDraggedToTheTopMovesThereAndReportsNoEffect)
{
    for (const wchar_t* name : {L"Alpha", L"Beta", L"Gamma"})
        ASSERT_TRUE(m_list->addJobFromFile(sourcePath(L"samples/sample.pdf"), name));
    pumpUntilIdle();
    ASSERT_EQ(container().count(), 3);
    container().selectOnly(&container().window(2));
    pumpUntilIdle();

    const RECT job = container().window(2).windowRect();
    const RECT list = container().windowRect();
    const POINT header = {job.left + 60, job.top + 5};
    const POINT top = {list.left + 100, list.top + 12};
    const DWORD guiThread = GetCurrentThreadId();
    std::atomic<bool> done = false, dragging = false;
    std::thread hand([&] {
        sendMouse(header);
        Sleep(100);
        sendMouse(header, MOUSEEVENTF_LEFTDOWN);
        Sleep(100);
        glide(header, {header.x, header.y + 30}); // past the drag distance: the drag starts
        dragging = waitFor([&] { return capturedBesides(guiThread, JobDlg::kClassName); }, 10000);
        glide({header.x, header.y + 30}, top, 12);
        Sleep(200);
        sendMouse(top, MOUSEEVENTF_LEFTUP);
        // Should the drop go unnoticed, Esc ends the drag rather than leaving the test hanging in it.
        if (!waitFor([&] { return !capturedBesides(guiThread, JobDlg::kClassName); }, 10000)) {
            INPUT escape[2] = {};
            escape[0].type = escape[1].type = INPUT_KEYBOARD;
            escape[0].ki.wVk = escape[1].ki.wVk = VK_ESCAPE;
            escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
            SendInput(2, escape, sizeof(INPUT));
        }
        done = true;
    });
    // The drag loop runs inside this thread's dispatch of the mouse move.
    while (!done)
        if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT) == WAIT_OBJECT_0)
            pumpUntilIdle();
    hand.join();
    pumpUntilIdle();

    EXPECT_TRUE(dragging);
    EXPECT_EQ(names(), (std::vector<ZString>{L"Gamma", L"Alpha", L"Beta"}));
    EXPECT_EQ(container().lastDragEffect(), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(container().window(0).isSelected());
    EXPECT_EQ(m_store.jobCount(), 3);
}
