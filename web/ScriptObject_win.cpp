#include "web/ScriptObject_win.h"

#include "web/Variant_win.h"

#include <dispex.h>

#include <stdexcept>
#include <string>

namespace script {

namespace {
[[noreturn]] void fail(const wchar_t* format, const ZString& name)
{
    throw std::runtime_error(ZString::format(format, name.c_str()).toUtf8());
}

[[noreturn]] void failType(const wchar_t* format, VARTYPE type)
{
    throw std::runtime_error(ZString::format(format, static_cast<int>(type)).toUtf8());
}

class Bstr {
public:
    explicit Bstr(const ZString& s) : b(SysAllocStringLen(s.c_str(), static_cast<UINT>(s.length()))) {}
    ~Bstr() { SysFreeString(b); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR b;
};

bool isAbsent(const VARIANT& v)
{
    return v.vt == VT_EMPTY || v.vt == VT_NULL;
}
} // namespace

DISPID memberId(IDispatch* object, const ZString& name)
{
    DISPID id = DISPID_UNKNOWN;
    if (object == nullptr)
        return id;
    ComPtr<IDispatchEx> ex = ComPtr<IDispatch>::share(object).query<IDispatchEx>();
    Bstr bname(name);
    if (ex) {
        if (FAILED(ex->GetDispID(bname.b, fdexNameCaseSensitive, &id)))
            id = DISPID_UNKNOWN;
        return id;
    }
    LPOLESTR names[] = {bname.b};
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id)))
        id = DISPID_UNKNOWN;
    return id;
}

HRESULT getMember(IDispatch* object, const ZString& name, VARIANT* value)
{
    VariantClear(value);
    const DISPID id = memberId(object, name);
    if (id == DISPID_UNKNOWN)
        return DISP_E_UNKNOWNNAME;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, value, nullptr, nullptr);
}

bool getBool(IDispatch* object, const ZString& name, bool defaultValue)
{
    Variant v;
    if (FAILED(getMember(object, name, &v)) || isAbsent(v.v))
        return defaultValue;
    if (FAILED(VariantChangeType(&v.v, &v.v, 0, VT_BOOL)))
        fail(L"Error getting bool for name '%ls'", name);
    return v.v.boolVal != VARIANT_FALSE;
}

int getInt(IDispatch* object, const ZString& name, int defaultValue)
{
    Variant v;
    if (FAILED(getMember(object, name, &v)) || isAbsent(v.v))
        return defaultValue;
    if (FAILED(VariantChangeType(&v.v, &v.v, 0, VT_I4)))
        fail(L"Error getting int for name '%ls'", name);
    return v.v.lVal;
}

ZString getString(IDispatch* object, const ZString& name, const ZString& defaultValue)
{
    Variant v;
    if (FAILED(getMember(object, name, &v)) || isAbsent(v.v))
        return defaultValue;
    if (FAILED(VariantChangeType(&v.v, &v.v, 0, VT_BSTR)))
        fail(L"Error getting string for name '%ls'", name);
    return ZString(v.v.bstrVal, static_cast<int>(SysStringLen(v.v.bstrVal)));
}

ComPtr<IDispatch> getDispatch(IDispatch* object, const ZString& name)
{
    Variant v;
    if (FAILED(getMember(object, name, &v)) || isAbsent(v.v))
        return ComPtr<IDispatch>();
    if (v.v.vt != VT_DISPATCH)
        fail(L"Error getting dispatch for name '%ls'", name);
    return ComPtr<IDispatch>::share(v.v.pdispVal);
}

int toInt(const VARIANT& value)
{
    Variant v;
    if (FAILED(VariantChangeType(&v.v, const_cast<VARIANT*>(&value), 0, VT_I4)))
        failType(L"Error converting from '%d' to int", value.vt);
    return v.v.lVal;
}

ZString toString(const VARIANT& value)
{
    Variant v;
    if (FAILED(VariantChangeType(&v.v, const_cast<VARIANT*>(&value), 0, VT_BSTR)))
        failType(L"Error converting from '%d' to string", value.vt);
    return ZString(v.v.bstrVal, static_cast<int>(SysStringLen(v.v.bstrVal)));
}

std::vector<ZString> memberNames(IDispatch* object)
{
    std::vector<ZString> names;
    ComPtr<IDispatchEx> ex = ComPtr<IDispatch>::share(object).query<IDispatchEx>();
    if (!ex)
        return names;
    DISPID id = DISPID_STARTENUM;
    while (ex->GetNextDispID(fdexEnumDefault, id, &id) == S_OK) {
        BSTR name = nullptr;
        if (SUCCEEDED(ex->GetMemberName(id, &name)) && name != nullptr)
            names.emplace_back(name, static_cast<int>(SysStringLen(name)));
        SysFreeString(name);
    }
    return names;
}

HRESULT setMember(IDispatch* object, const ZString& name, const VARIANT& value)
{
    if (object == nullptr)
        return E_POINTER;
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {const_cast<VARIANT*>(&value), &putId, 1, 1};
    Bstr bname(name);
    ComPtr<IDispatchEx> ex = ComPtr<IDispatch>::share(object).query<IDispatchEx>();
    if (ex) {
        DISPID id = DISPID_UNKNOWN;
        const HRESULT hr = ex->GetDispID(bname.b, fdexNameEnsure | fdexNameCaseSensitive, &id);
        if (FAILED(hr))
            return hr;
        return ex->InvokeEx(id, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    }
    const DISPID id = memberId(object, name);
    if (id == DISPID_UNKNOWN)
        return DISP_E_UNKNOWNNAME;
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

HRESULT setString(IDispatch* object, const ZString& name, const ZString& value)
{
    Variant v;
    v.v.vt = VT_BSTR;
    v.v.bstrVal = SysAllocStringLen(value.c_str(), static_cast<UINT>(value.length()));
    return setMember(object, name, v.v);
}

HRESULT setBool(IDispatch* object, const ZString& name, bool value)
{
    VARIANT v;
    v.vt = VT_BOOL;
    v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return setMember(object, name, v);
}

HRESULT setInt(IDispatch* object, const ZString& name, int value)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = value;
    return setMember(object, name, v);
}

HRESULT setObject(IDispatch* object, const ZString& name, IDispatch* value)
{
    VARIANT v;
    v.vt = VT_DISPATCH;
    v.pdispVal = value; // borrowed: setMember does not take it over
    return setMember(object, name, v);
}

HRESULT callMember(IDispatch* object, const ZString& name, const std::vector<VARIANT>& args, VARIANT* result)
{
    const DISPID id = memberId(object, name);
    if (id == DISPID_UNKNOWN)
        return DISP_E_UNKNOWNNAME;
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, nullptr, nullptr);
}

ComPtr<IDispatch> newObject(IDispatch* scriptGlobal)
{
    ComPtr<IDispatch> ctor = getDispatch(scriptGlobal, L"Object");
    if (!ctor)
        return ComPtr<IDispatch>();
    Variant result;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    ComPtr<IDispatchEx> ex = ctor.query<IDispatchEx>();
    HRESULT hr = ex ? ex->InvokeEx(DISPID_VALUE, LOCALE_USER_DEFAULT, DISPATCH_CONSTRUCT, &none, &result.v, nullptr, nullptr)
                    : ctor->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result.v, nullptr, nullptr);
    if (FAILED(hr) || result.v.vt != VT_DISPATCH)
        return ComPtr<IDispatch>();
    return ComPtr<IDispatch>::share(result.v.pdispVal);
}

ComPtr<IDispatch> newObject(IDispatch* scriptGlobal, const std::map<ZString, ZString>& members)
{
    ComPtr<IDispatch> object = newObject(scriptGlobal);
    for (const auto& [name, value] : members)
        setString(object.get(), name, value);
    return object;
}

} // namespace script
