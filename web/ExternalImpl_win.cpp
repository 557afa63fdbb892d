#include "web/ExternalImpl_win.h"

namespace {
constexpr DISPID kFirstFunctionId = 1000;

bool needsArgument(const ZString& name)
{
    return name == L"fetchUrl" || name == L"addTextContentType" || name == L"setAsyncJobWorkerCount" || name == L"test";
}
} // namespace

ExternalImpl::ExternalImpl(ScriptFunctionDispatcher* dispatcher) : m_dispatcher(dispatcher) {}

void ExternalImpl::registerFunctions(const std::vector<ZString>& names)
{
    for (const ZString& name : names) {
        if (m_ids.count(name) != 0)
            continue;
        const DISPID id = kFirstFunctionId + static_cast<DISPID>(m_names.size());
        m_names.push_back(name);
        m_ids[name] = id;
        m_namesById[id] = name;
    }
}

HRESULT ExternalImpl::QueryInterface(REFIID riid, void** object)
{
    if (object == nullptr)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG ExternalImpl::AddRef()
{
    return ++m_refs;
}

// The owner keeps the object alive; the count only tells how many hold it.
ULONG ExternalImpl::Release()
{
    return --m_refs;
}

HRESULT ExternalImpl::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT ExternalImpl::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info != nullptr)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT ExternalImpl::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    if (names == nullptr || ids == nullptr)
        return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        const auto it = m_ids.find(ZString(names[i]));
        if (it == m_ids.end()) {
            ids[i] = DISPID_UNKNOWN;
            hr = DISP_E_UNKNOWNNAME;
        } else {
            ids[i] = it->second;
        }
    }
    return hr;
}

HRESULT ExternalImpl::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                             UINT*)
{
    const auto it = m_namesById.find(id);
    if (it == m_namesById.end())
        return DISP_E_MEMBERNOTFOUND;
    const ZString& name = it->second;
    if ((flags & DISPATCH_PROPERTYGET) && !(flags & DISPATCH_METHOD)) {
        if (result != nullptr) {
            VariantInit(result);
            result->vt = VT_BOOL;
            result->boolVal = VARIANT_TRUE;
        }
        return S_OK;
    }
    if (needsArgument(name) && (params == nullptr || params->cArgs == 0))
        return E_INVALIDARG;
    if (result != nullptr)
        VariantInit(result);
    return m_dispatcher->invokeFunction(name, params, name == L"getAppInfo" ? result : nullptr);
}
