// ole::EnumFormatEtc: IEnumFORMATETC over its own copy of a format list.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <vector>

namespace ole {

class EnumFormatEtc : public IEnumFORMATETC {
public:
    // Starts with one reference, held by its creator.
    explicit EnumFormatEtc(std::vector<FORMATETC> formats, size_t position = 0)
        : m_formats(std::move(formats)), m_position(position)
    {
    }
    EnumFormatEtc(const EnumFormatEtc&) = delete;
    EnumFormatEtc& operator=(const EnumFormatEtc&) = delete;

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumFORMATETC** copy) override;

private:
    virtual ~EnumFormatEtc() = default;

    LONG m_refs = 1;
    std::vector<FORMATETC> m_formats;
    size_t m_position;
};

} // namespace ole
