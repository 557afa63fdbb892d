#include "web/TamloProtocol_win.h"

#include "web/Banner_win.h"

#include <algorithm>
#include <cstring>

HRESULT TamloProtocolImpl::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IInternetProtocolRoot) ||
        IsEqualIID(riid, IID_IInternetProtocol)) {
        *object = static_cast<IInternetProtocol*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG TamloProtocolImpl::AddRef()
{
    return ++m_refs;
}

ULONG TamloProtocolImpl::Release()
{
    const ULONG n = --m_refs;
    if (n == 0)
        delete this;
    return n;
}

HRESULT TamloProtocolImpl::Start(LPCWSTR url, IInternetProtocolSink* sink, IInternetBindInfo*, DWORD, HANDLE_PTR)
{
    const ZString text(url != nullptr ? url : L"");
    if (!text.startsWith(L"tamlo:") || !text.substring(6).startsWith(L"banner"))
        return S_FALSE;
    m_position = 0;
    if (!loadBanner(m_response, m_mimeType))
        return S_FALSE;
    if (sink != nullptr) {
        const ULONG size = static_cast<ULONG>(m_response.length());
        sink->ReportProgress(BINDSTATUS_VERIFIEDMIMETYPEAVAILABLE, m_mimeType.c_str());
        sink->ReportData(BSCF_FIRSTDATANOTIFICATION, 0, size);
        sink->ReportData(BSCF_LASTDATANOTIFICATION | BSCF_DATAFULLYAVAILABLE, size, size);
        sink->ReportResult(S_OK, 0, nullptr);
    }
    return S_OK;
}

HRESULT TamloProtocolImpl::Read(void* buffer, ULONG size, ULONG* read)
{
    const size_t remaining = m_response.length() - m_position;
    const size_t n = std::min(static_cast<size_t>(size), remaining);
    if (read != nullptr)
        *read = static_cast<ULONG>(n);
    if (n == 0)
        return S_FALSE;
    std::memcpy(buffer, m_response.data() + m_position, n);
    m_position += n;
    return S_OK;
}

HRESULT TamloProtocolFactory::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
        *object = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT TamloProtocolFactory::CreateInstance(IUnknown* outer, REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    *object = nullptr;
    if (outer != nullptr)
        return CLASS_E_NOAGGREGATION;
    auto* protocol = new TamloProtocolImpl();
    const HRESULT hr = protocol->QueryInterface(riid, object);
    protocol->Release();
    return hr;
}

TamloProtocolFactory& TamloProtocolFactory::instance()
{
    static TamloProtocolFactory factory;
    return factory;
}
