// Saving a page image: the save dialog's choices and the encoder a file
// name's extension picks.
#pragma once

#include "base/ZString.h"

#include <windows.h>

namespace Gdiplus {
class Image;
}

// "image/jpeg" for jpg, "image/bmp", "image/gif", "image/tiff", "image/png" for
// bmp, gif, tiff, png (the extension lower-cased); empty for anything else.
ZString imageMimeTypeFor(const ZString& path);
// The GDI+ encoder for a MIME type; false when there is none.
bool findImageEncoder(const ZString& mimeType, CLSID& encoder);
// Saves the image with the encoder its name's extension picks and default
// parameters; false (nothing written) for other extensions.
bool saveImageByExtension(Gdiplus::Image& image, const ZString& path);

// The save dialog for a page image: the five formats, "jpg" by default, the
// folder of the last image saved by this process, the suggested name. Empty when cancelled.
ZString askImageFileName(HWND owner, const ZString& suggestedName);
