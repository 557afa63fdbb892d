#include "base/Paths.h"

namespace {
bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

int lastSeparator(const ZString& s)
{
    for (int i = s.length() - 1; i >= 0; --i)
        if (isSeparator(s.getAt(i)))
            return i;
    return -1;
}
} // namespace

ZString stripTrailingSeparators(const ZString& path)
{
    ZString s(path);
    int n = s.length();
    while (n > 0 && isSeparator(s.getAt(n - 1)))
        --n;
    return s.truncate(n);
}

ZString joinPath(const ZString& folder, const ZString& name)
{
    if (folder.isEmpty())
        return name;
    ZString s = stripTrailingSeparators(folder);
    int i = 0;
    while (i < name.length() && isSeparator(name.getAt(i)))
        ++i;
    s.appendChar(L'\\');
    if (i < name.length())
        s.append(name.substring(i));
    return s;
}

ZString fileNamePart(const ZString& path)
{
    const ZString s = stripTrailingSeparators(path);
    const int at = lastSeparator(s);
    return at < 0 ? s : s.substring(at + 1);
}

ZString folderPart(const ZString& path)
{
    const ZString s = stripTrailingSeparators(path);
    const int at = lastSeparator(s);
    if (at <= 0)
        return ZString();
    // A drive's root keeps its separator: "C:" alone would mean the drive's current folder.
    if (at == 2 && s.getAt(1) == L':')
        return s.substring(0, at);
    return s.substring(0, at - 1);
}

ZString extensionOf(const ZString& path)
{
    const ZString name = fileNamePart(path);
    const int dot = name.findLastChar(L'.');
    return dot < 0 ? ZString() : name.substring(dot);
}

ZString withoutExtension(const ZString& path)
{
    const int extLen = extensionOf(path).length();
    ZString s = stripTrailingSeparators(path);
    return s.truncate(s.length() - extLen);
}

bool hasInvalidFileNameChars(const ZString& name)
{
    return name.countChars(L"/\\:<>*?\"|") > 0;
}
