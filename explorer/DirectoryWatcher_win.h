// Watches one folder (not its subfolders) for files and folders that appear,
// go or change their names, on a thread of its own, and tells its client.
#pragma once

#include "base/Thread.h"
#include "base/ZString.h"

#include <windows.h>

#include <atomic>
#include <mutex>

// Told on the watcher's thread; the client hands the news to its window.
class IDirectoryWatch {
public:
    virtual void directoryChanged() = 0;

protected:
    ~IDirectoryWatch() = default;
};

class DirectoryWatcher : private Runnable {
public:
    explicit DirectoryWatcher(IDirectoryWatch& client);
    // Stops the thread.
    ~DirectoryWatcher() override;
    DirectoryWatcher(const DirectoryWatcher&) = delete;
    DirectoryWatcher& operator=(const DirectoryWatcher&) = delete;

    bool start();
    void stop();
    // The folder to watch from now on (the thread re-targets between waits).
    void setFolder(const ZString& folder);
    // The next change is not reported (a rename of our own).
    void ignoreNextChange();
    // While paused, changes are dropped (file operations of our own).
    void pause(bool paused);

private:
    void run() override;
    void wake() const { SetEvent(m_wake); }

    static constexpr DWORD kWaitMs = 3000;

    IDirectoryWatch& m_client;
    std::mutex m_lock;
    ZString m_folder;
    bool m_ignoreNext = false;
    bool m_paused = false;
    std::atomic<bool> m_stop{false};
    HANDLE m_wake; // auto-reset event: re-target or stop now
    Thread m_thread;
};
