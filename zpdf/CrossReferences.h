// Reading the cross-reference data of a file: the startxref record near its
// end, then every section of the chain it starts (classic tables,
// cross-reference streams and hybrids of both), merged newest first.
#pragma once

#include "zpdf/Dict.h"
#include "zpdf/Parser.h"
#include "zpdf/XRef.h"

namespace zpdf {

// The last "startxref" record within the last 1024 bytes, or null.
IPtr<StartXRef> findStartXRef(Reader& reader);

struct CrossReferences {
    // Every section's entries; an object number keeps the entry of the first
    // section that lists it.
    IPtr<XRef> xref;
    // The trailer of the section at startxref (for a cross-reference
    // stream, its dictionary).
    IPtr<Trailer> trailer;
};

// Reads the section at offset and the sections its "Prev" and "XRefStm"
// entries lead to, in that order. A section already read is not read again,
// so a chain that loops back ends. PdfException "No valid stream object",
// "xref not found", "trailer not found", "Could not read trailer", and the
// messages of the sections themselves.
CrossReferences readCrossReferences(Parser& parser, int offset);

} // namespace zpdf
