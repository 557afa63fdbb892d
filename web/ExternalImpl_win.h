// window.external of the in-app page: offers the dispatcher's function names,
// gives true when one of them is read as a property and forwards calls.
#pragma once

#include "base/ZString.h"
#include "web/ScriptFunctionDispatcher.h"

#include <oaidl.h>

#include <atomic>
#include <map>
#include <vector>

class ExternalImpl : public IDispatch {
public:
    explicit ExternalImpl(ScriptFunctionDispatcher* dispatcher);
    virtual ~ExternalImpl() = default;

    void registerFunctions(const std::vector<ZString>& names);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override;

private:
    ScriptFunctionDispatcher* m_dispatcher; // the browser, which owns this object
    std::vector<ZString> m_names;
    std::map<ZString, DISPID> m_ids;
    std::map<DISPID, ZString> m_namesById;
    std::atomic<ULONG> m_refs{1};
};
