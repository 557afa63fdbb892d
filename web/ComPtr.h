// The one owner of a COM interface pointer: releases it when it goes.
#pragma once

#include <unknwn.h>

#include <utility>

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit ComPtr(T* p) : m_p(p) {}
    ComPtr(const ComPtr& o) : m_p(o.m_p) { if (m_p) m_p->AddRef(); }
    ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ~ComPtr() { reset(); }
    ComPtr& operator=(ComPtr o) noexcept
    {
        std::swap(m_p, o.m_p);
        return *this;
    }

    // Adds a reference of its own.
    static ComPtr share(T* p)
    {
        if (p)
            p->AddRef();
        return ComPtr(p);
    }

    void reset()
    {
        if (m_p)
            m_p->Release();
        m_p = nullptr;
    }
    // For out-parameters: releases what is held, then hands out the slot.
    T** put()
    {
        reset();
        return &m_p;
    }
    template <class U>
    ComPtr<U> query() const
    {
        ComPtr<U> out;
        if (m_p)
            m_p->QueryInterface(__uuidof(U), reinterpret_cast<void**>(out.put()));
        return out;
    }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};
