#include "tests/web/ScriptEngine_win.h"

#include "web/Variant_win.h"

ScriptEngine::ScriptEngine(IDispatch* external) : m_external(external)
{
    m_window = CreateWindowExW(0, L"STATIC", L"page", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    CLSID jscript;
    if (FAILED(CLSIDFromProgID(L"JScript", &jscript)))
        return;
    if (FAILED(CoCreateInstance(jscript, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveScript,
                                reinterpret_cast<void**>(m_script.put()))))
        return;
    ComPtr<IActiveScriptParse> parse = m_script.query<IActiveScriptParse>();
    if (!parse || FAILED(parse->InitNew()) || FAILED(m_script->SetScriptSite(this)))
        return;
    m_script->AddNamedItem(L"external", SCRIPTITEM_ISVISIBLE);
    m_script->SetScriptState(SCRIPTSTATE_CONNECTED);
    m_parse = parse;
}

ScriptEngine::~ScriptEngine()
{
    m_parse.reset();
    if (m_script)
        m_script->Close();
    m_script.reset();
    if (m_window != nullptr)
        DestroyWindow(m_window);
}

bool ScriptEngine::run(const ZString& code)
{
    EXCEPINFO error{};
    const HRESULT hr = m_parse->ParseScriptText(code.c_str(), nullptr, nullptr, nullptr, 0, 0, 0, nullptr, &error);
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrHelpFile);
    return SUCCEEDED(hr);
}

ZString ScriptEngine::eval(const ZString& expression)
{
    Variant value;
    EXCEPINFO error{};
    const ZString code = ZString(L"String(") + expression + L")";
    const HRESULT hr =
        m_parse->ParseScriptText(code.c_str(), nullptr, nullptr, nullptr, 0, 0, SCRIPTTEXT_ISEXPRESSION, &value.v, &error);
    SysFreeString(error.bstrSource);
    SysFreeString(error.bstrDescription);
    SysFreeString(error.bstrHelpFile);
    if (FAILED(hr))
        return ZString::format(L"<error 0x%08x>", static_cast<unsigned>(hr));
    if (value.v.vt != VT_BSTR)
        return L"<not a string>";
    return ZString(value.v.bstrVal, static_cast<int>(SysStringLen(value.v.bstrVal)));
}

bool ScriptEngine::waitUntil(const ZString& expression)
{
    for (int round = 0; round < 600; ++round) { // at most about 30 s
        if (eval(expression) == L"true")
            return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return false;
}

ComPtr<IDispatch> ScriptEngine::scriptGlobal()
{
    ComPtr<IDispatch> global;
    if (m_script)
        m_script->GetScriptDispatch(nullptr, global.put());
    return global;
}

HRESULT ScriptEngine::QueryInterface(REFIID riid, void** object)
{
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IActiveScriptSite)) {
        *object = static_cast<IActiveScriptSite*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT ScriptEngine::GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** info)
{
    if (info != nullptr)
        *info = nullptr;
    if (item != nullptr)
        *item = nullptr;
    if (wcscmp(name, L"external") != 0)
        return TYPE_E_ELEMENTNOTFOUND;
    if ((mask & SCRIPTINFO_IUNKNOWN) && item != nullptr) {
        *item = m_external;
        m_external->AddRef();
    }
    return S_OK;
}
