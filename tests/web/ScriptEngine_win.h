// Wine's real JScript engine for the bridge's tests: window.external is the
// ExternalImpl under test, and the engine's global object plays the page's.
#pragma once

#include "base/ZString.h"
#include "web/ComPtr.h"
#include "web/ScriptPage.h"

#include <activscp.h>
#include <windows.h>

#include <ostream>

class ScriptEngine : public IActiveScriptSite, public ScriptPage {
public:
    explicit ScriptEngine(IDispatch* external);
    ~ScriptEngine();
    ScriptEngine(const ScriptEngine&) = delete;
    ScriptEngine& operator=(const ScriptEngine&) = delete;

    bool ok() const { return static_cast<bool>(m_parse); }
    // Runs statements; false when the script raised an error.
    bool run(const ZString& code);
    // The value of an expression as text ("undefined" when it has none).
    ZString eval(const ZString& expression);
    // Pumps this thread's messages until the expression is true (bounded).
    bool waitUntil(const ZString& expression);

    HWND pageWindow() const override { return m_window; }
    ComPtr<IDispatch> scriptGlobal() override;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetLCID(LCID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnStateChange(SCRIPTSTATE) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnScriptError(IActiveScriptError*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnEnterScript() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnLeaveScript() override { return S_OK; }

private:
    IDispatch* m_external;
    ComPtr<IActiveScript> m_script;
    ComPtr<IActiveScriptParse> m_parse;
    HWND m_window = nullptr;
};

// Readable failures for texts compared in the tests.
inline void PrintTo(const ZString& text, std::ostream* out)
{
    *out << '"' << text.toUtf8() << '"';
}
