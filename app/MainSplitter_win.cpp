#include "app/MainSplitter.h"

#include "base/Settings.h"
#include "gui/Dpi.h"

void MainSplitter::setOrientation(int orientation)
{
    const int before = this->orientation();
    BaseSplitter::setOrientation(orientation);
    if (this->orientation() != before)
        userConfig_setDword(L"QuilletOrientation", static_cast<uint32_t>(this->orientation()));
}

void MainSplitter::paintBar(HDC dc)
{
    BaseSplitter::paintBar(dc);
    const SplitBoxes b = boxes();
    if (first() == nullptr || second() == nullptr || orientation() != 0)
        return;
    const int left = b.bar.x, top = b.bar.y;
    const int bottom = top + (m_headerHeight ? m_headerHeight() : 0);

    // Vertical gradient 0xE9E9E9 -> white across the bar.
    TRIVERTEX corners[2] = {{left, top, 0xE900, 0xE900, 0xE900, 0xFF00},
                            {left + b.bar.width, bottom, 0xFF00, 0xFF00, 0xFF00, 0xFF00}};
    GRADIENT_RECT rect = {0, 1};
    GradientFill(dc, corners, 2, &rect, 1, GRADIENT_FILL_RECT_V);

    const int d = dpi();
    const auto line = [&](COLORREF colour, int x, int fromY, int toY) {
        HPEN pen = CreatePen(PS_SOLID, scale(2, d), colour);
        const HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, x, fromY, nullptr);
        LineTo(dc, x, toY);
        SelectObject(dc, old);
        DeleteObject(pen);
    };
    line(RGB(255, 255, 255), left, top + scale(5, d), top + scale(36, d));
    line(0xE1DFDF, left + scale(2, d), top + scale(6, d), top + scale(36, d));
}
