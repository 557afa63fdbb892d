// Running external programs as hidden child processes, and stopping them.
//
// A ChildProcess starts one command line with its standard output and error
// going into a pipe, whose contents a StreamPrinter thread copies to our own
// standard output behind a banner with the command line. An AbortControl lets
// another thread terminate the process that is running under it.
#pragma once

#include "base/ZString.h"

#include <atomic>
#include <cstdint>
#include <mutex>

class AbortControl;

// Runs the command line as a hidden child process and waits for its end.
// The result is the exit code, or the system error code when it could not start.
uint32_t runAndWait(const ZString& commandLine);
uint32_t runAndWait(const ZString& commandLine, AbortControl* control);

class ChildProcess {
public:
    // Without waiting, the pipe is closed by a helper thread once the process ends.
    explicit ChildProcess(const ZString& commandLine, bool wait = true);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the process under control (which may be none) and, when waiting,
    // waits for its end without a time-out. Runs once.
    void run(AbortControl* control);

    const ZString& commandLine() const { return m_commandLine; }
    // The exit code; the system error code when the start failed; 0 before.
    uint32_t result() const { return m_result; }
    uint32_t processId() const { return m_processId; }
    bool finished() const { return m_finished; }
    bool killed() const { return m_killed; }

private:
    friend class AbortControl;

    void start();
    // Terminates the process unless it has finished or was terminated already;
    // called by the abort control under its lock. True when it terminated it now.
    // A process that is still being created is terminated as soon as it exists.
    bool terminate();
    bool terminateIfStarted();

    ZString m_commandLine;
    bool m_wait;
    uint32_t m_result = 0;
    std::atomic<void*> m_process{nullptr};
    void* m_thread = nullptr;
    uint32_t m_processId = 0;
    uint32_t m_threadId = 0;
    std::atomic<bool> m_finished{false};
    std::atomic<bool> m_killed{false};
    std::atomic<bool> m_terminateRequested{false};
    uint16_t m_showMode = 0; // SW_HIDE
};

// Shared by all commands of one operation: once aborted it stays aborted, and
// terminates the process that runs under it at that moment. Its lock is never
// held while a process runs.
class AbortControl {
public:
    AbortControl() = default;
    AbortControl(const AbortControl&) = delete;
    AbortControl& operator=(const AbortControl&) = delete;

    // Sets the aborted flag and terminates the current process, if any, with
    // exit code 0. True when this call terminated a process.
    bool abort();
    bool isAborted() const;

private:
    friend class ChildProcess;
    void setCurrent(ChildProcess* process);

    mutable std::mutex m_lock;
    bool m_aborted = false;
    ChildProcess* m_current = nullptr;
};
