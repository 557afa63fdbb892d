// Dragging files out of a window of this program: the program's drop source,
// copy and move allowed, and the threshold past which a press becomes a drag.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <functional>

namespace ole {

// Runs the drag (OLE's modal loop) and returns the effect the target reported;
// DROPEFFECT_NONE when the drag was cancelled or refused. A target such as the
// shell may keep the data object after the drag and ask it again later; the
// object of the previous drag is cut off from such holders
// (CoDisconnectObject) when the next drag starts.
DWORD dragFiles(IDataObject* data);

// Cuts off and releases the data object of the last drag; before OLE goes.
void forgetLastDrag();

// Whether the pointer moved more than thresholdAt96 pixels (at 96 DPI, scaled
// to dpi) from the press point horizontally or vertically.
bool movedPastDragThreshold(POINT press, POINT now, int thresholdAt96, int dpi);

// A press on an item that becomes a drag once the pointer moves past the
// threshold with the left button down. The window holds the mouse meanwhile.
class PendingDrag {
public:
    explicit PendingDrag(int thresholdAt96) : m_threshold(thresholdAt96) {}
    void press(HWND window, POINT at);
    // The window's WM_MOUSEMOVE and WM_LBUTTONUP while a press is pending:
    // true when the message is handled here, after calling startDrag when the
    // pointer has just moved past the threshold. Any other message, or none
    // pending: false.
    bool handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const std::function<void()>& startDrag);

private:
    void end();

    int m_threshold;
    bool m_pending = false;
    POINT m_press{};
};

} // namespace ole
