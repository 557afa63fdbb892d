// The installation step under Wine: where it finds the interpreter.
#include "base/Files.h"
#include "base/Paths.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "operations/ChildProcess.h"
#include "tests/support/TestSupport.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

const wchar_t* const kGhostscriptKey = L"SOFTWARE\\GPL Ghostscript";

// A version key as Ghostscript's installer writes it, removed again at the end.
class RegisteredVersion {
public:
    RegisteredVersion(const wchar_t* version, REGSAM view, const ZString& dll) : m_version(version), m_view(view)
    {
        HKEY key = nullptr;
        const ZString path = ZString(kGhostscriptKey) + L"\\" + version;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE | view, nullptr, &key,
                            nullptr) == ERROR_SUCCESS) {
            RegSetValueExW(key, L"GS_DLL", 0, REG_SZ, reinterpret_cast<const BYTE*>(dll.c_str()),
                           static_cast<DWORD>((dll.length() + 1) * sizeof(wchar_t)));
            RegCloseKey(key);
        }
    }
    ~RegisteredVersion()
    {
        HKEY parent = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kGhostscriptKey, 0, KEY_ALL_ACCESS | m_view, &parent) == ERROR_SUCCESS) {
            RegDeleteTreeW(parent, m_version);
            RegCloseKey(parent);
        }
    }
    RegisteredVersion(const RegisteredVersion&) = delete;
    RegisteredVersion& operator=(const RegisteredVersion&) = delete;

private:
    const wchar_t* m_version;
    REGSAM m_view;
};

// Runs the installation step with its settings in the folder; the interpreter it chose.
ZString setupChoosesInterpreter(const ZString& configFolder)
{
    const ZString saved = environmentVariable(L"TAMLO_CONFIG_DIR");
    SetEnvironmentVariableW(L"TAMLO_CONFIG_DIR", configFolder.c_str());
    EXPECT_EQ(runAndWait(quote(besideTests(L"quillet-setup.exe"))), 0u);
    const ZString chosen = progConfig_getStr(L"GsWin32cCmdline", ZString());
    SetEnvironmentVariableW(L"TAMLO_CONFIG_DIR", saved.isEmpty() ? nullptr : saved.c_str());
    return chosen;
}

ZString consoleProgram(const ScratchFolder& scratch, const wchar_t* version, const wchar_t* name)
{
    const ZString folder = scratch.file(version) + L"\\bin";
    createFolder(folder, true);
    const ZString program = joinPath(folder, name);
    writeFileBytes(program, "MZ");
    return program;
}

} // namespace

TEST(SetupStep, TakesTheNewestGhostscriptItsInstallerRegisteredInEitherView)
{
    ScratchFolder scratch;
    const ZString config = scratch.file(L"config");
    createFolder(config, true);
    const ZString newest = consoleProgram(scratch, L"gs10.02.1", L"gswin64c.exe");
    const ZString older = consoleProgram(scratch, L"gs9.56", L"gswin32c.exe");
    {
        RegisteredVersion v10(L"10.02.1", KEY_WOW64_64KEY, joinPath(folderPart(newest), L"gsdll64.dll"));
        RegisteredVersion v9(L"9.56", KEY_WOW64_32KEY, joinPath(folderPart(older), L"gsdll32.dll"));
        // A newer version whose files are gone does not count.
        RegisteredVersion gone(L"10.5", KEY_WOW64_32KEY, scratch.file(L"gone\\bin\\gsdll32.dll"));
        EXPECT_EQ(setupChoosesInterpreter(config), quote(newest));
    }
    {
        RegisteredVersion v9(L"9.56", KEY_WOW64_32KEY, joinPath(folderPart(older), L"gsdll32.dll"));
        EXPECT_EQ(setupChoosesInterpreter(config), quote(older)) << "found in the 32-bit view";
    }
    // None registered: under Wine the host's interpreter through the bridge.
    EXPECT_EQ(setupChoosesInterpreter(config), quote(besideTests(L"gsbridge.exe")));
}
