#include "base/ScreenResolution.h"

#include <windows.h>

namespace {

int readScreenResolution()
{
    HDC screen = GetDC(nullptr);
    if (screen == nullptr)
        return 96;
    const int r = (GetDeviceCaps(screen, LOGPIXELSX) + GetDeviceCaps(screen, LOGPIXELSY)) / 2;
    ReleaseDC(nullptr, screen);
    return r > 0 ? r : 96;
}

} // namespace

int screenResolution()
{
    static const int resolution = readScreenResolution();
    return resolution;
}

int scaledForScreen(int value) { return MulDiv(value, screenResolution(), 96); }
