#include "base/Files.h"
#include "base/Paths.h"

#include <windows.h>

#include <mutex>
#include <vector>

namespace {

// The paths to delete when the process ends; its destructor is that moment.
class DeferredDeletions {
public:
    ~DeferredDeletions() { runAll(); }

    void add(const ZString& path)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_paths.push_back(path);
    }

    size_t size()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_paths.size();
    }

    void runAll()
    {
        std::vector<ZString> paths;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            paths.swap(m_paths);
        }
        for (const ZString& path : paths) {
            if (!pathExists(path))
                continue;
            if (isFolder(path))
                deleteTree(path);
            else
                DeleteFileW(path.c_str());
        }
    }

private:
    std::mutex m_lock;
    std::vector<ZString> m_paths;
};

DeferredDeletions& deferred()
{
    static DeferredDeletions list;
    return list;
}

} // namespace

bool deleteFile(const ZString& path, bool deferOnFailure)
{
    if (path.isEmpty() || !pathExists(path))
        return false;
    if (DeleteFileW(path.c_str()))
        return true;
    if (deferOnFailure)
        deferred().add(path);
    return false;
}

bool deleteTree(const ZString& path)
{
    if (path.isEmpty() || !pathExists(path))
        return false;
    if (!isFolder(path))
        return DeleteFileW(path.c_str()) != FALSE;
    std::vector<ZString> files;
    std::vector<ZString> folders;
    listFolder(path, &files, &folders, kListFiles | kListFolders, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    for (const ZString& file : files)
        DeleteFileW(file.c_str());
    for (const ZString& folder : folders)
        deleteTree(folder);
    return RemoveDirectoryW(path.c_str()) != FALSE;
}

void deleteLater(const ZString& path)
{
    if (!path.isEmpty())
        deferred().add(path);
}

void deleteDeferredFiles() { deferred().runAll(); }

size_t deferredDeletionCount() { return deferred().size(); }
