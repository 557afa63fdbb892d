// The bridge's worker pool: one queue of jobs, first in first out, under one
// lock, served by 1 to 100 worker threads (3 unless the page asks otherwise)
// that live as long as the program.
#pragma once

#include "base/Thread.h"
#include "web/AsyncJob.h"

#include <windows.h>

#include <deque>
#include <memory>
#include <vector>

class AsyncJobProcessor : public Runnable {
public:
    static AsyncJobProcessor& instance();

    // Takes over the job; it is deleted after it ran.
    void enqueue(AsyncJob* job);
    // Values below 1 change nothing; the count takes effect only while no worker exists.
    void setWorkerCount(int count);
    int workerCount() const;
    int workersStarted() const;

    // The worker loop.
    void run() override;

    AsyncJobProcessor();
    ~AsyncJobProcessor() override;
    AsyncJobProcessor(const AsyncJobProcessor&) = delete;
    AsyncJobProcessor& operator=(const AsyncJobProcessor&) = delete;

private:
    AsyncJob* take();

    int m_workerCount = 3;
    const int m_maxWorkerCount = 100;
    mutable CRITICAL_SECTION m_lock;
    std::deque<AsyncJob*> m_queue;
    std::vector<std::unique_ptr<Thread>> m_workers;
};
