#include "zpdf/ObjectLoader.h"

#include "zpdf/BufferReader.h"
#include "zpdf/Exceptions.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/Repair.h"
#include "zpdf/Security.h"
#include "zpdf/Stream.h"

#include <memory>

namespace zpdf {

namespace {

// Marks an object number as being loaded for as long as it lives.
class LoadingScope {
public:
    LoadingScope(std::set<int32_t>& loading, int32_t number) : m_loading(loading), m_number(number)
    {
        m_entered = loading.size() < static_cast<size_t>(ObjectLoader::kMaxNesting) && loading.insert(number).second;
    }
    ~LoadingScope()
    {
        if (m_entered)
            m_loading.erase(m_number);
    }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

    // False when the number is being loaded already or loads nest too deep.
    bool entered() const { return m_entered; }

private:
    std::set<int32_t>& m_loading;
    int32_t m_number;
    bool m_entered;
};

} // namespace

ObjectLoader::ObjectLoader(const SharedRef<Parser>& parser, const IPtr<XRef>& xref, const SharedRef<ObjectStore>& store)
    : m_parser(parser), m_xref(xref), m_store(store)
{
}

IPtr<Object> ObjectLoader::loadObject(int32_t number, int32_t generation)
{
    if (const IPtr<Indirect> cached = m_store->get(number, generation))
        return cached->object();
    const XRefEntry* entry = m_xref->get(number);
    if (entry == nullptr || entry->inUse == 0)
        return nullptr;
    LoadingScope scope(m_loading, number);
    if (!scope.entered())
        return nullptr;
    return entry->compressed != 0 ? loadCompressed(*entry, number) : loadFromFile(*entry, number, generation);
}

IPtr<Indirect> ObjectLoader::readAt(int offset)
{
    Reader& r = m_parser->reader();
    r.seek(offset);
    r.skipWsAndComments();
    if (!m_parser->isObjectHeader())
        return nullptr;
    const IPtr<Object> read = m_parser->readIndirect(Parser::LengthLookup::ThroughOwner);
    return IPtr<Indirect>(static_cast<Indirect*>(read.get()));
}

int ObjectLoader::scannedOffset(int32_t number)
{
    if (!m_scanned)
        m_scanned = scanObjects(m_parser->reader()).xref;
    const XRefEntry* entry = m_scanned->get(number);
    return entry != nullptr && entry->compressed == 0 ? entry->offset : -1;
}

IPtr<Object> ObjectLoader::loadFromFile(const XRefEntry& entry, int32_t number, int32_t generation)
{
    IPtr<Indirect> indirect = readAt(entry.offset);
    // An offset of 0 is how some writers mark an object as gone.
    if ((!indirect || indirect->number() != number) && entry.offset != 0) {
        const int found = scannedOffset(number);
        if (found >= 0 && found != entry.offset) {
            const IPtr<Indirect> there = readAt(found);
            if (there && there->number() == number)
                indirect = there;
        }
    }
    if (!indirect)
        return nullptr;
    if (indirect->number() != number) {
        if (entry.offset != 0)
            throw PdfException("Invalid PDF format: loadObject, objNr mismatch");
        return nullptr;
    }
    if (m_security && number != m_securityExcept && indirect->object())
        m_security->decrypt(*indirect->object(), number, indirect->generation());
    // An object whose header gives another generation than the reference
    // asking for it is kept under the reference's, so that every later
    // lookup finds this same object (changes to it included) and it is
    // written the way its references name it.
    if (indirect->generation() != generation)
        indirect = IPtr<Indirect>(new Indirect(number, generation, indirect->object(), m_parser->owner()));
    m_store->add(indirect);
    return indirect->object();
}

void ObjectLoader::setSecurity(const std::shared_ptr<const Security>& security, int32_t except)
{
    m_security = security;
    m_securityExcept = except;
}

std::vector<int32_t> ObjectLoader::objectStreamNumbers(int32_t number)
{
    std::vector<int32_t> numbers;
    const ObjectStreamIndex* index = objectStream(number);
    if (index == nullptr)
        return numbers;
    Reader& r = index->parser->reader();
    r.seek(0);
    for (size_t i = 0; i < index->offsets.size(); ++i) {
        r.skipWhitespace();
        numbers.push_back(r.readInt());
        r.skipWhitespace();
        r.readInt();
    }
    return numbers;
}

const ObjectLoader::ObjectStreamIndex* ObjectLoader::objectStream(int32_t number)
{
    const auto known = m_objectStreams.find(number);
    if (known != m_objectStreams.end()) {
        known->second.lastUse = ++m_uses;
        return known->second.parser ? &known->second : nullptr;
    }
    const bool held = isHeld(number);
    const IPtr<Object> object = loadObject(number, 0);
    // The stream is decoded below; the store need not keep the encoded one
    // unless it had it before.
    if (!held)
        forget(number);
    if (!object || object->type() != ObjectType::Stream)
        return nullptr;
    if (m_objectStreams.size() >= kCachedObjectStreams) {
        auto oldest = m_objectStreams.begin();
        for (auto it = m_objectStreams.begin(); it != m_objectStreams.end(); ++it) {
            if (it->second.lastUse < oldest->second.lastUse)
                oldest = it;
        }
        m_objectStreams.erase(oldest);
    }
    // Decoded from a copy: the stream in the store stays as the file has it.
    const IPtr<Object> copy = object->clone();
    auto* stream = static_cast<Stream*>(copy.get());
    stream->removeFilter();
    const IPtr<Number> n = stream->dict()->getNumber(kN);
    const IPtr<Number> first = stream->dict()->getNumber(kFirst);
    if (!n || !first) {
        m_objectStreams.emplace(number, ObjectStreamIndex()).first->second.lastUse = ++m_uses;
        return nullptr;
    }
    // A copy of exactly the decoded size: decoding leaves room to spare.
    auto bytes = std::make_shared<DataBuffer>(stream->data()->bytes());
    ObjectStreamIndex index;
    index.lastUse = ++m_uses;
    index.parser = std::make_shared<Parser>(std::make_shared<BufferReader>(SharedRef<const DataBuffer>(bytes)),
                                            m_parser->owner());
    index.first = first->intValue();
    Reader& r = index.parser->reader();
    const int count = n->intValue();
    for (int i = 0; i < count; ++i) {
        r.skipWhitespace();
        r.readInt(); // the object number, which is not checked
        r.skipWhitespace();
        index.offsets.push_back(r.readInt());
    }
    return &m_objectStreams.emplace(number, std::move(index)).first->second;
}

bool ObjectLoader::isHeld(int32_t number) const
{
    const XRefEntry* entry = m_xref->get(number);
    return m_store->has(number, 0) || (entry != nullptr && m_store->has(number, entry->generation));
}

void ObjectLoader::forget(int32_t number)
{
    const XRefEntry* entry = m_xref->get(number);
    m_store->remove(number, 0);
    if (entry != nullptr)
        m_store->remove(number, entry->generation);
}

IPtr<Object> ObjectLoader::loadCompressed(const XRefEntry& entry, int32_t number)
{
    // For a compressed object the generation field holds the number of its
    // object stream and the offset field its index there.
    const ObjectStreamIndex* index = objectStream(entry.generation);
    if (index == nullptr || entry.offset < 0 || static_cast<size_t>(entry.offset) >= index->offsets.size())
        return nullptr;
    const long long at = static_cast<long long>(index->first) + index->offsets[static_cast<size_t>(entry.offset)];
    index->parser->reader().seek(at < 0 ? 0 : (at > INT32_MAX ? INT32_MAX : static_cast<int>(at)));
    const IPtr<Object> object = index->parser->readObject();
    if (!object) {
        if (m_expanding)
            throw PdfException("object stream error");
        return nullptr;
    }
    m_store->add(IPtr<Indirect>(new Indirect(number, 0, object, m_parser->owner())));
    return object;
}

void ObjectLoader::loadAll()
{
    for (const XRefEntry& entry : *m_xref) {
        if (entry.inUse != 0 && entry.compressed == 0)
            loadObject(entry.number, entry.generation);
    }
    m_expanding = true;
    try {
        for (const XRefEntry& entry : *m_xref) {
            if (entry.inUse != 0 && entry.compressed != 0)
                loadObject(entry.number, 0);
        }
    } catch (...) {
        m_expanding = false;
        throw;
    }
    m_expanding = false;
    // Everything is in the store now; the decoded object streams are not needed.
    releaseObjectStreams();
}

} // namespace zpdf
