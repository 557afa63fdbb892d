// Worker threads. A Thread runs its own run() (by default the attached
// Runnable's) on an OS thread created by start(). Destroying a Thread that is
// still running terminates it, so owners stop their workers before that; a
// Thread may delete itself as the last step of its own run().
#pragma once

#include <cstdint>

class Runnable {
public:
    virtual ~Runnable() = default;
    virtual void run() = 0;
};

class Thread {
public:
    explicit Thread(Runnable* runnable = nullptr) : m_runnable(runnable) {}
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    virtual void run();
    // True while the OS thread exists and has not ended.
    virtual bool isRunning() const;
    virtual void suspend();
    virtual void resume();

    // Creates the OS thread unless it is running already; false when that fails.
    bool start();
    // Waits until the thread has ended (or the timeout in ms has passed); true when it ended.
    bool join(uint32_t timeoutMs = 0xFFFFFFFFu);
    uint32_t id() const { return m_id; }

protected:
    void setRunnable(Runnable* runnable) { m_runnable = runnable; }

private:
    static unsigned long __stdcall entry(void* self);

    void* m_handle = nullptr;
    unsigned long m_id = 0;
    Runnable* m_runnable;
};
