// Writing a whole document: one full rewrite with a classic table.
#include "zpdf/Document.h"

#include "zpdf/Array.h"
#include "zpdf/FileWriter.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/Reference.h"
#include "zpdf/Stream.h"
#include "zpdf/XRef.h"

#include <algorithm>
#include <set>

namespace zpdf {

std::vector<ObjectStore::Key> Document::reachableObjects()
{
    std::set<ObjectStore::Key> reached;
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
            if (reached.insert({ref->number(), ref->generation()}).second)
                pending.push_back(object->resolve());
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
    return {reached.begin(), reached.end()};
}

void Document::write(Writer& writer)
{
    if (m_loader)
        m_loader->loadAll();
    m_walk = PageWalk();

    const std::vector<ObjectStore::Key> reachable = reachableObjects();
    for (auto it = m_store->begin(); it != m_store->end();) {
        if (std::binary_search(reachable.begin(), reachable.end(), it->first))
            ++it;
        else
            it = m_store->erase(it);
    }

    writer.writeString("%PDF-");
    writer.writeBuffer(m_version);
    writer.writeString("\r\n");
    const unsigned char binaryMarks[] = {0x25, 0xE2, 0xE3, 0xCF, 0xD3, '\r', '\n'};
    writer.writeBytes(binaryMarks, 0, sizeof binaryMarks);

    // Encrypted data cannot be compressed without first being decrypted, so
    // the streams of an encrypted document are written as they are.
    const bool encrypted = m_trailer->has(kEncrypt);
    XRef table;
    for (const auto& [key, indirect] : *m_store) {
        const IPtr<Object>& object = indirect->object();
        if (!encrypted && object && object->type() == ObjectType::Stream)
            static_cast<Stream*>(object.get())->compress();
        table.add(key.first, key.second, writer.position(), true, false);
        indirect->write(writer);
        writer.writeString("\r\n");
    }

    const int32_t startXRef = writer.position();
    int32_t previousFree = 0;
    const int32_t highest = std::max(table.maxObjectNumber(), 0);
    for (int32_t number = 0; number <= highest; ++number) {
        if (table.has(number))
            continue;
        table.add(number, number == 0 ? 65535 : 0, previousFree, false, false);
        previousFree = number;
    }
    table.write(writer);

    IPtr<Trailer> trailer(new Trailer());
    trailer->set(kSize, IPtr<Object>(new Number(table.size(), NumberKind::Integer)));
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
    FileWriter writer(path);
    write(writer);
    return writer.close();
}

} // namespace zpdf
