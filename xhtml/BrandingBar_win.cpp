#include "xhtml/BrandingBar_win.h"

namespace xhtml {

bool BrandingBar::create(HWND parent)
{
    RECT client = {};
    GetClientRect(parent, &client);
    loadDocument(kDocument, L"res://");
    const int h = height();
    return createChild(parent, {0, client.bottom - h, client.right, client.bottom});
}

int BrandingBar::height() const { return 50 * screenResolution() / 96; }

void BrandingBar::resize(int parentWidth, int parentHeight)
{
    const int h = height();
    if (window() != nullptr)
        MoveWindow(window(), 0, parentHeight - h, parentWidth, h, TRUE);
}

} // namespace xhtml
