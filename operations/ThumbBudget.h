// The memory all finished thumbnails of the process may take. Thumbnails are
// kept after their page leaves view, so scrolling back shows them at once;
// once their bitmaps are over the limit, the ones shown longest ago are
// freed first, never one in view. A freed thumbnail is made again from its
// page's kept image when it is shown next, without the interpreter.
//
// Used on the thread that draws the thumbnails only (the makers free their
// bitmaps there, see PDFPageThumbMaker::evict).
#pragma once

#include "operations/ThumbMaker.h"

#include <cstddef>
#include <list>
#include <map>
#include <memory>
#include <vector>

class ThumbBudget {
public:
    // 64 MiB: about 390 medium previews, 25 of the window-sized ones.
    static constexpr size_t kDefaultLimit = size_t{64} << 20;

    // The bytes a finished thumbnail of the request's size takes.
    static size_t bytesOf(const ThumbRequest& request);

    void setLimit(size_t bytes) { m_limit = bytes; }
    size_t limit() const { return m_limit; }
    // The bytes of the thumbnails asked for and not freed since: finished or still coming.
    size_t used() const { return m_used; }

    // A thumbnail asked for or painted: it becomes the most recently shown.
    void shown(const std::shared_ptr<PDFPageThumbMaker>& maker, const ThumbRequest& request);
    // The thumbnails a viewer has in view now; they are never freed. An empty
    // list forgets the viewer.
    struct Shown {
        std::shared_ptr<PDFPageThumbMaker> maker;
        ThumbRequest request;
    };
    void setInView(const void* viewer, const std::vector<Shown>& inView);
    // Frees the thumbnails shown longest ago until the rest fits the limit.
    void trim();

private:
    struct Key {
        const PDFPageThumbMaker* maker;
        int page, width, height, resolution;
        auto operator<=>(const Key&) const = default;
    };
    struct Entry {
        Key key;
        std::weak_ptr<PDFPageThumbMaker> maker;
        ThumbRequest request;
    };
    static Key keyOf(const PDFPageThumbMaker* maker, const ThumbRequest& request);
    void drop(std::list<Entry>::iterator entry);
    bool inView(const Key& key) const;

    size_t m_limit = kDefaultLimit;
    size_t m_used = 0;
    std::list<Entry> m_order; // the front was shown longest ago
    std::map<Key, std::list<Entry>::iterator> m_entries;
    std::map<const void*, std::vector<Key>> m_inView;
};

// The budget of the process's thumbnails.
ThumbBudget& thumbBudget();
