#include "app/JobViewsMenu.h"

#include "base/Lang.h"
#include "base/Settings.h"

namespace {

const wchar_t* const kViewKeys[kDisplayModeCount] = {
    L"quillet/job/views/page-numbers",     L"quillet/job/views/previews/small",
    L"quillet/job/views/previews/medium",  L"quillet/job/views/previews/large",
    L"quillet/job/views/previews/extra-large", L"quillet/job/views/previews/window-size",
};

} // namespace

int jobDisplayMode()
{
    const uint32_t mode = userConfig_getDword(L"JobDlgDisplayMode", 2);
    return mode < kDisplayModeCount ? static_cast<int>(mode) : 2;
}

void storeJobDisplayMode(int mode) { userConfig_setDword(L"JobDlgDisplayMode", static_cast<uint32_t>(mode)); }

void fillJobViewsMenu(HMENU menu, UINT base)
{
    while (GetMenuItemCount(menu) > 0)
        DeleteMenu(menu, 0, MF_BYPOSITION);
    const int current = jobDisplayMode();
    for (int mode = 0; mode < kDisplayModeCount; ++mode) {
        const UINT flags = MF_STRING | (mode == current ? MF_CHECKED : MF_UNCHECKED);
        AppendMenuW(menu, flags, base + kFirstViewCommand + static_cast<UINT>(mode), lang_getStr(kViewKeys[mode]).c_str());
        if (mode == 0)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
}

int displayModeOfCommand(UINT id, UINT base)
{
    if (id < base + kFirstViewCommand || id >= base + kFirstViewCommand + kDisplayModeCount)
        return -1;
    return static_cast<int>(id - base - kFirstViewCommand);
}
