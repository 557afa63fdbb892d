#include "explorer/ShellFileOperation_win.h"

#include "base/Paths.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace ole {

namespace {

// The shell's name mappings block (SHFileOperation's hNameMappings).
struct NameMappings {
    UINT count;
    SHNAMEMAPPINGW* mappings;
};

std::wstring doubleZeroList(const std::vector<ZString>& paths)
{
    std::wstring list;
    for (const ZString& path : paths) {
        list.append(path.view());
        list.push_back(L'\0');
    }
    list.push_back(L'\0');
    return list;
}

} // namespace

bool shellCopyOrMove(const std::vector<ZString>& paths, const ZString& folder, bool move,
                     std::vector<ZString>* created)
{
    // Moving a file into the folder it is in changes nothing (a drag that
    // ends over its own folder); the shell would report it as an error.
    std::vector<ZString> sources;
    for (const ZString& path : paths) {
        if (move && folderPart(path).equalsIgnoreCase(stripTrailingSeparators(folder))) {
            if (created != nullptr)
                created->push_back(path);
            continue;
        }
        sources.push_back(path);
    }
    if (sources.empty())
        return true;
    // One target per source: the shell moves several files into one folder
    // only file by file on some systems, and the targets are the result.
    std::vector<ZString> targets;
    for (const ZString& path : sources)
        targets.push_back(joinPath(folder, fileNamePart(path)));
    const std::wstring from = doubleZeroList(sources);
    const std::wstring to = doubleZeroList(targets);
    SHFILEOPSTRUCTW op{};
    op.wFunc = move ? FO_MOVE : FO_COPY;
    op.pFrom = from.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_MULTIDESTFILES | FOF_ALLOWUNDO | FOF_RENAMEONCOLLISION | FOF_NOCONFIRMMKDIR | FOF_WANTMAPPINGHANDLE;
    const int result = SHFileOperationW(&op);
    if (created != nullptr) {
        const auto* mappings = static_cast<const NameMappings*>(op.hNameMappings);
        for (size_t n = 0; n < targets.size(); ++n) {
            // A target renamed on collision is reported as a mapping from the
            // source or from the name it would have had.
            ZString arrived = targets[n];
            for (UINT i = 0; mappings != nullptr && i < mappings->count; ++i) {
                const SHNAMEMAPPINGW& m = mappings->mappings[i];
                const ZString old(m.pszOldPath, m.cchOldPath);
                if (old.equalsIgnoreCase(sources[n]) || old.equalsIgnoreCase(targets[n]))
                    arrived = ZString(m.pszNewPath, m.cchNewPath);
            }
            created->push_back(arrived);
        }
    }
    if (op.hNameMappings != nullptr)
        SHFreeNameMappings(op.hNameMappings);
    return result == 0 && !op.fAnyOperationsAborted;
}

} // namespace ole
