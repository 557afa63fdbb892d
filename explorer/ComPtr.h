// ComPtr: the one owner of a COM interface pointer; releases it when it goes.
#pragma once

#include <utility>

namespace ole {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit ComPtr(T* adopted) : m_p(adopted) {}
    ComPtr(const ComPtr& other) : m_p(other.m_p)
    {
        if (m_p != nullptr)
            m_p->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~ComPtr() { reset(); }
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // A new reference to p.
    static ComPtr share(T* p)
    {
        if (p != nullptr)
            p->AddRef();
        return ComPtr(p);
    }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For calls that hand out a new reference: releases the old one first.
    T** put()
    {
        reset();
        return &m_p;
    }
    void reset()
    {
        if (m_p != nullptr)
            std::exchange(m_p, nullptr)->Release();
    }
    // Gives the reference to the caller.
    T* detach() { return std::exchange(m_p, nullptr); }

private:
    T* m_p = nullptr;
};

} // namespace ole
