#include "jobs/JobListToolbar_win.h"

#include "env/Features.h"
#include "gui/Dpi.h"

#include <gdiplus.h>
#include <shlwapi.h>

#include <memory>

namespace {

struct Button {
    int command;
    int image;
    const wchar_t* tooltip;
    const wchar_t* feature; // null: always present
};

const Button kButtons[] = {
    {joblist::CreateEmpty, 0, L"quillet/jobs/tooltip/create-empty", nullptr},
    {joblist::SaveMenu, 1, L"quillet/jobs/tooltip/save-all-or-selected-as", nullptr},
    {joblist::MergeMenu, 2, L"quillet/jobs/tooltip/merge-all-or-selected", nullptr},
    {joblist::RemoveMenu, 3, L"quillet/jobs/tooltip/remove-all-or-selected", nullptr},
    {joblist::MoveUp, 4, L"quillet/jobs/tooltip/move-up", nullptr},
    {joblist::MoveDown, 5, L"quillet/jobs/tooltip/move-down", nullptr},
    {joblist::OpenViewer, 6, L"quillet/jobs/tooltip/open-viewer", nullptr},
    {joblist::EmailMenu, 10, L"quillet/jobs/tooltip/email-all-or-selected", L"mail"},
    {joblist::PrintSelected, 8, L"quillet/jobs/tooltip/print-selected", nullptr},
    {joblist::FaxSelected, 14, L"quillet/jobs/tooltip/fax-selected", L"fax"},
    {joblist::Views, 7, L"quillet/jobs/tooltip/views", nullptr},
    {joblist::RotateLeft, 11, L"quillet/jobs/tooltip/rotate-left", nullptr},
    {joblist::RotateRight, 12, L"quillet/jobs/tooltip/rotate-right", nullptr},
    {joblist::Sort, 13, L"quillet/jobs/tooltip/sort", nullptr},
};

// The strip decoded from the image resource (type 23).
std::unique_ptr<Gdiplus::Bitmap> loadStrip()
{
    const HINSTANCE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, L"jl_tb_img_list.png", MAKEINTRESOURCEW(23));
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return nullptr;
    IStream* stream = SHCreateMemStream(static_cast<const BYTE*>(bytes), SizeofResource(module, found));
    if (stream == nullptr)
        return nullptr;
    std::unique_ptr<Gdiplus::Bitmap> image(Gdiplus::Bitmap::FromStream(stream));
    stream->Release();
    if (image != nullptr && image->GetLastStatus() != Gdiplus::Ok)
        image.reset();
    return image;
}

// The strip scaled by factor into a 32-bit image list of side-pixel images,
// every pixel's alpha multiplied by opacity.
HIMAGELIST imageListOf(Gdiplus::Bitmap& strip, double factor, double opacity, int side)
{
    const int width = static_cast<int>(strip.GetWidth() * factor);
    const int height = static_cast<int>(strip.GetHeight() * factor);
    if (width <= 0 || height <= 0)
        return nullptr;
    Gdiplus::Bitmap scaled(width, height, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&scaled);
        g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        Gdiplus::ColorMatrix matrix = {{{1, 0, 0, 0, 0},
                                        {0, 1, 0, 0, 0},
                                        {0, 0, 1, 0, 0},
                                        {0, 0, 0, static_cast<Gdiplus::REAL>(opacity), 0},
                                        {0, 0, 0, 0, 1}}};
        Gdiplus::ImageAttributes attributes;
        attributes.SetColorMatrix(&matrix);
        g.DrawImage(&strip, Gdiplus::Rect(0, 0, width, height), 0, 0, static_cast<INT>(strip.GetWidth()),
                    static_cast<INT>(strip.GetHeight()), Gdiplus::UnitPixel, &attributes);
    }
    HBITMAP bitmap = nullptr;
    if (scaled.GetHBITMAP(Gdiplus::Color(0, 0, 0, 0), &bitmap) != Gdiplus::Ok)
        return nullptr;
    HIMAGELIST list = ImageList_Create(side, side, ILC_COLOR32, 16, 2);
    if (list != nullptr)
        ImageList_Add(list, bitmap, nullptr);
    DeleteObject(bitmap);
    return list;
}

} // namespace

JobListToolbar::~JobListToolbar()
{
    if (hwnd() != nullptr) {
        HWND window = hwnd();
        releaseHandle();
        DestroyWindow(window);
    }
    if (m_images != nullptr)
        ImageList_Destroy(m_images);
    if (m_disabled != nullptr)
        ImageList_Destroy(m_disabled);
}

const wchar_t* JobListToolbar::tooltipKey(int command)
{
    for (const Button& b : kButtons)
        if (b.command == command)
            return b.tooltip;
    return nullptr;
}

bool JobListToolbar::create(HWND parent)
{
    if (!BaseToolbar::create(parent,
                             WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                                 CCS_NOPARENTALIGN,
                             kControlId, GetModuleHandleW(nullptr)))
        return false;
    const int dpi = dpiOf(parent);
    const int side = scale(32, dpi);
    if (std::unique_ptr<Gdiplus::Bitmap> strip = loadStrip()) {
        const double factor = dpi / 96.0 * 32.0 / 48.0;
        m_images = imageListOf(*strip, factor, 1.0, side);
        m_disabled = imageListOf(*strip, factor, 0.3, side);
    }
    setImageList(m_images);
    setDisabledImageList(m_disabled);
    send(TB_SETBITMAPSIZE, 0, MAKELPARAM(side, side));
    send(TB_SETBUTTONSIZE, 0, MAKELPARAM(scale(38, dpi), scale(42, dpi)));
    for (const Button& b : kButtons) {
        if (b.feature != nullptr && !isFeatureOn(b.feature))
            continue;
        TBBUTTON button = {};
        button.iBitmap = b.image;
        button.idCommand = b.command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        button.iString = -1;
        addButtons(&button, 1);
    }
    return true;
}

void JobListToolbar::update(const joblist::ListState& state)
{
    for (const Button& b : kButtons)
        enableButton(b.command, joblist::isEnabled(state, b.command));
}
