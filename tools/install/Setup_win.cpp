// quillet-setup: the installation step. Writes the installation's settings
// (where the suite's programs live, how Ghostscript is started) and the user's
// folders, so that a fresh machine needs no hand editing. Safe to run again:
// user folders already set are kept.
//
//   quillet-setup.exe [--gs "command line of the Ghostscript console program"]
//   quillet-setup.exe --uninstall
//
// --uninstall (run by the installer package before it removes the files)
// deletes the installation's own settings and leaves the user's alone.
//
// Without --gs the interpreter is the newest Ghostscript that its own
// installer registered; under Wine, when there is none, the host's, reached
// through gsbridge.exe when it is beside this program (see tools/gsbridge;
// installed packages do not carry it).
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "suite/settings/SettingsStore.h"
#include "tools/install/GhostscriptSearch.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>

namespace {

ZString programFolder()
{
    wchar_t buffer[4096];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, 4096);
    return folderPart(ZString(buffer, static_cast<int>(n)));
}

ZString shellFolder(int csidl)
{
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, buffer)))
        return ZString();
    return ZString(buffer);
}

void setUserFolderOnce(const wchar_t* key, const ZString& folder)
{
    ZString value = userConfig_getStr(key, ZString());
    if (value.isEmpty()) {
        value = folder;
        userConfig_setStr(key, value);
    }
    createFolder(value, true);
    wprintf(L"%ls=%ls\n", key, value.c_str());
}

bool runningUnderWine()
{
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The installation settings go; the folder too when nothing else is in it.
int forgetInstallation()
{
    deleteFile(settingsStore_file(SettingsScope::Program), false);
    deleteFile(settingsStore_file(SettingsScope::General), false);
    RemoveDirectoryW(settingsStore_folder().c_str());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 2 && wcscmp(argv[1], L"--uninstall") == 0)
        return forgetInstallation();
    const ZString bin = programFolder();
    settingsStore_setStr(SettingsScope::Program, L"InstallDir", bin);
    settingsStore_setStr(SettingsScope::Program, L"BinDir", bin);
    bool gsGiven = false;
    for (int i = 1; i + 1 < argc; ++i) {
        if (wcscmp(argv[i], L"--gs") == 0) {
            settingsStore_setStr(SettingsScope::Program, L"GsWin32cCmdline", argv[++i]);
            gsGiven = true;
        }
    }
    if (!gsGiven) {
        ZString found = findInstalledGhostscript();
        const ZString bridge = joinPath(bin, L"gsbridge.exe");
        if (found.isEmpty() && runningUnderWine() && isFile(bridge))
            found = bridge;
        if (!found.isEmpty())
            settingsStore_setStr(SettingsScope::Program, L"GsWin32cCmdline", quote(found));
    }
    // Wine has no engine behind the web browser control: the control would stay
    // blank, so the branding bar shows its own markup instead.
    if (runningUnderWine())
        settingsStore_setDword(SettingsScope::Program, L"NoEmbeddedBrowser", 1);
    wprintf(L"GsWin32cCmdline=%ls\n", progConfig_getStr(L"GsWin32cCmdline", ZString()).c_str());
    wprintf(L"settings: %ls, %ls\n", settingsStore_file(SettingsScope::Program).c_str(),
            settingsStore_file(SettingsScope::User).c_str());

    const ZString local = shellFolder(CSIDL_LOCAL_APPDATA);
    const ZString documents = shellFolder(CSIDL_PERSONAL);
    setUserFolderOnce(L"LocalAppDataDir", joinPath(local, L"Tamlo"));
    setUserFolderOnce(L"ArchiveDir", joinPath(documents, L"Tamlo\\Archive"));
    setUserFolderOnce(L"FavoriteDir", joinPath(documents, L"Tamlo\\Favorites"));
    return 0;
}
