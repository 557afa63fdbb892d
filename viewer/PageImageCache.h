// Rendered page images of one file: page number -> image file. Every file is
// deleted when the cache goes (at program end when it is still held).
#pragma once

#include "base/ZString.h"

#include <map>
#include <mutex>

class PageImageCache {
public:
    PageImageCache() = default;
    ~PageImageCache();
    PageImageCache(const PageImageCache&) = delete;
    PageImageCache& operator=(const PageImageCache&) = delete;

    // The page's file when it is cached and still exists; else empty.
    ZString find(int page) const;
    bool contains(int page) const { return !find(page).isEmpty(); }
    // Takes over the file.
    void add(int page, const ZString& file);
    // The files, for checks.
    std::map<int, ZString> files() const;

private:
    mutable std::mutex m_lock;
    std::map<int, ZString> m_files;
};
