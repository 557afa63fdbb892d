// Request headers: ordered by plain code-unit comparison of the names, but
// looked up, replaced and removed ignoring case.
#pragma once

#include "base/ZString.h"

#include <map>

namespace http {

class HeaderMap {
public:
    // Removes every header of that name in any case, then inserts.
    void set(const ZString& name, const ZString& value);
    void remove(const ZString& name);
    bool has(const ZString& name) const;
    // The value, empty when absent.
    ZString get(const ZString& name) const;
    // Each entry as name, ": ", value, "\r\n", in map order.
    ZString block() const;

    const std::map<ZString, ZString>& entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.empty(); }

private:
    std::map<ZString, ZString> m_entries;
};

} // namespace http
