#include "gui/BaseSplitter.h"

#include "gui/Dpi.h"

#include <windowsx.h>

namespace {

// An 8 x 8 halftone pattern brush, deleted with the holder.
class HalftoneBrush {
public:
    HalftoneBrush()
    {
        static const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
        HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, pattern);
        if (bitmap != nullptr) {
            m_brush = CreatePatternBrush(bitmap);
            DeleteObject(bitmap); // the brush keeps its own copy
        }
    }
    ~HalftoneBrush()
    {
        if (m_brush != nullptr)
            DeleteObject(m_brush);
    }
    HalftoneBrush(const HalftoneBrush&) = delete;
    HalftoneBrush& operator=(const HalftoneBrush&) = delete;
    HBRUSH get() const { return m_brush; }

private:
    HBRUSH m_brush = nullptr;
};

} // namespace

bool BaseSplitter::create(HWND parent, int x, int y, int width, int height, DWORD style, int orientation,
                          HINSTANCE instance)
{
    m_orientation = orientation == 1 ? 1 : 0;
    setDpi(dpiOf(parent));
    return BaseWindow::create(0, L"Static", nullptr, style | SS_NOTIFY, x, y, width, height, parent, nullptr,
                              instance);
}

void BaseSplitter::setDpi(int dpi)
{
    m_dpi = dpi;
    m_barWidth = scale(4, dpi);
    m_minFirst = m_minSecond = scale(20, dpi);
    layout();
}

void BaseSplitter::setPane(HWND& slot, HWND pane)
{
    slot = pane;
    if (pane != nullptr) {
        SetParent(pane, hwnd());
        SetWindowPos(pane, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    layout();
}

void BaseSplitter::setFirst(HWND pane) { setPane(m_first, pane); }
void BaseSplitter::setSecond(HWND pane) { setPane(m_second, pane); }

void BaseSplitter::setRatio(double ratio)
{
    m_ratio = clampRatio(ratio);
    layout();
}

void BaseSplitter::setOrientation(int orientation)
{
    if ((orientation != 0 && orientation != 1) || orientation == m_orientation)
        return;
    m_orientation = orientation;
    layout();
}

SplitBoxes BaseSplitter::boxes() const
{
    const RECT client = clientRect();
    return splitBoxes(client.right, client.bottom, m_barWidth, m_ratio, m_orientation, m_first != nullptr,
                      m_second != nullptr);
}

void BaseSplitter::layout()
{
    if (hwnd() == nullptr)
        return;
    const SplitBoxes b = boxes();
    HDWP batch = BeginDeferWindowPos(2);
    for (const auto& [pane, box] : {std::pair{m_first, b.first}, std::pair{m_second, b.second}}) {
        if (pane != nullptr && batch != nullptr)
            batch = DeferWindowPos(batch, pane, nullptr, box.x, box.y, box.width, box.height,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch != nullptr)
        EndDeferWindowPos(batch);
    // The panes and everything in them: a pane that moves across (a turn of
    // the orientation) keeps old pictures in its children otherwise.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void BaseSplitter::paintBar(HDC dc)
{
    const RECT client = clientRect();
    SetBkColor(dc, m_barColour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr); // a solid fill without a brush
}

int BaseSplitter::along(LPARAM point) const { return m_orientation == 0 ? GET_X_LPARAM(point) : GET_Y_LPARAM(point); }

int BaseSplitter::availableSize() const
{
    const RECT client = clientRect();
    return (m_orientation == 0 ? client.right : client.bottom) - m_barWidth;
}

bool BaseSplitter::overBar(int x, int y) const
{
    if (m_first == nullptr || m_second == nullptr)
        return false;
    const PaneBox bar = boxes().bar;
    return x >= bar.x && x < bar.x + bar.width && y >= bar.y && y < bar.y + bar.height;
}

void BaseSplitter::showSizingCursor() const
{
    SetCursor(LoadCursorW(nullptr, m_orientation == 0 ? IDC_SIZEWE : IDC_SIZENS));
}

void BaseSplitter::invertDragBar(int offset) const
{
    HDC dc = GetDCEx(hwnd(), nullptr, DCX_CACHE); // over the panes too
    if (dc == nullptr)
        return;
    const HalftoneBrush brush;
    const HGDIOBJ old = SelectObject(dc, brush.get());
    const RECT client = clientRect();
    const int at = firstSize(boxes(), m_orientation) + offset;
    if (m_orientation == 0)
        PatBlt(dc, at, 0, m_barWidth, client.bottom, PATINVERT);
    else
        PatBlt(dc, 0, at, client.right, m_barWidth, PATINVERT);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
}

void BaseSplitter::startDrag(LPARAM point)
{
    showSizingCursor();
    m_dragStart = along(point);
    m_dragOffset = 0;
    m_dragging = true;
    SetCapture(hwnd());
    invertDragBar(0);
}

void BaseSplitter::moveDrag(LPARAM point)
{
    const int offset = along(point) - m_dragStart;
    if (offset == m_dragOffset ||
        !dragAllowed(firstSize(boxes(), m_orientation), offset, m_ratio, availableSize(), m_minFirst, m_minSecond))
        return;
    invertDragBar(m_dragOffset);
    m_dragOffset = offset;
    invertDragBar(m_dragOffset);
}

void BaseSplitter::endDrag(bool drop)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    invertDragBar(m_dragOffset);
    if (GetCapture() == hwnd())
        ReleaseCapture();
    if (drop)
        setRatio(ratioAfterDrag(firstSize(boxes(), m_orientation), m_dragOffset, availableSize()));
}

LRESULT BaseSplitter::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        paintBar(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        layout();
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd() && LOWORD(lParam) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(hwnd(), &p);
            if (m_dragging || overBar(p.x, p.y)) {
                showSizingCursor();
                return TRUE;
            }
        }
        break;
    case WM_LBUTTONDOWN:
        if (overBar(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
            startDrag(lParam);
        return 0;
    case WM_MOUSEMOVE:
        if (m_dragging || overBar(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
            showSizingCursor();
        if (m_dragging)
            moveDrag(lParam);
        return 0;
    case WM_LBUTTONUP:
        endDrag(true);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd())
            endDrag(false);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && m_dragging) {
            endDrag(false);
            return 0;
        }
        break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CONTEXTMENU:
        // The panes' notifications belong to the window that holds the splitter.
        return SendMessageW(parent(), message, wParam, lParam);
    }
    return BaseWindow::windowProcedure(message, wParam, lParam);
}
