// The bar along the bottom of the main window: the markup document
// "brandingBar.xhtml" (background "brandingBg.png", logo "brandingLogo.png"),
// and over it the in-app page in the embedded browser when that feature is on.
#pragma once

#include <windows.h>

#include <memory>

namespace xhtml {
class BrandingBar;
}
class EmbeddedBrowser;

class BrandingBar {
public:
    BrandingBar();
    ~BrandingBar();
    BrandingBar(const BrandingBar&) = delete;
    BrandingBar& operator=(const BrandingBar&) = delete;

    bool create(HWND parent, HINSTANCE module, int x, int y, int width, int height);
    // The bar's height at a resolution.
    static int heightFor(int dpi);
    void move(int x, int y, int width, int height);
    HWND hwnd() const;

private:
    std::unique_ptr<xhtml::BrandingBar> m_markup;
    std::unique_ptr<EmbeddedBrowser> m_browser;
};
