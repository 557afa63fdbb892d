// The bar along the bottom of the main window: the program's background image
// "brandingBg.png" across it and its logo "brandingLogo.png" centred in a cell
// of 150 pixels at the right. Both are image resources of the program.
#pragma once

#include "gui/BaseWindow.h"

#include <memory>

class BrandingBar : public BaseWindow {
public:
    BrandingBar();
    ~BrandingBar() override;

    bool create(HWND parent, HINSTANCE module, int x, int y, int width, int height);
    // The bar's height at a resolution.
    static int heightFor(int dpi);

    LRESULT windowProcedure(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Images;
    void paint(HDC dc) const;

    std::unique_ptr<Images> m_images;
};
