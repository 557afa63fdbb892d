#include "explorer/DriveInfoSetter_win.h"

#include "explorer/DriveList.h"

#include <winnetwk.h>

DriveInfoSetter::DriveInfoSetter(HWND window, UINT message) : m_window(window), m_message(message), m_thread(this) {}

DriveInfoSetter::~DriveInfoSetter()
{
    m_stop = true;
    m_thread.join();
}

bool DriveInfoSetter::start(std::vector<ZString> roots)
{
    m_roots = std::move(roots);
    return m_thread.start();
}

std::vector<std::pair<ZString, ZString>> DriveInfoSetter::takeLabels()
{
    std::lock_guard<std::mutex> hold(m_lock);
    return std::exchange(m_labels, {});
}

void DriveInfoSetter::run()
{
    for (const ZString& root : m_roots) {
        if (m_stop)
            return;
        ZString label;
        const UINT type = GetDriveTypeW(root.c_str());
        if (type == DRIVE_REMOTE) {
            wchar_t connection[MAX_PATH + 1] = {};
            DWORD size = MAX_PATH;
            if (WNetGetConnectionW(driveLabel(root).c_str(), connection, &size) == NO_ERROR)
                label = networkDriveLabel(connection, root);
        } else if (type != DRIVE_CDROM && type != DRIVE_REMOVABLE && type != DRIVE_NO_ROOT_DIR) {
            wchar_t volume[MAX_PATH + 1] = {};
            if (GetVolumeInformationW(root.c_str(), volume, MAX_PATH, nullptr, nullptr, nullptr, nullptr, 0))
                label = localDriveLabel(volume, root);
        }
        if (label.isEmpty())
            continue;
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_labels.emplace_back(root, label);
        }
        PostMessageW(m_window, m_message, 0, 0);
    }
}
