#include "gui/BaseToolbar.h"

#include <cstring>
#include <memory>

// The control reads button records of exactly this size.
static_assert(sizeof(TBBUTTON) == (sizeof(void*) == 8 ? 32 : 20));

bool BaseToolbar::create(HWND parent, DWORD style, int id, HINSTANCE instance, DWORD exStyle)
{
    if (!BaseWindow::create(exStyle, TOOLBARCLASSNAMEW, nullptr, style, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance))
        return false;
    send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return true;
}

int BaseToolbar::addString(const ZString& text) const
{
    // TB_ADDSTRINGW reads a list of texts that ends with an empty one.
    const size_t length = static_cast<size_t>(text.length());
    auto copy = std::make_unique<wchar_t[]>(length + 2);
    std::memcpy(copy.get(), text.c_str(), length * sizeof(wchar_t));
    copy[length] = 0;
    copy[length + 1] = 0;
    return static_cast<int>(send(TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(copy.get())));
}
