// Cross-reference data: where each object of a file is, and the startxref
// record that points at the last cross-reference section.
#pragma once

#include "zpdf/Object.h"

#include <vector>

namespace zpdf {

class Stream;

struct XRefEntry {
    int32_t number = 0;
    // For a compressed object: the number of the object stream holding it.
    int32_t generation = 0;
    // Byte offset of the object's header; for a compressed object its index
    // inside the object stream.
    int32_t offset = 0;
    uint8_t inUse = 0;
    uint8_t compressed = 0;
};

// Cross-reference entries by object number, ascending. Kept in a sorted
// vector: tables of tens of thousands of entries are common, and a vector
// holds them in a quarter of a tree's memory.
class XRef : public Object {
public:
    using Entries = std::vector<XRefEntry>;

    XRef() : Object(ObjectType::XRef) {}
    // A table of these entries, given in any order; of entries with the same
    // number the last one counts.
    explicit XRef(Entries entries);

    // The entries of a cross-reference stream. Decodes the stream in place
    // (all its filters) and gives its dictionary an "Index" of [0 Size] when
    // it has none. Rows follow "W"; the types 0 (free), 1 (at an offset) and
    // 2 (inside an object stream) are known, any other throws.
    static IPtr<XRef> fromXRefStream(Stream& stream);

    // Adds an entry, replacing any entry of that number.
    void add(int32_t number, int32_t generation, int32_t offset, bool inUse, bool compressed);
    bool has(int32_t number) const { return indexOf(number) >= 0; }
    // The entry of that number, or null. Valid until the table changes.
    const XRefEntry* get(int32_t number) const;
    // The position of the entry of that number in the table, or -1.
    int indexOf(int32_t number) const;
    // The largest object number, -1 when empty.
    int32_t maxObjectNumber() const { return m_entries.empty() ? -1 : m_entries.back().number; }
    int size() const { return static_cast<int>(m_entries.size()); }
    // Copies the entries of other whose numbers are absent here; with
    // overwrite, every entry.
    void merge(const XRef& other, bool overwrite);
    // The same, taking the entries of other where it can (other is left empty
    // or unchanged).
    void merge(XRef&& other, bool overwrite);

    Entries::const_iterator begin() const { return m_entries.begin(); }
    Entries::const_iterator end() const { return m_entries.end(); }

    // The classic table: "xref", then per run of consecutive numbers its
    // first number and length and one 20-byte line per entry (10-digit
    // offset, 5-digit generation, "n" or "f", CR LF).
    void write(Writer& writer) const override;
    // A copy with entries of its own.
    IPtr<Object> clone() const override;

private:
    Entries m_entries;
};

// "startxref" and the offset of the last cross-reference section.
class StartXRef : public Object {
public:
    explicit StartXRef(int32_t offset) : Object(ObjectType::StartXRef), m_offset(offset) {}

    int32_t offset() const { return m_offset; }

    void write(Writer& writer) const override;
    IPtr<Object> clone() const override;
    using Object::equals;
    bool equals(const Object* other) const override;

private:
    int32_t m_offset;
};

} // namespace zpdf
