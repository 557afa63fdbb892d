#include "explorer/FileClipboard_win.h"

#include "base/Paths.h"
#include "explorer/ClipFormats_win.h"
#include "explorer/Medium_win.h"
#include "explorer/ShellFileOperation_win.h"
#include "explorer/TransferFormats.h"

#include <shellapi.h>

namespace ole {

namespace {

// The clipboard opened for the life of the object.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner)
    {
        // Another program may hold it for a moment.
        for (int attempt = 0; attempt < 10 && !m_open; ++attempt) {
            m_open = OpenClipboard(owner) != FALSE;
            if (!m_open)
                Sleep(20);
        }
    }
    ~OpenedClipboard()
    {
        if (m_open)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool isOpen() const { return m_open; }

private:
    bool m_open = false;
};

// Hands the bytes to the clipboard, which owns them once it took them.
bool putBytes(UINT format, const std::string& bytes)
{
    HGLOBAL global = globalFromBytes(bytes);
    if (global == nullptr)
        return false;
    if (SetClipboardData(format, global) == nullptr) {
        GlobalFree(global);
        return false;
    }
    return true;
}

std::vector<ZString> pathsOfDrop(HDROP drop)
{
    std::vector<ZString> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        ZString path;
        path.setLength(static_cast<int>(length) + 1);
        DragQueryFileW(drop, i, path.data(), length + 1);
        paths.push_back(path.truncate(static_cast<int>(length)));
    }
    return paths;
}

} // namespace

bool putFilesOnClipboard(HWND owner, const std::vector<ZString>& paths, bool cut)
{
    OpenedClipboard clipboard(owner);
    if (!clipboard.isOpen() || !EmptyClipboard())
        return false;
    POINT cursor{};
    GetCursorPos(&cursor);
    return putBytes(CF_HDROP, buildDropFiles(paths, cursor.x, cursor.y)) &&
           putBytes(clipFormats().preferredDropEffect, buildDword(cut ? kEffectMove : kEffectCopy));
}

bool clipboardHasFiles() { return IsClipboardFormatAvailable(CF_HDROP) != FALSE; }

bool pasteFilesInto(HWND owner, const ZString& folder, std::vector<ZString>* created)
{
    std::vector<ZString> paths;
    bool copy = false;
    {
        OpenedClipboard clipboard(owner);
        if (!clipboard.isOpen())
            return false;
        const auto drop = static_cast<HDROP>(GetClipboardData(CF_HDROP));
        if (drop == nullptr)
            return false;
        paths = pathsOfDrop(drop);
        uint32_t effect = 0;
        if (HANDLE preferred = GetClipboardData(clipFormats().preferredDropEffect))
            copy = readDword(bytesOfGlobal(preferred), effect) && (effect & kEffectCopy) != 0;
    }
    if (paths.empty())
        return false;
    return shellCopyOrMove(paths, folder, !copy, created);
}

bool moveDroppedFilesInto(HDROP drop, const ZString& folder, std::vector<ZString>* moved)
{
    bool all = true;
    for (const ZString& path : pathsOfDrop(drop)) {
        const ZString target = joinPath(folder, fileNamePart(path));
        if (MoveFileExW(path.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED)) {
            if (moved != nullptr)
                moved->push_back(target);
        } else {
            all = false;
        }
    }
    return all;
}

} // namespace ole
