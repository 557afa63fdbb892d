// Finds better labels for the tree's drives on a thread of its own: the
// volume name of local drives, share and server of network drives. The
// results wait under a lock until the tree, told by a posted message, takes them.
#pragma once

#include "base/Thread.h"
#include "base/ZString.h"

#include <windows.h>

#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

class DriveInfoSetter : private Runnable {
public:
    // Posts message to window whenever a label is ready.
    DriveInfoSetter(HWND window, UINT message);
    // Waits for the thread.
    ~DriveInfoSetter() override;
    DriveInfoSetter(const DriveInfoSetter&) = delete;
    DriveInfoSetter& operator=(const DriveInfoSetter&) = delete;

    bool start(std::vector<ZString> roots);
    // The labels found since the last call: (root, label).
    std::vector<std::pair<ZString, ZString>> takeLabels();

private:
    void run() override;

    HWND m_window;
    UINT m_message;
    std::vector<ZString> m_roots;
    std::mutex m_lock;
    std::vector<std::pair<ZString, ZString>> m_labels;
    std::atomic<bool> m_stop{false};
    Thread m_thread;
};
