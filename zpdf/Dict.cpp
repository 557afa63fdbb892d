#include "zpdf/Dict.h"

#include "zpdf/Array.h"
#include "zpdf/Primitives.h"
#include "zpdf/Writer.h"

#include <algorithm>

namespace zpdf {

namespace {

bool keyBefore(const Dict::Entry& entry, const IPtr<Name>& key) { return entry.first->bytes().compare(key->bytes()) < 0; }

bool sameKey(const IPtr<Name>& a, const IPtr<Name>& b) { return a == b || a->bytes().equals(b->bytes()); }

} // namespace

Dict::Entries::const_iterator Dict::find(const IPtr<Name>& key) const
{
    if (!key)
        return m_entries.end();
    const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key, keyBefore);
    return it != m_entries.end() && sameKey(it->first, key) ? it : m_entries.end();
}

bool Dict::has(const IPtr<Name>& key) const { return find(key) != m_entries.end(); }

IPtr<Object> Dict::get(const IPtr<Name>& key) const
{
    const auto it = find(key);
    return it == m_entries.end() ? IPtr<Object>() : it->second;
}

IPtr<Array> Dict::getArray(const IPtr<Name>& key) const
{
    const IPtr<Object> value = get(key);
    return value ? value->toArray() : nullptr;
}

IPtr<Dict> Dict::getDict(const IPtr<Name>& key) const
{
    const IPtr<Object> value = get(key);
    return value ? value->toDict() : nullptr;
}

IPtr<Number> Dict::getNumber(const IPtr<Name>& key) const
{
    const IPtr<Object> value = get(key);
    return value ? value->toNumber() : nullptr;
}

void Dict::set(const IPtr<Name>& key, const IPtr<Object>& value)
{
    if (!key || !value)
        return;
    ++m_changes;
    const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), key, keyBefore);
    if (it != m_entries.end() && sameKey(it->first, key))
        it->second = value;
    else
        m_entries.emplace(it, key, value);
}

void Dict::remove(const IPtr<Name>& key)
{
    const auto it = find(key);
    if (it != m_entries.end()) {
        ++m_changes;
        m_entries.erase(it);
    }
}

void Dict::assignEntries(Entries entries)
{
    ++m_changes;
    entries.erase(std::remove_if(entries.begin(), entries.end(), [](const Entry& e) { return !e.first || !e.second; }),
                  entries.end());
    const auto before = [](const Entry& a, const Entry& b) { return a.first->bytes().compare(b.first->bytes()) < 0; };
    if (!std::is_sorted(entries.begin(), entries.end(), before))
        std::stable_sort(entries.begin(), entries.end(), before);
    // Of equal keys (now side by side, in their first order) keep the last.
    Entries unique;
    unique.reserve(entries.size());
    for (Entry& entry : entries) {
        if (!unique.empty() && sameKey(unique.back().first, entry.first))
            unique.back().second = std::move(entry.second);
        else
            unique.push_back(std::move(entry));
    }
    unique.shrink_to_fit();
    m_entries = std::move(unique);
}

void Dict::writeEntries(Writer& writer) const
{
    writer.writeString("<<\r\n");
    for (const auto& [key, value] : m_entries) {
        key->write(writer);
        writer.writeChar(' ');
        value->write(writer);
        writer.writeString("\r\n");
    }
    writer.writeString(">>");
}

void Dict::write(Writer& writer) const { writeEntries(writer); }

void Dict::cloneEntriesInto(Dict& copy) const
{
    copy.m_entries.reserve(m_entries.size());
    for (const auto& [key, value] : m_entries)
        copy.m_entries.emplace_back(key, value->clone());
}

IPtr<Object> Dict::clone() const
{
    IPtr<Dict> copy(new Dict());
    cloneEntriesInto(*copy);
    return copy;
}

bool Dict::equals(const Object* other) const
{
    if (other == nullptr || other->type() != type())
        return false;
    const auto* theirs = static_cast<const Dict*>(other);
    if (theirs->m_entries.size() != m_entries.size())
        return false;
    for (const auto& [key, value] : m_entries) {
        const auto it = theirs->find(key);
        if (it == theirs->m_entries.end() || !value->equals(it->second))
            return false;
    }
    return true;
}

Trailer::Trailer(const Dict& dict) : Dict(ObjectType::Trailer) { assignEntries(Entries(dict.begin(), dict.end())); }

void Trailer::write(Writer& writer) const
{
    writer.writeString("trailer\r\n");
    writeEntries(writer);
}

IPtr<Object> Trailer::clone() const
{
    IPtr<Trailer> copy(new Trailer());
    cloneEntriesInto(*copy);
    return copy;
}

} // namespace zpdf
