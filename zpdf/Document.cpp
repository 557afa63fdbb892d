#include "zpdf/Document.h"

#include "zpdf/CrossReferences.h"
#include "zpdf/Exceptions.h"
#include "zpdf/FileReader.h"
#include "zpdf/Names.h"
#include "zpdf/Primitives.h"
#include "zpdf/Reference.h"
#include "zpdf/Repair.h"
#include "zpdf/Security.h"
#include "zpdf/Stream.h"
#include "zpdf/String.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <memory>

namespace zpdf {

namespace {

bool isName(const IPtr<Name>& name, const IPtr<Name>& constant)
{
    return name && name->bytes().equals(constant->bytes());
}

int32_t objectNumberOf(const IPtr<Object>& node)
{
    return node && node->type() == ObjectType::Reference ? static_cast<const Reference*>(node.get())->number() : 0;
}

} // namespace

Document::Document() : m_store(std::make_shared<ObjectStore>()), m_version("1.4"), m_trailer(new Trailer())
{
    IPtr<Dict> pages(new Dict());
    pages->set(kType, kPages);
    pages->set(kKids, IPtr<Object>(new Array()));
    pages->set(kCount, IPtr<Object>(new Number(0, NumberKind::Integer)));
    const IPtr<Object> pagesRef = newObject(pages)->asReference();
    IPtr<Dict> catalog(new Dict());
    catalog->set(kType, kCatalog);
    catalog->set(kPages, pagesRef);
    m_trailer->set(kRoot, newObject(catalog)->asReference());
}

Document::Document(const SharedRef<Reader>& reader)
    : m_store(std::make_shared<ObjectStore>()), m_version("1.4"), m_trailer(new Trailer())
{
    open(reader);
}

Document::Document(const ZString& path) : Document(SharedRef<Reader>(std::make_shared<FileReader>(path))) {}

Document::~Document() = default;

void Document::open(const SharedRef<Reader>& reader)
{
    auto parser = std::make_shared<Parser>(reader, this);
    parser->readHeader(m_version);
    std::exception_ptr failure;
    try {
        const IPtr<StartXRef> start = findStartXRef(*reader);
        if (!start)
            throw PdfException("startxref not found");
        const CrossReferences refs = readCrossReferences(*parser, start->offset());
        m_loader = std::make_shared<ObjectLoader>(parser, refs.xref, m_store);
        m_trailer = refs.trailer;
    } catch (const PdfException&) {
        failure = std::current_exception();
    } catch (const NumberFormatException&) {
        failure = std::current_exception();
    } catch (const IndexOutOfBoundsException&) {
        failure = std::current_exception();
    } catch (const UnsupportedException&) {
        failure = std::current_exception();
    }
    if (failure) {
        // The table failed; a scan of the file may still find the document.
        if (!openScanned(parser)) {
            m_loader.reset();
            m_security.reset();
            m_store = std::make_shared<ObjectStore>();
            m_trailer = IPtr<Trailer>(new Trailer());
            std::rethrow_exception(failure);
        }
        return;
    }
    setUpSecurity();
}

bool Document::openScanned(const SharedRef<Parser>& parser)
{
    ObjectScan scan = scanObjects(parser->reader());
    const IPtr<Trailer> trailer = scannedTrailer(*parser, scan);
    if (!trailer)
        return false;
    m_loader = std::make_shared<ObjectLoader>(parser, scan.xref, m_store);
    m_loader->setScannedObjects(scan.xref);
    m_trailer = trailer;
    setUpSecurity();
    addObjectStreamEntries(*m_loader, scan);
    try {
        if (!getRoot() && scan.catalog >= 0) {
            const XRefEntry* entry = scan.xref->get(scan.catalog);
            m_trailer->set(kRoot, IPtr<Object>(new Reference(scan.catalog, entry ? entry->generation : 0, this)));
        }
        if (!getRoot()) {
            const int32_t packed = packedCatalog(*m_loader, scan);
            if (packed >= 0)
                m_trailer->set(kRoot, IPtr<Object>(new Reference(packed, 0, this)));
        }
        return getRoot() != nullptr;
    } catch (const PdfException&) {
    } catch (const NumberFormatException&) {
    } catch (const IndexOutOfBoundsException&) {
    } catch (const UnsupportedException&) {
    }
    return false;
}

void Document::setUpSecurity()
{
    const IPtr<Object> value = m_trailer->get(kEncrypt);
    if (!value)
        return;
    // The encryption dictionary loads before there is anything to decrypt
    // with, and stays as the file has it. A broken one is reported where
    // the document's information is read.
    try {
        const IPtr<Dict> encrypt = value->toDict();
        const IPtr<Array> ids = m_trailer->getArray(kID);
        const IPtr<Object> first = ids ? ids->get(0) : nullptr;
        const IPtr<String> id = first ? first->toString() : nullptr;
        if (!encrypt)
            return;
        m_security = Security::open(*encrypt, id ? id->value() : DataBuffer());
    } catch (const PdfException&) {
    } catch (const NumberFormatException&) {
    } catch (const IndexOutOfBoundsException&) {
    } catch (const UnsupportedException&) {
    }
    if (m_security) {
        const int32_t except =
            value->type() == ObjectType::Reference ? static_cast<const Reference*>(value.get())->number() : -1;
        m_loader->setSecurity(m_security, except);
    }
}

IPtr<Object> Document::resolveObject(int32_t number, int32_t generation)
{
    if (const IPtr<Indirect> indirect = m_store->get(number, generation))
        return indirect->object();
    return m_loader ? m_loader->loadObject(number, generation) : nullptr;
}

IPtr<Indirect> Document::newObject(const IPtr<Object>& object)
{
    int32_t highest = m_store->maxObjectNumber();
    if (m_loader)
        highest = std::max(highest, m_loader->xref().maxObjectNumber());
    if (highest == INT32_MAX)
        throw PdfException("Object number too large");
    IPtr<Indirect> indirect(new Indirect(highest + 1, 0, object, this));
    m_store->add(indirect);
    return indirect;
}

IPtr<Dict> Document::getRoot()
{
    const IPtr<Object> root = m_trailer->get(kRoot);
    return root ? root->toDict() : nullptr;
}

IPtr<Dict> Document::getPagesDict()
{
    const IPtr<Dict> root = getRoot();
    return root ? root->getDict(kPages) : nullptr;
}

int Document::getPageCount()
{
    const IPtr<Dict> pages = getPagesDict();
    if (!pages)
        throw PdfException("Pages Dictionary not set!");
    const IPtr<Number> count = pages->getNumber(kCount);
    if (!count)
        throw PdfException("Count in Pages-Dictionary not found!");
    return count->intValue();
}

SharedRef<Page> Document::getPage(int index)
{
    if (index < 0)
        return nullptr;
    PageWalk& walk = m_walk;
    if (!walk.active || index < walk.nextIndex || !pageWalkStillHolds()) {
        walk = PageWalk();
        const IPtr<Dict> root = getRoot();
        const IPtr<Object> pages = root ? root->get(kPages) : nullptr;
        if (!pages)
            return nullptr;
        walk.active = true;
        walk.trailerChanges = m_trailer->changes();
        walk.root = root;
        walk.rootChanges = root->changes();
        walk.stack.push_back(pages->asReference());
    }
    // A node that fails to load ends the walk, so that the next call starts
    // afresh instead of going on without that node's pages.
    try {
        while (!walk.stack.empty()) {
            const IPtr<Object> node = std::move(walk.stack.back());
            walk.stack.pop_back();
            const IPtr<Dict> dict = node->toDict();
            const IPtr<Object> typeValue = dict ? dict->get(kType) : nullptr;
            const IPtr<Name> type = typeValue ? typeValue->toName() : nullptr;
            if (isName(type, kPage)) {
                if (walk.nextIndex++ == index)
                    return std::make_shared<Page>(node, dict, objectNumberOf(node));
            } else if (isName(type, kPages)) {
                if (!walk.seen.insert(treeNodeIdentity(node, dict)).second)
                    continue;
                const IPtr<Array> kids = dict->getArray(kKids);
                walk.walked.push_back({dict, dict->changes(), kids, kids ? kids->changes() : 0});
                if (!kids)
                    continue;
                for (int i = kids->size() - 1; i >= 0; --i) {
                    if (const IPtr<Object>& kid = kids->at(i))
                        walk.stack.push_back(kid->asReference());
                }
            } else {
                break;
            }
        }
    } catch (...) {
        walk = PageWalk();
        throw;
    }
    walk = PageWalk();
    return nullptr;
}

bool Document::pageWalkStillHolds() const
{
    const PageWalk& walk = m_walk;
    if (m_trailer->changes() != walk.trailerChanges || !walk.root || walk.root->changes() != walk.rootChanges)
        return false;
    for (const WalkedNode& walked : walk.walked) {
        if (walked.node->changes() != walked.nodeChanges)
            return false;
        if (walked.kids && walked.kids->changes() != walked.kidsChanges)
            return false;
    }
    return true;
}

SharedRef<Page> Document::addPage(int width, int height)
{
    const IPtr<Dict> root = getRoot();
    const IPtr<Object> pagesNode = root ? root->get(kPages) : nullptr;
    const IPtr<Dict> pages = pagesNode ? pagesNode->toDict() : nullptr;
    if (!pages)
        throw PdfException("Pages Dictionary not set!");
    m_walk = PageWalk();

    const IPtr<Indirect> contents = newObject(IPtr<Object>(new Stream()));
    IPtr<Dict> page(new Dict());
    page->set(kType, kPage);
    page->set(kParent, pagesNode->asReference());
    page->set(kResources, IPtr<Object>(new Dict()));
    page->set(kMediaBox, IPtr<Object>(new Rectangle(0, 0, width, height)));
    page->set(kContents, contents->asReference());
    const IPtr<Indirect> indirect = newObject(page);
    const IPtr<Object> pageRef = indirect->asReference();

    IPtr<Array> kids = pages->getArray(kKids);
    if (!kids) {
        kids = IPtr<Array>(new Array());
        pages->set(kKids, kids);
    }
    kids->append(pageRef);
    const IPtr<Number> count = pages->getNumber(kCount);
    const double before = count ? static_cast<double>(count->intValue()) : 0.0;
    pages->set(kCount, IPtr<Object>(new Number(before + 1, NumberKind::Integer)));
    return std::make_shared<Page>(pageRef, page, indirect->number());
}

IPtr<Dict> Document::trailerDict(const IPtr<Name>& key, bool create)
{
    if (const IPtr<Object> value = m_trailer->get(key))
        return value->toDict();
    if (!create)
        return nullptr;
    IPtr<Dict> dict(new Dict());
    m_trailer->set(key, newObject(dict)->asReference());
    return dict;
}

IPtr<Dict> Document::getEncryptDict(bool create) { return trailerDict(kEncrypt, create); }

IPtr<Dict> Document::getInfoDict(bool create) { return trailerDict(kInfo, create); }

} // namespace zpdf
