#include "env/Environment.h"

#include "base/Files.h"
#include "base/Paths.h"
#include "base/Settings.h"
#include "gui/Messages.h"

#include <windows.h>

#include <stdexcept>
#include <string>

namespace {

ZString environmentVariable(const wchar_t* name)
{
    ZString value;
    DWORD size = 1024;
    for (;;) {
        value.setLength(static_cast<int>(size));
        const DWORD n = GetEnvironmentVariableW(name, value.data(), size);
        if (n < size)
            return value.truncate(static_cast<int>(n));
        size = n + 1;
    }
}

ZString requiredUserFolder(const wchar_t* key, const char* missingMessage)
{
    const ZString folder = userConfig_getStr(key, ZString());
    if (folder.isEmpty())
        throw std::runtime_error(missingMessage);
    return folder;
}

} // namespace

void ensureUserFolders()
{
    const ZString folders[] = {
        requiredUserFolder(L"LocalAppDataDir", "USER_SKEY_PROG_USER_DIR not set in config"),
        requiredUserFolder(L"ArchiveDir", "USER_SKEY_ARCHIVE_DIR not set in config"),
        requiredUserFolder(L"FavoriteDir", "USER_SKEY_FAVORITE_DIR not set in config"),
    };
    for (const ZString& folder : folders)
        if (!createFolder(folder, true))
            throw std::runtime_error("App::checkDirectories() - Ordner konnte nicht angelegt werden");
}

ZString ghostscriptPathAddition(const ZString& installDir, const ZString& binDir)
{
    ZString addition(installDir);
    if (!binDir.equals(installDir))
        addition.appendChar(L';').append(binDir);
    ZString gs(L"{app}\\gs\\bin;{app}\\gs\\lib");
    gs.replaceAll(L"{app}", installDir);
    return addition.appendChar(L';').append(gs);
}

void setGhostscriptEnvironment()
{
    const ZString app = stripTrailingSeparators(progConfig_getStr(L"InstallDir", ZString()));
    const ZString bin = stripTrailingSeparators(progConfig_getStr(L"BinDir", ZString()));
    const ZString win = stripTrailingSeparators(environmentVariable(L"systemroot"));

    const ZString addition = ghostscriptPathAddition(app, bin);
    const ZString path = environmentVariable(L"PATH");
    if (path.find(addition) < 0) {
        const ZString newPath = addition + L";" + path;
        if (!SetEnvironmentVariableW(L"PATH", newPath.c_str()))
            showMessage(nullptr, L"Could not set Tamlo path environment variable.", L"Error", MB_ICONEXCLAMATION);
    }

    ZString gsDll(L"{app}\\gs\\bin\\gsdll32.dll");
    gsDll.replaceAll(L"{app}", app);
    SetEnvironmentVariableW(L"GS_DLL", gsDll.c_str());
    ZString gsLib(L"{app}\\gs\\bin;{app}\\gs\\lib;{app}\\lib;{win}\\Fonts");
    gsLib.replaceAll(L"{app}", app).replaceAll(L"{win}", win);
    SetEnvironmentVariableW(L"GS_LIB", gsLib.c_str());

    const ZString temp = tempFolder();
    for (const wchar_t* name : {L"TMP", L"TEMP", L"TMPDIR"})
        SetEnvironmentVariableW(name, temp.c_str());
}

ZString archiveFolderOfMonth(const std::tm& when)
{
    const ZString archive = userConfig_getStr(L"ArchiveDir", ZString());
    if (archive.isEmpty())
        throw std::runtime_error("USER_SKEY_ARCHIVE_DIR not set in config");
    wchar_t month[32] = {};
    wcsftime(month, 32, L"%m.%Y", &when);
    const ZString folder = joinPath(archive, month);
    if (!isFolder(folder) && !CreateDirectoryW(folder.c_str(), nullptr))
        return ZString();
    return folder;
}

ZString archiveFolderOfThisMonth()
{
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    localtime_s(&local, &now);
    return archiveFolderOfMonth(local);
}
