// Writing what a drop or a paste carries into a folder. The first of the four
// transfer formats in the source's own order decides: paths (CF_HDROP,
// "FileNameMapW", "FileNameW") are copied or moved by the shell; virtual files
// ("FileGroupDescriptorW" with "FileContents") are written from their contents.
#pragma once

#include "base/ZString.h"

#include <windows.h>
#include <objidl.h>

#include <vector>

namespace ole {

// The first transfer format the data object enumerates with an HGLOBAL; 0 when none.
CLIPFORMAT transferFormatOf(IDataObject* data);

// The paths of a path format; false when the data object does not give them.
bool readDroppedPaths(IDataObject* data, CLIPFORMAT format, std::vector<ZString>& paths);

// Copies (DROPEFFECT_COPY) or moves (DROPEFFECT_MOVE) the data into folder.
// The paths that arrived are added to created when it is given. False when
// the data holds no transfer format or the transfer ended early.
bool transferIntoFolder(IDataObject* data, const ZString& folder, DWORD effect, std::vector<ZString>* created);

// The virtual files of data written into folder, in descriptor order:
// folders are created (a failure is shown in an untitled box and ends the
// transfer), files take a free numbered name when theirs is taken. A name
// that would leave the folder or name a device is skipped. False when the
// transfer ended early.
bool writeVirtualFiles(IDataObject* data, const ZString& folder, std::vector<ZString>* created);

} // namespace ole
