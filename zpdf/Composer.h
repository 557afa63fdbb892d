// Composer: makes one new document from pages of other documents, copying
// each page object and everything it references (contents, resources, fonts,
// images, annotations) under new object numbers. Streams are copied with
// their bytes as they are.
//
// - Every source object is copied once, however many pages use it; a page
//   picked twice appears twice (with annotations of its own each time).
// - What a page inherits through its page tree ("Resources", "MediaBox",
//   "CropBox", "Rotate") is made explicit on the page; the pick's rotation is
//   then added to its "Rotate" as Page::rotate does (not absolute).
// - References to pages become references to their first copy, or null for
//   pages that are not picked; page-tree nodes and catalogs are never copied.
// - Document-level structures (outlines, named destinations, structure
//   trees, forms, threads) are left out; annotations keep their appearance
//   but widgets lose their link to a form's field tree, and beads ("B") go.
//   Optional content (layers) is kept: the groups of all sources, shown as
//   the first source that has any says, the others' hidden ones hidden.
//
// The sources must outlive the composer; one thread at a time.
#pragma once

#include "zpdf/Document.h"
#include "zpdf/ObjectStore.h"

#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace zpdf {

// One page of the composed document: page index (from 0) of a source, and
// the degrees added to its "Rotate".
struct PagePick {
    Document* source = nullptr;
    int index = 0;
    int rotation = 0;
};

class Composer {
public:
    // Finds the picked pages and numbers the new ones in pick order.
    // UnsupportedException for an encrypted source; PdfException "Invalid
    // page number" for a page a source does not have; loading errors.
    explicit Composer(std::vector<PagePick> picks);
    ~Composer();
    Composer(const Composer&) = delete;
    Composer& operator=(const Composer&) = delete;

    int pageCount() const { return static_cast<int>(m_picks.size()); }
    int pagesCopied() const { return m_next; }
    // Copies the next picked page with what it needs; false when every page
    // has been copied. Loading errors of the source come through.
    bool copyNextPage();
    // The composed document (complete once copyNextPage returned false).
    Document& output() { return m_output; }

private:
    using Identity = std::pair<const void*, int64_t>;
    // What has been copied from one source, by source object number.
    struct Source {
        Document* document;
        std::map<ObjectStore::Key, int32_t> copied;
    };
    // A source object waiting to be copied into the numbered new object.
    struct Pending {
        IPtr<Object> object;
        Source* source;
        int32_t number;
    };

    // The sources' optional content (layers) into the new catalog.
    void copyOptionalContent();
    IPtr<Object> copyValue(const IPtr<Object>& value, Source& source);
    IPtr<Dict> copyDict(const Dict& dict, Source& source, bool skipLength = false);
    IPtr<Object> copyReference(const Reference& ref, Source& source);
    IPtr<Dict> copyAnnotation(const Dict& annotation, Source& source, const IPtr<Object>& pageRef);
    IPtr<Array> copyAnnotations(const IPtr<Object>& annots, Source& source, const IPtr<Object>& pageRef);
    // Copies what is waiting, and what that references in turn.
    void drain();
    IPtr<Object> newReference(int32_t number);

    std::vector<PagePick> m_picks;
    std::vector<SharedRef<Page>> m_pages;
    std::vector<IPtr<Dict>> m_newPages;
    std::vector<int32_t> m_newNumbers;
    // The first new page of each picked source page.
    std::map<std::pair<Document*, Identity>, int32_t> m_pageNumbers;
    std::map<Document*, std::unique_ptr<Source>> m_sources;
    // The annotations of the page being copied: its own copies, by source number.
    std::map<ObjectStore::Key, int32_t> m_pageAnnotations;
    std::vector<Pending> m_pending;
    Document m_output;
    int m_next = 0;
};

} // namespace zpdf
