// The folders the explorer has shown, with the current one: back and forward
// move through them, a newly shown folder drops what lay ahead.
#pragma once

#include "base/ZString.h"

#include <vector>

class NavigationHistory {
public:
    // Nothing happens when path is the current entry (ignoring case); else
    // the entries after the current one go and path becomes current.
    void push(const ZString& path);
    bool canGoBack() const { return m_index > 0; }
    bool canGoForward() const { return m_index + 1 < static_cast<int>(m_entries.size()); }
    // The folder to show; empty when there is none that way.
    ZString back();
    ZString forward();
    ZString current() const;
    const std::vector<ZString>& entries() const { return m_entries; }
    int index() const { return m_index; }

private:
    std::vector<ZString> m_entries;
    int m_index = -1;
};
