// The 64-bit installer package under Wine, installed for real with msiexec:
// files, shortcut and uninstall entry; the installed program with a PDF; an
// upgrade; the removal.
#include "tests/app/AppTestSupport_win.h"

#include "app/HandOver.h"
#include "base/Files.h"
#include "base/Paths.h"
#include "base/TextUtil.h"
#include "operations/ChildProcess.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

namespace {

ZString shellFolder(int csidl)
{
    wchar_t buffer[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer);
    return ZString(buffer);
}

uint32_t msiexec(const wchar_t* action, const wchar_t* package)
{
    return runAndWait(ZString(L"msiexec ") + action + L" " + quote(besideTests(package)) + L" /qn");
}

// DisplayVersion and Publisher of every uninstall entry named "Tamlo Quillet ...".
std::vector<std::pair<ZString, ZString>> uninstallEntries()
{
    std::vector<std::pair<ZString, ZString>> entries;
    HKEY root = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", 0,
                      KEY_READ | KEY_WOW64_64KEY, &root) != ERROR_SUCCESS)
        return entries;
    wchar_t name[256];
    for (DWORD i = 0, length = 256; RegEnumKeyExW(root, i, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                                    ERROR_SUCCESS;
         ++i, length = 256) {
        const auto value = [&](const wchar_t* key) {
            wchar_t text[512] = {};
            DWORD size = sizeof text - sizeof(wchar_t);
            RegGetValueW(root, name, key, RRF_RT_REG_SZ, nullptr, text, &size);
            return ZString(text);
        };
        if (value(L"DisplayName").startsWith(L"Tamlo Quillet"))
            entries.emplace_back(value(L"DisplayVersion"), value(L"Publisher"));
    }
    RegCloseKey(root);
    return entries;
}

// Whatever a failed run left installed goes at the end of the test.
class RemovesTheTestPackages {
public:
    explicit RemovesTheTestPackages(const ZString& folder) : m_folder(folder) {}
    ~RemovesTheTestPackages()
    {
        for (const wchar_t* package : {L"tamlo-quillet-test-2.msi", L"tamlo-quillet-test-1.msi"})
            msiexec(L"/x", package);
        deleteTree(m_folder);
    }
    RemovesTheTestPackages(const RemovesTheTestPackages&) = delete;
    RemovesTheTestPackages& operator=(const RemovesTheTestPackages&) = delete;

private:
    ZString m_folder;
};

// The main window of the process, once it shows one.
HWND waitForWindowOf(DWORD processId)
{
    HWND found = nullptr;
    waitFor([&] {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, kMainWindowClass, nullptr)) != nullptr;) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == processId)
                found = w;
        }
        return found != nullptr;
    });
    return found != nullptr && waitUntilIdle(found) ? found : nullptr;
}

} // namespace

TEST(Package, InstallsRunsUpgradesAndUninstallsSilently)
{
    const ZString folder = joinPath(shellFolder(CSIDL_PROGRAM_FILES), L"Tamlo\\Quillet");
    const ZString program = joinPath(folder, L"tamlo-Quillet.exe");
    const ZString shortcut = L"Tamlo\\Tamlo Quillet.lnk";
    const auto shortcutExists = [&] {
        return pathExists(joinPath(shellFolder(CSIDL_PROGRAMS), shortcut)) ||
               pathExists(joinPath(shellFolder(CSIDL_COMMON_PROGRAMS), shortcut));
    };
    ASSERT_FALSE(pathExists(program)) << "installed before the test";
    const RemovesTheTestPackages cleanUp(folderPart(folder));

    ASSERT_EQ(msiexec(L"/i", L"tamlo-quillet-test-1.msi"), 0u);
    for (const wchar_t* file : {L"tamlo-Quillet.exe", L"quillet-setup.exe", L"tamlo-Vistel.exe", L"lang\\en.txt"})
        EXPECT_TRUE(isFile(joinPath(folder, file))) << ZString(file).toUtf8();
    EXPECT_FALSE(pathExists(joinPath(folder, L"gsbridge.exe")));
    EXPECT_TRUE(shortcutExists());
    EXPECT_EQ(uninstallEntries(), (std::vector<std::pair<ZString, ZString>>{{L"8.3.0.1", L"Tamlo"}}));
    // The setup step ran: the installation settings name the program folder.
    const ZString settings = joinPath(folder, L"config");
    EXPECT_NE(readFileBytes(joinPath(settings, L"program.ini")).find("B\0i\0n\0D\0i\0r"), std::string::npos);
    // The package brings no interpreter; here the bridge stands in for the
    // Ghostscript a Windows user installs, as a setup run with it would name it.
    ASSERT_EQ(runAndWait(quote(joinPath(folder, L"quillet-setup.exe")) + L" --gs \"\\\"" +
                         besideTests(L"gsbridge.exe") + L"\\\"\""),
              0u);

    {
        ScratchFolder scratch;
        const ZString pdf = scratch.file(L"Installed Sample.pdf");
        ASSERT_TRUE(copyFile(sourcePath(L"samples/sample.pdf"), pdf));
        std::wstring commandLine = (quote(program) + L" " + quote(pdf)).toStdString();
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION run = {};
        ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &run));
        HWND window = waitForWindowOf(run.dwProcessId);
        EXPECT_NE(window, nullptr);
        if (window != nullptr) {
            // one file without a name: the job list names it
            EXPECT_TRUE(waitFor([&] { return jobNames(window).size() == 1u; }));
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(run.hProcess, 30000) != WAIT_OBJECT_0)
            TerminateProcess(run.hProcess, 1);
        CloseHandle(run.hThread);
        CloseHandle(run.hProcess);
    }

    ASSERT_EQ(msiexec(L"/i", L"tamlo-quillet-test-2.msi"), 0u);
    EXPECT_EQ(uninstallEntries(), (std::vector<std::pair<ZString, ZString>>{{L"8.3.0.2", L"Tamlo"}}));
    EXPECT_TRUE(isFile(program));

    ASSERT_EQ(msiexec(L"/x", L"tamlo-quillet-test-2.msi"), 0u);
    EXPECT_TRUE(uninstallEntries().empty());
    EXPECT_FALSE(shortcutExists());
    std::vector<ZString> left;
    listFolder(folder, &left, nullptr, kListFiles);
    EXPECT_TRUE(left.empty()) << "every installed file went";
    EXPECT_FALSE(pathExists(joinPath(settings, L"program.ini")));
    // The user's settings stay, beside the program or in the user's folder;
    // when they are not beside it, the program folder goes whole.
    const bool userSettingsBeside = isFile(joinPath(settings, L"user.ini"));
    EXPECT_TRUE(userSettingsBeside || isFile(joinPath(shellFolder(CSIDL_APPDATA), L"Tamlo\\Quillet\\user.ini")));
    if (!userSettingsBeside)
        EXPECT_FALSE(pathExists(folder));
}
