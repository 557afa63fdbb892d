// Where the page's window.external calls end up.
#pragma once

#include "base/ZString.h"

#include <oaidl.h>

#include <vector>

class ScriptFunctionDispatcher {
public:
    virtual ~ScriptFunctionDispatcher() = default;
    virtual std::vector<ZString> functionNames() const = 0;
    // DISP_E_MEMBERNOTFOUND for a name not offered.
    virtual HRESULT invokeFunction(const ZString& name, DISPPARAMS* params, VARIANT* result) = 0;
};
