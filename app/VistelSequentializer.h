// Hands files that are neither PDF nor PostScript to the suite's conversion tool,
// one at a time and in arrival order, on a worker thread of its own.
#pragma once

#include "base/Thread.h"
#include "base/ZString.h"

#include <windows.h>

#include <deque>

class VistelSequentializer : public Thread {
public:
    VistelSequentializer();
    ~VistelSequentializer() override;

    // The process's worker, made on first use and kept until the process ends.
    static VistelSequentializer& instance();

    // Queues a path and wakes the worker. Safe from any thread. A temporary
    // file is deleted once the conversion tool is done with it.
    void push(const ZString& path, bool temporary = false);
    // Takes queued paths until the process ends; waits while the queue is empty.
    void run() override;

protected:
    // Runs the conversion tool on one file and waits for it.
    virtual void convert(const ZString& commandLine);

private:
    struct Entry {
        ZString path;
        bool temporary;
    };
    bool take(Entry& entry);

    CRITICAL_SECTION m_lock; // guards m_queue and m_stopping
    HANDLE m_wake;           // auto-reset event, set by every push: a push is never missed
    std::deque<Entry> m_queue;
    bool m_stopping = false;
};
