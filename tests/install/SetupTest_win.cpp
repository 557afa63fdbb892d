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

// Registers a version as Ghostscript's installer does, in the 64- or 32-bit view.
void registerGhostscript(const wchar_t* version, const wchar_t* view, const ZString& dll)
{
    runAndWait(ZString::format(L"reg add \"HKLM\\SOFTWARE\\GPL Ghostscript\\%ls\" /v GS_DLL /d ", version) +
               quote(dll) + L" /f /reg:" + view);
}

void unregisterGhostscript()
{
    for (const wchar_t* view : {L"32", L"64"})
        runAndWait(ZString(L"reg delete \"HKLM\\SOFTWARE\\GPL Ghostscript\" /f /reg:") + view);
}

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

} // namespace

TEST(SetupStep, TakesTheNewestGhostscriptItsInstallerRegisteredInEitherView)
{
    ScratchFolder scratch;
    const ZString config = scratch.file(L"config");
    const ZString newest = scratch.file(L"gs10\\bin\\gswin64c.exe"), older = scratch.file(L"gs9\\bin\\gswin32c.exe");
    for (const ZString& program : {newest, older})
        ASSERT_TRUE(createFolder(folderPart(program), true) && writeFileBytes(program, "MZ"));
    registerGhostscript(L"10.02.1", L"64", scratch.file(L"gs10\\bin\\gsdll64.dll"));
    registerGhostscript(L"9.56", L"32", scratch.file(L"gs9\\bin\\gsdll32.dll"));
    // A newer version whose files are gone does not count.
    registerGhostscript(L"10.5", L"32", scratch.file(L"gone\\bin\\gsdll32.dll"));
    EXPECT_EQ(setupChoosesInterpreter(config), quote(newest));

    unregisterGhostscript();
    registerGhostscript(L"9.56", L"32", scratch.file(L"gs9\\bin\\gsdll32.dll"));
    EXPECT_EQ(setupChoosesInterpreter(config), quote(older)) << "found in the 32-bit view";

    // None registered: under Wine the host's interpreter through the bridge.
    unregisterGhostscript();
    EXPECT_EQ(setupChoosesInterpreter(config), quote(besideTests(L"gsbridge.exe")));
}
