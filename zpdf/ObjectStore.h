// ObjectStore: every indirect object of a document that lives in memory,
// created there or loaded from its file, by (number, generation) ascending.
#pragma once

#include "zpdf/Reference.h"

#include <cstdint>
#include <map>
#include <utility>

namespace zpdf {

class ObjectStore {
public:
    using Key = std::pair<int32_t, int32_t>;
    using Entries = std::map<Key, IPtr<Indirect>>;

    // Adds the object, replacing one with the same number and generation.
    void add(const IPtr<Indirect>& indirect);
    // The indirect object, or null.
    IPtr<Indirect> get(int32_t number, int32_t generation) const;
    bool has(int32_t number, int32_t generation) const { return m_entries.count({number, generation}) != 0; }
    void remove(int32_t number, int32_t generation) { m_entries.erase({number, generation}); }
    // The highest object number, 0 when empty.
    int32_t maxObjectNumber() const { return m_entries.empty() ? 0 : m_entries.rbegin()->first.first; }
    int size() const { return static_cast<int>(m_entries.size()); }

    Entries::const_iterator begin() const { return m_entries.begin(); }
    Entries::const_iterator end() const { return m_entries.end(); }
    // Removes the entry at it; returns the entry after it.
    Entries::const_iterator erase(Entries::const_iterator it) { return m_entries.erase(it); }

private:
    Entries m_entries;
};

} // namespace zpdf
