// ole::DropSource: the program's IDropSource. Escape cancels, releasing the
// left button drops, and the shell's default cursors show the effect.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace ole {

class DropSource : public IDropSource {
public:
    // Starts with one reference, held by its creator.
    DropSource() = default;
    DropSource(const DropSource&) = delete;
    DropSource& operator=(const DropSource&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    STDMETHODIMP GiveFeedback(DWORD effect) override;

protected:
    virtual ~DropSource() = default;

private:
    LONG m_refs = 1;
};

} // namespace ole
