// ole::DataObject: a reference-counted IDataObject with the list of formats it
// offers and a store of media that others put in through SetData (the shell
// marks performed effects and drop descriptions that way). GetData answers
// from that store first, then from the derived class.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <vector>

namespace ole {

class DataObject : public IDataObject {
public:
    // Starts with one reference, held by its creator.
    DataObject() = default;
    DataObject(const DataObject&) = delete;
    DataObject& operator=(const DataObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
    STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
    STDMETHODIMP DUnadvise(DWORD connection) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA** enumerator) override;

protected:
    virtual ~DataObject();

    // The answer for an offered format that the store does not hold.
    virtual HRESULT getOwnData(const FORMATETC& format, STGMEDIUM& medium);

    void offer(const FORMATETC& format) { m_offered.push_back(format); }
    const std::vector<FORMATETC>& offered() const { return m_offered; }
    const FORMATETC* findOffered(CLIPFORMAT format) const;
    // Keeps a copy of medium under format, replacing an earlier one.
    bool keep(const FORMATETC& format, const STGMEDIUM& medium);

private:
    struct Stored {
        FORMATETC format;
        STGMEDIUM medium; // owned, released with the object
    };
    Stored* findStored(const FORMATETC& format);
    // Takes over medium (which the caller gave up) under format.
    void store(const FORMATETC& format, const STGMEDIUM& medium);

    LONG m_refs = 1;
    std::vector<FORMATETC> m_offered;
    std::vector<Stored> m_store;
};

} // namespace ole
