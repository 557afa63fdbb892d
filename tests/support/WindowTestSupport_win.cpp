#include "tests/support/WindowTestSupport_win.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "tests/support/TestSupport.h"

#include <objidl.h>
#include <gdiplus.h>

namespace {

const wchar_t* const kHostClass = L"QuilletTestHost";

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

MenuItemState stateOf(HMENU menu, UINT position)
{
    MenuItemState state;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
    wchar_t text[256] = {};
    info.dwTypeData = text;
    info.cch = 255;
    if (!GetMenuItemInfoW(menu, position, TRUE, &info))
        return state;
    state.exists = true;
    state.grayed = (info.fState & MFS_GRAYED) != 0;
    state.checked = (info.fState & MFS_CHECKED) != 0;
    state.ownerDrawn = (info.fType & MFT_OWNERDRAW) != 0;
    if (!state.ownerDrawn)
        state.text = ZString(text);
    return state;
}

bool findItem(HMENU menu, UINT id, HMENU& holder, UINT& position)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.wID == id) {
            holder = menu;
            position = static_cast<UINT>(i);
            return true;
        }
        if (info.hSubMenu != nullptr && findItem(info.hSubMenu, id, holder, position))
            return true;
    }
    return false;
}

} // namespace

TestHostWindow::TestHostWindow(int width, int height, int x, int y)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = hostProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kHostClass;
    RegisterClassExW(&wc);
    m_hwnd = CreateWindowExW(0, kHostClass, L"test host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width,
                             height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    pumpUntilIdle();
}

TestHostWindow::~TestHostWindow()
{
    if (m_hwnd != nullptr)
        DestroyWindow(m_hwnd);
}

bool pumpUntilIdle()
{
    bool quit = false;
    // Two empty rounds in a row: what one message posts is handled too.
    for (int quiet = 0; quiet < 2;) {
        MSG msg;
        bool any = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            if (msg.message == WM_QUIT) {
                quit = true;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        quiet = any ? 0 : quiet + 1;
        if (!any)
            Sleep(10);
    }
    return quit;
}

void postMouse(HWND window, UINT message, int x, int y, WPARAM keys)
{
    PostMessageW(window, message, keys, MAKELPARAM(x, y));
    pumpUntilIdle();
}

void postClick(HWND window, int x, int y)
{
    postMouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    postMouse(window, WM_LBUTTONUP, x, y);
}

void postDrag(HWND window, POINT from, POINT to)
{
    postMouse(window, WM_MOUSEMOVE, from.x, from.y);
    postMouse(window, WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
    postMouse(window, WM_MOUSEMOVE, (from.x + to.x) / 2, (from.y + to.y) / 2, MK_LBUTTON);
    postMouse(window, WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON);
    postMouse(window, WM_LBUTTONUP, to.x, to.y);
}

void postKey(HWND window, UINT virtualKey)
{
    PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
    PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001);
    pumpUntilIdle();
}

MenuItemState menuItemState(HMENU menu, UINT id)
{
    HMENU holder = nullptr;
    UINT position = 0;
    return findItem(menu, id, holder, position) ? stateOf(holder, position) : MenuItemState();
}

HMENU submenuOf(HMENU menu, UINT id)
{
    HMENU holder = nullptr;
    UINT position = 0;
    return findItem(menu, id, holder, position) ? GetSubMenu(holder, static_cast<int>(position)) : nullptr;
}

MenuItemState stateAfterOpening(HWND window, HMENU popup, UINT id)
{
    SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    return menuItemState(popup, id);
}

WindowPicture::WindowPicture(HWND window, bool clientOnly, bool redrawFirst)
{
    RECT r = {};
    if (clientOnly) {
        GetClientRect(window, &r);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    } else {
        GetWindowRect(window, &r);
    }
    m_width = r.right - r.left;
    m_height = r.bottom - r.top;
    if (m_width <= 0 || m_height <= 0)
        return;
    if (redrawFirst) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        pumpUntilIdle();
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        const HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, m_width, m_height, screen, r.left, r.top, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        m_pixels.assign(pixels, pixels + static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF WindowPicture::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height || m_pixels.empty())
        return CLR_INVALID;
    const uint32_t bgra = m_pixels[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
    return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

bool WindowPicture::savePng(const ZString& path) const
{
    if (m_pixels.empty())
        return false;
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return false;
    bool saved = false;
    {
        std::vector<uint32_t> opaque(m_pixels);
        for (uint32_t& p : opaque)
            p |= 0xFF000000u;
        Gdiplus::Bitmap bitmap(m_width, m_height, m_width * 4, PixelFormat32bppARGB,
                               reinterpret_cast<BYTE*>(opaque.data()));
        UINT count = 0, size = 0;
        Gdiplus::GetImageEncodersSize(&count, &size);
        std::vector<BYTE> buffer(size);
        auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
        if (size > 0 && Gdiplus::GetImageEncoders(count, size, encoders) == Gdiplus::Ok) {
            for (UINT i = 0; i < count; ++i) {
                if (ZString(encoders[i].MimeType) == L"image/png") {
                    saved = bitmap.Save(path.c_str(), &encoders[i].Clsid, nullptr) == Gdiplus::Ok;
                    break;
                }
            }
        }
    }
    Gdiplus::GdiplusShutdown(token);
    return saved;
}

ZString picturePath(const wchar_t* name)
{
    const ZString folder = besideTests(L"pictures");
    createFolder(folder, true);
    return joinPath(folder, name);
}
