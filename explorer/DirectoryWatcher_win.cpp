#include "explorer/DirectoryWatcher_win.h"

DirectoryWatcher::DirectoryWatcher(IDirectoryWatch& client)
    : m_client(client), m_wake(CreateEventW(nullptr, FALSE, FALSE, nullptr)), m_thread(this)
{
}

DirectoryWatcher::~DirectoryWatcher()
{
    stop();
    if (m_wake != nullptr)
        CloseHandle(m_wake);
}

bool DirectoryWatcher::start()
{
    m_stop = false;
    return m_wake != nullptr && m_thread.start();
}

void DirectoryWatcher::stop()
{
    m_stop = true;
    wake();
    m_thread.join();
}

void DirectoryWatcher::setFolder(const ZString& folder)
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_folder = folder;
        m_ignoreNext = false;
    }
    wake();
}

void DirectoryWatcher::ignoreNextChange()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_ignoreNext = true;
}

void DirectoryWatcher::pause(bool paused)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_paused = paused;
}

void DirectoryWatcher::run()
{
    ZString watched;
    HANDLE change = INVALID_HANDLE_VALUE;
    while (!m_stop) {
        ZString target;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            target = m_folder;
        }
        if (change == INVALID_HANDLE_VALUE || !target.equalsIgnoreCase(watched)) {
            if (change != INVALID_HANDLE_VALUE)
                FindCloseChangeNotification(change);
            watched = target;
            change = watched.isEmpty() ? INVALID_HANDLE_VALUE
                                       : FindFirstChangeNotificationW(
                                             watched.c_str(), FALSE,
                                             FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME);
        }
        const HANDLE handles[2] = {m_wake, change};
        const DWORD count = change == INVALID_HANDLE_VALUE ? 1 : 2;
        const DWORD result = WaitForMultipleObjects(count, handles, FALSE, kWaitMs);
        if (result != WAIT_OBJECT_0 + 1)
            continue;
        FindNextChangeNotification(change);
        bool report = false;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            if (m_ignoreNext)
                m_ignoreNext = false;
            else
                report = !m_paused && watched.equalsIgnoreCase(m_folder);
        }
        if (report && !m_stop)
            m_client.directoryChanged();
    }
    if (change != INVALID_HANDLE_VALUE)
        FindCloseChangeNotification(change);
}
