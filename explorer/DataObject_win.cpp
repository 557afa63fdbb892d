#include "explorer/DataObject_win.h"

#include "explorer/EnumFormatEtc_win.h"
#include "explorer/Medium_win.h"

namespace ole {

DataObject::~DataObject()
{
    for (Stored& stored : m_store)
        ReleaseStgMedium(&stored.medium);
}

STDMETHODIMP DataObject::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) DataObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

STDMETHODIMP_(ULONG) DataObject::Release()
{
    const LONG refs = InterlockedDecrement(&m_refs);
    if (refs == 0)
        delete this;
    return static_cast<ULONG>(refs);
}

DataObject::Stored* DataObject::findStored(const FORMATETC& format)
{
    for (Stored& stored : m_store)
        if (stored.format.cfFormat == format.cfFormat && stored.format.lindex == format.lindex)
            return &stored;
    return nullptr;
}

const FORMATETC* DataObject::findOffered(CLIPFORMAT format) const
{
    for (const FORMATETC& offered : m_offered)
        if (offered.cfFormat == format)
            return &offered;
    return nullptr;
}

void DataObject::store(const FORMATETC& format, const STGMEDIUM& medium)
{
    if (Stored* old = findStored(format)) {
        ReleaseStgMedium(&old->medium);
        old->format = format;
        old->medium = medium;
        return;
    }
    m_store.push_back({format, medium});
}

bool DataObject::keep(const FORMATETC& format, const STGMEDIUM& medium)
{
    STGMEDIUM copy;
    if (!copyMedium(medium, copy))
        return false;
    store(format, copy);
    return true;
}

STDMETHODIMP DataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (format == nullptr || medium == nullptr)
        return E_INVALIDARG;
    *medium = STGMEDIUM{};
    if (Stored* stored = findStored(*format)) {
        if ((stored->medium.tymed & format->tymed) == 0)
            return DV_E_TYMED;
        return copyMedium(stored->medium, *medium) ? S_OK : E_OUTOFMEMORY;
    }
    return getOwnData(*format, *medium);
}

HRESULT DataObject::getOwnData(const FORMATETC&, STGMEDIUM&) { return DV_E_FORMATETC; }

STDMETHODIMP DataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

STDMETHODIMP DataObject::QueryGetData(FORMATETC* format)
{
    if (format == nullptr)
        return E_INVALIDARG;
    if (findStored(*format) != nullptr)
        return S_OK;
    const FORMATETC* offered = findOffered(format->cfFormat);
    if (offered == nullptr)
        return DV_E_FORMATETC;
    if (format->dwAspect != DVASPECT_CONTENT)
        return DV_E_DVASPECT;
    return (offered->tymed & format->tymed) != 0 ? S_OK : DV_E_TYMED;
}

STDMETHODIMP DataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out)
{
    if (out == nullptr)
        return E_INVALIDARG;
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP DataObject::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release)
{
    if (format == nullptr || medium == nullptr)
        return E_INVALIDARG;
    if (release) {
        store(*format, *medium);
        return S_OK;
    }
    return keep(*format, *medium) ? S_OK : DV_E_TYMED;
}

STDMETHODIMP DataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator)
{
    if (enumerator == nullptr)
        return E_INVALIDARG;
    *enumerator = nullptr;
    if (direction != DATADIR_GET)
        return E_NOTIMPL;
    *enumerator = new ole::EnumFormatEtc(m_offered);
    return S_OK;
}

STDMETHODIMP DataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }

STDMETHODIMP DataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }

STDMETHODIMP DataObject::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

} // namespace ole
