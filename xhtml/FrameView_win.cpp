#include "xhtml/FrameView_win.h"

#include "gui/DialogLoop.h"
#include "base/TextUtil.h"
#include "xhtml/Address.h"
#include "xhtml/Cascade.h"
#include "gui/PaintBuffer.h"

#include <windowsx.h>

#include <algorithm>

namespace xhtml {

namespace {

const wchar_t* const kClassName = L"XhtmlFrameView";
const int kFirstButtonId = 1000;

bool registerClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

bool isAncestorOrSelf(const HtmlTagNode& candidate, const HtmlTagNode* node)
{
    for (const HtmlNode* n = node; n != nullptr; n = n->parent())
        if (n == &candidate)
            return true;
    return false;
}

// The markup as text: UTF-8, with a byte-order mark or without.
ZString decodeMarkup(const std::string& bytes)
{
    size_t skip = bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    return utf8DecodeLenient(bytes.data() + skip, bytes.size() - skip);
}

} // namespace

FrameView::FrameView() : m_images(std::make_unique<ImageCache>(nullptr)) {}

FrameView::~FrameView()
{
    if (m_window != nullptr)
        DestroyWindow(m_window);
}

bool FrameView::loadDocument(const ZString& address, const ZString& base)
{
    std::string bytes;
    if (!loadAddress(address, m_resourceLibrary, bytes))
        return false;
    setDocument(decodeMarkup(bytes), base);
    return true;
}

void FrameView::setDocument(const ZString& markup, const ZString& base)
{
    dropButtons();
    m_hover = m_pressed = nullptr;
    m_document.parseDocument(markup);
    m_base = base;
    m_images = std::make_unique<ImageCache>(m_resourceLibrary);
    if (m_window != nullptr)
        relayout();
}

int FrameView::contentHeight(int width)
{
    LayoutEngine engine({m_document, m_fonts, *m_images, m_base, screenResolution()});
    return engine.layout(width, -1, [this](const HtmlTagNode& e) { return stateOf(e); }).height;
}

bool FrameView::createChild(HWND parent, const RECT& rect)
{
    return createWindow(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, parent, rect);
}

bool FrameView::createWindow(DWORD style, DWORD exStyle, HWND parent, const RECT& rect)
{
    if (!registerClass(windowProcedure))
        return false;
    m_window = CreateWindowExW(exStyle, kClassName, L"", style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, parent, nullptr, GetModuleHandleW(nullptr), this);
    if (m_window == nullptr)
        return false;
    relayout();
    return true;
}

int FrameView::runModal(HWND owner, int clientWidth, int clientHeight, bool scrollBar)
{
    const DWORD style = WS_POPUP | WS_BORDER | WS_CLIPCHILDREN | (scrollBar ? WS_VSCROLL : 0);
    RECT frame = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    if (scrollBar)
        frame.right += GetSystemMetrics(SM_CXVSCROLL);
    RECT over = {};
    if (owner == nullptr || !GetWindowRect(owner, &over) || IsIconic(owner))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    const int x = over.left + (over.right - over.left - width) / 2;
    const int y = over.top + (over.bottom - over.top - height) / 2;
    if (!createWindow(style, WS_EX_DLGMODALFRAME, owner, {x, y, x + width, y + height}))
        return 0;
    if (scrollBar)
        ShowScrollBar(m_window, SB_VERT, TRUE);
    m_modal = true;
    m_closed = false;
    const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);
    ShowWindow(m_window, SW_SHOW);
    SetForegroundWindow(m_window);
    for (auto& [element, button] : m_buttons) {
        SetFocus(button);
        break;
    }
    runDialogLoop(m_window, m_closed);
    // The owner comes back before this window goes, so it gets the activation.
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
    DestroyWindow(m_window);
    m_modal = false;
    return m_result;
}

void FrameView::close(int result)
{
    if (m_modal && m_closed)
        return; // the first way out decides
    m_result = result;
    m_closed = true;
    if (!m_modal && m_window != nullptr)
        DestroyWindow(m_window);
}

FrameView* FrameView::fromWindow(HWND window)
{
    wchar_t name[64] = {};
    if (window == nullptr || GetClassNameW(window, name, 64) == 0 || lstrcmpW(name, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<FrameView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void FrameView::buttonPressed(const ZString&) {}

void FrameView::linkFollowed(const HtmlTagNode& link)
{
    const ZString* target = link.attribute(L"target");
    if (target != nullptr && target->equalsIgnoreCase(L"close"))
        close(1);
}

LRESULT CALLBACK FrameView::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<FrameView*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<FrameView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    const LRESULT result = self->handle(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->m_window = nullptr;
        self->m_buttons.clear(); // children are gone with the window
    }
    return result;
}

LRESULT FrameView::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        relayout();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_window, &ps);
        RECT client;
        GetClientRect(m_window, &client);
        // Drawn off screen first, so hover changes do not flicker.
        {
            const PaintBuffer buffer(dc, client.right, client.bottom);
            paint(buffer.dc(), client);
            buffer.copyTo(dc, client);
        }
        EndPaint(m_window, &ps);
        return 0;
    }
    case WM_VSCROLL: {
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(m_window, SB_VERT, &si);
        const int line = scaled(20, screenResolution());
        int position = m_scroll;
        switch (LOWORD(wParam)) {
        case SB_LINEUP: position -= line; break;
        case SB_LINEDOWN: position += line; break;
        case SB_PAGEUP: position -= static_cast<int>(si.nPage); break;
        case SB_PAGEDOWN: position += static_cast<int>(si.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = si.nTrackPos; break;
        case SB_TOP: position = 0; break;
        case SB_BOTTOM: position = si.nMax; break;
        default: break;
        }
        scrollTo(position);
        return 0;
    }
    case WM_MOUSEWHEEL:
        scrollTo(m_scroll - GET_WHEEL_DELTA_WPARAM(wParam) * scaled(60, screenResolution()) / WHEEL_DELTA);
        return 0;
    case WM_MOUSEMOVE: {
        if (!m_tracking) {
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_window, 0};
            m_tracking = TrackMouseEvent(&track) != FALSE;
        }
        setPointer(interactiveAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}), m_pressed, m_pressedState);
        return 0;
    }
    case WM_MOUSELEAVE:
        m_tracking = false;
        setPointer(nullptr, m_pressed, m_pressedState);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        const HtmlTagNode* at = interactiveAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (at != nullptr)
            SetCapture(m_window);
        setPointer(at, at, message == WM_LBUTTONDOWN ? StateLeftDown : StateRightDown);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        const HtmlTagNode* pressed = m_pressed;
        const HtmlTagNode* at = interactiveAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        if (GetCapture() == m_window)
            ReleaseCapture();
        setPointer(at, nullptr, 0);
        if (message == WM_LBUTTONUP && pressed != nullptr && pressed == at && pressed->name() == L"a")
            linkFollowed(*pressed);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (m_pressed != nullptr)
            setPointer(m_hover, nullptr, 0);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && m_hover != nullptr && m_hover->name() == L"a") {
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        }
        break;
    case WM_NCHITTEST:
        // A popup moves by any place that is not a link or a control.
        if (m_modal) {
            const LRESULT hit = DefWindowProcW(m_window, message, wParam, lParam);
            POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(m_window, &p);
            return hit == HTCLIENT && interactiveAt(p) == nullptr ? HTCAPTION : hit;
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
            for (const auto& [element, button] : m_buttons)
                if (button == reinterpret_cast<HWND>(lParam)) {
                    const ZString* name = element->attribute(L"name");
                    buttonPressed(name != nullptr ? *name : ZString());
                    return 0;
                }
        }
        if (LOWORD(wParam) == IDCANCEL && m_modal) {
            close(1);
            return 0;
        }
        return 0;
    case WM_CLOSE:
        if (m_modal) {
            close(1);
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void FrameView::relayout()
{
    if (m_window == nullptr)
        return;
    RECT client;
    GetClientRect(m_window, &client);
    LayoutEngine engine({m_document, m_fonts, *m_images, m_base, screenResolution()});
    m_layout = engine.layout(client.right, client.bottom, [this](const HtmlTagNode& e) { return stateOf(e); });
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMax = std::max(0, m_layout.height - 1);
    si.nPage = static_cast<UINT>(std::max<LONG>(0, client.bottom));
    m_scroll = std::clamp(m_scroll, 0, std::max(0, m_layout.height - static_cast<int>(client.bottom)));
    si.nPos = m_scroll;
    if (GetWindowLongPtrW(m_window, GWL_STYLE) & WS_VSCROLL)
        SetScrollInfo(m_window, SB_VERT, &si, TRUE);
    placeButtons();
    InvalidateRect(m_window, nullptr, FALSE);
}

void FrameView::placeButtons()
{
    std::map<const HtmlTagNode*, bool> placed;
    int id = kFirstButtonId;
    for (const DisplayItem& item : m_layout.items) {
        if (item.kind != DisplayItem::Button)
            continue;
        HWND& button = m_buttons[item.element];
        if (button == nullptr)
            button = CreateWindowExW(0, L"BUTTON", item.text.c_str(), WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0,
                                     0, m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     GetModuleHandleW(nullptr), nullptr);
        ++id;
        if (button == nullptr)
            continue;
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(item.font), FALSE);
        SetWindowPos(button, nullptr, item.rect.left, item.rect.top - m_scroll, item.rect.right - item.rect.left,
                     item.rect.bottom - item.rect.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        placed[item.element] = true;
    }
    for (const auto& [element, button] : m_buttons)
        if (placed.count(element) == 0 && button != nullptr)
            ShowWindow(button, SW_HIDE);
}

void FrameView::paint(HDC dc, const RECT& area)
{
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &area, white);
    DeleteObject(white);
    paintLayout(dc, m_layout, m_scroll);
}

void FrameView::scrollTo(int position)
{
    RECT client;
    GetClientRect(m_window, &client);
    position = std::clamp(position, 0, std::max(0, m_layout.height - static_cast<int>(client.bottom)));
    if (position == m_scroll)
        return;
    m_scroll = position;
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_POS;
    si.nPos = position;
    SetScrollInfo(m_window, SB_VERT, &si, TRUE);
    placeButtons();
    InvalidateRect(m_window, nullptr, FALSE);
}

bool FrameView::isInteractive(const HtmlTagNode& element) const
{
    if (element.name() == L"a")
        return true;
    const StateStyles styles = computeStyles(m_document.styleSheet(), element);
    const StyleProperties none;
    return !(styles[StateHover] == none && styles[StateLeftDown] == none && styles[StateRightDown] == none);
}

const HtmlTagNode* FrameView::interactiveAt(POINT client) const
{
    const POINT p = {client.x, client.y + m_scroll};
    for (auto it = m_layout.items.rbegin(); it != m_layout.items.rend(); ++it) {
        if (!PtInRect(&it->rect, p) || it->kind == DisplayItem::Button)
            continue;
        for (const HtmlNode* n = it->element; n != nullptr; n = n->parent())
            if (n->type() == HtmlNode::Tag && isInteractive(static_cast<const HtmlTagNode&>(*n)))
                return static_cast<const HtmlTagNode*>(n);
        return nullptr;
    }
    return nullptr;
}

int FrameView::stateOf(const HtmlTagNode& element) const
{
    if (m_pressed != nullptr && isAncestorOrSelf(element, m_pressed))
        return m_pressedState;
    if (m_hover != nullptr && isAncestorOrSelf(element, m_hover))
        return StateHover;
    return StateNormal;
}

void FrameView::setPointer(const HtmlTagNode* hover, const HtmlTagNode* pressed, int pressedState)
{
    if (hover == m_hover && pressed == m_pressed && pressedState == m_pressedState)
        return;
    m_hover = hover;
    m_pressed = pressed;
    m_pressedState = pressedState;
    relayout();
}

void FrameView::dropButtons()
{
    for (auto& [element, button] : m_buttons)
        if (button != nullptr)
            DestroyWindow(button);
    m_buttons.clear();
}

} // namespace xhtml
