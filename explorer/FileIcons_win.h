// Icons of files and folders from the shell's system image list, cached per
// size: by extension for ordinary files, by full path for folders, programs,
// shortcuts and files without extension. Safe to ask from any thread.
#pragma once

#include "base/ZString.h"

#include <windows.h>
#include <commctrl.h>

enum class IconSize { Small, Large, ExtraLarge };

// The system image list of that size (owned by the shell; never destroyed).
HIMAGELIST systemImageList(IconSize size);

// The icon's index in the system image list; -1 when the shell has none.
int fileIconIndex(const ZString& path, bool folder, IconSize size);
// The plain icon of any folder or any file, shown until the item's own is known.
int genericIconIndex(bool folder, IconSize size);
// The same from the cache only: false when it has to be looked up.
bool cachedFileIconIndex(const ZString& path, bool folder, IconSize size, int& index);
