#include "operations/ThumbBudget.h"

#include <algorithm>

size_t ThumbBudget::bytesOf(const ThumbRequest& request)
{
    // 24 bits a pixel, rows padded to four bytes.
    const size_t stride = ((static_cast<size_t>(std::max(0, request.width)) * 24 + 31) / 32) * 4;
    return stride * static_cast<size_t>(std::max(0, request.height));
}

ThumbBudget::Key ThumbBudget::keyOf(const PDFPageThumbMaker* maker, const ThumbRequest& request)
{
    return {maker, request.page, request.width, request.height, request.resolution};
}

void ThumbBudget::shown(const std::shared_ptr<PDFPageThumbMaker>& maker, const ThumbRequest& request)
{
    if (!maker)
        return;
    const Key key = keyOf(maker.get(), request);
    auto found = m_entries.find(key);
    if (found != m_entries.end()) {
        if (found->second->maker.lock() == maker) {
            m_order.splice(m_order.end(), m_order, found->second);
            return;
        }
        drop(found->second); // a maker that went, and another in its place
    }
    ThumbRequest kept = request;
    kept.notify = nullptr;
    kept.bitmap = nullptr;
    m_order.push_back({key, maker, kept});
    m_entries[key] = std::prev(m_order.end());
    m_used += bytesOf(request);
}

void ThumbBudget::setInView(const void* viewer, const std::vector<Shown>& inView)
{
    if (inView.empty()) {
        m_inView.erase(viewer);
        return;
    }
    std::vector<Key>& keys = m_inView[viewer];
    keys.clear();
    for (const Shown& s : inView)
        keys.push_back(keyOf(s.maker.get(), s.request));
}

bool ThumbBudget::inView(const Key& key) const
{
    for (const auto& [viewer, keys] : m_inView)
        if (std::find(keys.begin(), keys.end(), key) != keys.end())
            return true;
    return false;
}

void ThumbBudget::drop(std::list<Entry>::iterator entry)
{
    m_used -= bytesOf(entry->request);
    m_entries.erase(entry->key);
    m_order.erase(entry);
}

void ThumbBudget::trim()
{
    if (m_used <= m_limit)
        return;
    // The thumbnails of makers that went were freed with them.
    for (auto it = m_order.begin(); it != m_order.end();) {
        const auto next = std::next(it);
        if (it->maker.expired())
            drop(it);
        it = next;
    }
    for (auto it = m_order.begin(); it != m_order.end() && m_used > m_limit;) {
        const auto next = std::next(it);
        if (!inView(it->key)) {
            const std::shared_ptr<PDFPageThumbMaker> maker = it->maker.lock();
            // One still being made stays counted: its bitmap is on its way.
            if (maker && !maker->isPending(it->request)) {
                maker->evict(it->request);
                drop(it);
            }
        }
        it = next;
    }
}

ThumbBudget& thumbBudget()
{
    static ThumbBudget budget;
    return budget;
}
