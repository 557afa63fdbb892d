// The interfaces between long-running work and the operation-progress service
// that shows it: the service drives an Operation (run, cancel) and hands it an
// OperationContext to report its message and expected duration to.
// Slot orders are fixed; new operations go at the end.
#pragma once

#include "base/ZString.h"

#include <cstdint>

// The root of the service interfaces: objects that free themselves.
class BaseInterface {
public:
    virtual void release() = 0;
    virtual ~BaseInterface() = default;
};

// Releases an object through its interface; nothing for none.
inline void releaseInterface(BaseInterface* object)
{
    if (object != nullptr)
        object->release();
}

// Where an operation reports to the window that shows it. Safe to call from
// the thread that runs the operation.
class OperationContext {
public:
    // The line that the progress window shows.
    virtual void setMessage(const ZString& text) = 0;
    // How long the operation is expected to take, in hundredths of a second;
    // 0 or less: unknown.
    virtual void setExpectedDuration(int32_t duration) = 0;
    // The share done so far, 0 to 100 (the program's operations do not report it).
    virtual void setProgress(int32_t percent) = 0;

protected:
    ~OperationContext() = default;
};

// The context of an operation that nobody shows.
class NullOperationContext : public OperationContext {
public:
    void setMessage(const ZString&) override {}
    void setExpectedDuration(int32_t) override {}
    void setProgress(int32_t) override {}
};

class Operation : public BaseInterface {
public:
    // Does the work; runs on a thread of the progress service.
    virtual void run() = 0;
    // Asks the work to stop; may come from another thread while run executes.
    virtual void cancel() = 0;
    virtual bool isCancelled() const = 0;
    // Hands over the context to report to; none is ignored.
    virtual void setContext(OperationContext* context) = 0;
    // Called when a context arrives: the operation puts its message and
    // expected duration into it.
    virtual void contextChanged() = 0;
};

// release() for classes that are allocated with new.
template <class Interface>
class BaseInterfaceImpl : public Interface {
public:
    void release() override { delete this; }
};
