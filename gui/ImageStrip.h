// Toolbar images from a strip of square images side by side, stored as a
// PNG resource of type 23 and found by name: decoded with GDI+, scaled to the
// button image size and put into an image list with their transparency.
// The owner destroys the list (ImageListHolder).
#pragma once

#include "base/ZString.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

namespace Gdiplus {
class Bitmap;
}

// An image resource (type 23) decoded by GDI+; null when it is missing.
std::unique_ptr<Gdiplus::Bitmap> loadImageResource(HINSTANCE module, const wchar_t* name);

// The strip's images at size x size pixels with opacity 0..1 applied (a
// disabled list is the same strip at 0.3); null when the strip is missing.
HIMAGELIST makeStripImageList(HINSTANCE module, const wchar_t* name, int size, double opacity = 1.0);

class ImageListHolder {
public:
    explicit ImageListHolder(HIMAGELIST list = nullptr) : m_list(list) {}
    ~ImageListHolder() { reset(); }
    ImageListHolder(const ImageListHolder&) = delete;
    ImageListHolder& operator=(const ImageListHolder&) = delete;
    void reset(HIMAGELIST list = nullptr)
    {
        if (m_list != nullptr)
            ImageList_Destroy(m_list);
        m_list = list;
    }
    HIMAGELIST get() const { return m_list; }

private:
    HIMAGELIST m_list;
};
