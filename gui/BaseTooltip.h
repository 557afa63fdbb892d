// A tooltip control ("tooltips_class32"): a topmost popup owned by a window.
#pragma once

#include "gui/BaseWindow.h"

#include <commctrl.h>

class BaseTooltip : public BaseWindow {
public:
    bool create(HWND owner, DWORD style, HINSTANCE instance);
    // A tool for the window tool (a window handle as identifier) that
    // subclasses it to see its mouse messages.
    bool addTool(HWND tool, const ZString& text) const;
    // A tool described by the caller; cbSize is set here.
    bool addToolRecord(TTTOOLINFOW& record) const;
    int toolCount() const { return static_cast<int>(send(TTM_GETTOOLCOUNT)); }
    void setMaxTipWidth(int width) const { send(TTM_SETMAXTIPWIDTH, 0, width); }
    void activate(bool active) const { send(TTM_ACTIVATE, active ? TRUE : FALSE); }

private:
    HWND m_owner = nullptr;
};
