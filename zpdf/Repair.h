// Rebuilding the cross-reference data of a file from the objects found in it,
// for files whose own table is missing, cut off or points at the wrong places.
//
// The scan reads the whole file once: every "N G obj" header outside stream
// data (the last definition of a number wins), the "trailer" keywords, the
// cross-reference streams, the catalog and the object streams.
#pragma once

#include "zpdf/CrossReferences.h"
#include "zpdf/Reader.h"
#include "zpdf/XRef.h"

#include <vector>

namespace zpdf {

class ObjectLoader;

struct ObjectScan {
    // Every object found, at the offset of its header; none compressed.
    IPtr<XRef> xref;
    // The object streams found, in file order.
    std::vector<int32_t> objectStreams;
    // Where the last "trailer" keyword and the header of the last
    // cross-reference stream are; -1 when there is none.
    int trailerAt = -1;
    int xrefStreamAt = -1;
    // The last catalog object, -1 when there is none.
    int32_t catalog = -1;
};

// Scans the whole data of the reader (its position is left anywhere).
ObjectScan scanObjects(Reader& reader);

// The trailer the scan found: the later of the last "trailer" dictionary and
// the dictionary of the last cross-reference stream, read with the parser; a
// "Root" that is missing points at the catalog found. Null when there is
// neither a trailer nor a catalog nor an object stream (that may hold one).
IPtr<Trailer> scannedTrailer(Parser& parser, const ObjectScan& scan);

// Adds the objects inside the scanned object streams to the scan's table
// (through the loader, which decrypts and decodes them), each where no plain
// definition of its number comes later in the file.
void addObjectStreamEntries(ObjectLoader& loader, ObjectScan& scan);

// The number of a catalog among the objects of the object streams (the last
// one by number), or -1. Loads every one of them.
int32_t packedCatalog(ObjectLoader& loader, const ObjectScan& scan);

} // namespace zpdf
