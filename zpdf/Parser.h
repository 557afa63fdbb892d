// Parser: turns the bytes of a reader into objects.
//
// The parser is strict: it repairs only a stream "Length" that misses
// "endstream" (the data then runs up to the first "endstream"). Every
// structural error is a PdfException with a fixed message
// (NumberFormatException for missing numbers); a failure leaves the reader
// where the error was found. Nested
// arrays, dictionaries and indirect objects loaded on the way are limited to
// kMaxDepth levels, so no file can exhaust the stack.
//
// Names are shared: every spelling becomes one Name object per parser (the
// well-known names one per program), which keeps large documents small.
//
// Every Reference the parser creates gets the parser's owner, which later
// resolves it (and which loads a stream's Length when it is given by reference).
#pragma once

#include "zpdf/Name.h"
#include "zpdf/Object.h"
#include "zpdf/Reader.h"
#include "zpdf/SharedRef.h"

#include <string_view>
#include <unordered_map>

namespace zpdf {

class Dict;
class Name;
class StartXRef;
class StreamData;
class Trailer;
class XRef;

class Parser {
public:
    static constexpr int kMaxDepth = 256;

    // How readIndirect finds a stream's Length.
    enum class LengthLookup {
        // A reference is loaded through the owner (objects of a loaded document).
        ThroughOwner,
        // Only a direct number counts (cross-reference streams, read before
        // anything can be loaded).
        DirectOnly,
    };

    Parser(const SharedRef<Reader>& reader, ObjectOwner* owner);

    Reader& reader() const { return *m_reader; }
    const SharedRef<Reader>& sharedReader() const { return m_reader; }
    ObjectOwner* owner() const { return m_owner; }

    // The next object after white space and comments, or null when none
    // starts there (the caller reports the error).
    IPtr<Object> readObject();
    IPtr<Object> readArray();
    IPtr<Dict> readDictionary();
    IPtr<Name> readName();
    IPtr<Object> readString();
    IPtr<Object> readNumber();
    IPtr<Object> readBool();
    IPtr<Object> readNull();
    // Peeks "number number R" (digits only); the position is kept.
    bool isReference();
    IPtr<Object> readReference();
    // Peeks "number number obj"; the position is kept.
    bool isObjectHeader();
    // "number generation obj" and its object; a dictionary followed by
    // "stream" becomes a Stream with its data. "endobj" is not consumed.
    IPtr<Object> readIndirect(LengthLookup lookup = LengthLookup::ThroughOwner);
    // "stream", one line end, length bytes, "endstream". When "endstream"
    // does not follow, the data is what lies before the first "endstream"
    // (less one line end); without one, PdfException after a diagnostic.
    IPtr<StreamData> readStreamData(int length);
    IPtr<Trailer> readTrailer();
    IPtr<StartXRef> readStartXRef();
    // "%PDF-" at offset 0 followed by digit, ".", digit: the three bytes
    // become the version. False (version untouched) for anything else.
    bool readHeader(DataBuffer& version);
    // One classic cross-reference section: "xref", then subsections of a
    // first number and a count, each followed by count entries of offset,
    // generation and "n" or "f", with any white space between the fields.
    IPtr<XRef> readXRef();

private:
    class DepthGuard;

    // One Name object per spelling: the shared constant, or one of this
    // parser's own (names are never changed, so objects may share them).
    IPtr<Name> internName(const DataBuffer& bytes);

    ObjectOwner* m_owner;
    SharedRef<Reader> m_reader;
    int m_depth = 0;
    // Keys view the bytes of the names they map to.
    std::unordered_map<std::string_view, IPtr<Name>> m_names;
};

} // namespace zpdf
