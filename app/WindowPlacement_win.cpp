#include "app/WindowPlacement.h"

#include "base/TextUtil.h"

#include <cwchar>
#include <vector>

static_assert(sizeof(WINDOWPLACEMENT) == 44);

ZString placementText(const WINDOWPLACEMENT& p)
{
    return ZString::format(L"%u,%ld,%ld,%ld,%ld,%ld,%ld,%ld,%ld,%u", static_cast<unsigned>(p.flags),
                           static_cast<long>(p.ptMaxPosition.x), static_cast<long>(p.ptMaxPosition.y),
                           static_cast<long>(p.ptMinPosition.x), static_cast<long>(p.ptMinPosition.y),
                           static_cast<long>(p.rcNormalPosition.bottom), static_cast<long>(p.rcNormalPosition.left),
                           static_cast<long>(p.rcNormalPosition.right), static_cast<long>(p.rcNormalPosition.top),
                           static_cast<unsigned>(p.showCmd));
}

bool parsePlacement(const ZString& text, WINDOWPLACEMENT& placement)
{
    std::vector<ZString> parts;
    split(text, L",", parts, true);
    if (parts.size() != 10)
        return false;
    const auto number = [&](size_t i) { return static_cast<LONG>(std::wcstol(parts[i].c_str(), nullptr, 0)); };
    const auto unsignedNumber = [&](size_t i) {
        return static_cast<UINT>(std::wcstoul(parts[i].c_str(), nullptr, 0));
    };
    WINDOWPLACEMENT p = {};
    p.length = sizeof p;
    p.flags = unsignedNumber(0);
    p.ptMaxPosition = {number(1), number(2)};
    p.ptMinPosition = {number(3), number(4)};
    p.rcNormalPosition.bottom = number(5);
    p.rcNormalPosition.left = number(6);
    p.rcNormalPosition.right = number(7);
    p.rcNormalPosition.top = number(8);
    p.showCmd = unsignedNumber(9);
    placement = p;
    return true;
}
