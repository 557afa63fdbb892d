#include "http/HeaderMap.h"

namespace http {

void HeaderMap::set(const ZString& name, const ZString& value)
{
    remove(name);
    m_entries[name] = value;
}

void HeaderMap::remove(const ZString& name)
{
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (it->first.equalsIgnoreCase(name))
            it = m_entries.erase(it);
        else
            ++it;
    }
}

bool HeaderMap::has(const ZString& name) const
{
    for (const auto& entry : m_entries) {
        if (entry.first.equalsIgnoreCase(name))
            return true;
    }
    return false;
}

ZString HeaderMap::get(const ZString& name) const
{
    for (const auto& entry : m_entries) {
        if (entry.first.equalsIgnoreCase(name))
            return entry.second;
    }
    return ZString();
}

ZString HeaderMap::block() const
{
    ZString out;
    for (const auto& [name, value] : m_entries)
        out.append(name).append(L": ").append(value).append(L"\r\n");
    return out;
}

} // namespace http
