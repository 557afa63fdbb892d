#include "operations/ComposePages.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "operations/ChildProcess.h"

namespace {

bool aborted(const AbortControl* control) { return control != nullptr && control->isAborted(); }

} // namespace

std::vector<PageRange> pageRanges(const std::vector<PageEntry>& pages)
{
    std::vector<PageRange> ranges;
    const PageEntry* previous = nullptr;
    for (const PageEntry& entry : pages) {
        if (previous != nullptr && entry.page == previous->page + 1 && entry.path.equals(previous->path)) {
            previous = &entry;
            continue;
        }
        if (previous != nullptr)
            ranges.back().last = previous->page;
        PageRange range;
        range.path = entry.path;
        range.pageCount = entry.pageCount;
        range.first = entry.page;
        ranges.push_back(range);
        previous = &entry;
    }
    if (previous != nullptr)
        ranges.back().last = previous->page;
    return ranges;
}

void composePages(const std::vector<PageEntry>& pages, const ZString& out, AbortControl* control)
{
    if (pages.empty())
        return;
    std::vector<ZString> parts;
    for (const PageRange& range : pageRanges(pages)) {
        const ZString part = makeTempFileName(kTempSubFolder, ZString(), L".pdf");
        if (range.pageCount > 0 && range.pageCount == range.last - range.first + 1)
            copyFileRetry(range.path, part, nullptr);
        else
            extractPages(range.path, part, range.first, range.last, control);
        parts.push_back(part);
        if (aborted(control))
            break;
    }
    if (!aborted(control)) {
        if (parts.size() == 1 && extensionOf(parts.front()).equalsIgnoreCase(L".pdf")) {
            copyFileRetry(parts.front(), out, nullptr);
        } else {
            std::vector<ZString> inputs;
            for (const ZString& part : parts)
                if (!part.isEmpty() && pathExists(part))
                    inputs.push_back(part);
            if (!inputs.empty())
                mergePdfFiles(inputs, out, control);
        }
        if (aborted(control))
            deleteFile(out, false);
    }
    for (const ZString& part : parts)
        deleteFile(part, true);
}
