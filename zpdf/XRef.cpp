#include "zpdf/XRef.h"

#include "zpdf/Writer.h"

namespace zpdf {

void XRef::add(int32_t number, int32_t generation, int32_t offset, bool inUse, bool compressed)
{
    XRefEntry& entry = m_entries[number];
    entry.number = number;
    entry.generation = generation;
    entry.offset = offset;
    entry.inUse = inUse ? 1 : 0;
    entry.compressed = compressed ? 1 : 0;
}

const XRefEntry* XRef::get(int32_t number) const
{
    const auto it = m_entries.find(number);
    return it == m_entries.end() ? nullptr : &it->second;
}

int32_t XRef::maxObjectNumber() const { return m_entries.empty() ? -1 : m_entries.rbegin()->first; }

void XRef::merge(const XRef& other, bool overwrite)
{
    for (const auto& [number, entry] : other.m_entries) {
        if (overwrite)
            m_entries[number] = entry;
        else
            m_entries.emplace(number, entry);
    }
}

IPtr<Object> XRef::clone() const
{
    IPtr<XRef> copy(new XRef());
    copy->m_entries = m_entries;
    return copy;
}

void StartXRef::write(Writer& writer) const
{
    writer.writeString("startxref\r\n");
    writer.writeInt(m_offset);
}

IPtr<Object> StartXRef::clone() const { return IPtr<Object>(new StartXRef(m_offset)); }

bool StartXRef::equals(const Object* other) const
{
    return other != nullptr && other->type() == ObjectType::StartXRef;
}

} // namespace zpdf
