#include "env/Choosers.h"

#include "base/Lang.h"
#include "base/Paths.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <string>

namespace {

// A filter list in the form the file dialogs read: pairs of zero-terminated
// texts and a final zero.
std::wstring filterText(const std::vector<FileFilter>& filters)
{
    std::wstring text;
    for (const FileFilter& f : filters) {
        text.append(f.description.view()).push_back(L'\0');
        text.append(f.pattern.view()).push_back(L'\0');
    }
    text.push_back(L'\0');
    return text;
}

int CALLBACK selectInitialFolder(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message == BFFM_INITIALIZED && data != 0)
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

OPENFILENAMEW fileDialog(HWND owner, std::wstring& buffer, const std::wstring& filter, const ZString& initialFolder)
{
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = initialFolder.isEmpty() ? nullptr : initialFolder.c_str();
    return ofn;
}

std::wstring nameBuffer(const ZString& initialName, size_t size)
{
    std::wstring buffer(size, L'\0');
    buffer.replace(0, std::min(initialName.view().size(), size - 1), initialName.view().substr(0, size - 1));
    return buffer;
}

} // namespace

bool chooseFolder(HWND owner, const ZString& initialFolder, const ZString& title, ZString& folder)
{
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = title.isEmpty() ? lang_getStr(L"quillet/choose-folder").c_str() : title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE; // 0x51
    info.lpfn = selectInitialFolder;
    info.lParam = initialFolder.isEmpty() ? 0 : reinterpret_cast<LPARAM>(initialFolder.c_str());
    LPITEMIDLIST list = SHBrowseForFolderW(&info);
    if (list == nullptr)
        return false;
    wchar_t path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListW(list, path) && path[0] != 0;
    IMalloc* malloc = nullptr;
    if (SUCCEEDED(SHGetMalloc(&malloc))) {
        malloc->Free(list);
        malloc->Release();
    }
    if (ok)
        folder = path;
    return ok;
}

bool chooseDocuments(HWND owner, const std::vector<FileFilter>& filters, std::vector<ZString>& paths)
{
    std::wstring buffer(65536, L'\0');
    const std::wstring filter = filterText(filters);
    OPENFILENAMEW ofn = fileDialog(owner, buffer, filter, ZString());
    ofn.lpstrTitle = lang_getStr(L"quillet/choose-document").c_str();
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT; // 0x81200
    if (!GetOpenFileNameW(&ofn))
        return false;
    // One file: its full path. Several: the folder, then each name, each ending in a zero.
    const wchar_t* p = buffer.c_str();
    const ZString first(p);
    p += first.length() + 1;
    if (*p == 0) {
        paths.push_back(first);
        return true;
    }
    while (*p != 0) {
        const ZString name(p);
        paths.push_back(joinPath(first, name)); // the folder may be a drive root
        p += name.length() + 1;
    }
    return true;
}

bool choosePdfFile(HWND owner, const ZString& initialFolder, const ZString& initialName, ZString& path)
{
    std::wstring buffer = nameBuffer(initialName, 4096);
    const std::wstring filter = filterText({{L"PDF Files (*.pdf)", L"*.pdf"}});
    OPENFILENAMEW ofn = fileDialog(owner, buffer, filter, initialFolder);
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST; // 0x81000
    ofn.lpstrDefExt = L"pdf";
    if (!GetOpenFileNameW(&ofn))
        return false;
    path = buffer.c_str();
    return true;
}

bool chooseTextFileToSave(HWND owner, const ZString& initialFolder, const ZString& initialName, ZString& path)
{
    std::wstring buffer = nameBuffer(initialName, 4096);
    const std::wstring filter = filterText({{L"Text Files (.txt)", L"*.txt"}});
    OPENFILENAMEW ofn = fileDialog(owner, buffer, filter, initialFolder);
    ofn.lpstrTitle = lang_getStr(L"quillet/choose-file").c_str();
    ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY; // 0x80006
    ofn.lpstrDefExt = L"txt";
    if (!GetSaveFileNameW(&ofn))
        return false;
    path = buffer.c_str();
    ZString lower(path);
    if (!lower.toLower().endsWith(L".txt"))
        path.append(L".txt");
    return true;
}
