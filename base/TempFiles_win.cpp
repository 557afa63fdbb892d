#include "base/Files.h"
#include "base/Paths.h"

#include <windows.h>

#include <atomic>
#include <random>

namespace {

ZString expanded(const ZString& text)
{
    ZString out;
    out.setLength(4096);
    const DWORD n = ExpandEnvironmentStringsW(text.c_str(), out.data(), 4096);
    if (n == 0 || n > 4096)
        return text;
    return out.markUncounted();
}

// Expanded, without trailing separators, and only when it names an existing
// folder, or for the environment variables anything that exists.
bool usableCandidate(const ZString& raw, bool mustBeFolder, ZString& result)
{
    if (raw.isEmpty())
        return false;
    const ZString candidate = stripTrailingSeparators(expanded(raw));
    if (candidate.isEmpty() || !(mustBeFolder ? isFolder(candidate) : pathExists(candidate)))
        return false;
    result = candidate;
    return true;
}

ZString environmentValue(const wchar_t* name)
{
    ZString value;
    value.setLength(4096);
    const DWORD n = GetEnvironmentVariableW(name, value.data(), 4096);
    if (n == 0 || n >= 4096)
        return ZString();
    return value.truncate(static_cast<int>(n));
}

std::atomic<unsigned> g_uniqueCounter{0};

} // namespace

ZString tempFolder()
{
    ZString result;
    ZString fromApi;
    fromApi.setLength(4096);
    const DWORD n = GetTempPathW(4096, fromApi.data());
    if (n > 0 && n < 4096 && usableCandidate(fromApi.truncate(static_cast<int>(n)), true, result))
        return result;
    for (const wchar_t* name : {L"TMP", L"TEMP", L"TMPDIR"})
        if (usableCandidate(environmentValue(name), false, result))
            return result;
    return ZString(L".");
}

ZString makeTempFileName(const ZString& subFolder, const ZString& prefix, const ZString& extension)
{
    static std::random_device device;
    ZString base = tempFolder();
    if (!subFolder.isEmpty()) {
        base = joinPath(base, subFolder);
        createFolder(base, true);
    }
    for (;;) {
        ZString name(prefix);
        name.appendNumber(static_cast<unsigned long>(GetTickCount()));
        name.appendChar(L'_').appendNumber(static_cast<unsigned long>(device()));
        name.appendChar(L'_').appendNumber(static_cast<unsigned long>(g_uniqueCounter++));
        name.append(extension);
        ZString path = joinPath(base, name);
        if (!pathExists(path))
            return path;
    }
}

ZString uniqueTempFolder(const ZString& subFolder, const ZString& prefix, const ZString& suffix)
{
    const ZString path = makeTempFileName(subFolder, prefix, suffix);
    return createFolder(path, true) ? path : ZString();
}

ZString freeNumberedName(const ZString& path)
{
    if (!pathExists(path))
        return path;
    const ZString stem = withoutExtension(path);
    ZString ext = extensionOf(path);
    if (!ext.isEmpty())
        ext.erase(0, 0); // the dot is written between ")" and the extension
    for (unsigned long n = 1;; ++n) {
        Sleep(50);
        ZString candidate(stem);
        candidate.append(L" (").appendNumber(n).append(L").").append(ext);
        if (!pathExists(candidate))
            return candidate;
    }
}

void removeLeftoverTempFiles()
{
    const ZString folder = joinPath(tempFolder(), kTempSubFolder);
    std::vector<ZString> files;
    std::vector<ZString> folders;
    listFolder(folder, &files, &folders);
    for (const ZString& file : files)
        DeleteFileW(file.c_str());
    for (const ZString& sub : folders)
        deleteTree(sub);
}
