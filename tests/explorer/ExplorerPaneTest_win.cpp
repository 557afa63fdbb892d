// The explorer pane in a window of the test process, on real folders: what
// the list shows and in which order, the filter, new folders and renames
// with their notes, the history, the watcher, the shell's delete, the
// clipboard and the tree's drives.
#include "ExplorerTestSupport_win.h"

#include "base/Files.h"
#include "base/Lang.h"
#include "base/Settings.h"
#include "explorer/Explorer_win.h"
#include "explorer/NameRules.h"
#include "gui/Messages.h"
#include "tests/support/GdiplusEnvironment.h"
#include "tests/operations/OperationsTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WindowTestSupport_win.h"

#include <gtest/gtest.h>

#include <gdiplus.h>

#include <atomic>
#include <thread>

namespace {

testing::Environment* const g_gdiplus = testing::AddGlobalTestEnvironment(new GdiplusEnvironment);

using Names = std::vector<ZString>;

class ExplorerRig {
public:
    ExplorerRig() : m_host(900, 600)
    {
        const RECT r = [&] {
            RECT c = {};
            GetClientRect(m_host.hwnd(), &c);
            return c;
        }();
        created = m_explorer.create(m_host.hwnd(), GetModuleHandleW(nullptr),
                                    [this](const ZString& path) { opened.push_back(path); });
        m_explorer.move(0, 0, r.right, r.bottom);
        pumpUntilIdle();
    }

    Explorer& explorer() { return m_explorer; }
    ExplorerList& list() { return m_explorer.list(); }
    Names names()
    {
        Names out;
        for (const ExplorerItem& item : list().items())
            out.push_back(item.displayName);
        return out;
    }
    int indexOf(const ZString& name)
    {
        for (size_t i = 0; i < list().items().size(); ++i)
            if (list().items()[i].name == name)
                return static_cast<int>(i);
        return -1;
    }
    void show(const ZString& folder)
    {
        list().navigate(folder, true);
        pumpUntilIdle();
    }

    bool created = false;
    Names opened;

private:
    TestHostWindow m_host;
    Explorer m_explorer;
};

// Records the boxes the program shows and answers them with OK.
class BoxRecorder {
public:
    BoxRecorder()
    {
        setMessageAnswerer([this](const ZString& text, const ZString& caption, unsigned flags) {
            boxes.push_back({text, caption, flags});
            return IDOK;
        });
    }
    ~BoxRecorder() { setMessageAnswerer({}); }
    struct Box {
        ZString text, caption;
        unsigned flags;
    };
    std::vector<Box> boxes;
};

// Presses Yes in a visible dialog of this process (the shell's confirmation).
BOOL CALLBACK pressYes(HWND window, LPARAM)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && wcscmp(name, L"#32770") == 0)
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, IDYES)));
    return TRUE;
}

// Answers the shell's confirmation boxes with Yes while it lives.
class ShellDialogAnswerer {
public:
    ShellDialogAnswerer()
        : m_thread([this] {
              while (!m_stop) {
                  EnumWindows(pressYes, 0);
                  Sleep(50);
              }
          })
    {
    }
    ~ShellDialogAnswerer()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

ZString shownFolderText(Explorer& explorer)
{
    wchar_t text[MAX_PATH * 2] = {};
    GetWindowTextW(GetDlgItem(explorer.hwnd(), ExplorerPath::kControlId), text, MAX_PATH * 2);
    return text;
}

void makeFile(const ZString& path) { ASSERT_TRUE(writeFileBytes(path, "%PDF-1.4\n")) << path.toUtf8(); }

bool waitPumping(const std::function<bool()>& condition)
{
    return waitFor([&] {
        pumpUntilIdle();
        return condition();
    });
}

} // namespace

TEST(ExplorerPane, ListsFoldersFirstInNaturalOrderAndFiltersByExtension)
{
    userConfig_setStr(L"ExplorerListFilter", L"");
    ScratchFolder folder;
    for (const wchar_t* name : {L"b", L"a10", L"a9", L"A2"})
        ASSERT_TRUE(CreateDirectoryW(folder.file(name).c_str(), nullptr));
    makeFile(folder.file(L"x.PDF"));
    makeFile(folder.file(L"README"));
    makeFile(folder.file(L"notes.txt"));
    makeFile(folder.file(L"hidden.pdf"));
    SetFileAttributesW(folder.file(L"hidden.pdf").c_str(), FILE_ATTRIBUTE_HIDDEN);

    ExplorerRig rig;
    ASSERT_TRUE(rig.created);
    rig.show(folder.path());
    EXPECT_EQ(rig.names(), (Names{L"A2", L"a9", L"a10", L"b", L"notes.txt", L"x.PDF"}));
    EXPECT_EQ(shownFolderText(rig.explorer()), folder.path());

    rig.list().runCommand(explorer_list::ShowOnlyPdf);
    EXPECT_EQ(rig.names(), (Names{L"A2", L"a9", L"a10", L"b", L"x.PDF"}));
    EXPECT_EQ(userConfig_getStr(L"ExplorerListFilter", ZString()), L"pdf");
    EXPECT_FALSE(rig.list().isCommandEnabled(explorer_list::ShowOnlyPdf));
    EXPECT_TRUE(rig.list().isCommandEnabled(explorer_list::ShowAllFiles));
    rig.list().runCommand(explorer_list::ShowAllFiles);
    EXPECT_EQ(rig.names().size(), 6u) << "README has no extension and stays out";
    EXPECT_EQ(userConfig_getStr(L"ExplorerListFilter", ZString()), L"");

    // A folder that cannot be read shows nothing; a file is no folder to show.
    rig.show(folder.file(L"x.PDF"));
    EXPECT_EQ(rig.list().folder(), folder.path());
}

TEST(ExplorerPane, NewFoldersCountUpAndRenamesKeepFormatAndValidCharacters)
{
    ScratchFolder folder;
    makeFile(folder.file(L"a.pdf"));
    ExplorerRig rig;
    rig.show(folder.path());
    const ZString base = lang_getStr(L"quillet/explorer/list/~name-for-new-folder");
    EXPECT_GE(rig.list().createNewFolder(), 0);
    rig.list().send(LVM_CANCELEDITLABEL);
    EXPECT_GE(rig.list().createNewFolder(), 0);
    rig.list().send(LVM_CANCELEDITLABEL);
    EXPECT_TRUE(isFolder(folder.file(base.c_str())));
    EXPECT_TRUE(isFolder(folder.file((base + L"(1)").c_str())));
    pumpUntilIdle();
    EXPECT_EQ(rig.names(), (Names{base, base + L"(1)", L"a.pdf"}));

    BoxRecorder boxes;
    const int a = rig.indexOf(L"a.pdf");
    rig.list().finishRename(a, L"a.txt");
    rig.list().finishRename(a, L"a?.pdf");
    rig.list().finishRename(a, L"   ");
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[0].text, lang_getStr(L"quillet/explorer/list/~note-change-causes-losing-format"));
    EXPECT_EQ(boxes.boxes[0].caption, lang_getStr(L"general/error"));
    ZString note = lang_getStr(L"quillet/explorer/list/~note-characters-not-allowed");
    note.replaceAll(L"{CHARACTERS}", kInvalidNameCharacters);
    EXPECT_EQ(boxes.boxes[1].text, note);
    EXPECT_EQ(boxes.boxes[1].caption, lang_getStr(L"general/note"));
    EXPECT_TRUE(isFile(folder.file(L"a.pdf")));

    // F2 edits the label, Enter opens the file (hands it to the job list).
    rig.list().select(a);
    postKey(rig.list().hwnd(), VK_F2);
    EXPECT_EQ(rig.list().editedItem(), a);
    rig.list().send(LVM_CANCELEDITLABEL);
    pumpUntilIdle();
    postKey(rig.list().hwnd(), VK_RETURN);
    EXPECT_EQ(rig.opened, (Names{folder.file(L"a.pdf")}));

    rig.list().finishRename(a, L"  Renamed.pdf ");
    EXPECT_TRUE(isFile(folder.file(L"Renamed.pdf")));
    EXPECT_EQ(rig.list().items()[static_cast<size_t>(a)].name, L"Renamed.pdf");
}

TEST(ExplorerPane, HistoryKeepsOneEntryPerFolderAndDropsTheForwardOnes)
{
    ScratchFolder root;
    for (const wchar_t* name : {L"one", L"two", L"three"})
        ASSERT_TRUE(CreateDirectoryW(root.file(name).c_str(), nullptr));
    ExplorerRig rig;
    const size_t before = rig.explorer().history().entries().size();
    rig.show(root.file(L"one"));
    rig.list().navigate(root.file(L"ONE"), false);
    rig.show(root.file(L"two"));
    EXPECT_EQ(rig.explorer().history().entries().size(), before + 2);
    rig.explorer().runToolbarCommand(explorer_toolbar::Back);
    EXPECT_EQ(rig.list().folder(), root.file(L"one"));
    EXPECT_TRUE(rig.explorer().toolbar().isButtonEnabled(explorer_toolbar::Forward));
    // Opening a folder item drops "two" ahead.
    rig.explorer().up();
    EXPECT_EQ(rig.list().folder(), root.path());
    rig.list().openItem(rig.indexOf(L"three"));
    EXPECT_EQ(rig.list().folder(), root.file(L"three"));
    const Names& entries = rig.explorer().history().entries();
    ASSERT_EQ(entries.size(), before + 3);
    EXPECT_EQ(Names(entries.end() - 3, entries.end()), (Names{root.file(L"one"), root.path(), root.file(L"three")}));
    EXPECT_FALSE(rig.explorer().history().canGoForward());

    // A file goes to the job list.
    makeFile(root.file(L"three\\doc.pdf"));
    rig.list().reload();
    rig.list().openItem(rig.indexOf(L"doc.pdf"));
    EXPECT_EQ(rig.opened, (Names{root.file(L"three\\doc.pdf")}));
}

TEST(ExplorerPane, WatcherListsAFileCreatedInTheShownFolderAndTheFolderIsShownAgainNextTime)
{
    ScratchFolder folder;
    {
        ExplorerRig rig;
        rig.show(folder.path());
        EXPECT_TRUE(rig.names().empty());
        makeFile(folder.file(L"arrived.pdf"));
        EXPECT_TRUE(waitPumping([&] { return rig.names() == Names{L"arrived.pdf"}; }));
    }
    EXPECT_EQ(userConfig_getStr(L"ExplorerLastDir", ZString()), folder.path());
    userConfig_setStr(L"ExplorerLastDir", L"  " + folder.path() + L"  ");
    {
        ExplorerRig rig;
        EXPECT_EQ(rig.list().folder(), folder.path());
    }
    userConfig_setStr(L"ExplorerLastDir", folder.file(L"missing"));
    ExplorerRig rig;
    EXPECT_FALSE(rig.list().folder().isEmpty());
    EXPECT_NE(rig.list().folder(), folder.file(L"missing")) << "the personal folder instead";
}

TEST(ExplorerPane, DeleteCopyCutAndPasteGoThroughTheShellAndTheClipboard)
{
    ScratchFolder one, two;
    makeFile(one.file(L"keep.pdf"));
    makeFile(one.file(L"gone.pdf"));
    makeFile(one.file(L"copied.pdf"));
    makeFile(one.file(L"moved.pdf"));
    ExplorerRig rig;
    ShellDialogAnswerer yes;
    rig.show(one.path());

    rig.list().select(rig.indexOf(L"gone.pdf"));
    postKey(rig.list().hwnd(), VK_DELETE);
    EXPECT_FALSE(pathExists(one.file(L"gone.pdf")));
    EXPECT_EQ(rig.names(), (Names{L"copied.pdf", L"keep.pdf", L"moved.pdf"}));

    rig.list().select(rig.indexOf(L"copied.pdf"));
    rig.list().runCommand(explorer_list::Copy);
    rig.show(two.path());
    EXPECT_TRUE(rig.list().isCommandEnabled(explorer_list::Paste));
    rig.list().runCommand(explorer_list::Paste);
    EXPECT_TRUE(isFile(two.file(L"copied.pdf")));
    EXPECT_TRUE(isFile(one.file(L"copied.pdf")));

    rig.show(one.path());
    const int moved = rig.indexOf(L"moved.pdf");
    rig.list().select(moved);
    rig.list().runCommand(explorer_list::Cut);
    EXPECT_TRUE(rig.list().isCut(moved));
    rig.show(two.path());
    rig.list().runCommand(explorer_list::Paste);
    EXPECT_TRUE(isFile(two.file(L"moved.pdf")));
    EXPECT_FALSE(pathExists(one.file(L"moved.pdf")));
    EXPECT_EQ(rig.names(), (Names{L"copied.pdf", L"moved.pdf"}));
    EXPECT_TRUE(isFile(one.file(L"keep.pdf")));
}

TEST(ExplorerPane, TreeShowsItsRootsAndTheDrivesThePolicyLeaves)
{
    const wchar_t* const policy = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, policy, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const DWORD hideC = 4;
    RegSetValueExW(key, L"NoDrives", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&hideC), sizeof hideC);

    ExplorerRig rig;
    const Names drives = rig.explorer().tree().driveTexts();
    RegDeleteValueW(key, L"NoDrives");
    RegCloseKey(key);
    EXPECT_FALSE(drives.empty());
    for (const ZString& drive : drives)
        EXPECT_LT(drive.find(L"C:"), 0) << drive.toUtf8();

    const Names roots = rig.explorer().tree().rootTexts();
    ASSERT_FALSE(roots.empty());
    EXPECT_EQ(roots.back(), lang_getStr(L"quillet/explorer/tree/workspace"));
    rig.explorer().tree().build();
    bool hasC = false;
    for (const ZString& drive : rig.explorer().tree().driveTexts())
        hasC = hasC || drive.find(L"C:") >= 0;
    EXPECT_TRUE(hasC);
}

TEST(ExplorerPane, SymbolsAndListShowEveryItemInsideTheList)
{
    ScratchFolder folder;
    for (const wchar_t* name : {L"a.pdf", L"b.pdf", L"c.txt"})
        makeFile(folder.file(name));
    ExplorerRig rig;
    for (int mode : {1, 0}) {
        rig.list().setViewMode(mode);
        rig.show(folder.path());
        ASSERT_EQ(rig.names(), (Names{L"a.pdf", L"b.pdf", L"c.txt"}));
        const RECT client = rig.list().clientRect();
        for (int i = 0; i < 3; ++i) {
            RECT item = {};
            item.left = LVIR_BOUNDS;
            ASSERT_TRUE(rig.list().send(LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)));
            EXPECT_GE(item.left, 0) << "mode " << mode << ", item " << i;
            EXPECT_GE(item.top, 0) << "mode " << mode << ", item " << i;
            EXPECT_LE(item.right, client.right) << "mode " << mode << ", item " << i;
            EXPECT_LE(item.bottom, client.bottom) << "mode " << mode << ", item " << i;
        }
    }
}

TEST(ExplorerPane, ListColumnsFitTheNamesInTheFontTheWindowGivesLater)
{
    ScratchFolder folder;
    makeFile(folder.file(L"a rather long document name.pdf"));
    ExplorerRig rig;
    rig.list().setViewMode(0);
    rig.show(folder.path());
    // The main window hands its font over once the pane has listed its folder.
    LOGFONTW large = {};
    large.lfHeight = -24;
    wcscpy_s(large.lfFaceName, LF_FACESIZE, L"Arial");
    HFONT font = CreateFontIndirectW(&large);
    SendMessageW(rig.explorer().hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    pumpUntilIdle();

    HDC dc = GetDC(rig.list().hwnd());
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE text = {};
    const ZString name = L"a rather long document name.pdf";
    GetTextExtentPoint32W(dc, name.c_str(), name.length(), &text);
    SelectObject(dc, old);
    ReleaseDC(rig.list().hwnd(), dc);
    RECT label = {};
    label.left = LVIR_LABEL;
    ASSERT_TRUE(rig.list().send(LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label)));
    EXPECT_GE(label.right - label.left, text.cx);
    SendMessageW(rig.explorer().hwnd(), WM_SETFONT, 0, FALSE);
    DeleteObject(font);
}

// The previews come from Ghostscript through the bridge, as in the program.
class ExplorerPreview : public InterpreterTest {};

TEST_F(ExplorerPreview, ShowsFirstPagesOfPdfsAndIconsOfOtherFiles)
{
    useBridge();
    ScratchFolder folder;
    for (const wchar_t* name : {L"report.pdf", L"letter.pdf", L"notes.txt"})
        ASSERT_TRUE(copyFile(sourcePath(L"samples/sample.pdf"), folder.file(name)));
    ExplorerRig rig;
    rig.list().setViewMode(2);
    rig.show(folder.path());
    EXPECT_EQ(userConfig_getDword(L"ExplorerListViewMode", 0), 2u);
    EXPECT_TRUE(waitPumping([&] {
        const auto& items = rig.list().items();
        return items.size() == 3 && (items[0].flags & ExplorerItem::ThumbnailDelivered) != 0 && // letter.pdf
               (items[2].flags & ExplorerItem::ThumbnailDelivered) != 0;                        // report.pdf
    }));
    pumpUntilIdle();
    WindowPicture(rig.explorer().hwnd()).savePng(picturePath(L"explorer-preview.png"));
    rig.list().setViewMode(0);
}

TEST(ExplorerPane, ArchiveCopiesSelectedFilesIntoThisMonthsFolderAndSaysWhere)
{
    ScratchFolder folder, archive;
    makeFile(folder.file(L"invoice.pdf"));
    ASSERT_TRUE(CreateDirectoryW(folder.file(L"sub").c_str(), nullptr));
    const ZString previous = userConfig_getStr(L"ArchiveDir", ZString());
    userConfig_setStr(L"ArchiveDir", archive.path());
    ExplorerRig rig;
    rig.show(folder.path());
    rig.list().select(rig.indexOf(L"sub"));
    EXPECT_FALSE(rig.list().isCommandEnabled(explorer_list::Archive)) << "folders are not archived";
    rig.list().select(rig.indexOf(L"invoice.pdf"));
    EXPECT_TRUE(rig.list().isCommandEnabled(explorer_list::Archive));
    EXPECT_TRUE(rig.list().isCommandEnabled(explorer_list::ExtractPages));
    {
        BoxRecorder boxes;
        rig.list().runCommand(explorer_list::Archive);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        SYSTEMTIME now;
        GetLocalTime(&now);
        const ZString month = archive.file(ZString::format(L"%02d.%04d", now.wMonth, now.wYear).c_str());
        EXPECT_TRUE(isFile(month + L"\\invoice.pdf"));
        EXPECT_GE(boxes.boxes[0].text.find(month), 0) << boxes.boxes[0].text.toUtf8();
        EXPECT_EQ(boxes.boxes[0].caption, lang_getStr(L"general/info"));
    }
    EXPECT_TRUE(isFile(folder.file(L"invoice.pdf")));
    userConfig_setStr(L"ArchiveDir", previous);
}

TEST(ExplorerPane, TreeExpandsSubfoldersInListOrderAndSelectingOneLoadsIt)
{
    ScratchFolder favourites;
    for (const wchar_t* name : {L"b", L"a10", L"a9", L"A2"})
        ASSERT_TRUE(CreateDirectoryW(favourites.file(name).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(favourites.file(L"a9\\inner").c_str(), nullptr));
    makeFile(favourites.file(L"a9\\inside.pdf"));
    const ZString previous = userConfig_getStr(L"FavoriteDir", ZString());
    userConfig_setStr(L"FavoriteDir", favourites.path());
    ExplorerRig rig;
    userConfig_setStr(L"FavoriteDir", previous);
    ExplorerTree& tree = rig.explorer().tree();

    HTREEITEM node = tree.findNode(TVI_ROOT, favourites.path());
    ASSERT_NE(node, nullptr);
    tree.expand(node);
    EXPECT_EQ(tree.childTexts(node), (Names{L"A2", L"a9", L"a10", L"b"}));
    HTREEITEM a9 = tree.findNode(node, favourites.file(L"a9"));
    ASSERT_NE(a9, nullptr);
    tree.send(TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(a9));
    pumpUntilIdle();
    EXPECT_EQ(rig.list().folder(), favourites.file(L"a9"));
    EXPECT_EQ(rig.names(), (Names{L"inner", L"inside.pdf"}));
    // A folder made in the list shows up under its node.
    tree.expand(a9);
    rig.list().createNewFolder();
    rig.list().send(LVM_CANCELEDITLABEL);
    a9 = tree.findNode(TVI_ROOT, favourites.file(L"a9")); // the tree's nodes were read again
    ASSERT_NE(a9, nullptr);
    EXPECT_EQ(tree.childTexts(a9), (Names{L"inner", lang_getStr(L"quillet/explorer/list/~name-for-new-folder")}));
}
