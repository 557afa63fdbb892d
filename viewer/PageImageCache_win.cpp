#include "viewer/PageImageCache.h"

#include "base/Files.h"

PageImageCache::~PageImageCache()
{
    for (const auto& [page, file] : m_files)
        deleteFile(file, true);
}

ZString PageImageCache::find(int page) const
{
    std::lock_guard<std::mutex> guard(m_lock);
    const auto found = m_files.find(page);
    if (found == m_files.end() || !isFile(found->second))
        return ZString();
    return found->second;
}

void PageImageCache::add(int page, const ZString& file)
{
    std::lock_guard<std::mutex> guard(m_lock);
    auto& slot = m_files[page];
    if (!slot.isEmpty() && !slot.equals(file))
        deleteFile(slot, true);
    slot = file;
}

std::map<int, ZString> PageImageCache::files() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_files;
}
