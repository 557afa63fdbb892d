#include "explorer/DriveList.h"

#include <cwctype>

std::vector<ZString> visibleDrives(const wchar_t* driveStrings, uint32_t noDrives)
{
    std::vector<ZString> out;
    for (const wchar_t* p = driveStrings; p != nullptr && *p != 0; p += ZString(p).length() + 1) {
        const wint_t letter = std::towlower(static_cast<wint_t>(p[0]));
        if (letter >= L'a' && letter <= L'z' && (noDrives & (1u << (letter - L'a'))) != 0)
            continue;
        out.emplace_back(p);
    }
    return out;
}

ZString driveLabel(const ZString& root)
{
    ZString label = root;
    if (label.endsWith(L'\\'))
        label.truncate(label.length() - 1);
    return label;
}

ZString localDriveLabel(const ZString& volumeName, const ZString& root)
{
    if (volumeName.isEmpty())
        return ZString();
    return ZString::format(L"%ls (%ls)", volumeName.c_str(), driveLabel(root).c_str());
}

ZString networkDriveLabel(const ZString& connection, const ZString& root)
{
    if (!connection.startsWith(L"\\\\"))
        return ZString();
    const int slash = connection.findChar(L'\\', 2);
    if (slash <= 2 || slash + 1 >= connection.length())
        return ZString();
    const ZString server = connection.substring(2, slash - 1);
    ZString share = connection.substring(slash + 1);
    if (share.endsWith(L'\\'))
        share.truncate(share.length() - 1);
    if (share.isEmpty() || share.findChar(L'\\') >= 0)
        return ZString();
    return ZString::format(L"%ls (%ls) (%ls)", share.c_str(), server.c_str(), driveLabel(root).c_str());
}
