// A module whose resources the program loads: the program itself, or a
// resource library loaded as data (then it is owned and freed here).
#pragma once

#include <windows.h>

class BaseInstance {
public:
    // A null module means the program's own (GetModuleHandleW(nullptr)).
    explicit BaseInstance(HINSTANCE module, bool ownsModule = false);
    virtual ~BaseInstance();
    BaseInstance(const BaseInstance&) = delete;
    BaseInstance& operator=(const BaseInstance&) = delete;

    virtual HINSTANCE moduleHandle() const;
    virtual HBITMAP loadBitmap(int id) const;
    virtual HBITMAP loadBitmapByName(const wchar_t* name) const;
    virtual HMENU loadMenu(int id) const;
    virtual HMENU loadMenuByName(const wchar_t* name) const;
    virtual HACCEL loadAccelerators(const wchar_t* name) const;
    virtual HCURSOR loadCursor(const wchar_t* name) const;
    virtual HICON loadIcon(const wchar_t* name) const;
    // A shared icon image of the given size (LoadImageW, LR_SHARED).
    virtual HICON loadIconImage(const wchar_t* name, int size) const;

private:
    HINSTANCE m_module;
    bool m_ownsModule;
};

// The base of the program object.
class BaseApp : public BaseInstance {
public:
    using BaseInstance::BaseInstance;
};
