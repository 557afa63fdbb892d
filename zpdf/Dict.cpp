#include "zpdf/Dict.h"

#include "zpdf/Array.h"
#include "zpdf/Primitives.h"
#include "zpdf/Writer.h"

namespace zpdf {

bool Dict::has(const IPtr<Name>& key) const { return key && m_entries.count(key) != 0; }

IPtr<Object> Dict::get(const IPtr<Name>& key) const
{
    if (!key)
        return nullptr;
    const auto it = m_entries.find(key);
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
    if (key && value)
        m_entries.insert_or_assign(key, value);
}

void Dict::remove(const IPtr<Name>& key)
{
    if (key)
        m_entries.erase(key);
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
    for (const auto& [key, value] : m_entries)
        copy.m_entries.emplace(key, value->clone());
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
    const Entries& theirs = static_cast<const Dict*>(other)->m_entries;
    if (theirs.size() != m_entries.size())
        return false;
    for (const auto& [key, value] : m_entries) {
        const auto it = theirs.find(key);
        if (it == theirs.end() || !value->equals(it->second))
            return false;
    }
    return true;
}

Trailer::Trailer(const Dict& dict) : Dict(ObjectType::Trailer)
{
    for (const auto& [key, value] : dict)
        set(key, value);
}

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
