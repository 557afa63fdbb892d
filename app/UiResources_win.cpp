#include "app/UiResources.h"

#include "app/BaseInstance.h"
#include "base/ScreenResolution.h"

namespace {

struct FontStyle {
    int height; // at 96 dpi
    int weight; // 0: as the stock font
    bool underline;
};

const FontStyle kFontStyles[UiResources::FontCount] = {
    {14, 0, false},   // normal
    {14, 700, false}, // bold
    {14, 400, true},  // underlined
    {16, 400, false}, // medium
    {16, 700, false}, // medium bold
    {12, 100, false}, // small thin
    {24, 700, false}, // large bold
    {18, 700, false}, // heading bold
};

// The bitmap scaled by dpi / 96 (the bitmap itself at 96 dpi); the caller owns the result.
HBITMAP scaledBitmap(HBITMAP bitmap, int dpi)
{
    if (dpi == 96)
        return bitmap;
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    const int width = MulDiv(info.bmWidth, dpi, 96);
    const int height = MulDiv(info.bmHeight, dpi, 96);
    HDC screen = GetDC(nullptr);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    HBITMAP scaled = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldFrom = SelectObject(from, bitmap);
    HGDIOBJ oldTo = SelectObject(to, scaled);
    SetStretchBltMode(to, COLORONCOLOR); // keeps the transparent green exact
    StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return scaled;
}

HIMAGELIST imageListFromBitmap(const BaseInstance& resources, int id, int dpi)
{
    HBITMAP bitmap = resources.loadBitmap(id);
    if (bitmap == nullptr)
        return nullptr;
    bitmap = scaledBitmap(bitmap, dpi);
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    const int side = info.bmHeight;
    HIMAGELIST list = side > 0 ? ImageList_Create(side, side, ILC_COLOR24 | ILC_MASK, 10, 2) : nullptr; // flags 0x19
    if (list != nullptr)
        ImageList_AddMasked(list, bitmap, RGB(0, 255, 0));
    DeleteObject(bitmap);
    return list;
}

} // namespace

UiResources::UiResources(const BaseInstance& resources) : m_dpi(screenResolution())
{
    LOGFONTW stock = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof stock, &stock);
    for (int i = 0; i < FontCount; ++i) {
        LOGFONTW lf = stock;
        wcscpy_s(lf.lfFaceName, LF_FACESIZE, L"Arial");
        lf.lfHeight = kFontStyles[i].height * m_dpi / 96;
        if (kFontStyles[i].weight != 0)
            lf.lfWeight = kFontStyles[i].weight;
        lf.lfUnderline = kFontStyles[i].underline ? TRUE : FALSE;
        m_fonts[i] = CreateFontIndirectW(&lf);
    }
    for (int i = 0; i < kImageListCount; ++i)
        m_imageLists[i] = imageListFromBitmap(resources, kFirstImageListBitmap + i, m_dpi);
}

UiResources::~UiResources()
{
    for (HIMAGELIST list : m_imageLists)
        if (list != nullptr)
            ImageList_Destroy(list);
    for (HFONT font : m_fonts)
        if (font != nullptr)
            DeleteObject(font);
}
