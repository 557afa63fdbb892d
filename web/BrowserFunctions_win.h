// The five functions the in-app page calls on window.external: "fetchUrl",
// "getAppInfo", "addTextContentType", "setAsyncJobWorkerCount" and "test".
#pragma once

#include "web/ScriptFunctionDispatcher.h"
#include "web/ScriptPage.h"

class BrowserFunctions : public ScriptFunctionDispatcher {
public:
    explicit BrowserFunctions(ScriptPage* page) : m_page(page) {}

    std::vector<ZString> functionNames() const override;
    HRESULT invokeFunction(const ZString& name, DISPPARAMS* params, VARIANT* result) override;

private:
    HRESULT fetchUrl(DISPPARAMS* params);
    HRESULT getAppInfo(VARIANT* result);
    HRESULT addTextContentType(DISPPARAMS* params);
    HRESULT setAsyncJobWorkerCount(DISPPARAMS* params);
    HRESULT test(DISPPARAMS* params);

    ScriptPage* m_page;
};
