#include "web/BrowserFunctions_win.h"

#include "env/Identity.h"
#include "base/Settings.h"
#include "web/AsyncJobProcessor_win.h"
#include "web/Banner_win.h"
#include "web/FetchUrlJob_win.h"
#include "web/ScriptObject_win.h"
#include "web/TextContentTypes.h"
#include "web/Variant_win.h"

#include <stdexcept>

namespace {
// The argument as the page passed it (by reference or not).
const VARIANT* firstArgument(DISPPARAMS* params)
{
    if (params == nullptr || params->cArgs < 1)
        return nullptr;
    const VARIANT* v = &params->rgvarg[params->cArgs - 1];
    if (v->vt == (VT_VARIANT | VT_BYREF))
        v = v->pvarVal;
    return v;
}
} // namespace

std::vector<ZString> BrowserFunctions::functionNames() const
{
    return {L"fetchUrl", L"getAppInfo", L"addTextContentType", L"setAsyncJobWorkerCount", L"test"};
}

HRESULT BrowserFunctions::invokeFunction(const ZString& name, DISPPARAMS* params, VARIANT* result)
{
    try {
        if (name == L"fetchUrl")
            return fetchUrl(params);
        if (name == L"getAppInfo")
            return getAppInfo(result);
        if (name == L"addTextContentType")
            return addTextContentType(params);
        if (name == L"setAsyncJobWorkerCount")
            return setAsyncJobWorkerCount(params);
        if (name == L"test")
            return test(params);
    } catch (const std::exception&) {
        return E_FAIL;
    }
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT BrowserFunctions::fetchUrl(DISPPARAMS* params)
{
    const VARIANT* arg = firstArgument(params);
    if (arg == nullptr || arg->vt != VT_DISPATCH || arg->pdispVal == nullptr)
        return E_INVALIDARG;
    AsyncJobProcessor::instance().enqueue(new FetchUrlJob(m_page, arg->pdispVal));
    return S_OK;
}

HRESULT BrowserFunctions::getAppInfo(VARIANT* result)
{
    ComPtr<IDispatch> global = m_page->scriptGlobal();
    ComPtr<IDispatch> info = script::newObject(global.get());
    if (!info)
        return E_FAIL;
    const IdentityRecord id = identityRecord();
    IDispatch* o = info.get();
    script::setString(o, L"name", id.name);
    script::setString(o, L"version", id.version);
    script::setString(o, L"lang", id.lang);
    script::setString(o, L"installId", id.iid);
    script::setString(o, L"userId", id.uid);
    script::setString(o, L"quilletId", id.cid);
    script::setString(o, L"osVersion", id.os);
    script::setInt(o, L"lcid", static_cast<int>(id.lcid));
    const bool custom = !customBannerFile().isEmpty();
    script::setBool(o, L"isCustomBanner", custom);
    if (custom) {
        script::setString(o, L"customBannerSrc", L"tamlo:banner");
        script::setString(o, L"customBannerUrl", progConfig_getStr(L"LogoClickUrl", ZString()));
    }
    if (result != nullptr) {
        VariantInit(result);
        result->vt = VT_DISPATCH;
        result->pdispVal = o;
        o->AddRef();
    }
    return S_OK;
}

HRESULT BrowserFunctions::addTextContentType(DISPPARAMS* params)
{
    const VARIANT* arg = firstArgument(params);
    if (arg == nullptr || arg->vt != VT_BSTR)
        return E_INVALIDARG;
    ::addTextContentType(ZString(arg->bstrVal, static_cast<int>(SysStringLen(arg->bstrVal))));
    return S_OK;
}

HRESULT BrowserFunctions::setAsyncJobWorkerCount(DISPPARAMS* params)
{
    const VARIANT* arg = firstArgument(params);
    if (arg == nullptr)
        return E_INVALIDARG;
    AsyncJobProcessor::instance().setWorkerCount(script::toInt(*arg));
    return S_OK;
}

HRESULT BrowserFunctions::test(DISPPARAMS* params)
{
    const VARIANT* arg = firstArgument(params);
    if (arg == nullptr || arg->vt != VT_DISPATCH || arg->pdispVal == nullptr)
        return E_INVALIDARG;
    IDispatch* o = arg->pdispVal;
    script::getString(o, L"key0", ZString());
    script::getString(o, L"key1", ZString());
    script::getString(o, L"key2", ZString());
    if (ComPtr<IDispatch> key3 = script::getDispatch(o, L"key3")) {
        Variant first;
        script::getMember(key3.get(), L"0", &first);
        script::getInt(key3.get(), L"length", 0);
    }
    Variant text;
    text.v.vt = VT_BSTR;
    text.v.bstrVal = SysAllocString(L"This is an argument");
    script::callMember(o, L"callback", {text.v});
    script::setString(o, L"key0", L"XXXX");
    script::setString(o, L"result", L"XXXX");
    return S_OK;
}
