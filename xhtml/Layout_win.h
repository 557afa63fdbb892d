// Our small layout engine: lays a styled document out at a width into a flat
// list of things to draw (backgrounds with borders, words, images, buttons),
// each tagged with the element it came from for hit tests.
#pragma once

#include "xhtml/HtmlDocument.h"
#include "xhtml/Resources_win.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace xhtml {

struct DisplayItem {
    enum Kind { Background, Text, Image, Button };
    Kind kind = Background;
    RECT rect = {};
    const HtmlTagNode* element = nullptr;
    // Background: fill colour, gradient, image with its repeat, then borders.
    uint32_t colour = 0xFF000000; // also the text colour
    bool gradient = false;
    uint32_t gradientFrom = 0, gradientTo = 0;
    int gradientDirection = 1;
    Gdiplus::Bitmap* image = nullptr; // Image, Background
    int repeat = 1;
    int border[4] = {}; // left, top, right, bottom
    uint32_t borderColour[4] = {};
    // Text and Button.
    HFONT font = nullptr;
    ZString text;
};

struct Layout {
    std::vector<DisplayItem> items;
    int width = 0;
    int height = 0;
};

// The pointer state an element is drawn in (0 to 3).
using StateOf = std::function<int(const HtmlTagNode&)>;

class LayoutEngine {
public:
    struct Parts {
        const HtmlDocument& document;
        FontCache& fonts;
        ImageCache& images;
        ZString base; // relative image addresses are joined to it
        int dpi;
    };

    explicit LayoutEngine(Parts parts) : m_parts(std::move(parts)) {}
    // frameHeight (or -1) is what heights in per cent of the body refer to.
    Layout layout(int width, int frameHeight, const StateOf& stateOf) const;

private:
    Parts m_parts;
};

void paintLayout(HDC dc, const Layout& layout, int offsetY);

} // namespace xhtml
