#include "jobs/PageIcons_win.h"

#include <gdiplus.h>

#include <memory>

namespace {

struct Icons {
    std::unique_ptr<Gdiplus::Bitmap> normal;
    std::unique_ptr<Gdiplus::Bitmap> selected;
    bool loaded = false;
};

Icons& icons()
{
    static Icons held;
    return held;
}

std::unique_ptr<Gdiplus::Bitmap> load(int id)
{
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap == nullptr)
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromHBITMAP(bitmap, nullptr));
    DeleteObject(bitmap); // the GDI+ bitmap holds a copy of the pixels
    if (image != nullptr && image->GetLastStatus() != Gdiplus::Ok)
        image.reset();
    return image;
}

} // namespace

Gdiplus::Bitmap* pageIcon(bool selected)
{
    Icons& held = icons();
    if (!held.loaded) {
        held.normal = load(1009);
        held.selected = load(1011);
        held.loaded = true;
    }
    return selected ? held.selected.get() : held.normal.get();
}

void releasePageIcons()
{
    icons().normal.reset();
    icons().selected.reset();
    icons().loaded = false;
}
