// Composing a sequence of pages from several PDF files into one PDF file.
#pragma once

#include "base/ZString.h"
#include "operations/Ghostscript.h"

#include <cstdint>
#include <vector>

class AbortControl;

struct PageEntry {
    ZString path;       // the source PDF
    uint32_t pageCount; // the source's page count
    uint32_t page;      // from 1
};

// Consecutive pages of one file.
struct PageRange {
    ZString path;
    uint32_t pageCount = kNoPageBound;
    uint32_t first = kNoPageBound;
    uint32_t last = kNoPageBound;
};

// The entries in order, cut wherever the file changes (exact comparison) or a
// page does not follow its predecessor by one.
std::vector<PageRange> pageRanges(const std::vector<PageEntry>& pages);

// Writes the pages into out: each range is copied (when it is its whole file)
// or extracted into a temporary part, and the parts are merged. Stops when the
// control is aborted; out is then deleted. The parts are always deleted.
void composePages(const std::vector<PageEntry>& pages, const ZString& out, AbortControl* control);
