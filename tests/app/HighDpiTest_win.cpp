// The program at 144 dpi (150 %), run as its own process while the user's
// screen resolution says so: the bars and every toolbar's pictures of the
// main window scale by 144 / 96.
#include "tests/app/AppTestSupport_win.h"

#include "base/TextUtil.h"
#include "explorer/ExplorerToolbar_win.h"
#include "explorer/ExplorerTreeHead_win.h"
#include "gui/Dpi.h"
#include "jobs/JobListToolbar_win.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The logical resolution of the processes started while it lives (Wine
// reads "LogPixels" when a process starts); the earlier value afterwards.
class ScreenResolutionSetting {
public:
    explicit ScreenResolutionSetting(DWORD dpi)
    {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                            nullptr, &m_key, nullptr) != ERROR_SUCCESS) {
            m_key = nullptr;
            return;
        }
        DWORD size = sizeof m_before;
        m_hadValue = RegQueryValueExW(m_key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&m_before), &size) ==
                     ERROR_SUCCESS;
        RegSetValueExW(m_key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    }
    ~ScreenResolutionSetting()
    {
        if (m_key == nullptr)
            return;
        if (m_hadValue)
            RegSetValueExW(m_key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&m_before), sizeof m_before);
        else
            RegDeleteValueW(m_key, kValue);
        RegCloseKey(m_key);
    }
    ScreenResolutionSetting(const ScreenResolutionSetting&) = delete;
    ScreenResolutionSetting& operator=(const ScreenResolutionSetting&) = delete;

private:
    static constexpr const wchar_t* kValue = L"LogPixels";
    HKEY m_key = nullptr;
    DWORD m_before = 96;
    bool m_hadValue = false;
};

SIZE buttonSize(HWND toolbar)
{
    const DWORD size = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    return {LOWORD(size), HIWORD(size)};
}

} // namespace

TEST(HighDpi, BarsAndToolbarPicturesScaleByTheResolution)
{
    TestInstallation installation;
    std::unique_ptr<ProgramRun> run;
    HWND window = nullptr;
    {
        ScreenResolutionSetting resolution(144);
        run = std::make_unique<ProgramRun>(installation, quote(installation.document(L"a.pdf")));
        window = run->waitForMainWindow();
    }
    ASSERT_NE(window, nullptr);

    // The window answers while it still builds itself: wait for it to stand
    // maximized with both panes in place.
    HWND explorerToolbar = nullptr, treeHeadToolbar = nullptr, jobListToolbar = nullptr;
    RECT client = {}, split = {}, explorer = {}, jobList = {};
    const auto laidOut = [&] {
        explorerToolbar = descendant(window, ExplorerToolbar::kControlId);
        treeHeadToolbar = descendant(window, ExplorerTreeHeadToolbar::kControlId);
        jobListToolbar = descendant(window, JobListToolbar::kControlId);
        if (!IsZoomed(window) || explorerToolbar == nullptr || treeHeadToolbar == nullptr || jobListToolbar == nullptr)
            return false;
        GetClientRect(window, &client);
        GetWindowRect(FindWindowExW(window, nullptr, L"Static", nullptr), &split);
        GetWindowRect(GetParent(explorerToolbar), &explorer);
        GetWindowRect(GetParent(jobListToolbar), &jobList);
        return explorer.right > explorer.left && jobList.left > explorer.left;
    };
    ASSERT_TRUE(waitFor([&] { return waitUntilIdle(window) && laidOut(); }));

    // The branding bar: 50 pixels at 96 dpi, so 75 here; the splitter's bar 4, so 6.
    ASSERT_EQ(client.bottom - (split.bottom - split.top), 75) << "the program did not run at 144 dpi";
    EXPECT_EQ(jobList.left - explorer.right, 6);

    // Pictures of 16 pixels at 96 dpi in the explorer's toolbars, 32 in the
    // job list's; buttons hold them with 7 pixels of padding across (scaled
    // alike) and at least 6 down (Wine keeps its own).
    for (HWND toolbar : {explorerToolbar, treeHeadToolbar}) {
        const char* which = toolbar == explorerToolbar ? "explorer" : "folder tree head";
        const SIZE button = buttonSize(toolbar);
        EXPECT_GE(button.cx, scale(16 + 7, 144)) << which;
        EXPECT_GE(button.cy, scale(16, 144) + 6) << which;
    }
    EXPECT_GE(buttonSize(jobListToolbar).cy, scale(32, 144));
}
