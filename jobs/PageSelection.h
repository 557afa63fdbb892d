// The selected pages of one job window, in the order they were picked, and
// the anchor page that Shift extends from. Pages are numbered from 1.
#pragma once

#include <vector>

class PageSelection {
public:
    const std::vector<int>& pages() const { return m_pages; }
    int anchor() const { return m_anchor; }
    bool isSelected(int page) const;
    bool isEmpty() const { return m_pages.empty(); }

    void clear() { m_pages.clear(); }
    // Only this page; it becomes the anchor.
    void selectOnly(int page);
    void selectAll(int pageCount);
    void invert(int pageCount);
    // Forgets pages beyond the count (after pages went away).
    void limitTo(int pageCount);

    // Mouse presses on a page. A plain press on a selected page keeps the
    // selection (it may be dragged); it returns whether the press changed nothing.
    bool pressPlain(int page);
    void pressCtrl(int page);
    void pressShift(int page);
    void pressCtrlShift(int page);
    // A plain release without a drag: only this page.
    void releasePlain(int page) { selectOnly(page); }

private:
    void add(int page);
    void addRange(int from, int to);

    std::vector<int> m_pages;
    int m_anchor = 0;
};
