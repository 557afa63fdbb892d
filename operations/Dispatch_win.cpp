#include "operations/Dispatch.h"

#include <oleauto.h>

#include <vector>

DispatchPtr& DispatchPtr::operator=(DispatchPtr&& other) noexcept
{
    if (this != &other) {
        reset();
        m_object = other.m_object;
        other.m_object = nullptr;
    }
    return *this;
}

void DispatchPtr::reset()
{
    if (m_object != nullptr)
        m_object->Release();
    m_object = nullptr;
}

namespace {

HRESULT invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT>& reversed,
               bool isPut, VARIANT* result)
{
    if (object == nullptr)
        return E_POINTER;
    DISPID member = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
    if (FAILED(hr))
        return hr;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS parameters{};
    parameters.rgvarg = reversed.empty() ? nullptr : reversed.data();
    parameters.cArgs = static_cast<UINT>(reversed.size());
    if (isPut) {
        parameters.rgdispidNamedArgs = &named;
        parameters.cNamedArgs = 1;
    }
    return object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result, nullptr, nullptr);
}

} // namespace

HRESULT DispatchPtr::call(const wchar_t* name, WORD flags, std::initializer_list<VARIANT> arguments,
                          VARIANT* result) const
{
    // Automation takes the arguments last to first.
    std::vector<VARIANT> reversed(arguments.begin(), arguments.end());
    std::vector<VARIANT>(reversed.rbegin(), reversed.rend()).swap(reversed);
    if (result != nullptr)
        VariantClear(result);
    return invoke(m_object, name, flags, reversed, false, result);
}

HRESULT DispatchPtr::put(const wchar_t* name, const VARIANT& value) const
{
    std::vector<VARIANT> arguments{value};
    return invoke(m_object, name, DISPATCH_PROPERTYPUT, arguments, true, nullptr);
}

DispatchPtr DispatchPtr::object(const wchar_t* name, WORD flags, std::initializer_list<VARIANT> arguments) const
{
    Variant result;
    if (FAILED(call(name, flags, arguments, result.out())) || result.get().vt != VT_DISPATCH ||
        result.get().pdispVal == nullptr)
        return DispatchPtr();
    IDispatch* object = result.get().pdispVal;
    object->AddRef();
    return DispatchPtr(object);
}

Variant::Variant(const wchar_t* text)
{
    VariantInit(&m_value);
    m_value.vt = VT_BSTR;
    m_value.bstrVal = SysAllocString(text);
}

Variant::Variant(long number)
{
    VariantInit(&m_value);
    m_value.vt = VT_I4;
    m_value.lVal = number;
}
