#include "jobs/JobDlgContainerElement_win.h"

#include "base/Trace.h"
#include "base/ZString.h"
#include "gui/Dpi.h"
#include "jobs/PageIcons_win.h"
#include "operations/ThumbMaker.h"

#include <gdiplus.h>

void JobDlgContainerElementNormal::paint(HDC dc, const RECT& inner, int page, int rotation, bool selected, int dpi)
{
    const int label = scale(18, dpi);
    const RECT icon = {inner.left, inner.top, inner.right, inner.bottom - label};
    if (Gdiplus::Bitmap* bitmap = pageIcon(selected)) {
        const ThumbPlacement at = placeThumbnail(scale(static_cast<int>(bitmap->GetWidth()), dpi),
                                                 scale(static_cast<int>(bitmap->GetHeight()), dpi),
                                                 icon.right - icon.left, icon.bottom - icon.top);
        const RECT place = {icon.left + at.x, icon.top + at.y, icon.left + at.x + at.width, icon.top + at.y + at.height};
        drawThumbnail(bitmap, dc, place, rotation);
    }
    RECT text = {inner.left, inner.bottom - label, inner.right, inner.bottom};
    const ZString number = ZString::format(L"%d", page);
    SetTextColor(dc, RGB(0x20, 0x20, 0x20));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, number.c_str(), -1, &text, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void JobDlgContainerElementPreview::paint(HDC dc, const RECT& inner, Gdiplus::Bitmap* thumbnail, int rotation)
{
    if (thumbnail == nullptr) {
        FrameRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
        return;
    }
    const bool turned = thumbnailAngle(rotation) % 180 != 0;
    const int w = static_cast<int>(thumbnail->GetWidth()), h = static_cast<int>(thumbnail->GetHeight());
    const ThumbPlacement at =
        placeThumbnail(turned ? h : w, turned ? w : h, inner.right - inner.left, inner.bottom - inner.top);
    const RECT place = {inner.left + at.x, inner.top + at.y, inner.left + at.x + at.width, inner.top + at.y + at.height};
    drawThumbnail(thumbnail, dc, place, rotation);
    traceMark("thumbnail");
}
