// Late-bound automation: calls on an IDispatch by member name, with the COM
// pointers and variants held by owners that release them.
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <initializer_list>

// One IDispatch reference, released when it goes.
class DispatchPtr {
public:
    DispatchPtr() = default;
    explicit DispatchPtr(IDispatch* adopted) : m_object(adopted) {}
    ~DispatchPtr() { reset(); }
    DispatchPtr(const DispatchPtr&) = delete;
    DispatchPtr& operator=(const DispatchPtr&) = delete;
    DispatchPtr(DispatchPtr&& other) noexcept : m_object(other.m_object) { other.m_object = nullptr; }
    DispatchPtr& operator=(DispatchPtr&& other) noexcept;
    void reset();
    IDispatch* get() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }

    // Calls a method or reads a property (flags DISPATCH_METHOD and/or
    // DISPATCH_PROPERTYGET) with the arguments in their natural order; the
    // result goes into result (cleared first) when given.
    HRESULT call(const wchar_t* name, WORD flags, std::initializer_list<VARIANT> arguments,
                 VARIANT* result = nullptr) const;
    // Sets a property.
    HRESULT put(const wchar_t* name, const VARIANT& value) const;
    // A method or property whose result is an object.
    DispatchPtr object(const wchar_t* name, WORD flags, std::initializer_list<VARIANT> arguments) const;

private:
    IDispatch* m_object = nullptr;
};

// A variant that owns what it holds.
class Variant {
public:
    Variant() { VariantInit(&m_value); }
    explicit Variant(const wchar_t* text);
    explicit Variant(long number);
    ~Variant() { VariantClear(&m_value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    const VARIANT& get() const { return m_value; }
    VARIANT* out() { VariantClear(&m_value); return &m_value; }

private:
    VARIANT m_value;
};
