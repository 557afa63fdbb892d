// Document: a PDF document, created empty or opened from a file.
//
// Opening reads only the header, the cross-reference chain and the trailer;
// objects load on first use (see ObjectLoader) and stay in the store. When
// the cross-reference data cannot be read, the objects found by a scan of the
// file stand in for it (see Repair.h); when that finds no document either,
// opening fails with the message of the table's failure. An encrypted
// document that opens with an empty user password is decrypted as it loads
// (see Security.h). The
// document resolves the references of its objects, so it must outlive every
// object and Page taken from it. One thread at a time.
//
// Writing is always a full rewrite: unreachable objects are dropped, the
// others are written by number, streams compressed, followed by one classic
// cross-reference table and a new trailer.
#pragma once

#include "base/ZString.h"
#include "zpdf/DataBuffer.h"
#include "zpdf/Dict.h"
#include "zpdf/DocumentInfo.h"
#include "zpdf/ObjectLoader.h"
#include "zpdf/ObjectStore.h"
#include "zpdf/Page.h"
#include "zpdf/Reader.h"
#include "zpdf/SharedRef.h"

#include <memory>
#include <set>
#include <utility>
#include <vector>

namespace zpdf {

class Security;
class Writer;

class Document : public ObjectOwner {
public:
    // An empty document: version 1.4, a catalog and an empty page tree.
    Document();
    // Opens the file (kept open for the document's life). PdfException when
    // its cross-reference data cannot be read; a file that cannot be opened
    // reads as empty ("startxref not found").
    explicit Document(const ZString& path);
    // Opens a document from any reader (bytes in memory, for instance).
    explicit Document(const SharedRef<Reader>& reader);
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // "1.4" unless the opened file's header names another version.
    const DataBuffer& version() const { return m_version; }
    const IPtr<Trailer>& trailer() const { return m_trailer; }
    ObjectStore& store() { return *m_store; }
    // Null for a document created empty.
    ObjectLoader* loader() const { return m_loader.get(); }
    // Whether the document is encrypted and its objects are decrypted as
    // they load (false for one that needs a real password).
    bool decrypts() const { return m_security != nullptr; }

    // Wraps the object in an Indirect with the next free number (generation
    // 0), adds it to the store and returns it; asReference points at it.
    IPtr<Indirect> newObject(const IPtr<Object>& object);
    // The trailer's "Root" as a dictionary, or null.
    IPtr<Dict> getRoot();
    // The root's "Pages" as a dictionary, or null.
    IPtr<Dict> getPagesDict();
    // "Count" of the page tree. PdfException "Pages Dictionary not set!" or
    // "Count in Pages-Dictionary not found!".
    int getPageCount();
    // The page at index (from 0) in document order, or null. The tree is
    // walked depth first; a "Kids" entry that leads back to a node already
    // walked is passed over. Fetching pages in ascending order continues the
    // previous walk instead of starting again, unless the page tree changed
    // since ("Kids", "Pages" or "Root" set anew or added to).
    SharedRef<Page> getPage(int index);
    // Appends a blank page of that size (an empty content stream) to the
    // top of the page tree.
    SharedRef<Page> addPage(int width, int height);
    // The trailer's "Encrypt" / "Info" as a dictionary; when absent and
    // create is set, a new empty one (made indirect), else null.
    IPtr<Dict> getEncryptDict(bool create);
    IPtr<Dict> getInfoDict(bool create);

    // Writes the whole document: every object a reference reaches from the
    // trailer, by number. Objects the document does not hold yet are loaded
    // for this only and let go again. Changes the document: objects it holds
    // that nothing reaches are removed and its streams without a filter are
    // compressed, so writing twice gives the same bytes.
    void write(Writer& writer);
    // Writes the document to a file; false when the file could not be
    // written completely.
    bool save(const ZString& path);
    // Fills info from the document; a failure stops the filling and leaves
    // its message in info.error, with the fields read so far kept.
    void readInfo(DocumentInfo& info);

    IPtr<Object> resolveObject(int32_t number, int32_t generation) override;

private:
    // A page-tree node the walk has gone into, with the change counts of it
    // and of its kids as they were then.
    struct WalkedNode {
        IPtr<Dict> node;
        uint32_t nodeChanges = 0;
        IPtr<Array> kids;
        uint32_t kidsChanges = 0;
    };

    // Where the last page-tree walk stopped.
    struct PageWalk {
        bool active = false;
        // What the walk started from and went into; once any of it changed,
        // the pages still to come are no longer those of the tree.
        uint32_t trailerChanges = 0;
        IPtr<Dict> root;
        uint32_t rootChanges = 0;
        std::vector<WalkedNode> walked;
        // The index the next page found has.
        int nextIndex = 0;
        std::vector<IPtr<Object>> stack;
        // The page-tree nodes walked (see treeNodeIdentity; direct ones are
        // kept alive by their parents).
        std::set<std::pair<const void*, int64_t>> seen;
    };

    void open(const SharedRef<Reader>& reader);
    // Whether the page tree is as the last walk saw it.
    bool pageWalkStillHolds() const;
    // Opens from the objects a scan of the file finds; false when they make
    // no document (no trailer or catalog, or a root that does not load).
    bool openScanned(const SharedRef<Parser>& parser);
    // Sets up decryption when the trailer names an encryption dictionary
    // that the empty user password opens.
    void setUpSecurity();
    IPtr<Dict> trailerDict(const IPtr<Name>& key, bool create);
    // The objects reachable from the trailer, by (number, generation),
    // ascending. Objects loaded to follow the references are not kept: the
    // store holds no more than held (sorted) afterwards.
    std::vector<ObjectStore::Key> reachableObjects(const std::vector<ObjectStore::Key>& held);
    // Removes every object of the store whose key is not in keep (sorted).
    void keepOnly(const std::vector<ObjectStore::Key>& keep);

    SharedRef<ObjectStore> m_store;
    SharedRef<ObjectLoader> m_loader;
    DataBuffer m_version;
    IPtr<Trailer> m_trailer;
    std::shared_ptr<const Security> m_security;
    PageWalk m_walk;
};

} // namespace zpdf
