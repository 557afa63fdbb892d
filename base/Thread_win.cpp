#include "base/Thread.h"

#include <windows.h>

Thread::~Thread()
{
    if (m_handle == nullptr)
        return;
    // A worker that deletes itself at the end of its own run() is ending anyway.
    if (isRunning() && GetCurrentThreadId() != m_id)
        TerminateThread(m_handle, 1);
    CloseHandle(m_handle);
    m_handle = nullptr;
}

void Thread::run()
{
    if (m_runnable != nullptr)
        m_runnable->run();
}

bool Thread::isRunning() const
{
    if (m_handle == nullptr)
        return false;
    DWORD code = 0;
    if (!GetExitCodeThread(m_handle, &code))
        return true;
    return code == STILL_ACTIVE;
}

void Thread::suspend()
{
    if (m_handle != nullptr)
        SuspendThread(m_handle);
}

void Thread::resume()
{
    if (m_handle != nullptr)
        ResumeThread(m_handle);
}

unsigned long __stdcall Thread::entry(void* self)
{
    static_cast<Thread*>(self)->run();
    return 0;
}

bool Thread::start()
{
    if (isRunning())
        return true;
    if (m_handle != nullptr) {
        CloseHandle(m_handle);
        m_handle = nullptr;
    }
    // Created suspended, so that handle and id are in place before run()
    // begins: a worker may delete itself at its end, and this object must not
    // be touched once it runs.
    DWORD id = 0;
    HANDLE handle = CreateThread(nullptr, 0, entry, this, CREATE_SUSPENDED, &id);
    if (handle == nullptr)
        return false;
    m_handle = handle;
    m_id = id;
    ResumeThread(handle);
    return true;
}

bool Thread::join(uint32_t timeoutMs)
{
    if (m_handle == nullptr)
        return true;
    return WaitForSingleObject(m_handle, timeoutMs) == WAIT_OBJECT_0;
}
