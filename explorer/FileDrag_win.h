// Dragging files out of a window of this program: the program's drop source,
// copy and move allowed, and the threshold past which a press becomes a drag.
#pragma once

#include <windows.h>
#include <objidl.h>

namespace ole {

// Runs the drag (OLE's modal loop) and returns the effect the target reported;
// DROPEFFECT_NONE when the drag was cancelled or refused.
DWORD dragFiles(IDataObject* data);

// Whether the pointer moved more than thresholdAt96 pixels (at 96 DPI, scaled
// to dpi) from the press point horizontally or vertically.
bool movedPastDragThreshold(POINT press, POINT now, int thresholdAt96, int dpi);

} // namespace ole
