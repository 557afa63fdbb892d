#include "explorer/VirtualFileName.h"

#include "base/TextUtil.h"

#include <vector>

namespace ole {

namespace {

bool isDeviceName(const ZString& step)
{
    ZString stem(step);
    const int dot = stem.findChar(L'.');
    if (dot >= 0)
        stem.truncate(dot);
    stem.trim().toUpper();
    for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (stem.equals(device))
            return true;
    if (stem.length() == 4 && (stem.startsWith(L"COM") || stem.startsWith(L"LPT"))) {
        const wchar_t digit = stem.getAt(3);
        return digit >= L'1' && digit <= L'9';
    }
    return false;
}

bool isSafeStep(const ZString& step)
{
    if (step.isEmpty() || step.equals(L".") || step.equals(L".."))
        return false;
    for (const wchar_t c : step.view())
        if (c < 32 || (c != 0 && ZString(L"<>:\"|?*").findChar(c) >= 0))
            return false;
    const wchar_t last = step.getAt(step.length() - 1);
    return last != L'.' && last != L' ' && !isDeviceName(step);
}

} // namespace

ZString safeRelativePath(const ZString& name)
{
    ZString path(name);
    path.replaceChars(L"/", L'\\');
    while (path.endsWith(L'\\'))
        path.truncate(path.length() - 1);
    if (path.isEmpty() || path.startsWith(L'\\'))
        return ZString();
    std::vector<ZString> steps;
    split(path, L"\\", steps, true);
    for (const ZString& step : steps)
        if (!isSafeStep(step))
            return ZString();
    return path;
}

} // namespace ole
