#include "explorer/FileIconProducer_win.h"

#include <objbase.h>

FileIconProducer::FileIconProducer(HWND window) : m_window(window), m_thread(this) {}

FileIconProducer::~FileIconProducer()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_stopping = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    m_thread.join();
}

void FileIconProducer::request(int index, const ZString& path, bool folder, IconSize size)
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_stopping)
            return;
        m_queue.push_back({index, path, folder, size, m_generation});
    }
    if (!m_thread.isRunning())
        m_thread.start();
    m_wake.notify_one();
}

void FileIconProducer::cancel()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_queue.clear();
    ++m_generation;
}

void FileIconProducer::run()
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); // the shell's icon lookup wants COM
    for (;;) {
        Request next;
        {
            std::unique_lock<std::mutex> hold(m_lock);
            m_wake.wait(hold, [this] { return m_stopping || !m_queue.empty(); });
            if (m_stopping)
                break;
            next = m_queue.front();
            m_queue.pop_front();
        }
        fileIconIndex(next.path, next.folder, next.size);
        PostMessageW(m_window, kIconMessage, static_cast<WPARAM>(next.index), static_cast<LPARAM>(next.generation));
    }
    CoUninitialize();
}
