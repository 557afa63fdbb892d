// Fonts and image lists shared by the program's windows, made once at start
// for the screen's resolution.
#pragma once

#include <windows.h>
#include <commctrl.h>

class BaseInstance;

class UiResources {
public:
    // Image lists come from the bitmap resources 500, 501 and 502 of resources.
    explicit UiResources(const BaseInstance& resources);
    ~UiResources();
    UiResources(const UiResources&) = delete;
    UiResources& operator=(const UiResources&) = delete;

    enum Font { Normal, Bold, Underlined, Medium, MediumBold, SmallThin, LargeBold, HeadingBold, FontCount };
    HFONT font(Font which) const { return m_fonts[which]; }
    // index 0, 1, 2: the lists of bitmaps 500, 501, 502; null when a bitmap is missing.
    HIMAGELIST imageList(int index) const { return m_imageLists[index]; }
    int dpi() const { return m_dpi; }

    static constexpr int kImageListCount = 3;
    static constexpr int kFirstImageListBitmap = 500;

private:
    int m_dpi;
    HFONT m_fonts[FontCount] = {};
    HIMAGELIST m_imageLists[kImageListCount] = {};
};
