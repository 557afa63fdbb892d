#include "base/Files.h"
#include "base/Paths.h"
#include "base/Settings.h"
#include "suite/settings/SettingsStore.h"
#include "tests/support/TestSupport.h"
#include "tests/xhtml/WindowTestSupport_win.h"
#include "xhtml/UpdateNotice_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>

using namespace xhtml;

namespace {

const int64_t kDay = 86400;

// A program folder with the background program and the updater (a stand-in
// that logs its command line), and settings of its own.
class NoticeInstallation {
public:
    NoticeInstallation() : m_savedConfig(environmentVariable(L"TAMLO_CONFIG_DIR"))
    {
        createFolder(m_scratch.file(L"bin"), true);
        createFolder(m_scratch.file(L"config"), true);
        SetEnvironmentVariableW(L"TAMLO_CONFIG_DIR", m_scratch.file(L"config").c_str());
        settingsStore_setStr(SettingsScope::Program, L"BinDir", bin());
        writeWholeFile(joinPath(bin(), L"tamlo.exe"), "stand-in");
        copyFile(besideTests(L"companion-standin.exe"), joinPath(bin(), L"tamlo-Renew.exe"));
    }
    ~NoticeInstallation()
    {
        SetEnvironmentVariableW(L"TAMLO_CONFIG_DIR", m_savedConfig.isEmpty() ? nullptr : m_savedConfig.c_str());
    }
    ZString bin() const { return m_scratch.file(L"bin"); }

    // The background program's file changed that many seconds ago; the update
    // was detected offset seconds after that change.
    void programChanged(int64_t secondsAgo, int64_t detectedOffset)
    {
        const int64_t changed = static_cast<int64_t>(std::time(nullptr)) - secondsAgo;
        ULARGE_INTEGER t;
        t.QuadPart = static_cast<ULONGLONG>(changed + 11644473600LL) * 10000000ULL;
        FILETIME ft = {t.LowPart, t.HighPart};
        HANDLE file = CreateFileW(joinPath(bin(), L"tamlo.exe").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        SetFileTime(file, nullptr, nullptr, &ft);
        CloseHandle(file);
        settingsStore_setDword(SettingsScope::User, L"UpdateDetected", static_cast<uint32_t>(changed + detectedOffset));
    }
    ZString updaterCalls() const
    {
        const std::string log = readFileBytes(joinPath(bin(), L"calls.log"));
        return ZString(std::wstring(log.begin(), log.end()));
    }

private:
    ScratchFolder m_scratch;
    ZString m_savedConfig;
};

// Whether the notice showed; it is answered with the given button when it
// does, after a picture of it when one is named.
bool noticeShown(const wchar_t* answer, const wchar_t* screenshot = nullptr)
{
    WhenShown whenShown(L"XhtmlFrameView", [answer, screenshot](HWND w) {
        if (screenshot != nullptr)
            std::printf("screenshot: %ls\n", saveScreenshot(w, screenshot).c_str());
        SendMessageW(buttonLabelled(w, answer).window, BM_CLICK, 0, 0);
    });
    showUpdateNoticeIfDue(nullptr);
    return whenShown.ran();
}

} // namespace

TEST(UpdateNotice, TheRuleCountsNinetyDaysFromTheProgramFile)
{
    const int64_t file = 1000000000;
    EXPECT_EQ(decideUpdateNotice(0, true, file, file, file + 7776001), UpdateNoticeDecision::Show);
    EXPECT_EQ(decideUpdateNotice(0, true, file, file, file + 7776000), UpdateNoticeDecision::Nothing);
    EXPECT_EQ(decideUpdateNotice(1, true, file + 5, file, file + 7776001), UpdateNoticeDecision::Show);
    EXPECT_EQ(decideUpdateNotice(2, true, file, file, file + 9000000), UpdateNoticeDecision::Nothing);
    EXPECT_EQ(decideUpdateNotice(0, false, file, file, file + 9000000), UpdateNoticeDecision::Nothing);
    EXPECT_EQ(decideUpdateNotice(0, true, 0, file, file + 9000000), UpdateNoticeDecision::Nothing);
    EXPECT_EQ(decideUpdateNotice(0, true, file - 1, file, file + 9000000), UpdateNoticeDecision::Reset);
}

TEST(UpdateNotice, ShowsAfterNinetyDaysAndInstallStartsTheUpdater)
{
    NoticeInstallation installation;
    installation.programChanged(91 * kDay, 10);
    ASSERT_TRUE(noticeShown(L"Install Update", L"xhtml-update-notice.png"));
    ASSERT_TRUE(waitFor([&] { return !installation.updaterCalls().isEmpty(); }));
    EXPECT_GE(installation.updaterCalls().find(L"tamlo-Renew.exe\t"), 0);
    EXPECT_GE(installation.updaterCalls().find(L"-install"), 0);

    // Cancel starts nothing.
    NoticeInstallation other;
    other.programChanged(91 * kDay, 10);
    ASSERT_TRUE(noticeShown(L"Cancel"));
    Sleep(300);
    EXPECT_TRUE(other.updaterCalls().isEmpty());
}

TEST(UpdateNotice, StaysHiddenByTheRules)
{
    NoticeInstallation installation;
    installation.programChanged(89 * kDay, 10);
    EXPECT_FALSE(noticeShown(L"Cancel"));

    installation.programChanged(91 * kDay, 0);
    settingsStore_setDword(SettingsScope::Program, L"UpdateMode", 2);
    EXPECT_FALSE(noticeShown(L"Cancel"));
    settingsStore_setDword(SettingsScope::Program, L"UpdateMode", 0);

    // A detection older than the program file is forgotten.
    installation.programChanged(91 * kDay, -1);
    EXPECT_FALSE(noticeShown(L"Cancel"));
    EXPECT_EQ(userConfig_getDword(L"UpdateDetected", 99), 0u);
    EXPECT_TRUE(installation.updaterCalls().isEmpty());
}
