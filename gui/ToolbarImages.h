// A toolbar's pictures from an image strip (gui/ImageStrip.h), at a size given
// for 96 dpi and scaled to the toolbar's resolution: the images, their
// disabled form (the strip at 0.3 opacity) and the space around them. The
// object owns both image lists and must live as long as the toolbar.
#pragma once

#include "gui/BaseToolbar.h"
#include "gui/ImageStrip.h"

class ToolbarImages {
public:
    // Gives the toolbar the strip's images at sizeAt96 x sizeAt96 pixels
    // scaled by dpi / 96, and buttons with 7 by 6 pixels of padding scaled
    // alike. Call before adding buttons.
    // False when the strip is missing (the buttons then show no pictures).
    bool apply(const BaseToolbar& toolbar, HINSTANCE module, const wchar_t* strip, int sizeAt96, int dpi);

private:
    ImageListHolder m_images;
    ImageListHolder m_disabled;
};
