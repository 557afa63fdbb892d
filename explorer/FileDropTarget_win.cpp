#include "explorer/FileDropTarget_win.h"

#include "explorer/ClipFormats_win.h"
#include "explorer/ComPtr.h"

namespace ole {

bool offersOneOf(IDataObject* data, const std::vector<FORMATETC>& formats)
{
    ComPtr<IEnumFORMATETC> enumerator;
    if (data == nullptr || FAILED(data->EnumFormatEtc(DATADIR_GET, enumerator.put())) || !enumerator)
        return false;
    FORMATETC offered;
    while (enumerator->Next(1, &offered, nullptr) == S_OK) {
        if (offered.ptd != nullptr)
            CoTaskMemFree(offered.ptd);
        for (const FORMATETC& wanted : formats)
            if (offered.cfFormat == wanted.cfFormat && (offered.tymed & wanted.tymed) != 0)
                return true;
    }
    return false;
}

FileDropTarget::FileDropTarget()
{
    const ClipFormats& f = clipFormats();
    m_acceptedFormats = {formatEtc(f.hdrop), formatEtc(f.fileNameMap), formatEtc(f.fileName),
                         formatEtc(f.fileContents, TYMED_HGLOBAL | TYMED_ISTREAM), formatEtc(f.fileGroupDescriptor)};
}

DWORD FileDropTarget::effectFor(DWORD allowed)
{
    if ((allowed & DROPEFFECT_MOVE) != 0)
        return DROPEFFECT_MOVE;
    if ((allowed & DROPEFFECT_COPY) != 0)
        return DROPEFFECT_COPY;
    return DROPEFFECT_NONE;
}

STDMETHODIMP FileDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL, DWORD* effect)
{
    m_accepted = false;
    m_effect = DROPEFFECT_NONE;
    if (effect == nullptr)
        return E_INVALIDARG;
    const DWORD chosen = effectFor(*effect);
    if ((keyState & MK_LBUTTON) == 0) {
        *effect = DROPEFFECT_NONE;
        return S_OK;
    }
    if (!offersOneOf(data, m_acceptedFormats)) {
        *effect = DROPEFFECT_NONE;
        return E_INVALIDARG;
    }
    m_accepted = true;
    m_effect = chosen;
    *effect = chosen;
    return S_OK;
}

STDMETHODIMP FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect)
{
    if (effect == nullptr)
        return E_INVALIDARG;
    *effect = m_accepted && (m_effect == DROPEFFECT_COPY || m_effect == DROPEFFECT_MOVE) ? m_effect : DROPEFFECT_NONE;
    return S_OK;
}

STDMETHODIMP FileDropTarget::DragLeave()
{
    m_accepted = false;
    return S_OK;
}

} // namespace ole
