#include "app/AppWin.h"

#include "app/CommandLine.h"
#include "app/HandOver.h"
#include "app/UiResources.h"
#include "gui/Messages.h"

namespace {
int screenResolution()
{
    HDC screen = GetDC(nullptr);
    int r = 96;
    if (screen != nullptr) {
        r = (GetDeviceCaps(screen, LOGPIXELSX) + GetDeviceCaps(screen, LOGPIXELSY)) / 2;
        ReleaseDC(nullptr, screen);
    }
    return r > 0 ? r : 96;
}
} // namespace

AppWin::AppWin(JobStore& jobs, const UiResources& resources) : m_resources(resources), m_jobList(jobs) {}

AppWin::~AppWin()
{
    if (m_hwnd != nullptr) {
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hwnd);
    }
}

bool AppWin::create(HINSTANCE module)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = module;
    wc.hIcon = LoadIconW(module, MAKEINTRESOURCEW(1100));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainWindowClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    const int r = screenResolution();
    CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                    1000 * r / 96, 600 * r / 96, nullptr, nullptr, module, this);
    if (m_hwnd == nullptr)
        return false;
    ShowWindow(m_hwnd, SW_SHOWMAXIMIZED);
    UpdateWindow(m_hwnd);
    return true;
}

bool AppWin::isForeground() const { return m_hwnd != nullptr && GetForegroundWindow() == m_hwnd; }

void AppWin::bringToFront()
{
    if (m_hwnd == nullptr)
        return;
    if (IsIconic(m_hwnd))
        ShowWindow(m_hwnd, SW_RESTORE);
    ShowWindow(m_hwnd, SW_SHOW);
    SetForegroundWindow(m_hwnd);
    BringWindowToTop(m_hwnd);
}

LRESULT CALLBACK AppWin::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<AppWin*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<AppWin*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

LRESULT AppWin::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        if (!m_jobList.create(m_hwnd) || !m_explorer.create(m_hwnd))
            return -1;
        const HFONT font = m_resources.font(UiResources::Medium);
        SendMessageW(m_jobList.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SendMessageW(m_explorer.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        setMessageOwner(m_hwnd);
        return 0;
    }
    case WM_SIZE:
        layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COPYDATA: {
        ZString commandLine;
        if (lParam == 0 || !commandLineFromCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lParam), commandLine))
            return FALSE; // not a hand-over
        handleCommandLine(commandLine);
        return TRUE;
    }
    case WM_DESTROY:
        setMessageOwner(nullptr);
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
        m_hwnd = nullptr;
        return 0;
    default:
        return DefWindowProcW(m_hwnd, message, wParam, lParam);
    }
}

// The explorer takes 40 % of the width, the job list the rest.
void AppWin::layout(int width, int height)
{
    const int split = width * 2 / 5;
    MoveWindow(m_explorer.hwnd(), 0, 0, split, height, TRUE);
    MoveWindow(m_jobList.hwnd(), split, 0, width - split, height, TRUE);
}
