#include "explorer/DropTarget_win.h"

namespace ole {

STDMETHODIMP DropTarget::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) DropTarget::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) DropTarget::Release()
{
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

STDMETHODIMP DropTarget::DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect)
{
    if (effect != nullptr)
        *effect = DROPEFFECT_NONE;
    return S_OK;
}

STDMETHODIMP DropTarget::DragOver(DWORD, POINTL, DWORD* effect)
{
    if (effect != nullptr)
        *effect = DROPEFFECT_NONE;
    return S_OK;
}

STDMETHODIMP DropTarget::DragLeave() { return S_OK; }

STDMETHODIMP DropTarget::Drop(IDataObject*, DWORD, POINTL, DWORD* effect)
{
    if (effect != nullptr)
        *effect = DROPEFFECT_NONE;
    return S_OK;
}

} // namespace ole
