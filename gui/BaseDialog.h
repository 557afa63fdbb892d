// A dialog window made from a dialog template, with the item functions the
// program's dialogs share.
#pragma once

#include "gui/BaseWindow.h"

class BaseDialog : public BaseWindow {
public:
    // A modeless dialog from the template of module; adopted once it exists.
    bool createFromTemplate(HINSTANCE module, const wchar_t* templateName, HWND owner);

    // The item's text; false when it could not be read.
    bool itemText(int id, ZString& text) const;
    // The item's text as a signed number; ok (when given) tells whether it was one.
    int itemInt(int id, bool* ok = nullptr) const;
    void setItemInt(int id, int value) const;
    HWND item(int id) const { return GetDlgItem(hwnd(), id); }

private:
    static INT_PTR CALLBACK dialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};
