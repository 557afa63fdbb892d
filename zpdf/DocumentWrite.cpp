// Writing a whole document: one full rewrite with a classic table.
#include "zpdf/Document.h"

#include "zpdf/Array.h"
#include "zpdf/BinaryFile.h"
#include "zpdf/Exceptions.h"
#include "zpdf/FileWriter.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/Reference.h"
#include "zpdf/Security.h"
#include "zpdf/Stream.h"
#include "zpdf/XRef.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <set>

namespace zpdf {

namespace {

// The (number, generation) pairs met so far. Pairs the file's table lists
// are marks beside the table, so that even a walk over every object of a
// large file costs a byte each.
class KeySet {
public:
    explicit KeySet(const XRef* xref) : m_xref(xref), m_marks(xref != nullptr ? static_cast<size_t>(xref->size()) : 0) {}

    // True when the pair was not in the set yet.
    bool insert(const ObjectStore::Key& key)
    {
        const int i = m_xref != nullptr ? m_xref->indexOf(key.first) : -1;
        if (i >= 0 && key.second == tableGeneration(*(m_xref->begin() + i))) {
            uint8_t& mark = m_marks[static_cast<size_t>(i)];
            const bool added = mark == 0;
            mark = 1;
            return added;
        }
        return m_others.insert(key).second;
    }

    // Every pair, ascending.
    std::vector<ObjectStore::Key> sorted() const
    {
        std::vector<ObjectStore::Key> keys(m_others.begin(), m_others.end());
        for (size_t i = 0; i < m_marks.size(); ++i) {
            if (m_marks[i] != 0) {
                const XRefEntry& entry = *(m_xref->begin() + static_cast<std::ptrdiff_t>(i));
                keys.emplace_back(entry.number, tableGeneration(entry));
            }
        }
        std::sort(keys.begin(), keys.end());
        return keys;
    }

private:
    // The generation references to the entry's object use.
    static int32_t tableGeneration(const XRefEntry& entry) { return entry.compressed != 0 ? 0 : entry.generation; }

    const XRef* m_xref;
    std::vector<uint8_t> m_marks;
    std::set<ObjectStore::Key> m_others;
};

// Objects loaded only for the writing may pile up in the store (a stream's
// "Length", for instance); they are cleared out every so many.
constexpr int kTransientObjects = 1024;

// The largest object number a file may use (the limit of common readers);
// the table of a larger one would be absurdly long.
constexpr int32_t kMaxObjectNumber = 8388607;

} // namespace

std::vector<ObjectStore::Key> Document::reachableObjects(const std::vector<ObjectStore::Key>& held)
{
    KeySet reached(m_loader ? &m_loader->xref() : nullptr);
    // Worked through with a stack of its own: chains of objects (outlines,
    // threads, long page lists) may be far longer than the call stack allows.
    std::vector<IPtr<Object>> pending{m_trailer};
    while (!pending.empty()) {
        const IPtr<Object> object = std::move(pending.back());
        pending.pop_back();
        if (!object)
            continue;
        switch (object->type()) {
        case ObjectType::Reference: {
            const auto* ref = static_cast<const Reference*>(object.get());
            if (!reached.insert({ref->number(), ref->generation()}))
                break;
            pending.push_back(object->resolve());
            if (m_store->size() > static_cast<int>(held.size()) + kTransientObjects)
                keepOnly(held);
            break;
        }
        case ObjectType::Dict:
        case ObjectType::Trailer:
            for (const auto& entry : *static_cast<const Dict*>(object.get()))
                pending.push_back(entry.second);
            break;
        case ObjectType::Array:
            for (const IPtr<Object>& element : *static_cast<const Array*>(object.get()))
                pending.push_back(element);
            break;
        case ObjectType::Stream:
            pending.push_back(static_cast<const Stream*>(object.get())->dict());
            break;
        case ObjectType::Indirect:
            pending.push_back(static_cast<const Indirect*>(object.get())->object());
            break;
        default:
            break;
        }
    }
    keepOnly(held);
    return reached.sorted();
}

void Document::keepOnly(const std::vector<ObjectStore::Key>& keep)
{
    for (auto it = m_store->begin(); it != m_store->end();) {
        if (std::binary_search(keep.begin(), keep.end(), it->first))
            ++it;
        else
            it = m_store->erase(it);
    }
}

void Document::write(Writer& writer)
{
    m_walk = PageWalk();
    // Objects the document does not hold yet are loaded for the writing only
    // and let go again, so that rewriting a large file never holds all of it.
    // What the document holds and no reference reaches is dropped.
    std::vector<ObjectStore::Key> held;
    for (const auto& entry : *m_store)
        held.push_back(entry.first);
    const std::vector<ObjectStore::Key> reachable = reachableObjects(held);
    std::vector<ObjectStore::Key> keep;
    std::set_intersection(held.begin(), held.end(), reachable.begin(), reachable.end(), std::back_inserter(keep));
    keepOnly(keep);

    writer.writeString("%PDF-");
    writer.writeBuffer(m_version);
    writer.writeString("\r\n");
    const unsigned char binaryMarks[] = {0x25, 0xE2, 0xE3, 0xCF, 0xD3, '\r', '\n'};
    writer.writeBytes(binaryMarks, 0, sizeof binaryMarks);

    // Encrypted data cannot be compressed without first being decrypted, so
    // the streams of an encrypted document that is not decrypted are written
    // as they are. A decrypted one is encrypted again as it is written, all
    // but its encryption dictionary.
    const bool encrypted = m_trailer->has(kEncrypt) && !m_security;
    const IPtr<Object> encryptEntry = m_trailer->get(kEncrypt);
    const int32_t encryptNumber = m_security && encryptEntry && encryptEntry->type() == ObjectType::Reference
                                      ? static_cast<const Reference*>(encryptEntry.get())->number()
                                      : -1;
    // The table, built as the objects are written: numbers without an object
    // become free entries, each naming the free number before it.
    XRef::Entries table;
    table.reserve(reachable.size() + 1);
    int32_t previousFree = 0;
    const auto freeUpTo = [&](int32_t number) {
        for (int32_t next = table.empty() ? 0 : table.back().number + 1; next < number; ++next) {
            XRefEntry free;
            free.number = next;
            free.generation = next == 0 ? 65535 : 0;
            free.offset = previousFree;
            table.push_back(free);
            previousFree = next;
        }
    };
    for (const ObjectStore::Key& key : reachable) {
        IPtr<Indirect> indirect = m_store->get(key.first, key.second);
        if (!indirect && m_loader) {
            const IPtr<Object> object = m_loader->loadObject(key.first, key.second);
            if (!object)
                continue;
            // An object whose header gave another generation is written
            // under the one its references use.
            indirect = m_store->get(key.first, key.second);
            if (!indirect)
                indirect = IPtr<Indirect>(new Indirect(key.first, key.second, object, this));
        }
        if (!indirect || key.first < 0)
            continue;
        if (key.first > kMaxObjectNumber)
            throw PdfException("Object number too large");
        const IPtr<Object>& object = indirect->object();
        if (!encrypted && object && object->type() == ObjectType::Stream)
            static_cast<Stream*>(object.get())->compress();
        freeUpTo(key.first);
        XRefEntry entry;
        entry.number = key.first;
        entry.generation = key.second;
        entry.offset = writer.position();
        entry.inUse = 1;
        // Of several generations of one number the last written counts.
        if (!table.empty() && table.back().number == key.first)
            table.back() = entry;
        else
            table.push_back(entry);
        if (m_security && key.first != encryptNumber && object)
            Indirect(key.first, key.second, m_security->encrypted(*object, key.first, key.second), this).write(writer);
        else
            indirect->write(writer);
        writer.writeString("\r\n");
        if (!std::binary_search(keep.begin(), keep.end(), key))
            m_store->remove(key.first, key.second);
        if (m_store->size() > static_cast<int>(keep.size()) + kTransientObjects)
            keepOnly(keep);
    }
    // Objects loaded on the way (a stream's "Length", object streams) go too.
    keepOnly(keep);
    if (m_loader)
        m_loader->releaseObjectStreams();
    if (table.empty())
        freeUpTo(1);

    const int32_t startXRef = writer.position();
    const XRef xref(std::move(table));
    xref.write(writer);

    IPtr<Trailer> trailer(new Trailer());
    trailer->set(kSize, IPtr<Object>(new Number(xref.size(), NumberKind::Integer)));
    for (const IPtr<Name>& key : {kID, kInfo, kRoot, kEncrypt})
        trailer->set(key, m_trailer->get(key));
    trailer->write(writer);
    writer.writeString("\r\nstartxref\r\n");
    writer.writeInt(startXRef);
    writer.writeString("\r\n%%EOF");
    writer.flush();
}

bool Document::save(const ZString& path)
{
    // Written under a partial name beside the target and moved into place
    // when complete: a write that fails or throws leaves the target as it was.
    static std::atomic<unsigned> counter{0};
    ZString partial(path);
    partial.appendChar(L'.').appendNumber(static_cast<unsigned long>(counter++)).append(L".part");
    bool written = false;
    {
        FileWriter writer(partial);
        try {
            write(writer);
        } catch (...) {
            writer.close();
            removeBinaryFile(partial);
            throw;
        }
        written = writer.close();
    }
    if (written && replaceBinaryFile(partial, path))
        return true;
    removeBinaryFile(partial);
    return false;
}

} // namespace zpdf
