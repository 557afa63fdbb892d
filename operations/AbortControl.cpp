#include "operations/ChildProcess.h"

bool AbortControl::abort()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_aborted = true;
    return m_current != nullptr && m_current->terminate();
}

bool AbortControl::isAborted() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_aborted;
}

void AbortControl::setCurrent(ChildProcess* process)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_current = process;
}
