// PDF dictionaries, kept sorted by the bytes of their keys (not by insertion),
// which is also the order they are written in; and the trailer dictionary.
#pragma once

#include "zpdf/Name.h"
#include "zpdf/Object.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace zpdf {

// The entries are kept in a vector sorted by key: dictionaries are small and
// many, and a vector costs a fraction of a tree's memory.
class Dict : public Object {
public:
    using Entry = std::pair<IPtr<Name>, IPtr<Object>>;
    using Entries = std::vector<Entry>;

    Dict() : Object(ObjectType::Dict) {}

    int size() const { return static_cast<int>(m_entries.size()); }
    bool has(const IPtr<Name>& key) const;
    // The value as stored (possibly a reference), or null.
    IPtr<Object> get(const IPtr<Name>& key) const;
    // The value resolved as that kind, or null when absent or of another kind.
    // getDict of a stream gives the stream's dictionary.
    IPtr<Array> getArray(const IPtr<Name>& key) const;
    IPtr<Dict> getDict(const IPtr<Name>& key) const;
    IPtr<Number> getNumber(const IPtr<Name>& key) const;
    // Stores the pair, replacing the value of an existing key; does nothing
    // when either is null.
    void set(const IPtr<Name>& key, const IPtr<Object>& value);
    void remove(const IPtr<Name>& key);
    // Replaces all entries with these pairs, in any order; of pairs with the
    // same key the last one counts. Pairs with a null part are left out.
    void assignEntries(Entries entries);

    // Counts the changes of the entries, so that a reader can tell whether
    // what it derived from them still holds.
    uint32_t changes() const { return m_changes; }
    // Calls f with a reference to each value, which it may replace (by a
    // value that is not null).
    template <typename F>
    void forEachValue(F f)
    {
        ++m_changes;
        for (Entry& entry : m_entries)
            f(entry.second);
    }

    Entries::const_iterator begin() const { return m_entries.begin(); }
    Entries::const_iterator end() const { return m_entries.end(); }

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    using Object::equals;
    bool equals(const Object* other) const override;

protected:
    explicit Dict(ObjectType type) : Object(type) {}
    // Writes the entries between "<<" and ">>".
    void writeEntries(Writer& writer) const;
    void cloneEntriesInto(Dict& copy) const;

private:
    Entries::const_iterator find(const IPtr<Name>& key) const;

    Entries m_entries;
    uint32_t m_changes = 0;
};

// The trailer of a cross-reference section: a dictionary written after "trailer".
class Trailer : public Dict {
public:
    Trailer() : Dict(ObjectType::Trailer) {}
    // A trailer sharing the entries of a dictionary.
    explicit Trailer(const Dict& dict);

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
};

} // namespace zpdf
