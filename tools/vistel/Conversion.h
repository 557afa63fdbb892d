// One file into pages, chosen by its extension: JPEG embedded as it is, other
// images decoded, plain text set in type. GDI+ must be running.
#pragma once

#include "base/ZString.h"
#include "tools/vistel/Failure.h"

namespace zpdf {
class Document;
}

// Appends the file's pages to the document. On failure the document may hold
// some of them: the caller drops it.
Failure convertFile(const ZString& path, zpdf::Document& document);
