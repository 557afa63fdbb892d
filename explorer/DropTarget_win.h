// ole::DropTarget: a reference-counted IDropTarget whose drag steps derived
// targets override; by itself it accepts nothing.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace ole {

class DropTarget : public IDropTarget {
public:
    // Starts with one reference, held by its creator.
    DropTarget() = default;
    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

protected:
    virtual ~DropTarget() = default;

private:
    LONG m_refs = 1;
};

} // namespace ole
