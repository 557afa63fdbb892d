#include "gui/BaseDialog.h"

#include <vector>

bool BaseDialog::createFromTemplate(HINSTANCE module, const wchar_t* templateName, HWND owner)
{
    HWND dialog = CreateDialogParamW(module, templateName, owner, dialogProcedure, reinterpret_cast<LPARAM>(this));
    if (dialog == nullptr)
        return false;
    if (!isAdopted())
        adopt(dialog);
    return true;
}

INT_PTR CALLBACK BaseDialog::dialogProcedure(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    // Once adopted, every message reaches the object first; its default hands
    // them to the dialog manager, which ends up here and lets them be.
    if (message == WM_INITDIALOG) {
        reinterpret_cast<BaseDialog*>(lParam)->adopt(dialog);
        return TRUE;
    }
    return FALSE;
}

bool BaseDialog::itemText(int id, ZString& text) const
{
    HWND control = item(id);
    if (control == nullptr)
        return false;
    const int length = GetWindowTextLengthW(control);
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
    SetLastError(0);
    const UINT n = GetDlgItemTextW(hwnd(), id, buffer.data(), length + 1);
    if (n == 0 && GetLastError() != 0)
        return false;
    text = ZString(buffer.data(), static_cast<int>(n));
    return true;
}

int BaseDialog::itemInt(int id, bool* ok) const
{
    BOOL translated = FALSE;
    const int value = static_cast<int>(GetDlgItemInt(hwnd(), id, &translated, TRUE));
    if (ok != nullptr)
        *ok = translated != FALSE;
    return value;
}

void BaseDialog::setItemInt(int id, int value) const
{
    // The absolute value with the sign flag: -5 stays "-5".
    SetDlgItemInt(hwnd(), id, static_cast<UINT>(value), TRUE);
}
