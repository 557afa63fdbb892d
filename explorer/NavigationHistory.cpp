#include "explorer/NavigationHistory.h"

void NavigationHistory::push(const ZString& path)
{
    if (m_index >= 0 && m_entries[static_cast<size_t>(m_index)].equalsIgnoreCase(path))
        return;
    m_entries.resize(static_cast<size_t>(m_index + 1));
    m_entries.push_back(path);
    m_index = static_cast<int>(m_entries.size()) - 1;
}

ZString NavigationHistory::back()
{
    if (!canGoBack())
        return ZString();
    return m_entries[static_cast<size_t>(--m_index)];
}

ZString NavigationHistory::forward()
{
    if (!canGoForward())
        return ZString();
    return m_entries[static_cast<size_t>(++m_index)];
}

ZString NavigationHistory::current() const
{
    return m_index >= 0 ? m_entries[static_cast<size_t>(m_index)] : ZString();
}
