#include "gui/Dpi.h"

#include "base/ScreenResolution.h"

#include <windows.h>

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using SetAwarenessContextFn = BOOL(WINAPI*)(HANDLE);
using SetAwarenessFn = HRESULT(WINAPI*)(int);

template <typename F> F proc(const wchar_t* module, const char* name)
{
    HMODULE handle = GetModuleHandleW(module);
    if (handle == nullptr)
        handle = LoadLibraryW(module); // stays loaded for the process, as system libraries do
    return handle != nullptr ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

} // namespace

int dpiOf(HWND window)
{
    static const auto getDpiForWindow = proc<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    // A hidden child reports the primary monitor; its top-level window knows where it is.
    HWND top = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
    if (top != nullptr && getDpiForWindow != nullptr) {
        const UINT dpi = getDpiForWindow(top);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    return screenResolution();
}

void enableDpiAwareness()
{
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and _PER_MONITOR_AWARE.
    const auto setContext = proc<SetAwarenessContextFn>(L"user32.dll", "SetProcessDpiAwarenessContext");
    if (setContext != nullptr &&
        (setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4))) ||
         setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3)))))
        return;
    const auto setAwareness = proc<SetAwarenessFn>(L"shcore.dll", "SetProcessDpiAwareness");
    if (setAwareness != nullptr && SUCCEEDED(setAwareness(2))) // PROCESS_PER_MONITOR_DPI_AWARE
        return;
    SetProcessDPIAware();
}
