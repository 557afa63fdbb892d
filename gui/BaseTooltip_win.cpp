#include "gui/BaseTooltip.h"

// The control reads tool records of exactly this size (with the reserved field).
static_assert(sizeof(TTTOOLINFOW) == (sizeof(void*) == 8 ? 72 : 48));

bool BaseTooltip::create(HWND owner, DWORD style, HINSTANCE instance)
{
    if (!BaseWindow::create(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, style | WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance))
        return false;
    m_owner = owner;
    SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

bool BaseTooltip::addTool(HWND tool, const ZString& text) const
{
    TTTOOLINFOW record = {};
    record.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    record.hwnd = m_owner;
    record.uId = reinterpret_cast<UINT_PTR>(tool);
    record.lpszText = const_cast<wchar_t*>(text.c_str());
    return addToolRecord(record);
}

bool BaseTooltip::addToolRecord(TTTOOLINFOW& record) const
{
    record.cbSize = sizeof record;
    return send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&record)) != 0;
}
