#include "web/AsyncJobProcessor_win.h"

#include <objbase.h>

#include <algorithm>

namespace {
constexpr DWORD kIdleSleepMs = 100;
constexpr DWORD kAfterErrorSleepMs = 500;

class Lock {
public:
    explicit Lock(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
    ~Lock() { LeaveCriticalSection(&m_cs); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    CRITICAL_SECTION& m_cs;
};
} // namespace

AsyncJobProcessor& AsyncJobProcessor::instance()
{
    // Workers run for the life of the program, so the pool is never destroyed.
    static AsyncJobProcessor* processor = new AsyncJobProcessor();
    return *processor;
}

AsyncJobProcessor::AsyncJobProcessor()
{
    InitializeCriticalSection(&m_lock);
}

AsyncJobProcessor::~AsyncJobProcessor()
{
    DeleteCriticalSection(&m_lock);
}

void AsyncJobProcessor::enqueue(AsyncJob* job)
{
    Lock lock(m_lock);
    m_queue.push_back(job);
    if (m_workers.empty()) {
        const int n = std::min(std::max(m_workerCount, 1), m_maxWorkerCount);
        for (int i = 0; i < n; ++i)
            m_workers.push_back(std::make_unique<Thread>(this));
    }
    for (const auto& worker : m_workers) {
        if (!worker->isRunning())
            worker->start();
    }
}

void AsyncJobProcessor::setWorkerCount(int count)
{
    if (count < 1)
        return;
    Lock lock(m_lock);
    if (m_workers.empty())
        m_workerCount = std::min(count, m_maxWorkerCount);
}

int AsyncJobProcessor::workerCount() const
{
    Lock lock(m_lock);
    return m_workerCount;
}

int AsyncJobProcessor::workersStarted() const
{
    Lock lock(m_lock);
    return static_cast<int>(m_workers.size());
}

AsyncJob* AsyncJobProcessor::take()
{
    Lock lock(m_lock);
    if (m_queue.empty())
        return nullptr;
    AsyncJob* job = m_queue.front();
    m_queue.pop_front();
    return job;
}

void AsyncJobProcessor::run()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    for (;;) {
        try {
            std::unique_ptr<AsyncJob> job(take());
            if (!job) {
                Sleep(kIdleSleepMs);
                continue;
            }
            job->run();
        } catch (...) {
            Sleep(kAfterErrorSleepMs);
        }
    }
}
