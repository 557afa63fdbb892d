// Looks up the icons of list items on a thread of its own, so a large folder
// lists at once and its icons arrive afterwards, item by item: each result is
// posted to the list's window, which tells its IFileIconsNotifyObj.
#pragma once

#include "base/Thread.h"
#include "base/ZString.h"
#include "explorer/FileIcons_win.h"

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>

class FileIconProducer : private Runnable {
public:
    static constexpr UINT kIconMessage = WM_APP + 164; // wParam: item, lParam: generation

    explicit FileIconProducer(HWND window);
    // Stops the thread.
    ~FileIconProducer() override;
    FileIconProducer(const FileIconProducer&) = delete;
    FileIconProducer& operator=(const FileIconProducer&) = delete;

    // Queues the item's icon; it is looked up (and cached) on the thread.
    void request(int index, const ZString& path, bool folder, IconSize size);
    // Drops the queued work; results of earlier generations are ignored.
    void cancel();
    unsigned generation() const { return m_generation; }

private:
    struct Request {
        int index;
        ZString path;
        bool folder;
        IconSize size;
        unsigned generation;
    };
    void run() override;

    HWND m_window;
    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<Request> m_queue;
    bool m_stopping = false;
    unsigned m_generation = 0;
    Thread m_thread;
};
