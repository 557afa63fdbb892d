// Intrusive reference counting for the PDF objects.
//
// An object starts with a count of 0; the first IPtr that takes it raises the
// count to 1, and the IPtr that drops it from 1 to 0 deletes it through the
// virtual destructor. Counts are plain integers: a document and its objects are
// used by one thread at a time. Objects shared by every document (the well-known
// names, null) are made immortal: their count is never changed again, so any
// thread may hold them.
#pragma once

#include <cstdint>
#include <utility>

namespace zpdf {

class IPtrBase {
public:
    IPtrBase() = default;
    // A copy is a new object: it starts unowned.
    IPtrBase(const IPtrBase&) {}
    IPtrBase& operator=(const IPtrBase&) { return *this; }
    virtual ~IPtrBase() = default;

    void addRef()
    {
        if (m_refCount < kImmortal)
            ++m_refCount;
    }
    void release()
    {
        if (m_refCount < kImmortal && --m_refCount == 0)
            delete this;
    }
    int32_t refCount() const { return m_refCount; }
    // From now on the object is never counted or deleted.
    void makeImmortal() { m_refCount = kImmortal; }

private:
    static constexpr int32_t kImmortal = 1 << 30;

    int32_t m_refCount = 0;
};

template <typename T>
class IPtr {
public:
    IPtr() = default;
    IPtr(std::nullptr_t) {}
    IPtr(T* p) : m_p(p) { acquire(); }
    IPtr(const IPtr& o) : m_p(o.m_p) { acquire(); }
    IPtr(IPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    template <typename U>
    IPtr(const IPtr<U>& o) : m_p(o.get())
    {
        acquire();
    }
    ~IPtr() { drop(); }

    IPtr& operator=(const IPtr& o)
    {
        IPtr(o).swap(*this);
        return *this;
    }
    IPtr& operator=(IPtr&& o) noexcept
    {
        IPtr(std::move(o)).swap(*this);
        return *this;
    }
    IPtr& operator=(std::nullptr_t)
    {
        reset();
        return *this;
    }

    void reset() { IPtr().swap(*this); }
    void swap(IPtr& o) noexcept { std::swap(m_p, o.m_p); }

    T* get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    template <typename U>
    bool operator==(const IPtr<U>& o) const { return m_p == o.get(); }
    bool operator==(std::nullptr_t) const { return m_p == nullptr; }

private:
    void acquire()
    {
        if (m_p != nullptr)
            m_p->addRef();
    }
    void drop()
    {
        if (m_p != nullptr)
            m_p->release();
    }

    T* m_p = nullptr;
};

// The object as T when it is one (checked), else null.
template <typename T, typename U>
IPtr<T> dynamicCast(const IPtr<U>& p)
{
    return IPtr<T>(dynamic_cast<T*>(p.get()));
}

} // namespace zpdf
