// ObjectLoader: loads the objects of an opened file by number, on first use,
// through the merged cross-reference table, and keeps them in the document's
// store. Objects inside object streams are read from the decoded stream; the
// last few object streams used are kept decoded (until loadAll has taken
// every object out of them or releaseObjectStreams is called).
//
// When the table's offset of an object leads to no header or to another
// object, the object is taken from where a scan of the file finds it (the
// scan runs once, on the first such miss).
//
// With a Security set, every object read from the file is decrypted as it
// loads (objects inside object streams come decrypted with their stream).
//
// Loading never recurses without end: an object that is asked for again
// while it is being loaded (a "Length" that refers to its own stream, an
// object stream said to lie inside itself) loads as null, and so does
// anything nested deeper than kMaxNesting loads.
#pragma once

#include "zpdf/ObjectStore.h"
#include "zpdf/Parser.h"
#include "zpdf/SharedRef.h"
#include "zpdf/XRef.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

namespace zpdf {

class Security;
class Stream;

class ObjectLoader {
public:
    static constexpr int kMaxNesting = 64;
    // Decoded object streams kept at a time (the ones used last).
    static constexpr size_t kCachedObjectStreams = 8;

    ObjectLoader(const SharedRef<Parser>& parser, const IPtr<XRef>& xref, const SharedRef<ObjectStore>& store);

    const XRef& xref() const { return *m_xref; }
    Parser& parser() const { return *m_parser; }

    // The object (not its Indirect wrapper), from the store or the file; null
    // when the table has no entry in use for the number.
    // PdfException "Invalid PDF format: loadObject, objNr mismatch" when the
    // entry's offset leads to another object, and the parser's messages.
    IPtr<Object> loadObject(int32_t number, int32_t generation);
    // Loads every object the table lists, those inside object streams
    // included (PdfException "object stream error" when the place an object
    // stream gives for one of them holds none). Objects already in the store
    // are kept as they are.
    void loadAll();
    // Lets go of the decoded object streams (they are decoded again when needed).
    void releaseObjectStreams() { m_objectStreams.clear(); }
    // The object numbers an object stream lists, in order; empty when it is
    // no object stream.
    std::vector<int32_t> objectStreamNumbers(int32_t number);

    // Decrypts what loads from now on; the object numbered except (the
    // encryption dictionary) is left as it is.
    void setSecurity(const std::shared_ptr<const Security>& security, int32_t except);
    // The table a scan of the file gave, to use instead of scanning again.
    void setScannedObjects(const IPtr<XRef>& scanned) { m_scanned = scanned; }

private:
    // The decoded bytes of one object stream and where its objects are.
    struct ObjectStreamIndex {
        // Null for a stream without "N" or "First".
        SharedRef<Parser> parser;
        int first = 0;
        std::vector<int> offsets;
        uint64_t lastUse = 0;
    };

    IPtr<Object> loadFromFile(const XRefEntry& entry, int32_t number, int32_t generation);
    // The object whose header is at offset, or null when no header is there.
    IPtr<Indirect> readAt(int offset);
    // Where a scan of the file finds the object, or -1.
    int scannedOffset(int32_t number);
    IPtr<Object> loadCompressed(const XRefEntry& entry, int32_t number);
    // Whether the store has the object of that number (as its table entry
    // gives it); forget removes it.
    bool isHeld(int32_t number) const;
    void forget(int32_t number);
    // The index of the object stream of that number; null when the stream is
    // missing or lacks "N" or "First".
    const ObjectStreamIndex* objectStream(int32_t number);

    SharedRef<Parser> m_parser;
    IPtr<XRef> m_xref;
    SharedRef<ObjectStore> m_store;
    std::map<int32_t, ObjectStreamIndex> m_objectStreams;
    std::set<int32_t> m_loading;
    uint64_t m_uses = 0;
    IPtr<XRef> m_scanned;
    std::shared_ptr<const Security> m_security;
    int32_t m_securityExcept = -1;
    // Set while loadAll takes the objects out of the object streams: an
    // object whose place there holds no object is an error then.
    bool m_expanding = false;
};

} // namespace zpdf
