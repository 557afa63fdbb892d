#include "explorer/FileIcons_win.h"

#include "explorer/ExplorerItems.h"

#include <commctrl.h>
#include <commoncontrols.h>
#include <shellapi.h>

#include <mutex>
#include <unordered_map>

namespace {

// IImageList's interface id (not in every import library).
const IID kImageListId = {0x46EB5926, 0x582E, 0x4017, {0x9F, 0xDF, 0xE8, 0x99, 0x8D, 0xAA, 0x09, 0x50}};

struct IconCache {
    std::mutex lock;
    std::unordered_map<ZString, int> indexes;
};

IconCache& cacheOf(IconSize size)
{
    static IconCache caches[3];
    return caches[static_cast<int>(size)];
}

bool keyedByPath(const ZString& path, bool folder)
{
    if (folder)
        return true;
    const ZString extension = fileExtension(path);
    return extension.isEmpty() || extension.equalsIgnoreCase(L"exe") || extension.equalsIgnoreCase(L"lnk");
}

int askShell(const ZString& path, bool folder, bool byPath, IconSize size)
{
    SHFILEINFOW info = {};
    UINT flags = SHGFI_SYSICONINDEX | (size == IconSize::Small ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    if (!byPath)
        flags |= SHGFI_USEFILEATTRIBUTES;
    const DWORD attributes = folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    if (SHGetFileInfoW(path.c_str(), attributes, &info, sizeof info, flags) == 0)
        return -1;
    return info.iIcon;
}

} // namespace

HIMAGELIST systemImageList(IconSize size)
{
    if (size == IconSize::ExtraLarge) {
        IImageList* list = nullptr;
        if (SUCCEEDED(SHGetImageList(SHIL_EXTRALARGE, kImageListId, reinterpret_cast<void**>(&list))) &&
            list != nullptr) {
            const HIMAGELIST handle = IImageListToHIMAGELIST(list);
            list->Release(); // the shell keeps the list for the process's life
            return handle;
        }
        size = IconSize::Large;
    }
    SHFILEINFOW info = {};
    const UINT flags = SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES |
                       (size == IconSize::Small ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"x.txt", FILE_ATTRIBUTE_NORMAL, &info, sizeof info, flags));
}

namespace {

ZString cacheKey(const ZString& path, bool folder)
{
    ZString key = keyedByPath(path, folder) ? path : fileExtension(path);
    key.toLower();
    return key;
}

} // namespace

static int fileIconIndexByAttributes(const ZString& key, bool folder, IconSize size)
{
    IconCache& cache = cacheOf(size);
    {
        std::lock_guard<std::mutex> hold(cache.lock);
        if (auto it = cache.indexes.find(key); it != cache.indexes.end())
            return it->second;
    }
    const int index = askShell(folder ? ZString(L"folder") : ZString(L"file"), folder, false,
                               size == IconSize::ExtraLarge ? IconSize::Large : size);
    std::lock_guard<std::mutex> hold(cache.lock);
    cache.indexes[key] = index;
    return index;
}

bool cachedFileIconIndex(const ZString& path, bool folder, IconSize size, int& index)
{
    IconCache& cache = cacheOf(size);
    std::lock_guard<std::mutex> hold(cache.lock);
    auto it = cache.indexes.find(cacheKey(path, folder));
    if (it == cache.indexes.end())
        return false;
    index = it->second;
    return true;
}

int fileIconIndex(const ZString& path, bool folder, IconSize size)
{
    int cached = -1;
    if (cachedFileIconIndex(path, folder, size, cached))
        return cached;
    const bool byPath = keyedByPath(path, folder);
    const ZString key = cacheKey(path, folder);
    IconCache& cache = cacheOf(size);
    const int index = askShell(path, folder, byPath, size == IconSize::ExtraLarge ? IconSize::Large : size);
    std::lock_guard<std::mutex> hold(cache.lock);
    cache.indexes[key] = index;
    return index;
}

int genericIconIndex(bool folder, IconSize size)
{
    // Keys no file name can have: the shell is asked by attributes alone.
    return fileIconIndexByAttributes(folder ? L"<folder>" : L"<file>", folder, size);
}
