#include "jobs/JobDlgToolbar_win.h"

#include "base/Lang.h"

#include <algorithm>

bool JobDlgToolbar::create(HWND parent)
{
    if (!BaseToolbar::create(parent, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE |
                                         CCS_NODIVIDER | CCS_NOPARENTALIGN | TBSTYLE_TOOLTIPS,
                             0, GetModuleHandleW(nullptr)))
        return false;
    setImageList(nullptr); // text buttons
    const wchar_t* keys[] = {L"quillet/job/delete", L"quillet/job/print", L"quillet/job/save_as"};
    TBBUTTON buttons[3] = {};
    for (int i = 0; i < 3; ++i) {
        buttons[i].iBitmap = I_IMAGENONE;
        buttons[i].idCommand = i;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
        buttons[i].iString = addString(lang_getStr(keys[i]));
    }
    return addButtons(buttons, 3);
}

void JobDlgToolbar::place(int parentWidth, int headerHeight) const
{
    if (hwnd() == nullptr)
        return;
    SIZE size = {};
    send(TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
    const int height = std::min<int>(headerHeight - 2, size.cy);
    move(parentWidth - size.cx - 4, (headerHeight - height) / 2, size.cx, height);
}

void JobDlgToolbar::update(bool jobHasPages) const
{
    if (hwnd() == nullptr)
        return;
    enableButton(Print, jobHasPages);
    enableButton(SaveAs, jobHasPages);
}
