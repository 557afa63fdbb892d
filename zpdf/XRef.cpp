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

    IPtr<XRef> xref(new XRef());
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
            case 0: xref->add(n, 0, 0, false, false); break;
            case 1: xref->add(n, f3, f2, true, false); break;
            case 2: xref->add(n, f2, f3, true, true); break;
            default: throw PdfException("XRef::fromXRefStream: Invalid type");
            }
        }
    }
    return xref;
}

void XRef::write(Writer& writer) const
{
    writer.writeString("xref\r\n");
    auto it = m_entries.begin();
    while (it != m_entries.end()) {
        auto end = it;
        int32_t next = it->first;
        while (end != m_entries.end() && end->first == next) {
            ++end;
            if (next == INT32_MAX)
                break;
            ++next;
        }
        writer.writeInt(it->first);
        writer.writeChar(' ');
        writer.writeInt(static_cast<int>(std::distance(it, end)));
        writer.writeString("\r\n");
        for (; it != end; ++it) {
            const XRefEntry& entry = it->second;
            char line[32];
            std::snprintf(line, sizeof line, "%010d %05d %c\r\n", entry.offset, entry.generation,
                          entry.inUse != 0 ? 'n' : 'f');
            writer.writeString(line);
        }
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
