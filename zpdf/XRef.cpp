#include "zpdf/XRef.h"

#include "zpdf/Array.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Names.h"
#include "zpdf/NumberText.h"
#include "zpdf/Primitives.h"
#include "zpdf/Stream.h"
#include "zpdf/Writer.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <iterator>
#include <utility>

namespace zpdf {

namespace {

bool numberBefore(const XRefEntry& entry, int32_t number) { return entry.number < number; }

XRefEntry makeEntry(int32_t number, int32_t generation, int32_t offset, bool inUse, bool compressed)
{
    XRefEntry entry;
    entry.number = number;
    entry.generation = generation;
    entry.offset = offset;
    entry.inUse = inUse ? 1 : 0;
    entry.compressed = compressed ? 1 : 0;
    return entry;
}

} // namespace

XRef::XRef(Entries entries) : Object(ObjectType::XRef)
{
    const auto before = [](const XRefEntry& a, const XRefEntry& b) { return a.number < b.number; };
    const auto notAfter = [](const XRefEntry& a, const XRefEntry& b) { return a.number >= b.number; };
    if (std::adjacent_find(entries.begin(), entries.end(), notAfter) == entries.end()) {
        // Ascending without repeats already: taken as it is.
        m_entries = std::move(entries);
        m_entries.shrink_to_fit();
        return;
    }
    std::stable_sort(entries.begin(), entries.end(), before);
    // Of equal numbers (now side by side, in their first order) keep the last.
    for (XRefEntry& entry : entries) {
        if (!m_entries.empty() && m_entries.back().number == entry.number)
            m_entries.back() = entry;
        else
            m_entries.push_back(entry);
    }
    m_entries.shrink_to_fit();
}

void XRef::add(int32_t number, int32_t generation, int32_t offset, bool inUse, bool compressed)
{
    const XRefEntry entry = makeEntry(number, generation, offset, inUse, compressed);
    if (m_entries.empty() || m_entries.back().number < number) {
        m_entries.push_back(entry);
        return;
    }
    const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), number, numberBefore);
    if (it != m_entries.end() && it->number == number)
        *it = entry;
    else
        m_entries.insert(it, entry);
}

int XRef::indexOf(int32_t number) const
{
    const auto it = std::lower_bound(m_entries.begin(), m_entries.end(), number, numberBefore);
    return it != m_entries.end() && it->number == number ? static_cast<int>(it - m_entries.begin()) : -1;
}

const XRefEntry* XRef::get(int32_t number) const
{
    const int i = indexOf(number);
    return i < 0 ? nullptr : &m_entries[static_cast<size_t>(i)];
}

void XRef::merge(const XRef& other, bool overwrite)
{
    Entries merged;
    merged.reserve(m_entries.size() + other.m_entries.size());
    auto mine = m_entries.begin();
    auto theirs = other.m_entries.begin();
    while (mine != m_entries.end() || theirs != other.m_entries.end()) {
        if (theirs == other.m_entries.end() || (mine != m_entries.end() && mine->number < theirs->number)) {
            merged.push_back(*mine++);
        } else if (mine == m_entries.end() || theirs->number < mine->number) {
            merged.push_back(*theirs++);
        } else {
            merged.push_back(overwrite ? *theirs : *mine);
            ++mine;
            ++theirs;
        }
    }
    merged.shrink_to_fit();
    m_entries.swap(merged);
}

void XRef::merge(XRef&& other, bool overwrite)
{
    if (m_entries.empty())
        m_entries.swap(other.m_entries);
    else
        merge(static_cast<const XRef&>(other), overwrite);
}

IPtr<Object> XRef::clone() const
{
    IPtr<XRef> copy(new XRef());
    copy->m_entries = m_entries;
    return copy;
}

namespace {

// The integer value of a direct number element, or fallback.
int64_t intElement(const Array& array, int index, int64_t fallback)
{
    const IPtr<Object> element = array.get(index);
    if (!element || element->type() != ObjectType::Number)
        return fallback;
    return static_cast<const Number*>(element.get())->intValue();
}

} // namespace

IPtr<XRef> XRef::fromXRefStream(Stream& stream)
{
    stream.removeFilter();
    const IPtr<Dict>& dict = stream.dict();
    const DataBuffer& rows = stream.data()->bytes();
    if (!dict->has(kIndex)) {
        IPtr<Array> index(new Array());
        const IPtr<Number> size = dict->getNumber(kSize);
        index->append(IPtr<Object>(new Number(0)));
        index->append(IPtr<Object>(new Number(size ? size->value() : 0)));
        dict->set(kIndex, index);
    }
    const IPtr<Array> index = dict->getArray(kIndex);
    if (index && index->size() % 2 != 0)
        throw PdfException("XRef::fromXRefStream: index size not a multiple of 2");
    const IPtr<Array> w = dict->getArray(kW);
    if (!w || w->size() != 3)
        throw PdfException("XRef::fromXRefStream: W nicht gesetzt oder W.length != 3");
    int widths[3];
    for (int k = 0; k < 3; ++k) {
        const int64_t width = intElement(*w, k, -1);
        // Widths beyond 4 bytes fail when the first row is read.
        if (width < 0 || width > 255)
            throw PdfException("XRef::fromXRefStream: W nicht gesetzt oder W.length != 3");
        widths[k] = static_cast<int>(width);
    }
    const int rowSize = widths[0] + widths[1] + widths[2];

    Entries entries;
    const int pairs = index ? index->size() / 2 : 0;
    int64_t row = 0;
    for (int p = 0; p < pairs; ++p) {
        const int64_t first = intElement(*index, 2 * p, 0);
        const int64_t count = intElement(*index, 2 * p + 1, 0);
        for (int64_t i = 0; i < count; ++i, ++row) {
            // Every row must lie inside the data; this also ends runs whose
            // count promises more rows than there are (rows of width 0 included).
            if (rowSize == 0 || (row + 1) * rowSize > rows.length())
                throw IndexOutOfBoundsException("DataBuffer::readBytesAsInt() int kann nicht gelesen werden.");
            auto offset = static_cast<int>(row * rowSize);
            const int64_t type = widths[0] == 0 ? 1 : rows.readBytesAsInt(offset, widths[0]);
            offset += widths[0];
            const int64_t field2 = widths[1] == 0 ? -1 : rows.readBytesAsInt(offset, widths[1]);
            offset += widths[1];
            const int64_t field3 = widths[2] == 0 ? 0 : rows.readBytesAsInt(offset, widths[2]);
            const int64_t number = first + i;
            if (number < 0 || number > INT_MAX)
                continue;
            const auto n = static_cast<int32_t>(number);
            // Offsets and numbers are stored as the 32-bit fields they are.
            const auto f2 = static_cast<int32_t>(static_cast<uint32_t>(field2));
            const auto f3 = static_cast<int32_t>(static_cast<uint32_t>(field3));
            switch (type) {
            case 0: entries.push_back(makeEntry(n, 0, 0, false, false)); break;
            case 1: entries.push_back(makeEntry(n, f3, f2, true, false)); break;
            case 2: entries.push_back(makeEntry(n, f2, f3, true, true)); break;
            default: throw PdfException("XRef::fromXRefStream: Invalid type");
            }
        }
    }
    return IPtr<XRef>(new XRef(std::move(entries)));
}

void XRef::write(Writer& writer) const
{
    writer.writeString("xref\r\n");
    auto it = m_entries.begin();
    while (it != m_entries.end()) {
        auto end = it;
        int32_t next = it->number;
        while (end != m_entries.end() && end->number == next) {
            ++end;
            if (next == INT32_MAX)
                break;
            ++next;
        }
        writer.writeInt(it->number);
        writer.writeChar(' ');
        writer.writeInt(static_cast<int>(std::distance(it, end)));
        writer.writeString("\r\n");
        for (; it != end; ++it) {
            const XRefEntry& entry = *it;
            char line[32];
            std::snprintf(line, sizeof line, "%010d %05d %c\r\n", entry.offset, entry.generation,
                          entry.inUse != 0 ? 'n' : 'f');
            writer.writeString(line);
        }
    }
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
