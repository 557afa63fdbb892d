#include "jobs/PageSelection.h"

#include <algorithm>

bool PageSelection::isSelected(int page) const
{
    return std::find(m_pages.begin(), m_pages.end(), page) != m_pages.end();
}

void PageSelection::add(int page)
{
    if (!isSelected(page))
        m_pages.push_back(page);
}

void PageSelection::addRange(int from, int to)
{
    const int step = from <= to ? 1 : -1;
    for (int p = from;; p += step) {
        add(p);
        if (p == to)
            break;
    }
}

void PageSelection::selectOnly(int page)
{
    m_pages.assign(1, page);
    m_anchor = page;
}

void PageSelection::selectAll(int pageCount)
{
    for (int p = 1; p <= pageCount; ++p)
        add(p);
}

void PageSelection::invert(int pageCount)
{
    std::vector<int> inverted;
    for (int p = 1; p <= pageCount; ++p)
        if (!isSelected(p))
            inverted.push_back(p);
    m_pages = std::move(inverted);
}

void PageSelection::limitTo(int pageCount)
{
    std::erase_if(m_pages, [pageCount](int p) { return p > pageCount; });
    if (m_anchor > pageCount)
        m_anchor = 0;
}

bool PageSelection::pressPlain(int page)
{
    if (isSelected(page))
        return true;
    selectOnly(page);
    return false;
}

void PageSelection::pressCtrl(int page)
{
    if (isSelected(page))
        std::erase(m_pages, page);
    else
        m_pages.push_back(page);
    m_anchor = page;
}

void PageSelection::pressShift(int page)
{
    const int anchor = m_anchor > 0 ? m_anchor : page;
    m_pages.clear();
    addRange(std::min(anchor, page), std::max(anchor, page));
}

void PageSelection::pressCtrlShift(int page) { addRange(m_anchor > 0 ? m_anchor : page, page); }
