// The page elements of a job window: how one page paints itself in its box.
// They are painted by the job window, not made as windows, because a list of
// thousands of pages cannot have a window for each; the job window keeps the
// thumbnail requests and hands an element what it needs to paint.
#pragma once

#include <windows.h>

namespace Gdiplus {
class Bitmap;
}

// The page-number view (display mode 0, or a page without a document): the
// page icon turned by the page's rotation and the page number below it.
class JobDlgContainerElementNormal {
public:
    // inner: the element's box less its padding.
    static void paint(HDC dc, const RECT& inner, int page, int rotation, bool selected, int dpi);
};

// The preview views: the page's thumbnail turned by its rotation and fitted
// into the box, or a light frame while the thumbnail is being made.
class JobDlgContainerElementPreview {
public:
    static void paint(HDC dc, const RECT& inner, Gdiplus::Bitmap* thumbnail, int rotation);
};
