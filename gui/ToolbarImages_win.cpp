#include "gui/ToolbarImages.h"

#include "gui/Dpi.h"

bool ToolbarImages::apply(const BaseToolbar& toolbar, HINSTANCE module, const wchar_t* strip, int sizeAt96, int dpi)
{
    const int side = scale(sizeAt96, dpi);
    m_images.reset(makeStripImageList(module, strip, side));
    m_disabled.reset(makeStripImageList(module, strip, side, 0.3));
    toolbar.setImageList(m_images.get());
    toolbar.setDisabledImageList(m_disabled.get());
    toolbar.send(TB_SETBITMAPSIZE, 0, MAKELPARAM(side, side));
    // Wine's control takes no padding beyond the edge width (2 pixels):
    // the buttons' least width keeps its scaled padding all the same.
    toolbar.send(TB_SETPADDING, 0, MAKELPARAM(scale(7, dpi), scale(6, dpi)));
    toolbar.send(TB_SETBUTTONWIDTH, 0, MAKELPARAM(scale(sizeAt96 + 7, dpi), 0));
    return m_images.get() != nullptr;
}
