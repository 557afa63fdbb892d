#include "app/BaseInstance.h"

BaseInstance::BaseInstance(HINSTANCE module, bool ownsModule)
    : m_module(module != nullptr ? module : GetModuleHandleW(nullptr)), m_ownsModule(ownsModule && module != nullptr)
{
}

BaseInstance::~BaseInstance()
{
    if (m_ownsModule)
        FreeLibrary(m_module);
}

HINSTANCE BaseInstance::moduleHandle() const { return m_module; }

HBITMAP BaseInstance::loadBitmap(int id) const { return LoadBitmapW(m_module, MAKEINTRESOURCEW(id)); }

HBITMAP BaseInstance::loadBitmapByName(const wchar_t* name) const { return LoadBitmapW(m_module, name); }

HMENU BaseInstance::loadMenu(int id) const { return LoadMenuW(m_module, MAKEINTRESOURCEW(id)); }

HMENU BaseInstance::loadMenuByName(const wchar_t* name) const { return LoadMenuW(m_module, name); }

HACCEL BaseInstance::loadAccelerators(const wchar_t* name) const { return LoadAcceleratorsW(m_module, name); }

HCURSOR BaseInstance::loadCursor(const wchar_t* name) const { return LoadCursorW(m_module, name); }

HICON BaseInstance::loadIcon(const wchar_t* name) const { return LoadIconW(m_module, name); }

HICON BaseInstance::loadIconImage(const wchar_t* name, int size) const
{
    return static_cast<HICON>(LoadImageW(m_module, name, IMAGE_ICON, size, size, LR_SHARED));
}
