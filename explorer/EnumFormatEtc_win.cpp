#include "explorer/EnumFormatEtc_win.h"

namespace ole {

STDMETHODIMP EnumFormatEtc::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IEnumFORMATETC)) {
        *object = static_cast<IEnumFORMATETC*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) EnumFormatEtc::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) EnumFormatEtc::Release()
{
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

STDMETHODIMP EnumFormatEtc::Next(ULONG count, FORMATETC* formats, ULONG* fetched)
{
    if (formats == nullptr || (count > 1 && fetched == nullptr))
        return E_INVALIDARG;
    ULONG n = 0;
    while (n < count && m_position < m_formats.size())
        formats[n++] = m_formats[m_position++];
    if (fetched != nullptr)
        *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP EnumFormatEtc::Skip(ULONG count)
{
    const size_t left = m_formats.size() - m_position;
    if (count > left) {
        m_position = m_formats.size();
        return S_FALSE;
    }
    m_position += count;
    return S_OK;
}

STDMETHODIMP EnumFormatEtc::Reset()
{
    m_position = 0;
    return S_OK;
}

STDMETHODIMP EnumFormatEtc::Clone(IEnumFORMATETC** copy)
{
    if (copy == nullptr)
        return E_INVALIDARG;
    *copy = new EnumFormatEtc(m_formats, m_position);
    return S_OK;
}

} // namespace ole
