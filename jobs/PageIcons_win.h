// The page icon bitmaps of the page-number view (resources 1009 and 1011) as
// GDI+ bitmaps, loaded once from the program's resources; null when the
// module holds none.
#pragma once

#include <windows.h>

namespace Gdiplus {
class Bitmap;
}

// The icon of a selected page (1011) or of any other (1009).
Gdiplus::Bitmap* pageIcon(bool selected);
// Frees the icons; the holder of GDI+ calls it before GDI+ shuts down.
void releasePageIcons();
