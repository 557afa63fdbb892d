#include "explorer/ExplorerTreeHead_win.h"

#include "base/Lang.h"
#include "explorer/ExplorerToolbar_win.h"
#include "gui/Dpi.h"

#include <algorithm>

namespace {

const wchar_t* const kHeadClass = L"Tamlo_ExplorerTreeHead";
const wchar_t* const kPaneClass = L"Tamlo_ExplorerTreePane";

} // namespace

bool ExplorerTreeHeadToolbar::create(HWND parent, HINSTANCE instance)
{
    if (!BaseToolbar::create(parent, kPlacedFlatStyle, kControlId, instance))
        return false;
    send(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_MIXEDBUTTONS);
    m_images.apply(*this, instance, ExplorerToolbar::kImageStrip, ExplorerToolbar::kImageSize, dpiOf(parent));
    TBBUTTON button = {};
    button.idCommand = kHideFolders;
    button.iBitmap = explorer_toolbar::ClosePicture;
    button.fsStyle = BTNS_BUTTON;
    button.fsState = TBSTATE_ENABLED;
    button.iString = addString(lang_getStr(L"quillet/explorer/tree/hide-folders"));
    addButtons(&button, 1);
    autoSize();
    return true;
}

bool ExplorerTreeHead::create(HWND parent, HINSTANCE instance)
{
    if (!registerClass(kHeadClass, instance, nullptr, nullptr, LoadCursorW(nullptr, IDC_ARROW),
                       GetSysColorBrush(COLOR_BTNFACE)))
        return false;
    if (!BaseWindow::create(0, kHeadClass, lang_getStr(L"quillet/explorer/tree/folder").c_str(),
                            WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent, nullptr, instance))
        return false;
    return m_toolbar.create(hwnd(), instance);
}

int ExplorerTreeHead::height() const { return scale(24, dpiOf(hwnd())); }

LRESULT ExplorerTreeHead::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE: {
        // The hide button at the right end, centred in the head's height.
        const int width = LOWORD(lParam), height = HIWORD(lParam);
        const DWORD button = static_cast<DWORD>(m_toolbar.send(TB_GETBUTTONSIZE));
        const int w = LOWORD(button), h = std::min<int>(HIWORD(button), height);
        m_toolbar.move(width - w - scale(2, dpiOf(hwnd())), (height - h) / 2, w, h);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hwnd(), &paint);
        RECT r = clientRect();
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        r.left += scale(6, dpiOf(hwnd()));
        SetBkMode(dc, TRANSPARENT);
        const HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        const ZString caption = text();
        DrawTextW(dc, caption.c_str(), caption.length(), &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
        SelectObject(dc, old);
        EndPaint(hwnd(), &paint);
        return 0;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == ExplorerTreeHeadToolbar::kHideFolders && hideFolders)
            hideFolders();
        return 0;
    default:
        return BaseWindow::windowProcedure(message, wParam, lParam);
    }
}

bool ExplorerTreePane::create(HWND parent, HINSTANCE instance)
{
    if (!registerClass(kPaneClass, instance, nullptr, nullptr, LoadCursorW(nullptr, IDC_ARROW),
                       GetSysColorBrush(COLOR_WINDOW)))
        return false;
    if (!BaseWindow::create(0, kPaneClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                            nullptr, instance))
        return false;
    return m_head.create(hwnd(), instance) && m_tree.create(hwnd(), instance);
}

void ExplorerTreePane::layout()
{
    const RECT r = clientRect();
    const int head = m_head.height();
    m_head.move(0, 0, r.right, head);
    m_tree.move(0, head, r.right, std::max(0, static_cast<int>(r.bottom) - head));
}

LRESULT ExplorerTreePane::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        layout();
        return 0;
    case WM_SETFONT:
        m_tree.send(WM_SETFONT, wParam, lParam);
        m_head.invalidate();
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (m_tree.handleNotify(reinterpret_cast<NMHDR*>(lParam), result))
            return result;
        break;
    }
    default:
        break;
    }
    return BaseWindow::windowProcedure(message, wParam, lParam);
}
