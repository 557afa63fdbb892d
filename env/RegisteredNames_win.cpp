#include "env/RegisteredNames.h"

#include "base/Paths.h"

#include <windows.h>

bool isRegisteredExtension(const ZString& extension)
{
    if (extension.isEmpty())
        return false;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, extension.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

ZString jobNameForFile(const ZString& path)
{
    ZString name = fileNamePart(path);
    const ZString ext = extensionOf(path);
    if (isRegisteredExtension(ext))
        name.truncate(name.length() - ext.length());
    return name;
}
