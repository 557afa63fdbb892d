#include "tests/xhtml/WindowTestSupport_win.h"

#include "tests/support/TestSupport.h"

#include <gdiplus.h>

#include <algorithm>

namespace {

struct Pending {
    const wchar_t* windowClass = nullptr;
    std::function<void(HWND)> action;
    bool ran = false;
    UINT_PTR timer = 0;
};
Pending g_pending;

BOOL CALLBACK findShown(HWND window, LPARAM found)
{
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (lstrcmpW(name, g_pending.windowClass) == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK poll(HWND, UINT, UINT_PTR, DWORD)
{
    HWND shown = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findShown, reinterpret_cast<LPARAM>(&shown));
    if (shown == nullptr || g_pending.ran)
        return;
    KillTimer(nullptr, g_pending.timer);
    g_pending.timer = 0;
    g_pending.ran = true;
    g_pending.action(shown);
}

BOOL CALLBACK collectButtons(HWND child, LPARAM out)
{
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, L"Button") == 0 && IsWindowVisible(child)) {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
        reinterpret_cast<std::vector<ChildButton>*>(out)->push_back({child, text, r});
    }
    return TRUE;
}

} // namespace

WhenShown::WhenShown(const wchar_t* windowClass, std::function<void(HWND)> action)
{
    g_pending = Pending{windowClass, std::move(action), false, 0};
    g_pending.timer = SetTimer(nullptr, 0, 50, poll);
}

WhenShown::~WhenShown()
{
    if (g_pending.timer != 0)
        KillTimer(nullptr, g_pending.timer);
    g_pending = Pending{};
}

bool WhenShown::ran() const { return g_pending.ran; }

std::vector<ChildButton> buttonsOf(HWND window)
{
    std::vector<ChildButton> buttons;
    EnumChildWindows(window, collectButtons, reinterpret_cast<LPARAM>(&buttons));
    std::sort(buttons.begin(), buttons.end(),
              [](const ChildButton& a, const ChildButton& b) { return a.rect.left < b.rect.left; });
    return buttons;
}

ChildButton buttonLabelled(HWND window, const ZString& text)
{
    for (const ChildButton& b : buttonsOf(window))
        if (b.text == text)
            return b;
    return {nullptr, ZString(), {}};
}

void clickAt(HWND window, POINT client)
{
    const LPARAM at = MAKELPARAM(client.x, client.y);
    SendMessageW(window, WM_MOUSEMOVE, 0, at);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(window, WM_LBUTTONUP, 0, at);
}

ZString saveScreenshot(HWND window, const wchar_t* name)
{
    UpdateWindow(window);
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
    SelectObject(memory, old);
    const ZString path = besideTests(name);
    {
        Gdiplus::GdiplusStartupInput input;
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
        {
            Gdiplus::Bitmap picture(bitmap, nullptr);
            CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
            picture.Save(path.c_str(), &png, nullptr);
        }
        Gdiplus::GdiplusShutdown(token);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return path;
}
