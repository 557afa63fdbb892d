// The bar along the main window's bottom edge: the markup resource
// "brandingBar.xhtml" with its images from the program's resources.
#pragma once

#include "xhtml/FrameView_win.h"

namespace xhtml {

class BrandingBar : public FrameView {
public:
    // A child of parent along its bottom edge; false when it cannot be made.
    bool create(HWND parent);
    // 50 pixels at 96 dots per inch.
    int height() const;
    // Along the bottom of a client area of that size.
    void resize(int parentWidth, int parentHeight);

    static constexpr const wchar_t* kDocument = L"res://brandingBar.xhtml";
};

} // namespace xhtml
