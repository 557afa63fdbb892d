#include "explorer/FileDrag_win.h"

#include "explorer/ComPtr.h"
#include "explorer/DropSource_win.h"
#include "gui/Dpi.h"

#include <cstdlib>

namespace ole {

namespace {

// The data object of the last drag (GUI thread only).
ComPtr<IDataObject>& lastDragged()
{
    static ComPtr<IDataObject> data;
    return data;
}

} // namespace

void forgetLastDrag()
{
    ComPtr<IDataObject>& last = lastDragged();
    if (last)
        CoDisconnectObject(last.get(), 0);
    last.reset();
}

DWORD dragFiles(IDataObject* data)
{
    if (data == nullptr)
        return DROPEFFECT_NONE;
    forgetLastDrag();
    lastDragged() = ComPtr<IDataObject>::share(data);
    const ComPtr<DropSource> source(new DropSource);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = DoDragDrop(data, source.get(), DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}

bool movedPastDragThreshold(POINT press, POINT now, int thresholdAt96, int dpi)
{
    const long threshold = static_cast<long>(thresholdAt96) * dpi / 96;
    return std::labs(now.x - press.x) > threshold || std::labs(now.y - press.y) > threshold;
}

void PendingDrag::press(HWND window, POINT at)
{
    m_pending = true;
    m_press = at;
    SetCapture(window);
}

bool PendingDrag::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                         const std::function<void()>& startDrag)
{
    if (!m_pending || (message != WM_MOUSEMOVE && message != WM_LBUTTONUP))
        return false;
    const POINT now = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (message == WM_LBUTTONUP || (wParam & MK_LBUTTON) == 0) {
        end();
    } else if (movedPastDragThreshold(m_press, now, m_threshold, dpiOf(window))) {
        end();
        startDrag();
    }
    return true;
}

void PendingDrag::end()
{
    m_pending = false;
    ReleaseCapture();
}

} // namespace ole
