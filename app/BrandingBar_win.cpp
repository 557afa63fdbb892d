#include "app/BrandingBar.h"

#include "gui/Dpi.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

namespace {

const wchar_t* const kClassName = L"Tamlo_BrandingBar";

// An image resource (type 23, as the program's markup resources) decoded by GDI+.
std::unique_ptr<Gdiplus::Bitmap> loadImage(HINSTANCE module, const wchar_t* name)
{
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(23));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return nullptr;
    IStream* stream = SHCreateMemStream(static_cast<const BYTE*>(bytes), SizeofResource(module, found));
    if (stream == nullptr)
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromStream(stream));
    stream->Release(); // the bitmap holds its own reference while it lives
    if (image != nullptr && image->GetLastStatus() != Gdiplus::Ok)
        image.reset();
    return image;
}

} // namespace

// GDI+ is started for as long as the images live.
struct BrandingBar::Images {
    Images()
    {
        Gdiplus::GdiplusStartupInput input;
        started = Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }
    ~Images()
    {
        background.reset();
        logo.reset();
        if (started)
            Gdiplus::GdiplusShutdown(token);
    }
    ULONG_PTR token = 0;
    bool started = false;
    std::unique_ptr<Gdiplus::Bitmap> background;
    std::unique_ptr<Gdiplus::Bitmap> logo;
};

BrandingBar::BrandingBar() = default;

BrandingBar::~BrandingBar()
{
    if (hwnd() != nullptr)
        DestroyWindow(hwnd());
}

int BrandingBar::heightFor(int dpi) { return scale(50, dpi); }

bool BrandingBar::create(HWND parent, HINSTANCE module, int x, int y, int width, int height)
{
    m_images = std::make_unique<Images>();
    m_images->background = loadImage(module, L"brandingBg.png");
    m_images->logo = loadImage(module, L"brandingLogo.png");
    if (!registerClass(kClassName, module))
        return false;
    return BaseWindow::create(0, kClassName, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, width, height,
                              parent, nullptr, module);
}

void BrandingBar::paint(HDC target) const
{
    const RECT client = clientRect();
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0)
        return;
    // Drawn off screen first, so the bar never flickers while the window is sized.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP buffer = CreateCompatibleBitmap(target, width, height);
    const HGDIOBJ old = SelectObject(dc, buffer);
    {
        Gdiplus::Graphics g(dc);
        g.Clear(Gdiplus::Color(255, 255, 255, 255));
        g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        if (m_images->background != nullptr)
            g.DrawImage(m_images->background.get(), Gdiplus::Rect(0, 0, width, height));
        if (Gdiplus::Bitmap* logo = m_images->logo.get()) {
            // The logo's pixels are drawn at half size at 96 dpi, so it stays sharp up to 200 %.
            const int d = dpiOf(hwnd());
            const int logoWidth = scale(static_cast<int>(logo->GetWidth()) / 2, d);
            const int logoHeight = scale(static_cast<int>(logo->GetHeight()) / 2, d);
            const int cell = scale(150, d);
            const int x = width - cell + (cell - logoWidth) / 2;
            const int y = (height - logoHeight) / 2;
            g.DrawImage(logo, Gdiplus::Rect(x, y, logoWidth, logoHeight));
        }
    }
    BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, old);
    DeleteObject(buffer);
    DeleteDC(dc);
}

LRESULT BrandingBar::windowProcedure(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd(), &ps);
        paint(dc);
        EndPaint(hwnd(), &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        invalidate();
        return 0;
    }
    return BaseWindow::windowProcedure(message, wParam, lParam);
}
