// Files on the clipboard, as the explorer copies, cuts and pastes them:
// CF_HDROP with "Preferred DropEffect" (1 copy, 2 move; a list without it is
// moved on paste), and files dropped on a window by the shell's simple drop.
#pragma once

#include "base/ZString.h"

#include <windows.h>

#include <vector>

namespace ole {

// Empties the clipboard and puts the paths on it for copying or, with cut, for moving.
bool putFilesOnClipboard(HWND owner, const std::vector<ZString>& paths, bool cut);

// Whether the clipboard holds file names.
bool clipboardHasFiles();

// The files on the clipboard copied or moved into folder with the shell's
// file operation; the paths they arrived at are added to created when given.
bool pasteFilesInto(HWND owner, const ZString& folder, std::vector<ZString>* created);

// WM_DROPFILES: each dropped file moved into folder (copied and deleted when
// it lies on another drive). The drop handle stays the caller's to finish.
bool moveDroppedFilesInto(HDROP drop, const ZString& folder, std::vector<ZString>* moved);

} // namespace ole
