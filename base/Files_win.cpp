#include "base/Files.h"
#include "base/MessageBox.h"
#include "base/Paths.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <atomic>

bool createFolder(const ZString& path, bool withParents)
{
    if (path.isEmpty())
        return false;
    if (isFolder(path))
        return true;
    if (withParents) {
        const ZString parent = folderPart(path);
        if (!parent.isEmpty() && !parent.equals(path) && !isFolder(parent))
            createFolder(parent, true);
    }
    return CreateDirectoryW(path.c_str(), nullptr) != FALSE || isFolder(path);
}

bool copyFile(const ZString& from, const ZString& to, int attempts, uint32_t pauseMs)
{
    if (from.isEmpty() || to.isEmpty())
        return false;
    for (int i = 0; i < attempts || i == 0; ++i) {
        if (i > 0)
            Sleep(pauseMs);
        const ZString partial = partialFileFor(to);
        if (CopyFileW(from.c_str(), partial.c_str(), FALSE)) {
            if (moveIntoPlace(partial, to))
                return true;
        } else {
            const DWORD error = GetLastError();
            DeleteFileW(partial.c_str());
            SetLastError(error);
        }
    }
    return false;
}

bool copyFileRetry(const ZString& from, const ZString& to, HWND owner)
{
    if (copyFile(from, to, 5, 500))
        return true;
    const DWORD error = GetLastError();
    const ZString text = ZString::format(L"Error=%d\nFrom=%ls\nTo=%ls", static_cast<int>(error), from.c_str(), to.c_str());
    messageBox(owner, text, L"File copy error", MB_OK | MB_ICONERROR);
    return false;
}

ZString partialFileFor(const ZString& target)
{
    static std::atomic<unsigned> counter{0};
    for (;;) {
        ZString name(target);
        name.appendChar(L'.').appendNumber(static_cast<unsigned long>(GetCurrentProcessId()));
        name.appendChar(L'_').appendNumber(static_cast<unsigned long>(counter++)).append(L".part");
        if (!pathExists(name))
            return name;
    }
}

bool moveIntoPlace(const ZString& partial, const ZString& target)
{
    if (MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return true;
    const DWORD error = GetLastError();
    DeleteFileW(partial.c_str());
    SetLastError(error);
    return false;
}

void listFolder(const ZString& folder, std::vector<ZString>* files, std::vector<ZString>* folders, unsigned flags,
                uint32_t excludedAttributes)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(joinPath(folder, L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const ZString name(data.cFileName);
        if (name.equals(L".") || name.equals(L".."))
            continue;
        if ((data.dwFileAttributes & excludedAttributes) != 0)
            continue;
        const bool folderEntry = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (folderEntry && folders != nullptr && (flags & kListFolders) != 0)
            folders->push_back(joinPath(folder, name));
        else if (!folderEntry && files != nullptr && (flags & kListFiles) != 0)
            files->push_back(joinPath(folder, name));
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

int countEntries(const ZString& folder, uint32_t wantedAttributes, uint32_t excludedAttributes, int limit)
{
    int count = 0;
    if (limit == 0)
        return 0;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(joinPath(folder, L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0)
            continue;
        if ((data.dwFileAttributes & wantedAttributes) != 0 && (data.dwFileAttributes & excludedAttributes) == 0)
            ++count;
    } while ((limit < 0 || count < limit) && FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

void filterPaths(const std::vector<ZString>& paths, std::vector<ZString>& out, unsigned flags)
{
    for (const ZString& path : paths) {
        if ((flags & kFilterExistingFiles) != 0 && !isFile(path))
            continue;
        if ((flags & kFilterFolders) != 0 && !isFolder(path))
            continue;
        out.push_back(path);
    }
}

bool pathExists(const ZString& path) { return !path.isEmpty() && PathFileExistsW(path.c_str()) != FALSE; }

bool isFolder(const ZString& path) { return !path.isEmpty() && PathIsDirectoryW(path.c_str()) != FALSE; }

bool isFile(const ZString& path) { return pathExists(path) && !isFolder(path); }

ZString fullPath(const ZString& path)
{
    ZString out;
    out.setLength(4096);
    const DWORD n = GetFullPathNameW(path.c_str(), 4096, out.data(), nullptr);
    if (n == 0 || n >= 4096)
        return path;
    return out.truncate(static_cast<int>(n));
}

ZString resolveShortcut(const ZString& path)
{
    ZString lower(path);
    if (!lower.toLower().endsWith(L".lnk"))
        return path;
    ZString target = path;
    // Callable from any thread: one without COM gets it for this call only.
    struct LocalCom {
        bool own = false;
        ~LocalCom()
        {
            if (own)
                CoUninitialize();
        }
    } com;
    IShellLinkW* link = nullptr;
    HRESULT created = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                       reinterpret_cast<void**>(&link));
    if (created == CO_E_NOTINITIALIZED && SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        com.own = true;
        created = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link));
    }
    if (FAILED(created))
        return path;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
            wchar_t buffer[MAX_PATH * 4] = {};
            if (SUCCEEDED(link->GetPath(buffer, MAX_PATH * 4, nullptr, 0)) && buffer[0] != 0)
                target = buffer;
        }
        file->Release();
    }
    link->Release();
    return target;
}

ZString desktopFolder()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                      0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return ZString();
    wchar_t buffer[4096] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t);
    DWORD type = 0;
    ZString result;
    if (RegQueryValueExW(key, L"Desktop", nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS)
        result = buffer;
    RegCloseKey(key);
    wchar_t profile[4096];
    const DWORD n = GetEnvironmentVariableW(L"USERPROFILE", profile, 4096);
    if (n > 0 && n < 4096)
        result.replaceAll(L"%USERPROFILE%", profile);
    return result;
}
