#include "zpdf/Composer.h"

#include "zpdf/Exceptions.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/Reference.h"
#include "zpdf/Stream.h"

#include <set>

namespace zpdf {

namespace {

// A name of this file's own, shared by every thread like the well-known ones.
IPtr<Name> immortalName(const char* text)
{
    IPtr<Name> name(new Name(text));
    name->makeImmortal();
    return name;
}

const IPtr<Name>& versionKey()
{
    static const IPtr<Name> name = immortalName("Version");
    return name;
}

const IPtr<Name>& ocPropertiesKey()
{
    static const IPtr<Name> name = immortalName("OCProperties");
    return name;
}

const IPtr<Name>& ocGroupsKey()
{
    static const IPtr<Name> name = immortalName("OCGs");
    return name;
}

const IPtr<Name>& defaultsKey()
{
    static const IPtr<Name> name = immortalName("D");
    return name;
}

const IPtr<Name>& offKey()
{
    static const IPtr<Name> name = immortalName("OFF");
    return name;
}

const IPtr<Name>& beadsKey()
{
    static const IPtr<Name> name = immortalName("B");
    return name;
}

bool sameName(const IPtr<Object>& value, const IPtr<Name>& name)
{
    const IPtr<Name> actual = value ? value->toName() : nullptr;
    return actual && actual->bytes().equals(name->bytes());
}

// The "Type" of a dictionary (not of a stream's dictionary), or null.
IPtr<Name> dictType(const IPtr<Object>& object)
{
    if (!object || object->type() != ObjectType::Dict)
        return nullptr;
    const IPtr<Object> type = static_cast<const Dict*>(object.get())->get(kType);
    return type ? type->toName() : nullptr;
}

bool isNamed(const IPtr<Name>& name, const IPtr<Name>& constant)
{
    return name && name->bytes().equals(constant->bytes());
}

// The value of key on the page or, failing that, on its nearest ancestor
// that has it; null when none has. A looping "Parent" chain ends the search.
IPtr<Object> inherited(const IPtr<Dict>& page, const IPtr<Name>& key)
{
    std::set<std::pair<const void*, int64_t>> seen;
    IPtr<Dict> node = page;
    while (node) {
        if (const IPtr<Object> value = node->get(key))
            return value;
        const IPtr<Object> parent = node->get(kParent);
        if (!parent)
            break;
        node = parent->toDict();
        if (!node || !seen.insert(treeNodeIdentity(parent, node)).second)
            break;
    }
    return nullptr;
}

} // namespace

Composer::Composer(std::vector<PagePick> picks) : m_picks(std::move(picks))
{
    DataBuffer version("1.4");
    for (const PagePick& pick : m_picks) {
        if (pick.source->trailer()->has(kEncrypt))
            throw UnsupportedException("Encrypted documents cannot be composed");
        if (pick.source->version().compare(version) > 0)
            version = pick.source->version();
        SharedRef<Page> page = pick.source->getPage(pick.index);
        if (!page)
            throw PdfException("Invalid page number");
        m_pages.push_back(std::move(page));
        if (m_sources.find(pick.source) == m_sources.end())
            m_sources.emplace(pick.source, std::make_unique<Source>(Source{pick.source, {}}));
    }

    // The new pages are numbered first, in pick order, so that references
    // from any page to any picked page can be made while copying.
    const IPtr<Dict> root = m_output.getRoot();
    const IPtr<Object> pagesRef = root->get(kPages);
    const IPtr<Dict> pages = pagesRef->toDict();
    IPtr<Array> kids(new Array());
    for (size_t i = 0; i < m_picks.size(); ++i) {
        IPtr<Dict> page(new Dict());
        const IPtr<Indirect> indirect = m_output.newObject(page);
        m_newPages.push_back(page);
        m_newNumbers.push_back(indirect->number());
        kids->append(indirect->asReference());
        const SharedRef<Page>& source = m_pages[i];
        m_pageNumbers.emplace(std::make_pair(m_picks[i].source, treeNodeIdentity(source->node(), source->dict())),
                              indirect->number());
    }
    pages->set(kKids, kids);
    pages->set(kCount, IPtr<Object>(new Number(static_cast<double>(m_picks.size()), NumberKind::Integer)));
    if (version.compare(DataBuffer("1.4")) > 0)
        root->set(versionKey(), IPtr<Object>(new Name(version)));
    copyOptionalContent();
}

void Composer::copyOptionalContent()
{
    // The layers of the sources: all their groups, shown as the first
    // source's configuration says, with the groups the others hide hidden.
    IPtr<Array> groups(new Array());
    IPtr<Dict> configuration;
    std::set<Document*> done;
    for (const PagePick& pick : m_picks) {
        if (!done.insert(pick.source).second)
            continue;
        const IPtr<Dict> root = pick.source->getRoot();
        const IPtr<Dict> properties = root ? root->getDict(ocPropertiesKey()) : nullptr;
        if (!properties)
            continue;
        Source& source = *m_sources.at(pick.source);
        if (const IPtr<Array> list = properties->getArray(ocGroupsKey()))
            for (const IPtr<Object>& group : *list)
                groups->append(copyValue(group, source));
        const IPtr<Dict> defaults = properties->getDict(defaultsKey());
        if (!defaults)
            continue;
        if (!configuration) {
            configuration = copyDict(*defaults, source);
            drain(); // an "OFF" given by reference is then there to add to
            continue;
        }
        if (const IPtr<Array> off = defaults->getArray(offKey())) {
            IPtr<Array> hidden = configuration->getArray(offKey());
            if (!hidden) {
                hidden = IPtr<Array>(new Array());
                configuration->set(offKey(), hidden);
            }
            for (const IPtr<Object>& group : *off)
                hidden->append(copyValue(group, source));
        }
    }
    drain();
    if (groups->size() == 0)
        return;
    IPtr<Dict> properties(new Dict());
    properties->set(ocGroupsKey(), groups);
    properties->set(defaultsKey(), configuration ? configuration : IPtr<Dict>(new Dict()));
    m_output.getRoot()->set(ocPropertiesKey(), properties);
}

Composer::~Composer() = default;

IPtr<Object> Composer::newReference(int32_t number) { return IPtr<Object>(new Reference(number, 0, &m_output)); }

bool Composer::copyNextPage()
{
    if (m_next >= pageCount())
        return false;
    const size_t i = static_cast<size_t>(m_next);
    const IPtr<Dict>& from = m_pages[i]->dict();
    Source& source = *m_sources.at(m_picks[i].source);
    const IPtr<Object> pageRef = newReference(m_newNumbers[i]);

    Dict::Entries entries;
    for (const auto& [key, value] : *from) {
        if (isNamed(key, kParent) || isNamed(key, kAnnots) || isNamed(key, beadsKey()) || isNamed(key, kRotate))
            continue;
        entries.emplace_back(key, copyValue(value, source));
    }
    for (const IPtr<Name>& key : {kResources, kMediaBox, kCropBox}) {
        if (from->has(key))
            continue;
        if (const IPtr<Object> value = inherited(from, key))
            entries.emplace_back(key, copyValue(value, source));
    }
    // "Rotate" goes in as a direct number, so that rotating needs nothing loaded.
    const IPtr<Object> rotate = inherited(from, kRotate);
    if (const IPtr<Number> degrees = rotate ? rotate->toNumber() : nullptr)
        entries.emplace_back(kRotate, IPtr<Object>(new Number(degrees->intValue(), NumberKind::Integer)));
    if (const IPtr<Object> annots = from->get(kAnnots))
        entries.emplace_back(kAnnots, copyAnnotations(annots, source, pageRef));
    entries.emplace_back(kParent, m_output.getRoot()->get(kPages));

    const IPtr<Dict>& page = m_newPages[i];
    page->assignEntries(std::move(entries));
    drain();
    m_pageAnnotations.clear();
    Page(pageRef, page, m_newNumbers[i]).rotate(m_picks[i].rotation, false);
    ++m_next;
    return true;
}

IPtr<Array> Composer::copyAnnotations(const IPtr<Object>& annots, Source& source, const IPtr<Object>& pageRef)
{
    IPtr<Array> copy(new Array());
    const IPtr<Array> list = annots->toArray();
    if (!list)
        return copy;
    // Each page gets annotations of its own (they point back at it); what
    // they reference is shared as usual. Annotations of the page that point
    // at each other (a popup and its parent) find the page's own copies.
    for (const IPtr<Object>& element : *list) {
        if (element && element->type() == ObjectType::Reference) {
            const auto* ref = static_cast<const Reference*>(element.get());
            const ObjectStore::Key key(ref->number(), ref->generation());
            const IPtr<Object> resolved = element->resolve();
            if (m_pageAnnotations.count(key) == 0 && resolved && resolved->type() == ObjectType::Dict) {
                const IPtr<Indirect> slot = m_output.newObject(Null::instance());
                m_pageAnnotations.emplace(key, slot->number());
            }
        }
    }
    std::set<ObjectStore::Key> done;
    for (const IPtr<Object>& element : *list) {
        if (!element)
            continue;
        if (element->type() == ObjectType::Reference) {
            const auto* ref = static_cast<const Reference*>(element.get());
            const ObjectStore::Key key(ref->number(), ref->generation());
            const auto own = m_pageAnnotations.find(key);
            if (own == m_pageAnnotations.end())
                continue; // not an annotation
            copy->append(newReference(own->second));
            if (done.insert(key).second) {
                const IPtr<Object> resolved = element->resolve();
                m_output.store().add(IPtr<Indirect>(new Indirect(
                    own->second, 0, copyAnnotation(*static_cast<const Dict*>(resolved.get()), source, pageRef),
                    &m_output)));
            }
        } else if (element->type() == ObjectType::Dict) {
            copy->append(copyAnnotation(*static_cast<const Dict*>(element.get()), source, pageRef));
        }
    }
    return copy;
}

IPtr<Dict> Composer::copyAnnotation(const Dict& annotation, Source& source, const IPtr<Object>& pageRef)
{
    // A widget's "Parent" is its field in the document's form, which is not
    // kept: following it would bring in the widgets of every other page.
    const bool widget = sameName(annotation.get(kSubtype), kWidget);
    Dict::Entries entries;
    for (const auto& [key, value] : annotation) {
        if (isNamed(key, kP) || (widget && isNamed(key, kParent)))
            continue;
        entries.emplace_back(key, copyValue(value, source));
    }
    entries.emplace_back(kP, pageRef);
    IPtr<Dict> copy(new Dict());
    copy->assignEntries(std::move(entries));
    return copy;
}

IPtr<Dict> Composer::copyDict(const Dict& dict, Source& source, bool skipLength)
{
    Dict::Entries entries;
    entries.reserve(static_cast<size_t>(dict.size()));
    for (const auto& [key, value] : dict) {
        if (skipLength && isNamed(key, kLength))
            continue;
        entries.emplace_back(key, copyValue(value, source));
    }
    IPtr<Dict> copy(new Dict());
    copy->assignEntries(std::move(entries));
    return copy;
}

IPtr<Object> Composer::copyValue(const IPtr<Object>& value, Source& source)
{
    if (!value)
        return Null::instance();
    switch (value->type()) {
    case ObjectType::Reference:
        return copyReference(*static_cast<const Reference*>(value.get()), source);
    case ObjectType::Dict:
    case ObjectType::Trailer:
        return copyDict(*static_cast<const Dict*>(value.get()), source);
    case ObjectType::Array: {
        const auto* array = static_cast<const Array*>(value.get());
        IPtr<Array> copy(new Array());
        for (const IPtr<Object>& element : *array)
            copy->append(copyValue(element, source));
        return copy;
    }
    case ObjectType::Stream: {
        const auto* stream = static_cast<const Stream*>(value.get());
        const IPtr<Dict> dict = stream->dict() ? copyDict(*stream->dict(), source, true) : IPtr<Dict>(new Dict());
        // Filtered bytes are shared with the source as they are; bytes
        // without a filter are copied, since writing compresses them in place.
        IPtr<StreamData> data = stream->data();
        if (!data)
            data = IPtr<StreamData>(new StreamData());
        else if (!dict->has(kFilter))
            data = IPtr<StreamData>(new StreamData(data->bytes()));
        IPtr<Stream> copy(new Stream(dict, data));
        copy->updateLength();
        return copy;
    }
    case ObjectType::Indirect:
        return copyValue(static_cast<const Indirect*>(value.get())->object(), source);
    default:
        // Names, numbers, strings, booleans and null are never changed in
        // place: both documents may hold the same one.
        return value;
    }
}

IPtr<Object> Composer::copyReference(const Reference& ref, Source& source)
{
    const ObjectStore::Key key(ref.number(), ref.generation());
    const auto own = m_pageAnnotations.find(key);
    if (own != m_pageAnnotations.end())
        return newReference(own->second);
    const auto known = source.copied.find(key);
    if (known != source.copied.end())
        return newReference(known->second);
    const IPtr<Object> object = const_cast<Reference&>(ref).resolve();
    if (!object)
        return Null::instance();
    const IPtr<Name> type = dictType(object);
    if (isNamed(type, kPage)) {
        const Identity identity(nullptr, static_cast<int64_t>(ref.number()) << 32 | static_cast<uint32_t>(ref.generation()));
        const auto page = m_pageNumbers.find({source.document, identity});
        return page != m_pageNumbers.end() ? newReference(page->second) : IPtr<Object>(Null::instance());
    }
    if (isNamed(type, kPages) || isNamed(type, kCatalog))
        return Null::instance();
    const IPtr<Indirect> slot = m_output.newObject(Null::instance());
    source.copied.emplace(key, slot->number());
    m_pending.push_back({object, &source, slot->number()});
    return newReference(slot->number());
}

void Composer::drain()
{
    while (!m_pending.empty()) {
        Pending next = std::move(m_pending.back());
        m_pending.pop_back();
        const IPtr<Object> copy = copyValue(next.object, *next.source);
        m_output.store().add(IPtr<Indirect>(new Indirect(next.number, 0, copy, &m_output)));
    }
}

} // namespace zpdf
