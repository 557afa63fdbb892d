// The page the bridge serves: its window (whose thread runs its scripts) and
// its script global object (where the "Object" constructor lives).
#pragma once

#include "web/ComPtr.h"

#include <windows.h>
#include <oaidl.h>

class ScriptPage {
public:
    virtual ~ScriptPage() = default;
    virtual HWND pageWindow() const = 0;
    virtual ComPtr<IDispatch> scriptGlobal() = 0;
};
