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

} // namespace ole
