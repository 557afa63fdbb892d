// The main window in this process: how it opens, what it remembers, how it
// closes, its menu bar and the popups' states.
#include "tests/app/AppTestSupport_win.h"

#include "app/AppWin.h"
#include "app/BaseInstance.h"
#include "app/UiResources.h"
#include "app/WindowPlacement.h"
#include "base/Lang.h"
#include "base/Settings.h"
#include "base/TextUtil.h"
#include "gui/Messages.h"
#include "jobs/JobDlg_win.h"
#include "jobs/JobStore.h"
#include "suite/settings/SettingsStore.h"
#include "tests/support/WindowTestSupport_win.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>
#include <memory>

namespace {

// A main window made as the program makes it, in a scratch installation.
class MainWindowRig {
public:
    MainWindowRig() : m_resources(m_module), m_window(std::make_unique<AppWin>(m_store, m_resources)) {}
    ~MainWindowRig()
    {
        setMessageAnswerer(nullptr);
        m_window.reset();
        pumpUntilIdle();
    }
    bool open()
    {
        const bool created = m_window->create(GetModuleHandleW(nullptr));
        pumpUntilIdle();
        return created;
    }
    AppWin& window() { return *m_window; }
    HWND hwnd() const { return m_window->hwnd(); }
    // Asks the window to close as its close box does; true when it went.
    bool close()
    {
        SendMessageW(hwnd(), WM_CLOSE, 0, 0);
        pumpUntilIdle();
        return m_window->hwnd() == nullptr;
    }
    int command(UINT id)
    {
        SendMessageW(hwnd(), WM_COMMAND, id, 0);
        return 0;
    }

private:
    BaseInstance m_module{nullptr};
    JobStore m_store;
    UiResources m_resources;
    std::unique_ptr<AppWin> m_window;
};

uint32_t userNumber(const wchar_t* key) { return userConfig_getDword(key, 0xFFFF); }

} // namespace

TEST(MainWindow, FirstStartOpensMaximizedWithTheExplorerBesideTheJobListAndTheBrandingBarBelow)
{
    TestInstallation installation;
    MainWindowRig rig;
    ASSERT_TRUE(rig.open());
    wchar_t className[32] = {}, title[32] = {};
    GetClassNameW(rig.hwnd(), className, 32);
    GetWindowTextW(rig.hwnd(), title, 32);
    EXPECT_STREQ(className, L"Tamlo_Quillet");
    EXPECT_STREQ(title, L"Tamlo Quillet");
    EXPECT_TRUE(IsZoomed(rig.hwnd()));
    EXPECT_EQ(userNumber(L"QuilletWindowMaximized"), 1u);
    EXPECT_EQ(rig.window().splitter().first(), rig.window().explorerList().hwnd());
    EXPECT_EQ(rig.window().splitter().second(), rig.window().jobList().hwnd());
    EXPECT_TRUE(rig.window().splitter().isOrientation(0));
    EXPECT_EQ(rig.window().splitter().ratio(), 0.4);

    // The branding bar: 50 pixels at 96 dpi along the bottom, its light
    // background everywhere and the dark logo in the cell at the right.
    WindowPicture picture(rig.hwnd());
    picture.savePng(picturePath(L"main-window.png"));
    const int bottom = picture.height();
    RECT splitter = {};
    GetWindowRect(rig.window().splitter().hwnd(), &splitter);
    EXPECT_EQ(bottom - (splitter.bottom - splitter.top), 50);
    const COLORREF background = picture.pixel(20, bottom - 25);
    EXPECT_LT(GetRValue(background), GetBValue(background)); // the bar's blue-grey, not a plain fill
    EXPECT_GT(GetRValue(background), 200);
    int dark = 0;
    for (int x = picture.width() - 150; x < picture.width(); ++x)
        for (int y = bottom - 50; y < bottom; ++y)
            dark += GetRValue(picture.pixel(x, y)) < 90 ? 1 : 0;
    EXPECT_GT(dark, 100);
    int darkElsewhere = 0;
    for (int x = 0; x < picture.width() - 150; ++x)
        darkElsewhere += GetRValue(picture.pixel(x, bottom - 25)) < 90 ? 1 : 0;
    EXPECT_EQ(darkElsewhere, 0);

    // The splitter's bar: light grey at its top (the gradient under the
    // explorer's header), its own colour further down.
    RECT explorer = {};
    GetWindowRect(rig.window().explorerList().hwnd(), &explorer);
    const int barLeft = explorer.right - explorer.left;
    const COLORREF top = picture.pixel(barLeft + 3, 1);
    EXPECT_NEAR(GetRValue(top), 0xE9, 3);
    EXPECT_EQ(GetRValue(top), GetBValue(top));
    EXPECT_EQ(picture.pixel(barLeft + 3, 200), static_cast<COLORREF>(0xDCDCDC));
}

TEST(MainWindow, MenuBarTakesTheCatalogueTextsAndDrawsItsTopItems)
{
    TestInstallation installation;
    MainWindowRig rig;
    ASSERT_TRUE(rig.open());
    HMENU bar = GetMenu(rig.hwnd());
    ASSERT_EQ(bar, rig.window().menu());
    EXPECT_EQ(GetMenuItemCount(bar), 5);
    for (UINT top : {1800u, 1820u, 1840u, 1860u, 1880u})
        EXPECT_TRUE(menuItemState(bar, top).ownerDrawn) << top;
    EXPECT_EQ(menuItemState(bar, 1801).text, lang_getStr(L"quillet/menu/file/new"));
    EXPECT_EQ(menuItemState(bar, 1866).text, lang_getStr(L"quillet/menu/tools/save-profiles"));
    EXPECT_FALSE(menuItemState(bar, 1807).exists);
    EXPECT_TRUE(menuItemState(bar, 1804).exists); // the scanner import is on unless switched off

    // Measured in Arial 8 pt: the text and 10 by the text and 4.
    MEASUREITEMSTRUCT item = {};
    item.CtlType = ODT_MENU;
    item.itemID = 1840;
    SendMessageW(rig.hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item));
    HDC dc = GetDC(rig.hwnd());
    HFONT arial = CreateFontW(-(8 * GetDeviceCaps(dc, LOGPIXELSY) / 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                              DEFAULT_CHARSET, 0, 0, CLEARTYPE_QUALITY, 0, L"Arial");
    const HGDIOBJ old = SelectObject(dc, arial);
    const ZString text = lang_getStr(L"quillet/menu/view");
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), text.length(), &size);
    SelectObject(dc, old);
    DeleteObject(arial);
    ReleaseDC(rig.hwnd(), dc);
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(size.cx + 10));
    EXPECT_EQ(item.itemHeight, static_cast<UINT>(size.cy + 4));
}

TEST(MainWindow, PlacementIsWrittenOnCloseAndReadBackWithAnyBase)
{
    TestInstallation installation;
    // bottom 0x1F4 = 500, left 0x64 = 100, right 0x2BC = 700, top 0120 (octal) = 80, show normal.
    userConfig_setStr(L"QuilletWindowPlacement", L"0,0,0,-1,-1,0x1F4,0x64,0x2BC,0120,1");
    {
        MainWindowRig rig;
        ASSERT_TRUE(rig.open());
        EXPECT_FALSE(IsZoomed(rig.hwnd()));
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        GetWindowPlacement(rig.hwnd(), &placement);
        EXPECT_EQ(placement.rcNormalPosition.left, 100);
        EXPECT_EQ(placement.rcNormalPosition.top, 80);
        EXPECT_EQ(placement.rcNormalPosition.right, 700);
        EXPECT_EQ(placement.rcNormalPosition.bottom, 500);
        SetWindowPos(rig.hwnd(), nullptr, 120, 90, 640, 430, SWP_NOZORDER);
        pumpUntilIdle();
        EXPECT_EQ(userNumber(L"QuilletWindowWidth"), 640u);
        EXPECT_EQ(userNumber(L"QuilletWindowHeight"), 430u);
        EXPECT_EQ(userNumber(L"QuilletWindowMaximized"), 0u);
        EXPECT_TRUE(rig.close());
    }
    const ZString written = userConfig_getStr(L"QuilletWindowPlacement", ZString());
    EXPECT_TRUE(written.endsWith(L",520,120,760,90,1")) << written.toUtf8();
    WINDOWPLACEMENT read = {};
    ASSERT_TRUE(parsePlacement(written, read));
    EXPECT_EQ(read.length, 44u);
    EXPECT_EQ(placementText(read), written);

    // Anything but ten parts is ignored: the window opens maximized.
    userConfig_setStr(L"QuilletWindowPlacement", L"0,0,0,-1,-1,500,100,700,80");
    MainWindowRig rig;
    ASSERT_TRUE(rig.open());
    EXPECT_TRUE(IsZoomed(rig.hwnd()));
}

TEST(MainWindow, UnsavedJobsAreAskedAboutBeforeClosingAndCancelKeepsTheWindow)
{
    TestInstallation installation;
    MainWindowRig rig;
    ASSERT_TRUE(rig.open());
    ASSERT_TRUE(rig.window().jobList().addJobFromFile(installation.document(L"report.pdf"), ZString()));
    rig.window().jobList().jobsWithPages().front()->setUnsaved(true); // as any change to it does
    ZString asked;
    unsigned flags = 0;
    int answer = IDCANCEL;
    setMessageAnswerer([&](const ZString& text, const ZString&, unsigned f) {
        asked = text;
        flags = f;
        return answer;
    });
    EXPECT_FALSE(rig.close());
    EXPECT_EQ(asked, lang_getStr(L"quillet/jobs/~confirm-save-unsaved-jobs"));
    EXPECT_EQ(flags, static_cast<unsigned>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_TRUE(IsWindow(rig.hwnd()));
    EXPECT_FALSE(userConfig_getStr(L"QuilletWindowPlacement", ZString()).isEmpty());

    answer = IDNO;
    EXPECT_TRUE(rig.close());
}

TEST(MainWindow, ThreeJobsWithOneSelectedAtMediumPreviews)
{
    TestInstallation installation;
    // The thumbnails come from the real interpreter, through the bridge.
    settingsStore_setStr(SettingsScope::Program, L"GsWin32cCmdline", quote(besideTests(L"gsbridge.exe")));
    MainWindowRig rig;
    ASSERT_TRUE(rig.open());
    JobListDlg& list = rig.window().jobList();
    for (const wchar_t* name : {L"Report", L"Invoice", L"Letter"})
        ASSERT_TRUE(list.addJobFromFile(installation.document((ZString(name) + L".pdf").c_str()), name));
    EXPECT_EQ(jobNames(rig.hwnd()), (std::vector<ZString>{L"Report", L"Invoice", L"Letter"}));
    postClick(list.container().window(1).hwnd(), 4, 4);
    EXPECT_EQ(list.currentJob(), &list.container().window(1).job());
    // A picture for people; the thumbnails come from the interpreter, so it waits for them a little.
    waitFor([] {
        pumpUntilIdle();
        return false;
    }, 4000);
    WindowPicture(rig.hwnd()).savePng(picturePath(L"main-window-three-jobs.png"));
    setMessageAnswerer([](const ZString&, const ZString&, unsigned) { return IDNO; });
    EXPECT_TRUE(rig.close());
}

TEST(MainWindow, HandOversOfOtherTagsAreAnsweredAndIgnored)
{
    TestInstallation installation;
    MainWindowRig rig;
    ASSERT_TRUE(rig.open());
    const ZString commandLine = quote(installation.document(L"ignored.pdf"));
    COPYDATASTRUCT data = {};
    data.dwData = 112;
    data.cbData = static_cast<DWORD>((commandLine.length() + 1) * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(commandLine.c_str());
    EXPECT_EQ(SendMessageW(rig.hwnd(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
    pumpUntilIdle();
    EXPECT_EQ(rig.window().jobList().container().count(), 0);
}

TEST(MainWindow, PopupsFollowTheExplorerAndTheLayout)
{
    TestInstallation installation;
    userConfig_setDword(L"QuilletHasExplorer", 0);
    MainWindowRig rig;
    ASSERT_TRUE(rig.open());
    HMENU bar = rig.window().menu();
    EXPECT_EQ(rig.window().splitter().first(), nullptr);
    EXPECT_FALSE(IsWindowVisible(rig.window().explorerList().hwnd()));

    HMENU edit = submenuOf(bar, 1820), explorer = submenuOf(bar, 1841), layout = submenuOf(bar, 1848),
          file = submenuOf(bar, 1800);
    EXPECT_TRUE(stateAfterOpening(rig.hwnd(), edit, 1821).grayed);
    EXPECT_TRUE(stateAfterOpening(rig.hwnd(), layout, 1849).grayed);
    EXPECT_TRUE(menuItemState(layout, 1850).grayed);
    EXPECT_EQ(stateAfterOpening(rig.hwnd(), explorer, 1842).text, lang_getStr(L"quillet/menu/view/explorer/show"));
    EXPECT_TRUE(menuItemState(explorer, 1846).grayed);
    EXPECT_TRUE(menuItemState(explorer, 1847).grayed);
    EXPECT_TRUE(menuItemState(explorer, 1844).grayed);
    EXPECT_TRUE(stateAfterOpening(rig.hwnd(), file, 1806).grayed); // no current job

    rig.command(1842);
    EXPECT_EQ(userNumber(L"QuilletHasExplorer"), 1u);
    EXPECT_EQ(rig.window().splitter().first(), rig.window().explorerList().hwnd());
    EXPECT_FALSE(stateAfterOpening(rig.hwnd(), edit, 1821).grayed);
    EXPECT_EQ(stateAfterOpening(rig.hwnd(), explorer, 1842).text, lang_getStr(L"quillet/menu/view/explorer/hide"));
    EXPECT_EQ(menuItemState(explorer, 1844).text, lang_getStr(L"quillet/menu/view/explorer/hide-folders"));
    EXPECT_TRUE(menuItemState(explorer, 1846).checked && menuItemState(explorer, 1846).grayed);
    EXPECT_FALSE(menuItemState(explorer, 1847).checked || menuItemState(explorer, 1847).grayed);
    rig.command(1847);
    EXPECT_TRUE(stateAfterOpening(rig.hwnd(), explorer, 1847).checked);
    EXPECT_FALSE(menuItemState(explorer, 1846).grayed);

    EXPECT_TRUE(stateAfterOpening(rig.hwnd(), layout, 1849).grayed);
    EXPECT_FALSE(menuItemState(layout, 1850).grayed);
    rig.command(1850);
    EXPECT_TRUE(rig.window().splitter().isOrientation(1));
    EXPECT_EQ(userNumber(L"QuilletOrientation"), 1u);
    EXPECT_FALSE(stateAfterOpening(rig.hwnd(), layout, 1849).grayed);
    EXPECT_TRUE(menuItemState(layout, 1850).grayed);

    // Edit › Explorer: the selection commands follow the list's selection,
    // pasting follows files on the clipboard.
    HMENU editExplorer = submenuOf(bar, 1821);
    EXPECT_TRUE(stateAfterOpening(rig.hwnd(), editExplorer, 1822).grayed);
    installation.document(L"listed.pdf");
    rig.window().explorerList().navigate(installation.docsFolder(), false);
    rig.window().explorerList().list().select(0);
    EXPECT_FALSE(stateAfterOpening(rig.hwnd(), editExplorer, 1822).grayed);
    EXPECT_FALSE(menuItemState(editExplorer, 1825).grayed);
    ASSERT_TRUE(OpenClipboard(rig.hwnd()));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_TRUE(stateAfterOpening(rig.hwnd(), editExplorer, 1824).grayed);
    const ZString copied = installation.document(L"copied.pdf");
    const size_t bytes = sizeof(DROPFILES) + (static_cast<size_t>(copied.length()) + 2) * sizeof(wchar_t);
    HGLOBAL drop = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    memcpy(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES), copied.c_str(), copied.length() * sizeof(wchar_t));
    GlobalUnlock(drop);
    ASSERT_TRUE(OpenClipboard(rig.hwnd()));
    EmptyClipboard();
    SetClipboardData(CF_HDROP, drop); // the clipboard owns it now
    CloseClipboard();
    EXPECT_FALSE(stateAfterOpening(rig.hwnd(), editExplorer, 1824).grayed);

    // New: an empty job at the end of the list, current once the user selects it.
    JobListDlgContainer& jobs = rig.window().jobList().container();
    const int before = jobs.count();
    rig.command(1801);
    ASSERT_EQ(jobs.count(), before + 1);
    EXPECT_TRUE(jobs.window(before).job().isEmpty());
    EXPECT_TRUE(stateAfterOpening(rig.hwnd(), file, 1806).grayed);
    postClick(jobs.window(before).hwnd(), 4, 4);
    EXPECT_FALSE(stateAfterOpening(rig.hwnd(), file, 1806).grayed);
}

TEST(MainWindow, TurningTheLayoutAndHidingTheExplorerRepaintEveryPaneWhereItNowLies)
{
    TestInstallation installation;
    MainWindowRig rig;
    ASSERT_TRUE(rig.open());
    // Stacked, the explorer hidden and shown again, side by side again.
    for (UINT command : {1850u, 1842u, 1842u, 1849u}) {
        rig.command(command);
        pumpUntilIdle();
        const WindowPicture shown(rig.hwnd(), true, false);
        const WindowPicture repainted(rig.hwnd());
        ASSERT_EQ(shown.width(), repainted.width());
        int stale = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                stale += shown.pixel(x, y) != repainted.pixel(x, y) ? 1 : 0;
        EXPECT_EQ(stale, 0) << "after command " << command;
        if (stale != 0)
            shown.savePng(picturePath(ZString::format(L"main-window-stale-%u.png", command).c_str()));
    }
}

TEST(MainWindow, DisplayModesChosenInViewJobsNeverReachTheJobListsCommandsOfTheSameNumber)
{
    TestInstallation installation;
    MainWindowRig rig;
    ASSERT_TRUE(rig.open());
    ASSERT_TRUE(rig.window().jobList().addJobFromFile(installation.document(L"kept.pdf"), ZString()));
    HMENU view = submenuOf(rig.window().menu(), 1840);
    SendMessageW(rig.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 0);
    HMENU jobs = submenuOf(view, 1851);
    ASSERT_NE(jobs, nullptr);
    ASSERT_EQ(GetMenuItemCount(jobs), 7); // page numbers, a separator, five preview sizes
    const UINT largest = GetMenuItemID(jobs, 5);
    EXPECT_TRUE(menuItemState(jobs, GetMenuItemID(jobs, 3)).checked); // medium previews, the default
    EXPECT_EQ(menuItemState(jobs, largest).text, lang_getStr(L"quillet/job/views/previews/extra-large"));

    rig.command(largest);
    EXPECT_EQ(userNumber(L"JobDlgDisplayMode"), 4u);
    EXPECT_EQ(rig.window().jobList().container().count(), 1); // still there
    SendMessageW(rig.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 0);
    EXPECT_TRUE(menuItemState(jobs, largest).checked);
    EXPECT_FALSE(menuItemState(jobs, GetMenuItemID(jobs, 3)).checked);
}
