// A common-control toolbar ("ToolbarWindow32") adopted by its object.
#pragma once

#include "gui/BaseWindow.h"

#include <commctrl.h>

class BaseToolbar : public BaseWindow {
public:
    // A flat child toolbar with tooltips that its parent places and sizes.
    static constexpr DWORD kPlacedFlatStyle = WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                              CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;

    // Creates and adopts the toolbar and tells it the size of the button record.
    bool create(HWND parent, DWORD style, int id, HINSTANCE instance, DWORD exStyle = 0);
    // Adds one text to the toolbar's strings; its index, or -1.
    int addString(const ZString& text) const;
    bool addButtons(const TBBUTTON* buttons, int count) const
    {
        return send(TB_ADDBUTTONSW, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buttons)) != 0;
    }
    void setImageList(HIMAGELIST list) const { send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)); }
    void setDisabledImageList(HIMAGELIST list) const
    {
        send(TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
    }
    void enableButton(int command, bool enabled) const { send(TB_ENABLEBUTTON, command, MAKELPARAM(enabled, 0)); }
    bool isButtonEnabled(int command) const { return send(TB_ISBUTTONENABLED, command) != 0; }
    void autoSize() const { send(TB_AUTOSIZE); }
    int buttonCount() const { return static_cast<int>(send(TB_BUTTONCOUNT)); }
};
