#include "tests/xhtml/WindowTestSupport_win.h"
#include "xhtml/BrandingBar_win.h"
#include "xhtml/StyleProperties.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace xhtml;

namespace {

// A plain top-level window to hold the bar; destroyed with the holder.
class HostWindow {
public:
    HostWindow(int width, int height)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"XhtmlTestHost";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClassW(&wc);
        m_window = CreateWindowExW(0, L"XhtmlTestHost", L"Branding", WS_POPUP | WS_VISIBLE, 40, 40, width, height,
                                   nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~HostWindow() { DestroyWindow(m_window); }
    HWND window() const { return m_window; }

private:
    HWND m_window;
};

void pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace

TEST(BrandingBar, BackgroundAndLogoFromTheProgramsResourcesAlongTheBottom)
{
    const int dpi = screenResolution();
    HostWindow host(900, 300);
    BrandingBar bar;
    ASSERT_TRUE(bar.create(host.window()));
    const int h = 50 * dpi / 96;
    EXPECT_EQ(bar.height(), h);
    RECT r;
    GetWindowRect(bar.window(), &r);
    MapWindowPoints(nullptr, host.window(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, 300 - h);
    EXPECT_EQ(r.right - r.left, 900);

    bar.resize(700, 260);
    GetWindowRect(bar.window(), &r);
    MapWindowPoints(nullptr, host.window(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, 260 - h);
    EXPECT_EQ(r.bottom, 260);
    EXPECT_EQ(r.right - r.left, 700);

    bool tiled = false;
    const DisplayItem* logo = nullptr;
    for (const DisplayItem& item : bar.layout().items) {
        if (item.kind == DisplayItem::Background && item.image != nullptr && item.repeat == RepeatX)
            tiled = true;
        if (item.kind == DisplayItem::Image)
            logo = &item;
    }
    EXPECT_TRUE(tiled);
    ASSERT_NE(logo, nullptr);
    ASSERT_NE(logo->image, nullptr);
    // Centred both ways in the last 150 pixels.
    EXPECT_NEAR((logo->rect.left + logo->rect.right) / 2, 700 - 150 * dpi / 96 / 2, 1);
    EXPECT_NEAR((logo->rect.top + logo->rect.bottom) / 2, h / 2, 1);

    bar.resize(900, 300);
    pump();
    std::printf("screenshot: %ls\n", saveScreenshot(bar.window(), L"xhtml-branding-bar.png").c_str());
}
