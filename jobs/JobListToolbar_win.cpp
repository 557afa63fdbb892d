#include "jobs/JobListToolbar_win.h"

#include "env/Features.h"
#include "gui/Dpi.h"
#include "gui/ImageStrip.h"

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

} // namespace

JobListToolbar::~JobListToolbar()
{
    if (hwnd() != nullptr) {
        HWND window = hwnd();
        releaseHandle();
        DestroyWindow(window);
    }
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
    const HINSTANCE module = GetModuleHandleW(nullptr);
    m_images.reset(makeStripImageList(module, L"jl_tb_img_list.png", side));
    m_disabled.reset(makeStripImageList(module, L"jl_tb_img_list.png", side, 0.3));
    setImageList(m_images.get());
    setDisabledImageList(m_disabled.get());
    send(TB_SETBITMAPSIZE, 0, MAKELPARAM(side, side));
    // A button is never narrower than its bitmap plus the padding (7 by
    // default), so the padding is what the button leaves around its image.
    const int width = scale(38, dpi), height = scale(42, dpi);
    send(TB_SETPADDING, 0, MAKELPARAM(width - side, height - side));
    send(TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
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
