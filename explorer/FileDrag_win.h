// Dragging files out of a window of this program: the program's drop source,
// copy and move allowed, and the threshold past which a press becomes a drag.
#pragma once

#include <windows.h>
#include <objidl.h>

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
    // WM_MOUSEMOVE: false when no press is pending (the message goes on).
    // Otherwise handled; startsDrag tells whether the drag begins now.
    bool moved(HWND window, WPARAM keys, LPARAM point, bool& startsDrag);
    // WM_LBUTTONUP: ends a pending press; false when there was none.
    bool released();

private:
    void end();

    int m_threshold;
    bool m_pending = false;
    POINT m_press{};
};

} // namespace ole
