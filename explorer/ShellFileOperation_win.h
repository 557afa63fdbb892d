// Copying and moving files into a folder with the shell's file operation, as
// the explorer does it: undo allowed, renamed on collision, folders made
// without asking.
#pragma once

#include "base/ZString.h"

#include <vector>

namespace ole {

// The files (or folders) copied, or moved, into folder. The paths they have
// there are added to created when it is given. False when the shell reported
// a failure or the user cancelled.
bool shellCopyOrMove(const std::vector<ZString>& paths, const ZString& folder, bool move,
                     std::vector<ZString>* created);

} // namespace ole
